// dxfParser.h - the one-pass parser of ASCII DXF files.
//
// Reads group-code/value pairs straight from the bytes of the file (mapped
// into memory, or a buffer the caller owns), numbers with std::from_chars
// and no string per line, and fills a dxfFile: HEADER, TABLES (LAYER,
// LTYPE, STYLE, BLOCK_RECORD), BLOCKS, ENTITIES and the layouts of OBJECTS.
// Unknown sections, entities and group codes are skipped and counted.
// Faults (an odd line count, a group code or number that is not one, data
// ending before EOF) end the parse with a diagnostic naming the line;
// whatever was complete before the fault stays in the file. Counts in the
// data (vertices, knots, paths) never size an allocation.
#pragma once

#include "dxfRecords.h"

class DXF_API dxfParser {
public:
  // Parses size bytes; the bytes need not outlive the call.
  static void parse(const char* data, size_t size, dxfFile& file);
  // Maps the named file and parses it; an unreadable path, a directory, an
  // empty, binary or DWG file is reported in the file's status.
  static void parse_file(const char* path, dxfFile& file);

private:
  // mapped: the bytes are a file mapping whose pages may go back to the
  // system as the parse passes them.
  static void parse_bytes(const char* data, size_t size, dxfFile& file, int mapped);
};
