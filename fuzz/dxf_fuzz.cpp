// dxf_fuzz.cpp - libFuzzer target: the DXF reader, from bytes to translated entities.
//
// Each input is read as a DXF file and every object is translated into the
// self-check sink, so that the parser, the translator builder, the
// geometry and the attribute resolution all see hostile data. The sink
// reports its checks to the process's reporter, which keeps them: it is
// emptied after each input so that memory stays flat over millions of runs.
#include "dxfLibInput.h"
#include "vorabsHostReceiver.h"
#include "vorabsLibSinkTesterEx.h"
#include "vorabsOutput.h"

#include "utUnitTest.h"

#include <cstddef>
#include <cstdint>
#include <ostream>

namespace {

class Discard : public vorabsOutput {
public:
  void vtprintf(const char*, const char*, va_list) override {}
};

void read_and_translate(const uint8_t* data, size_t size) {
  Discard channel;
  annDocument document;
  vorabsContext context;
  context.set_document(&document);
  dxfLibInput reader(nullptr);
  reader.set_error(&channel);
  reader.set_output(&channel);
  if (!reader.read_buffer(context, reinterpret_cast<const char*>(data), size, "fuzz"))
    return;
  vorabsLibSinkTesterEx sink(&document);
  sink.set_error(&channel);
  sink.set_output(&channel);
  vorabsHostReceiver(reader, sink).run();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Failed checks on hostile data are expected; printing them only slows the run.
  static std::ostream nowhere(nullptr);
  utUnitTest::get_tester().set_ostream(&nowhere);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  read_and_translate(data, size);
  utUnitTest::get_tester().reset();
  return 0;
}
