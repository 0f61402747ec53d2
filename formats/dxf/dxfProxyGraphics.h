// dxfProxyGraphics.h - the drawing an add-on leaves in its entities: proxy graphics as entity
// records.
//
// An entity of an application the reader does not know (ACAD_PROXY_ENTITY)
// carries how it looks as binary proxy graphics: a size, a command count,
// then commands, each its size, its type and its data, in little-endian
// order. Geometry commands (circle, arc, polyline, polygon, shell, text) are
// turned into plain entity records (CIRCLE, ARC, LINE, POLYLINE, HATCH,
// TEXT) in world coordinates, carried by the attribute commands (colour,
// fill, lineweight) and the model transforms pushed around them. Unknown
// commands are skipped by their size; a command that claims more bytes than
// are left ends the decoding, so no read passes the end. The records made
// belong to the caller.
#pragma once

#include "dxfKinds.h"
#include "dxfRecords.h"

#include <string>
#include <string_view>
#include <vector>

// The entities that bytes draw, each on owner's layer with owner's look
// until a command changes it, marked as graphics of owner. notes receives
// one line for each kind of command that draws something not made here
// (lightweight polylines, meshes, rays ...) and for data that ends early.
DXF_API std::vector<dxfEntity> dxf_proxy_graphics(std::string_view bytes, const dxfEntity& owner,
                                                  std::vector<std::string>& notes);

// The decoder of an ACAD_PROXY_ENTITY: the 310 chunks after the graphics
// byte count (92, or 160 from AC1024), up to that count, decoded into the
// entity's graphics; what is not drawn becomes one warning per kind.
DXF_API void dxf_decode_proxy_entity(const dxfTags& tags, dxfEntity& entity, dxfFile& file);
