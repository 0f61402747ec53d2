// dxfImage.h - IMAGE and WIPEOUT: the clip boundary, the image's file and size, the mask.
//
// Both entities place a raster of pixels: an insertion point (the outer
// corner of pixel 0), a vector along one pixel's width and one along its
// height, the size in pixels, and a clip boundary in pixel coordinates
// whose origin is the top left of the raster (two points: a rectangle's
// opposite corners; more: a polygon; none: the whole raster). The decoder
// keeps them in the entity: point(0) the insertion point, point(1) and
// point(2) the pixel vectors, point(3) the size (x, y), vertices the clip
// boundary, name the handle of the IMAGEDEF (hexadecimal) that names the
// image's file.
//
// An IMAGE becomes the curve of its clip boundary with two properties of
// type "image": "image file" (the file name as the drawing gives it) and
// "image size" ("<width> x <height> pixels"). A WIPEOUT in the xy plane
// becomes a fill area over its clip boundary with the property "mask" = "1"
// of type "fill mask": the area hides what was drawn beneath it and is
// itself drawn in the background colour, not in its own; a WIPEOUT
// elsewhere becomes the curve of its boundary.
#pragma once

#include "dxfKinds.h"
#include "dxfTranslators.h"

#include "vel.h"

void dxf_decode_image(const dxfTags& tags, dxfEntity& entity, dxfFile& file);

// The closed clip boundary of an IMAGE or WIPEOUT in world coordinates; an
// empty handle, with why set, for unusable data.
velCurvePtr3 dxf_image_boundary(const dxfEntity& entity, std::string& why);

// The translator of an IMAGE or WIPEOUT.
vorabsTranslatorcoPrf dxf_image_translator(const vorabsContext& context, dxfTablesPtr tables,
                                           const dxfEntity& entity, const dxfLook& look);
