// dxfTolerance.h - a TOLERANCE entity's feature control frame: what its text means and how it
// shows.
//
// A frame's text (group 1) holds up to two rows of cells separated by
// %%v, the rows and the lines after them separated by ^J. A row's cells are
// the geometric characteristic, two tolerances and three datum references;
// symbols are letters of the GDT font ({\Fgdt;j} is position, {\Fgdt;n} a
// diameter zone, {\Fgdt;m} maximum material condition ...). A line without
// cells is the projected tolerance zone's height, then the datum
// identifier. dxf_tolerance_frame reads the text into a dxfToleranceFrame;
// the entity's decoder lays every cell out as a TEXT record among the
// entity's graphics, which the reader places under the GD&T translators
// (dxf_tolerance_translator). The records belong to the entity.
#pragma once

#include "dxfKinds.h"
#include "dxfTranslators.h"

#include <string>
#include <string_view>
#include <vector>

// The modifiers of a tolerance or datum reference, as the reader numbers
// them in the GD&T items' modifier sets.
enum dxfGdtModifier {
  dxfGDT_DIAMETER = 1,       // a diameter (cylindrical) zone
  dxfGDT_MMC = 2,            // maximum material condition
  dxfGDT_LMC = 3,            // least material condition
  dxfGDT_RFS = 4,            // regardless of feature size
  dxfGDT_PROJECTED_ZONE = 5, // projected tolerance zone
  dxfGDT_FREE_STATE = 6,
  dxfGDT_TANGENT_PLANE = 7
};

// One cell: the value or label it shows without its symbols, its
// modifiers, and the index of its TEXT record among the entity's graphics.
struct dxfToleranceCell {
  std::string text;
  std::vector<int> modifiers;
  int graphic = -1;
  int column = 0; // 0 characteristic, 1 and 2 tolerances, 3 to 5 datums
  int row = 0;    // 0 and 1 the frame's rows, 2 the lines below
};

struct dxfToleranceRow {
  std::string characteristic; // "position", "flatness" ... or empty
  dxfToleranceCell symbol;    // the characteristic's cell
  std::vector<dxfToleranceCell> tolerances;
  std::vector<dxfToleranceCell> datums;
};

struct dxfToleranceFrame {
  std::vector<dxfToleranceRow> rows;
  dxfToleranceCell projected_height; // text empty when there is none
  dxfToleranceCell datum_identifier; // text empty when there is none
  int cells = 0;                     // cells drawn (graphics indices 0 to cells-1)
};

// The frame of a TOLERANCE text (the file's bytes).
DXF_API dxfToleranceFrame dxf_tolerance_frame(std::string_view text);
// The text a cell shows: its symbols as Unicode GD&T characters (in \U+XXXX
// escapes), then its value or label, then its modifiers' symbols.
DXF_API std::string dxf_tolerance_cell_text(const dxfToleranceCell& cell, int column,
                                            const std::string& characteristic);

// The decoder of TOLERANCE: style (3), insertion point (10), direction
// (11), frame text (1); its cells laid out as TEXT records in graphics,
// followed by the boxes of the rows' cells (closed POLYLINEs).
DXF_API void dxf_decode_tolerance(const dxfTags& tags, dxfEntity& entity, dxfFile& file);

// The geometric tolerance of a TOLERANCE entity: per row a tolerance row
// item (gdtToleranceSpec) holding its tolerances and datum references, the datum
// identifier a datum, each showing its cell's text, the boxes plain members. Unset when the frame
// has no cell.
vorabsTranslatorcoPrf dxf_tolerance_translator(const vorabsContext& context,
                                               const dxfTablesPtr& tables, const dxfEntity& entity,
                                               const dxfLook& look);
