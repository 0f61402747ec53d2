// dxfKinds.h - the entity kinds the parser knows, each declared once.
//
// A kind is its type word, its dxfKind and how its groups are read. Most
// kinds are read by the parser's field rules (dxfParser.cpp). A kind whose
// groups form a structure of their own (a MULTILEADER's context data, an
// MLINE's segments, a proxy entity's graphics) declares a decoder instead:
// the parser reads the common groups (handle, layer, look, extrusion,
// extended data) into the record, keeps every other group as a tag, and
// hands the tags to the decoder once the entity is read. Adding such a kind
// is one line in the table (dxfKinds.cpp) and one decoder in a file of its
// own. Tags refer into the parser's buffer: they live only during the call.
#pragma once

#include "dxfRecords.h"

#include <climits>
#include <cstdint>
#include <string_view>
#include <vector>

// One group as read: its code, its value without the line end, and the
// line of its code in the file.
struct dxfTag {
  int code = 0;
  std::string_view value;
  int line = 0;
};

using dxfTags = std::vector<dxfTag>;

// Fills entity from the tags of its kind; file takes diagnostics (warnings
// only: a decoder never ends the parse).
using dxfDecoder = void (*)(const dxfTags& tags, dxfEntity& entity, dxfFile& file);

struct dxfKindDeclaration {
  const char* name; // the type word
  dxfKind kind;
  dxfDecoder decoder; // null: read by the parser's field rules
};

// The declaration of a type word, or null when the parser does not read it.
DXF_API const dxfKindDeclaration* dxf_kind_declaration(std::string_view word);

// Numbers of a tag. A value that is not a number, or an integer outside
// [low, high], gives fallback: a file's number never becomes an integer
// it cannot hold.
DXF_API double dxf_tag_number(const dxfTag& tag, double fallback = 0.0);
DXF_API int dxf_tag_int(const dxfTag& tag, int fallback = 0, int low = INT32_MIN,
                        int high = INT32_MAX);
