// dxfRecordPacking.h - an entity record written as bytes, its set fields only.
//
// A plain record (a line, an arc, a text ... with a style at most) takes
// a few dozen bytes this way instead of a whole dxfEntity with its empty
// strings and unused numbers. The entity list keeps the records that wait
// for the walk packed like this. Fields are copied bit for bit: a record
// unpacked equals the one packed, negative zeros and NaNs included. The
// caller owns the bytes.
#pragma once

#include "dxfRecords.h"

#include <cstdint>
#include <string>

// Whether the record can be packed: its extra part, if any, holds no more
// than a style, a layout and extended data, and its vertices and texts are
// counted in 32 bits.
bool dxf_packable(const dxfEntity& e);

// Appends the packed record to out.
void dxf_pack_entity(const dxfEntity& e, std::string& out);

// Reads one packed record at data into e, overwriting every field (the
// capacity of its vertices and strings is kept); answers the first byte
// after it.
const char* dxf_unpack_entity(const char* data, dxfEntity& e);
