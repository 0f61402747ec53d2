// dxfDrawingWriter.h - assembles a whole ASCII DXF drawing with handles and owners.
//
// The writer keeps the drawing's tables (layers, linetypes, text styles,
// UCSs), its spaces (model space, paper layouts, block definitions) and
// the entity text of each space, then writes the file in one piece with
// every structural object that the R2000 format and later need: symbol
// tables with their standard records, block records and BLOCK/ENDBLK
// pairs, and the root dictionary with the layouts. Every object gets a
// unique handle and names its owner. Names and texts are written as given:
// the caller has encoded them for the file and checked them.
#pragma once

#include "dxfTagWriter.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <deque>
#include <vector>

struct dxfLayerRecord {
  std::string name;
  int colour = 7;        // ACI 1..255
  long true_colour = -1; // 0xRRGGBB, or -1 for none
  std::string linetype = "Continuous";
  int lineweight = -3; // hundredths of a millimetre, or -3 (default)
  int off = 0;
  int frozen = 0;
  int order = 0; // layers are written by order, then as added
};

// Dash lengths in drawing units: positive draws, negative leaves a gap,
// zero is a dot.
struct dxfLinetypeRecord {
  std::string name;
  std::string description;
  std::vector<double> pattern;
};

struct dxfTextStyleRecord {
  std::string name;
  std::string font_file; // "txt" when empty
  std::string family;    // written as extended data, where readers find it
  int bold = 0;
  int italic = 0;
};

// The extended data of one application: its values in order, each written
// as an integer, a real or a string, whichever it reads as.
struct dxfExtendedData {
  std::string application;
  std::vector<std::string> values;
};

// What every entity carries; the defaults inherit everything from the layer.
struct dxfEntityProperties {
  std::string layer = "0";
  std::string linetype; // empty: BYLAYER
  int colour = 256;     // ACI, 0 BYBLOCK, 256 BYLAYER
  long true_colour = -1;
  int lineweight = -1; // -1 BYLAYER, -2 BYBLOCK, -3 default
  int invisible = 0;
  double linetype_scale = 1.0;        // 48, of the linetype's pattern as first written
  std::vector<dxfExtendedData> xdata; // written after the entity's own groups
};

class dxfDrawingWriter {
public:
  using space_id = int;

  // version: "AC1015" or later; code_page: the $DWGCODEPAGE value.
  dxfDrawingWriter(std::string version, std::string code_page);

  void set_units(int insunits) { units_ = insunits; }
  const std::string& version() const { return version_; }

  // Each table record is added once by name (compared exactly); later
  // additions of the same name return 0 and change nothing.
  int add_layer(const dxfLayerRecord& layer);
  int has_layer(const std::string& name) const { return layers_.count(name) != 0; }
  int add_linetype(const dxfLinetypeRecord& linetype);
  int has_linetype(const std::string& name) const;
  // The pattern the linetype of that name was added with; null when none was.
  const std::vector<double>* linetype_pattern(const std::string& name) const;
  int add_text_style(const dxfTextStyleRecord& style);
  int add_ucs(const std::string& name, const double origin[3], const double x_axis[3],
              const double y_axis[3]);
  // An application registered for extended data (APPID), once by name
  // (compared ignoring case).
  void add_appid(const std::string& name);

  // Spaces. The model space is always there; a block is found by name.
  space_id model_space() const { return 0; }
  space_id add_block(const std::string& name, double x, double y, double z);
  space_id find_block(const std::string& name) const;
  const std::string& space_name(space_id space) const { return spaces_[space].name; }
  // A paper layout; the first one is the active paper space.
  space_id add_layout(const std::string& name, double width, double height);

  // Starts an entity in a space and writes its common group codes; the
  // caller writes the rest through tags(space), and the entity's extended
  // data follows when the next entity of the space starts (each
  // application gets its APPID record). Returns the handle.
  std::uint64_t begin_entity(space_id space, const char* type,
                             const dxfEntityProperties& properties);
  // An entity owned by an earlier one (VERTEX, SEQEND, ATTRIB); its owner's
  // extended data is not repeated.
  std::uint64_t begin_child(space_id space, const char* type, std::uint64_t owner,
                            const dxfEntityProperties& properties);
  dxfTagWriter& tags(space_id space) { return spaces_[space].entities; }

  // Grows the drawing's extents.
  void extend(double x, double y, double z);
  std::uint64_t new_handle() { return next_handle_++; }

  // Writes the whole file through write (called with consecutive pieces
  // of its text; answering 0 stops the writing), letting go of each space's
  // entities once they are written. Nonzero when every piece was taken.
  int finish(const std::function<int(const char*, size_t)>& write);

private:
  enum space_kind { MODEL, PAPER, BLOCK };
  struct space {
    space_kind kind;
    std::string name;       // layout name for paper spaces, block name otherwise
    std::string block_name; // *Model_Space, *Paper_Space, *Paper_Space0, ... or the name
    std::uint64_t record, begin, end, layout;
    double base[3] = {0, 0, 0};
    double paper[2] = {0, 0};
    dxfTagWriter entities;
    std::vector<dxfExtendedData> xdata; // of the entity last started
  };
  struct table_record {
    std::uint64_t handle;
    int order;
    dxfTagWriter body; // the record's tags after its owner
  };
  struct table {
    const char* name;
    std::uint64_t handle;
    std::vector<table_record> records;
  };

  space_id new_space(space_kind kind, const std::string& name, const std::string& block_name);
  // Writes the extended data of the entity last started in s.
  void end_entity(space& s);
  void add_record(table& into, dxfTagWriter&& body, int order = 0);
  void write_common(dxfTagWriter& out, const char* type, std::uint64_t handle, std::uint64_t owner,
                    const space& in, const dxfEntityProperties& properties);
  void write_header(dxfTagWriter& out) const;
  void write_table(dxfTagWriter& out, const table& t, const char* subclass) const;
  void write_tables(dxfTagWriter& out);
  void write_block(dxfTagWriter& out, const space& s) const;
  void write_objects(dxfTagWriter& out) const;
  void write_layout(dxfTagWriter& out, const space& s, int order) const;

  std::string version_, code_page_;
  int units_ = 0;
  std::uint64_t next_handle_ = 0x20;
  double extents_[6];
  table vport_, ltype_, layer_, style_, view_, ucs_, appid_, dimstyle_;
  std::uint64_t block_record_table_, root_dictionary_, group_dictionary_, layout_dictionary_;
  std::map<std::string, int> layers_, styles_, ucss_, appids_;
  std::map<std::string, std::vector<double>> linetypes_; // patterns by upper-case name
  std::map<std::string, space_id> blocks_;
  std::deque<space> spaces_; // a deque: tags(space) references stay valid
  int paper_count_ = 0;
};
