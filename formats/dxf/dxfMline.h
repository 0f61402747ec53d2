// dxfMline.h - MLINE: one curve per element of its multiline style, and its caps.
//
// An MLINE lists its vertices, at each the direction of the miter and, per
// element of its style, how far along the miter the element passes (its
// first parameter; the others mark breaks, which are not kept: each element
// is drawn whole). The decoder turns them into the points of each element
// (extra lines). The translator makes a group of one polyline per element,
// in the element's colour and linetype from the MLINESTYLE (BYLAYER keeps
// the entity's own), closed when the MLINE is, and a line across the
// outermost elements at the start and at the end where the style has a
// cap there (line or round cap; a round one is drawn as its chord) and the
// MLINE does not suppress it.
#pragma once

#include "dxfKinds.h"
#include "dxfTranslators.h"

void dxf_decode_mline(const dxfTags& tags, dxfEntity& entity, dxfFile& file);

vorabsTranslatorcoPrf dxf_mline_translator(const vorabsContext& context, dxfTablesPtr tables,
                                           const dxfEntity& entity, const dxfLook& look);
