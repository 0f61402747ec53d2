// dxfRecords.h - what the DXF parser makes of a file: header, tables, blocks, entities, layouts.
//
// Plain records, filled in one pass by dxfParser and read by the reader's
// translators. Strings hold the file's bytes undecoded (the reader decodes
// them by the file's code page when it makes names and texts). Layers and
// linetypes are referred to by their index in the tables; an entity names a
// block by its name, resolved when the reader builds inserts. A dxfFile owns
// everything in it; nothing refers outside it.
#pragma once

#include "dxf_export.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

enum class dxfKind : uint8_t {
  UNKNOWN,
  LINE,
  ARC,
  CIRCLE,
  ELLIPSE,
  LWPOLYLINE,
  POLYLINE,
  VERTEX,
  SEQEND,
  SPLINE,
  POINT,
  FACE3D,
  SOLID,
  INSERT,
  ATTRIB,
  ATTDEF,
  TEXT,
  MTEXT,
  HATCH,
  DIMENSION,
  LEADER,
  MULTILEADER,
  VIEWPORT,
  TOLERANCE,
  ARC_DIMENSION,
  LARGE_RADIAL_DIMENSION,
  ACAD_TABLE,
  LIGHT,
  ACAD_PROXY_ENTITY,
  TRACE,
  HELIX,
  RAY,
  XLINE,
  MESH,
  IMAGE,
  WIPEOUT,
  MLINE
};

// The DXF type word of a kind ("LINE", "3DFACE", ...).
DXF_API const char* dxf_kind_name(dxfKind kind);

struct dxfEntity;
// The kind of a DIMENSION from its type flags (70): "linear", "aligned",
// "angular", "diameter", "radial", "angular 3-point" or "ordinate". Its
// defining points are point(0) (definition point), point(1) (text middle),
// point(3) to point(6) (codes 13 to 16); its block (the geometry) is name.
DXF_API const char* dxf_dimension_kind(const dxfEntity& dimension);

struct dxfPoint {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

// A vertex of a polyline (with its bulge and flags; faces of a polyface
// mesh keep their 1-based vertex indices, negative for an invisible edge),
// a control or fit point of a spline (bulge holds the weight).
struct dxfVertex {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  double bulge = 0.0;
  int flags = 0;
  int index[4] = {0, 0, 0, 0};
  float start_width = 0.0f; // of the segment that starts here (40, 41); 0: none given
  float end_width = 0.0f;
};

// One edge of a hatch boundary path: 1 line (p0 to p1), 2 circular arc
// (centre p0, radius r, angles a0 to a1 in degrees, ccw), 3 elliptic arc
// (centre p0, major axis end p1 relative to it, ratio r), 4 spline
// (degree, knots, control points with weights).
struct dxfHatchEdge {
  int type = 0;
  dxfPoint p0;
  dxfPoint p1;
  double r = 0.0;
  double a0 = 0.0;
  double a1 = 0.0;
  int ccw = 1;
  int degree = 0;
  std::vector<double> knots;
  std::vector<dxfVertex> control;
};

struct dxfHatchPath {
  int flags = 0; // bit 1 external, bit 2 polyline, bit 16 outermost ...
  int closed = 0;
  std::vector<dxfVertex> vertices; // polyline paths
  std::vector<dxfHatchEdge> edges; // edge paths
};

// One line family of a hatch pattern, as the file gives it (already
// scaled and turned by the pattern's scale and angle, in the OCS): lines at
// angle (degrees) through base (x, y), repeated at offset (dx, dy), drawn
// with dashes (> 0 a dash, < 0 a gap, 0 a dot; none: continuous).
struct dxfPatternLine {
  double angle = 0.0;
  double x = 0.0, y = 0.0;
  double dx = 0.0, dy = 0.0;
  std::vector<double> dashes;
};

struct dxfHatch {
  std::string pattern;
  int solid = 0;
  int style = 0;
  std::vector<dxfHatchPath> paths;
  int pattern_kind = 1;       // 76: 0 user-defined, 1 predefined, 2 custom
  double pattern_angle = 0.0; // 52
  double pattern_scale = 1.0; // 41
  int pattern_double = 0;     // 77
  std::vector<dxfPatternLine> pattern_lines;
};

struct dxfEntityExtra;

// The type of the property each application's extended data becomes (and
// that the writer writes back as that application's extended data).
inline constexpr const char dxf_extended_data_type[] = "DXF extended data";

// One entity. The fields used depend on the kind; the numbers follow the
// group codes: p[i] is the point of codes 10+i / 20+i / 30+i (codes 14 to 16
// are in extra). What only some kinds carry lives in extra, made when the
// first such group is read, so that the common entity stays small.
struct DXF_API dxfEntity {
  dxfKind kind = dxfKind::UNKNOWN;
  uint8_t invisible = 0;   // 60
  uint8_t paper_space = 0; // 67
  uint8_t has_handle = 0;
  uint8_t graphics = 0; // a piece of another entity's proxy graphics
  // A part made for an entity of this kind (a leader line of a MULTILEADER
  // ...), sharing its handle; UNKNOWN for the entities of the file.
  dxfKind part_of = dxfKind::UNKNOWN;
  int line = 0;                // line of the entity's type word in the file
  float linetype_scale = 1.0f; // 48: its dashes' lengths against its linetype's
  uint64_t handle = 0;
  int layer = 0;            // index into dxfFile::layers
  int linetype = -1;        // -1 BYLAYER, -2 BYBLOCK, else index into dxfFile::linetypes
  int colour = 256;         // ACI: 0 BYBLOCK, 256 BYLAYER
  int32_t true_colour = -1; // 0xRRGGBB, or -1
  int lineweight = -1;      // 1/100 mm; -1 BYLAYER, -2 BYBLOCK, -3 default
  dxfPoint p[4];
  dxfPoint extrusion{0.0, 0.0, 1.0};
  double d40 = 0.0, d41 = 0.0, d42 = 0.0, d43 = 0.0, d44 = 0.0, d45 = 0.0;
  double a50 = 0.0, a51 = 0.0;
  int i70 = 0, i71 = 0, i72 = 0, i73 = 0, i74 = 0, i69 = 0;
  int i68 = 1;         // a VIEWPORT's status: 0 switched off
  int scale_given = 0; // bit 1: 41 seen, bit 2: 42 seen, bit 4: 43 seen, bit 8: 11 seen
  std::vector<dxfVertex> vertices;
  std::string text; // 1 (and 3 before it for MTEXT), 304 for MULTILEADER
  std::string name; // 2: block name, tag, hatch pattern
  std::unique_ptr<dxfEntityExtra> extra;

  // The extra part, made when missing.
  dxfEntityExtra& more();
  // The point of codes 10+i (i from 0 to 6); the origin when not read.
  const dxfPoint& point(int i) const;
};

struct dxfEntityExtra {
  dxfPoint p[3];               // codes 14, 15, 16
  std::vector<double> knots;   // SPLINE 40
  std::vector<double> weights; // SPLINE 41
  std::string style;           // 7 or 3: text or dimension style
  std::string layout;          // 410
  dxfHatch hatch;
  std::vector<dxfEntity> children; // ATTRIBs of an INSERT; parts (dxfLeaders.h)
  std::vector<dxfEntity> graphics; // what a proxy entity's graphics draw (dxfProxyGraphics.h)
  std::vector<int> faces;          // MESH: each face its corner count, then its vertex indices
  // A frame drawn around a text (MTEXT 90 bit 16, MULTILEADER 292); its gap
  // from the lines in drawing units when the file gives it (a multileader's
  // landing gap), else negative: an MTEXT's box scale (45) says it.
  int text_frame = 0;
  double frame_gap = -1.0;
  // An MTEXT's background fill (90 bits 1 and 2): 1 in fill_colour (63, an
  // ACI) or fill_true_colour (421, 0xRRGGBB, -1 none), 2 in the drawing's
  // background colour; 0 none. It covers the frame's rectangle.
  int text_fill = 0;
  int fill_colour = 0;
  int32_t fill_true_colour = -1;
  std::vector<std::vector<dxfPoint>>
      lines; // MLINE: the points of each element, in world coordinates
  // Extended data: per application (1001), its values in file order,
  // separated by "; ".
  std::vector<std::pair<std::string, std::string>> xdata;
};

// The entities of the spaces, in file order. They are kept in chunks of
// fixed size that never move once made, so that a reference to an entity
// stays valid while the list grows and no growth copies the records; the
// reader lets go of a chunk once everything made from its entities has been
// translated (release_chunk), so that a long drawing need not be held whole.
// A list told which records may wait packed (set_packing) packs each chunk
// of them as it fills: a few dozen bytes a record instead of a whole one
// (dxfRecordPacking.h), unpacked when a record of it is reached.
class DXF_API dxfEntityList {
public:
  static constexpr size_t chunk_size = 1024;

  template <class List, class Entity> class basic_iterator {
  public:
    basic_iterator(List* list, size_t index) : list_(list), index_(index) {}
    Entity& operator*() const { return (*list_)[index_]; }
    Entity* operator->() const { return &(*list_)[index_]; }
    basic_iterator& operator++() {
      ++index_;
      return *this;
    }
    bool operator!=(const basic_iterator& other) const { return index_ != other.index_; }
    bool operator==(const basic_iterator& other) const { return index_ == other.index_; }
    size_t index() const { return index_; }

  private:
    List* list_;
    size_t index_;
  };
  using iterator = basic_iterator<dxfEntityList, dxfEntity>;
  using const_iterator = basic_iterator<const dxfEntityList, const dxfEntity>;

  dxfEntityList();
  ~dxfEntityList();
  dxfEntityList(dxfEntityList&&) noexcept;
  dxfEntityList& operator=(dxfEntityList&&) noexcept;

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  // Record i, its chunk unpacked first when it is packed.
  dxfEntity& operator[](size_t i) { return held_chunk(i / chunk_size)[i % chunk_size]; }
  const dxfEntity& operator[](size_t i) const { return held_chunk(i / chunk_size)[i % chunk_size]; }
  dxfEntity& back() { return (*this)[size_ - 1]; }
  const dxfEntity& back() const { return (*this)[size_ - 1]; }
  void push_back(dxfEntity&& entity);
  // Record i without unpacking its chunk: the record itself, or a copy of
  // it in scratch while its chunk is packed.
  const dxfEntity& read(size_t i, dxfEntity& scratch) const;

  iterator begin() { return iterator(this, 0); }
  iterator end() { return iterator(this, size_); }
  const_iterator begin() const { return const_iterator(this, 0); }
  const_iterator end() const { return const_iterator(this, size_); }

  // From now on, a chunk that fills is packed when packable answers true
  // for each of its records (and each can be packed at all).
  void set_packing(bool (*packable)(const dxfEntity&)) { packable_ = packable; }
  size_t num_chunks() const { return chunks_.size(); }
  // Frees the records of a chunk (the entities from chunk * chunk_size on);
  // nothing may read them afterwards.
  void release_chunk(size_t chunk);
  // Nonzero while the chunk's records are held, packed or not.
  int held(size_t chunk) const {
    return chunk < chunks_.size() && (chunks_[chunk] != nullptr || packed_[chunk] != nullptr);
  }
  // Nonzero while the chunk's records are packed.
  int packed(size_t chunk) const { return chunk < packed_.size() && packed_[chunk] != nullptr; }

private:
  struct Packed;
  std::vector<dxfEntity>& held_chunk(size_t chunk) const;
  void pack_chunk(size_t chunk);

  // A chunk holds its records, or their packed bytes, or (released) neither.
  // Reading a packed record unpacks its chunk, even through a const list: a
  // list is read by the one reader that owns it.
  mutable std::vector<std::unique_ptr<std::vector<dxfEntity>>> chunks_;
  mutable std::vector<std::unique_ptr<Packed>> packed_;
  size_t size_ = 0;
  bool (*packable_)(const dxfEntity&) = nullptr;
};

struct dxfLayer {
  std::string name;
  int colour = 7; // negative: layer off
  int32_t true_colour = -1;
  int linetype = -1; // index, -1 none
  int lineweight = -3;
  int flags = 0; // bit 1 frozen
};

struct dxfLinetype {
  std::string name;
  std::string description;
  std::vector<double> elements; // 49: dash > 0, gap < 0, dot 0
};

struct dxfStyle {
  std::string name;
  std::string font_file; // 3
  std::string family;    // from the ACAD extended data
  int font_flags = -1;   // its 1071 (bit 24 italic, bit 25 bold); -1 when absent
  double height = 0.0;
  double width_factor = 1.0;
};

// What leaders take from a dimension style: the arrow size (DIMASZ 41
// times DIMSCALE 40), the leader's arrow block (DIMLDRBLK 341, a block
// record handle, 0 for the closed filled arrow), the text gap (DIMGAP 147)
// and whether text sits above the line (DIMTAD 77).
struct dxfDimensionStyle {
  std::string name;
  double arrow_size = 0.1875;
  double scale = 1.0;
  uint64_t leader_arrow = 0;
  double gap = 0.0625;
  int text_above = 1;
};

struct dxfBlock {
  std::string name;
  dxfPoint base;
  int flags = 0;
  uint64_t record = 0; // handle of its block record (330)
  int line = 0;
  std::vector<dxfEntity> entities;
};

// One element (line) of a multiline style: its offset from the centre
// line, colour (ACI, 256 BYLAYER) and linetype name.
struct dxfMlineElement {
  double offset = 0.0;
  int colour = 256;
  std::string linetype;
};

// An MLINESTYLE object: its caps (70: 16 start line, 64 start round, 256
// end line, 1024 end round) and elements.
struct dxfMlineStyle {
  uint64_t handle = 0;
  std::string name;
  int flags = 0;
  std::vector<dxfMlineElement> elements;
};

struct dxfLayout {
  std::string name;
  double paper_width = 0.0; // millimetres
  double paper_height = 0.0;
  int tab_order = 0;
  uint64_t block_record = 0;
};

// How parsing ended. Everything read before a fault is kept.
enum dxfParseStatus {
  dxfPARSE_OK = 0,
  dxfPARSE_TRUNCATED, // the data ended before EOF
  dxfPARSE_MALFORMED, // a group code or number that is not one
  dxfPARSE_EMPTY,     // nothing at all
  dxfPARSE_BINARY,    // binary DXF: not supported
  dxfPARSE_DWG,       // a DWG file
  dxfPARSE_UNREADABLE // no such file, a directory, no permission
};

// A fault or a remark of the parser, with the 1-based line it names (0 when
// none). Errors end the parse; warnings do not.
struct dxfDiagnostic {
  int error = 1;
  int line = 0;
  std::string text;
};

struct DXF_API dxfFile {
  dxfFile();
  ~dxfFile();
  dxfFile(const dxfFile&) = delete;
  dxfFile& operator=(const dxfFile&) = delete;

  // Index of the layer or linetype of that name (compared ignoring case);
  // a layer that the table lacks is added, a linetype answers -1.
  int layer_index(const char* name, size_t length);
  int linetype_index(const char* name, size_t length) const;
  // The block of that name, or null.
  const dxfBlock* find_block(const std::string& name) const;

  std::string version;         // $ACADVER, "AC1009" when the header has none
  std::string code_page;       // $DWGCODEPAGE
  int units = 0;               // $INSUNITS
  double linetype_scale = 1.0; // $LTSCALE: every linetype's dashes drawn that much longer
  dxfPoint extent_min;
  dxfPoint extent_max;
  int has_extent = 0;

  std::vector<dxfLayer> layers;
  std::vector<dxfLinetype> linetypes;
  std::vector<dxfStyle> styles;
  std::vector<dxfDimensionStyle> dimension_styles;
  std::vector<dxfBlock> blocks;
  dxfEntityList entities; // model and paper space
  std::vector<dxfLayout> layouts;
  std::map<uint64_t, std::string> block_records; // handle -> name
  std::map<uint64_t, std::string> image_files;   // IMAGEDEF handle -> file name
  // The draw order of a space (SORTENTSTABLE), by its block record's
  // handle: entity handle -> the handle it is drawn as, in the place of the
  // entity that has that one; an entity not listed is drawn as itself.
  std::map<uint64_t, std::map<uint64_t, uint64_t>> draw_orders;
  std::vector<dxfMlineStyle> mline_styles;

  // Entities read, by type word, in the spaces and in blocks; skipped
  // entity types and sections by name.
  std::map<std::string, int> counts;
  std::map<std::string, int> block_counts;
  std::map<std::string, int> skipped;
  int skipped_group_codes = 0;
  int num_lines = 0;

  dxfParseStatus status = dxfPARSE_OK;
  std::vector<dxfDiagnostic> diagnostics;

private:
  std::map<std::string, int> layer_names_;
  std::map<std::string, int> block_names_;
  friend class dxfParser;
};
