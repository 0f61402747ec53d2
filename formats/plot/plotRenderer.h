// plotRenderer.h - draws a scene onto a cairo context, texts through pango.
//
// The renderer is made for one page: the cairo context (owned by the
// caller), the styles the scene refers to, the background and how many
// device units make a millimetre of paper (line weights are paper sizes).
// draw() maps the drawing onto the device by the given matrix; strokes and
// dots are gathered into few drawing commands (see plotBatches); texts are
// broken into lines by pango, with their runs, and either drawn or, when a
// text sink is set (the SVG writer keeps texts as text), handed to it line
// by line. draw_last() draws a scene for the last time and empties it as
// it goes.
#pragma once

#include "plotScene.h"

#include <cairo.h>
#include <set>
#include <string>
#include <utility>
#include <vector>

class plotBatches;
typedef struct _PangoLayout PangoLayout;
typedef struct _PangoAttrList PangoAttrList;
typedef struct _PangoContext PangoContext;
typedef struct _PangoFontMap PangoFontMap;

// A stretch of a line of text formatted apart from it: bytes [first, first
// + count) of its text.
struct plotTextSpan {
  size_t first = 0, count = 0;
  double font_size = 0;
  std::string family;
  int bold = 0, italic = 0, oblique = 0;
  int coloured = 0; // red, green and blue say its colour
  double red = 0, green = 0, blue = 0;
  int underline = 0, overline = 0, strike = 0;
  double rise = 0; // its baseline above the line's, in the line's pixels
};

// One line of a text placed on the device: the frame maps the text's own
// pixels (x along the baseline, y down) onto the device.
struct plotTextLine {
  std::string text;
  cairo_matrix_t frame;
  double baseline = 0;  // the line's baseline, y in the text's own pixels
  double font_size = 0; // em size in device units
  std::string family;
  int bold = 0, italic = 0, oblique = 0;
  double red = 0, green = 0, blue = 0;
  int layer = 0;
  std::vector<plotTextSpan> spans; // in the order of the text, not overlapping
};

class plotTextSink {
public:
  virtual ~plotTextSink();
  virtual void line(const plotTextLine& line) = 0;
};

struct plotRenderOptions {
  int black_background = 0;
  double device_per_mm = 72 / 25.4; // device units per millimetre of paper
  double minimum_width = 0.1;       // the thinnest line, in device units
  // Draw an item before others that came ahead of it where they do not
  // touch, so that strokes and dots of one look become one command each:
  // for surfaces that keep every command of a page (PDF), and to spare a
  // rasteriser its work per command (PNG). The pixels stay, but where
  // strokes of one look overlap their smoothed edges blend once.
  int reorder = 0;
  // Dots as lines of no length with round caps (a PDF holds one in 4
  // numbers instead of a circle's 26); else filled circles, whose pixels do
  // not depend on how a rasteriser draws caps.
  int dot_strokes = 0;
};

class PLOT_API plotRenderer {
public:
  plotRenderer(cairo_t* cr, const plotStyles& styles, const plotRenderOptions& options);
  ~plotRenderer();
  plotRenderer(const plotRenderer&) = delete;
  plotRenderer& operator=(const plotRenderer&) = delete;

  void set_text_sink(plotTextSink* sink) { text_sink_ = sink; }
  // Fills the whole device with the background.
  void paint_background();
  // Draws the items of the scene (of one layer when layer >= 0) under the
  // map from drawing to device.
  void draw(const plotScene& scene, const cairo_matrix_t& to_device, int layer = -1);
  // The same for the scene's last use: its paths and texts go as they are
  // drawn.
  void draw_last(plotScene& scene, const cairo_matrix_t& to_device);
  // The font families asked for that fontconfig had to replace, with the
  // one it chose.
  const std::set<std::pair<std::string, std::string>>& replaced_fonts() const { return replaced_; }

private:
  void draw_items(const plotScene& scene, const cairo_matrix_t& to_device, int layer,
                  plotScene* spent);
  void set_colour(const plotLook& look);
  double line_width(const plotLook& look) const;
  bool dashed(const plotLook& look, double scale) const;
  void stroke_path(const plotLook& look, double scale);
  bool place(const plotScene& scene, const plotItem& item, const cairo_matrix_t& to_device,
             plotBox& box);
  bool build_path(const plotScene& scene, const plotItem& item, const cairo_matrix_t& to_device);
  void find_inks(double scale);
  void batch(const plotScene& scene, const plotItem& item, std::uint32_t number,
             const cairo_matrix_t& to_device, plotBatches& batches);
  void draw_batches(const plotScene& scene, plotBatches& batches, const cairo_matrix_t& to_device);
  void add_ops(const plotOp* ops, std::uint32_t count);
  void add_far_ops(const plotOp* ops, std::uint32_t count, const cairo_matrix_t& to_device,
                   bool fill);
  // Dots of one look in one command: lines of no length with round caps,
  // or filled circles (dot_strokes says which).
  void draw_dots(const plotScene& scene, const std::vector<std::uint32_t>& items,
                 const plotLook& look, const cairo_matrix_t& to_device);
  bool text_shows(const plotText& text, const cairo_matrix_t& to_device) const;
  void draw_text(const plotText& text, const plotLook& look, const cairo_matrix_t& to_device);
  // A line of a text: its characters, its width in the text's pixels, the
  // byte of the text it begins at and its height in heights of the text.
  struct TextLine {
    std::string text;
    double width;
    size_t begin;
    double height;
  };
  std::vector<TextLine> lay_out(const plotText& text, double cap);
  double set_line(const plotText& text, const TextLine& line, double cap);
  PangoAttrList* run_attributes(const plotText& text, size_t begin, size_t end, double cap);
  std::vector<plotTextSpan> spans(const plotText& text, const TextLine& line, double cap);
  double cap_ratio_of(const std::string& family);
  // Fills a text's background, then strokes its frame: the box of its lines
  // (each with its width, and across width when not 0) from top to bottom
  // (in the text's pixels of frame), each grown by its gap in cap heights.
  // The current matrix is left as it was.
  void box_text(const plotText& text, const cairo_matrix_t& frame,
                const std::vector<TextLine>& lines, double top, double bottom, double width,
                double cap, const plotLook& look);
  // The colour of a run, the foreground's resolved.
  void run_colour(const plotTextRun& run, double& red, double& green, double& blue) const;
  const std::string& face_of(const plotFont& font);

  cairo_t* cr_;
  const plotStyles& styles_;
  plotRenderOptions options_;
  plotTextSink* text_sink_ = nullptr;
  std::vector<plotOp> ops_; // the ops of the item being drawn, read from its scene
  plotBox visible_;         // the device area drawn on, under the current clip
  std::vector<int> inks_;   // when reordering: per look, what it draws like
  PangoFontMap* font_map_ = nullptr;
  PangoLayout* layout_ = nullptr;
  std::map<std::string, std::string> faces_; // family asked for -> family used
  std::set<std::pair<std::string, std::string>> replaced_;
};
