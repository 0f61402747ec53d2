// dxf_fuzz.cpp - libFuzzer target: the DXF reader, from bytes to translated entities.
//
// Each input is read as a DXF file and every object is translated into the
// self-check sink, so that the parser, the translator builder, the
// geometry and the attribute resolution all see hostile data.
#include "dxfLibInput.h"
#include "vorabsLibSinkTesterEx.h"
#include "vorabsOutput.h"
#include "vorabsTestInterfaceEx.h"

#include <cstddef>
#include <cstdint>

namespace {

class Discard : public vorabsOutput {
public:
  void vtprintf(const char*, const char*, va_list) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Discard channel;
  annDocument document;
  vorabsContext context;
  context.set_document(&document);
  dxfLibInput reader(nullptr);
  reader.set_error(&channel);
  reader.set_output(&channel);
  if (!reader.read_buffer(context, reinterpret_cast<const char*>(data), size, "fuzz"))
    return 0;
  vorabsLibSinkTesterEx sink(&document);
  sink.set_error(&channel);
  sink.set_output(&channel);
  vorabsTestInterfaceEx receiver(reader, sink);
  vorabsAttributeSet attributes;
  while (++reader)
    reader.send_to(attributes, receiver, sink);
  return 0;
}
