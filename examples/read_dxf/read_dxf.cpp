// read_dxf.cpp - reads a DXF file into an annotation document, prints what came of it, and plots
// it to PDF when the plot library is installed.   usage: read_dxf FILE.dxf [OUT.pdf]
#include "dxfLibInput.h"
#include "vorabsDocumentSink.h"
#include "vorabsHostReceiver.h"
#include "vorabsIfStream.h"
#ifdef READ_DXF_PLOT
#include "plotLibOutput.h"
#include "vorabsOfStream.h"
#endif

#include <cstdio>
#include <functional>

// Reads path through a DXF reader into sink; the objects delivered, -1 when unreadable.
static int read(const char* path, annDocument& document, vorabsLibSink& sink,
                std::function<void()> new_geometry = nullptr) {
  vorabsContext context;
  context.set_document(&document);
  dxfLibInput reader(nullptr);
  vorabsIfStream stream(path);
  if (!reader.read_input(context, stream))
    return -1;
  std::printf("%s: DXF %s\n", path, reader.file()->version.c_str());
  vorabsHostReceiver receiver(reader, sink);
  receiver.set_new_geometry_hook(new_geometry);
  return receiver.run();
}

int main(int argc, char** argv) {
  if (argc < 2)
    return std::fprintf(stderr, "usage: read_dxf FILE.dxf [OUT.pdf]\n"), 2;
  annDocument document;
  vorabsDocumentSink sink(document);
  const int delivered = read(argv[1], document, sink, [&] { sink.prepare_for_new_geometry(); });
  if (delivered < 0)
    return std::fprintf(stderr, "read_dxf: cannot read %s\n", argv[1]), 2;
  std::printf("%d objects delivered, %zu items in the document\n", delivered, document.num_items());
#ifdef READ_DXF_PLOT
  if (argc > 2) {
    vorabsOfStream file{utString(argv[2])};
    plotLibOutput plot(&file, nullptr);
    annDocument scratch;
    if (read(argv[1], scratch, plot) < 0 || !plot.write())
      return std::fprintf(stderr, "read_dxf: cannot plot %s\n", argv[2]), 2;
    std::printf("plotted to %s\n", argv[2]);
  }
#endif
  return 0;
}
