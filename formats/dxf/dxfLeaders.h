// dxfLeaders.h - LEADER and MULTILEADER entities read as the parts they draw.
//
// A MULTILEADER's groups form a structure of their own (context data,
// leaders, leader lines, then the entity's overrides); a LEADER's vertices
// and flags are simpler but its path may be a spline and it ends in an
// arrowhead. The decoders turn both into ordinary entity records, the
// parts, kept in the entity's extra children: one 3D POLYLINE or SPLINE
// per leader line (the leader's landing point included), a LINE for each
// dogleg, an arrowhead at each line's start (an INSERT of the arrow block
// the entity names, else a closed filled SOLID), the MTEXT of the text
// content, and an INSERT of the block content with ATTRIBs for its
// attribute values. Parts share the owner's handle, layer and look and are
// marked part_of, so they are named "<KIND> <handle> of <OWNER>" and never
// counted as entities of the file. The reader translates the owner as a
// group of its parts.
#pragma once

#include "dxfKinds.h"
#include "dxf_export.h"

// Decoders of dxfKinds' table.
void dxf_decode_multileader(const dxfTags& tags, dxfEntity& entity, dxfFile& file);
void dxf_decode_leader(const dxfTags& tags, dxfEntity& entity, dxfFile& file);

// Control points and knots of the cubic B-spline through points as CAD
// programs make it from fit points (chord-length parameters, natural knots,
// end tangents along the first and last segments), written into spline as a
// SPLINE record. False for fewer than two distinct points.
DXF_API bool dxf_interpolating_spline(const std::vector<dxfPoint>& points, dxfEntity& spline);
