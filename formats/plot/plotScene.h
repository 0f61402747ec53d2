// plotScene.h - what a plot draws: styled paths, fills, texts and dots in drawing coordinates.
//
// A scene is a display list in the order the entities arrived: each item
// names a look (colour, line width, dashes, layer) in the shared plotStyles
// table and either a run of path operations, a text or a dot. Coordinates
// are the drawing's x and y (a drawing is seen from above: z is dropped).
// Scenes are plain values; a group's scene is appended to its parent's under
// the group's placement. A scene drawn for the last time may let go of its
// items from the front as they are drawn. The styles table owns the looks, layers and fonts
// that scenes refer to by index; it must outlive them.
#pragma once

#include "plot_export.h"

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// A 2D affine map: x' = a x + c y + e, y' = b x + d y + f.
struct PLOT_API plotAffine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

  void apply(double& x, double& y) const {
    const double px = x;
    x = a * px + c * y + e;
    y = b * px + d * y + f;
  }
  // Nonzero when the map keeps shapes (a uniform scale, a turn, a mirror).
  int similarity() const;
  double determinant() const { return a * d - b * c; }
  // This map after first: applies first, then this.
  plotAffine after(const plotAffine& first) const;
};

struct plotLook {
  double red = 0, green = 0, blue = 0;
  int foreground = 0;         // colour 7: black on white, white on black
  double width_mm = -1;       // below 0: the default line width
  std::vector<double> dashes; // drawing units: drawn, gap, drawn, ...; empty: solid
  int layer = 0;              // index into plotStyles::layers
  friend bool operator==(const plotLook& x, const plotLook& y);
  // Looks are found by hash: a drawing may have thousands, each entity asks.
  struct Hash {
    size_t operator()(const plotLook& look) const;
  };
};

struct plotFont {
  std::string family; // empty: the default face
  int bold = 0;
  int italic = 0;
  friend bool operator<(const plotFont& x, const plotFont& y) {
    return x.family != y.family ? x.family < y.family
           : x.bold != y.bold   ? x.bold < y.bold
                                : x.italic < y.italic;
  }
};

// The looks, layers and fonts of a plot, each kept once and named by index.
class PLOT_API plotStyles {
public:
  plotStyles();
  int look(const plotLook& look);
  int layer(const std::string& name);
  int font(const plotFont& font);
  const plotLook& look_at(int i) const { return looks_[size_t(i)]; }
  size_t look_count() const { return looks_.size(); }
  const std::vector<std::string>& layers() const { return layers_; }
  const plotFont& font_at(int i) const { return fonts_[size_t(i)]; }

private:
  std::vector<plotLook> looks_;
  std::unordered_map<plotLook, int, plotLook::Hash> look_index_;
  std::vector<std::string> layers_;
  std::unordered_map<std::string, int> layer_index_;
  std::vector<plotFont> fonts_;
  std::map<plotFont, int> font_index_;
};

enum class plotOpKind : std::uint8_t { MOVE, LINE, ARC, ARC_NEGATIVE, CLOSE };

// One path operation. MOVE and LINE use x, y; an arc runs about the centre
// (x, y) with radius r from angle a0 to a1 (radians, counter-clockwise for
// ARC, clockwise for ARC_NEGATIVE), joined to the point before by a line.
struct plotOp {
  plotOpKind kind;
  double x, y, r, a0, a1;
};

// A stretch of a text formatted apart from the rest: bytes [first, first +
// count) of its text.
struct plotTextRun {
  std::uint32_t first = 0, count = 0;
  double height = 1; // times the text's height
  int font = -1;     // index into plotStyles fonts; -1: the text's
  int coloured = 0;  // 1: red, green and blue say its colour; 2: the foreground's
  double red = 0, green = 0, blue = 0;
  int underline = 0, overline = 0, strike = 0;
  double rise = 0; // its baseline above the line's, in the text's heights
  int oblique = 0; // slanted (when its font is not italic already)
};

// A text placed at an origin: the baseline runs along (ux, uy), up is
// (vx, vy); both have the length of one drawing unit of the text's frame.
struct plotText {
  std::string text; // UTF-8; lines end at '\n'
  double x = 0, y = 0;
  double ux = 1, uy = 0, vx = 0, vy = 1;
  double height = 1; // capital height, drawing units
  double width = 0;  // TEXT: width factor (0 is 1); MTEXT: the width to wrap at (0 none)
  int mtext = 0;     // a paragraph text, placed by its top left
  int font = 0;      // index into plotStyles fonts
  int halign = 0;    // the anchor across: 0 left, 1 centre, 2 right
  int valign = -1;   // and up: 0 baseline, 1 bottom, 2 middle, 3 top; -1 as its kind has it
  // A line fitted to its baseline: the length it fills from its origin, in
  // heights (0: not fitted); fitted whole, its height follows its width.
  double fit = 0;
  int fit_whole = 0;
  // A rectangle round the lines, this far from them in heights; negative: none.
  double frame = -1;
  // A rectangle filled behind the lines in this look, as far from them as
  // background_gap heights; -1: none. With a wrapping width, both
  // rectangles span it.
  int background = -1;
  double background_gap = 0;
  double line_spacing = 1;       // times the usual distance between baselines
  int oblique = 0;               // slanted, unless its font is italic already
  std::vector<plotTextRun> runs; // in the order of their text, not overlapping
};

struct plotItem {
  // CLIP: its path (even-odd) clips the one item that follows it.
  enum kind_t : std::uint8_t { STROKE, FILL, TEXT, DOT, CLIP } kind;
  int look;
  std::uint32_t first; // where its ops are (STROKE, FILL, CLIP, DOT), the text (TEXT)
  std::uint32_t count; // ops
};

struct PLOT_API plotBox {
  double x0 = 1, y0 = 1, x1 = 0, y1 = 0; // empty while x0 > x1
  int empty() const { return x0 > x1; }
  void add(double x, double y);
  void add(const plotBox& other);
};

class PLOT_API plotScene {
public:
  void stroke(int look, const std::vector<plotOp>& ops) { path(plotItem::STROKE, look, ops); }
  void fill(int look, const std::vector<plotOp>& ops) { path(plotItem::FILL, look, ops); }
  // The lines stroked inside the area: a hatch pattern.
  void clipped_stroke(int look, const std::vector<plotOp>& area, const std::vector<plotOp>& lines) {
    path(plotItem::CLIP, look, area);
    path(plotItem::STROKE, look, lines);
  }
  void text(int look, plotText text);
  void dot(int look, double x, double y);
  // Appends other's items, each point moved by placement.
  void append(const plotScene& other, const plotAffine& placement);
  // The items not let go (all but the first released()); the items of one
  // layer are drawn together where a format groups them.
  const std::deque<plotItem>& items() const { return items_; }
  // Items by their number in the order placed, from released() to size().
  const plotItem& item(size_t number) const { return items_[number - items_gone_]; }
  // The item's path (STROKE, FILL, CLIP) or dot (DOT), read into scratch.
  const plotOp* ops(const plotItem& item, std::vector<plotOp>& scratch) const;
  const plotText& text_of(const plotItem& item) const { return texts_[item.first - texts_gone_]; }
  size_t size() const { return items_gone_ + items_.size(); }
  size_t released() const { return items_gone_; }
  // The box of everything drawn; texts by an estimate of their extent.
  plotBox bounds() const;
  // Lets go of the items before the given one, with their paths and texts,
  // drawn for the last time.
  void release_before(size_t item);

private:
  // Operations are kept packed: each its kind and the numbers it uses (a
  // line's end takes 17 bytes, not a whole plotOp's 48). They lie in chunks
  // that never move, each item's run within one, so that a scene of a whole
  // drawing grows without copying itself or holding an old and a new copy
  // at once. Chunks grow from small (a scene of one entity stays small) to
  // a size that serves thousands of items. An item's first is the offset of
  // its run, counted on from chunk to chunk.
  struct OpChunk {
    std::uint32_t first; // the offset of its first byte
    std::uint32_t size;
    std::uint32_t used;
    std::unique_ptr<unsigned char[]> bytes;
  };
  void path(plotItem::kind_t kind, int look, const std::vector<plotOp>& ops);
  // Packs count ops and answers the offset of their run.
  std::uint32_t add_ops(const plotOp* ops, std::uint32_t count);
  std::deque<plotItem> items_;
  std::vector<OpChunk> chunks_;
  std::deque<plotText> texts_;
  std::uint32_t texts_gone_ = 0; // texts let go from the front
  size_t items_gone_ = 0;
};

// Arcs flattened into lines when a placement would not keep them circular.
void plot_flatten_arc(const plotOp& arc, std::vector<plotOp>& out);
