// dxf_export.h - export macro of the DXF format library.
//
// The library is built with hidden visibility; the reader, the parser's
// entry points and the record types a host or a benchmark may read carry
// DXF_API.
#pragma once

#define DXF_API __attribute__((visibility("default")))
