// dxfRecordPacking.h - an entity record written as bytes, its set fields only.
//
// A plain record (a line, an arc, a text ... without an extra part) takes
// a few dozen bytes this way instead of a whole dxfEntity with its empty
// strings and unused numbers. The entity list keeps the records that wait
// for the walk packed like this. Fields are copied bit for bit: a record
// unpacked equals the one packed, negative zeros and NaNs included. The
// caller owns the bytes.
#pragma once

#include "dxfRecords.h"

#include <cstdint>
#include <string>

// Whether the record can be packed: it has no extra part, and its vertices
// and texts are counted in 32 bits.
inline bool dxf_packable(const dxfEntity& e) {
  const size_t most = UINT32_MAX;
  return !e.extra && e.vertices.size() < most && e.text.size() < most && e.name.size() < most;
}

// Appends the packed record to out.
void dxf_pack_entity(const dxfEntity& e, std::string& out);

// Reads one packed record at data into e, overwriting every field (the
// capacity of its vertices and strings is kept); answers the first byte
// after it.
const char* dxf_unpack_entity(const char* data, dxfEntity& e);
