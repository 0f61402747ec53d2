// dxfHelix.h - the decoder of a HELIX: the B-spline curve it carries.
//
// A HELIX is written as a SPLINE (its control points, knots and weights)
// followed by the helix's own description (axis, radius, turns), whose
// groups reuse the spline's codes. The decoder takes the spline part by its
// counts (72 knots, 73 control points) into the entity as a SPLINE's fields
// are read, so that it is drawn as that spline.
#pragma once

#include "dxfKinds.h"

void dxf_decode_helix(const dxfTags& tags, dxfEntity& entity, dxfFile& file);
