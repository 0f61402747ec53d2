// dxfTable.h - an ACAD_TABLE as the block reference that draws it.
//
// A table entity is a block reference (its anonymous *T block, insertion
// point, scale and rotation) followed by the table's own data: rows,
// columns, cells and styles. The block holds what the table looks like,
// so the reader keeps the reference and leaves the cell data, which would
// otherwise overwrite the reference's groups (cells repeat 1, 2, 40 ...).
#pragma once

#include "dxfKinds.h"

// Fills the entity's block name (2), insertion point (10/20/30), scale
// (41, 42, 43) and rotation (50) from the groups before the table data.
DXF_API void dxf_decode_table(const dxfTags& tags, dxfEntity& entity, dxfFile& file);
