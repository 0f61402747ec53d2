// The plot writer on the generated drawing, beside reading it into the document in the same run.
//
// The files are those of bench/dxf.cpp: DXF_BENCH_FILE (default
// /tmp/test_200k.dxf, made by ../shared/data/gen_dxf.py) and
// DXF_BENCH_SMALL_FILE (/tmp/test_20k.dxf) for the growth check; a missing
// file skips its benchmarks with a note.
//
// Plot_ReadDocument (the baseline): the reader into the annotation document
// through the document sink, as the command does without -o. Plot_Collect: the reader into the plot
// writer, nothing drawn. Plot_Pdf and Plot_Png: the same, then the model
// space fitted and drawn as a PDF page, or as a PNG 2000 pixels wide, and
// the file written. Their counter peak_rss_mb is the process's peak resident
// size so far: run one benchmark alone for its own figure.
#include "dxfLibInput.h"
#include "plotLibOutput.h"

#include "vorabsIfStream.h"
#include "vorabsOutput.h"
#include "vorabsDocumentSink.h"
#include "vorabsHostReceiver.h"

#include "vorabsOfStream.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

std::string bench_file(const char* variable, const char* fallback) {
  const char* named = std::getenv(variable);
  return named ? named : fallback;
}

const std::string large = bench_file("DXF_BENCH_FILE", "/tmp/test_200k.dxf");
const std::string small = bench_file("DXF_BENCH_SMALL_FILE", "/tmp/test_20k.dxf");

bool present(benchmark::State& state, const std::string& path) {
  if (access(path.c_str(), R_OK) == 0)
    return true;
  state.SkipWithError(("no file " + path + ": make it with gen_dxf.py").c_str());
  return false;
}

double peak_rss_mb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

class Discard : public vorabsOutput {
public:
  void vtprintf(const char*, const char*, va_list) override {}
};

// Reads path into sink the host's way, sub-objects routed back through the
// reader; hook starts a document sink afresh between objects.
void read_into(const std::string& path, annDocument& document, vorabsLibSink& sink,
               std::function<void()> hook = nullptr) {
  Discard channel;
  vorabsContext context;
  context.set_document(&document);
  dxfLibInput reader(nullptr);
  reader.set_error(&channel);
  reader.set_output(&channel);
  vorabsIfStream stream(path.c_str());
  reader.read_input(context, stream);
  sink.set_error(&channel);
  sink.set_output(&channel);
  vorabsHostReceiver receiver(reader, sink);
  receiver.set_new_geometry_hook(std::move(hook));
  receiver.run();
}

void Plot_ReadDocument(benchmark::State& state, const std::string* path) {
  if (!present(state, *path))
    return;
  for (auto _ : state) {
    annDocument document;
    vorabsDocumentSink sink(document);
    read_into(*path, document, sink, [&] { sink.prepare_for_new_geometry(); });
  }
  state.counters["peak_rss_mb"] = peak_rss_mb();
}

// Reads into the plot writer and, unless format is null, writes the plot.
void plot(benchmark::State& state, const std::string& path, const plotFormat* format) {
  if (!present(state, path))
    return;
  const std::string out = std::string("/tmp/vorabs_bench_plot.") +
                          (format && *format == plotFormat::PNG ? "png" : "pdf");
  long items = 0;
  for (auto _ : state) {
    annDocument document;
    vorabsOfStream file{utString(out.c_str())};
    plotLibOutput writer(&file, nullptr);
    plotOptions options;
    options.width_px = 2000;
    if (format)
      options.format = *format;
    writer.set_options(options);
    read_into(path, document, writer);
    items = long(writer.model_space().size());
    if (format && !writer.write())
      state.SkipWithError("the plot was not written");
  }
  state.counters["items"] = double(items);
  state.counters["peak_rss_mb"] = peak_rss_mb();
}

const plotFormat pdf = plotFormat::PDF, png = plotFormat::PNG;

void Plot_Collect(benchmark::State& state, const std::string* path) {
  plot(state, *path, nullptr);
}
void Plot_Pdf(benchmark::State& state, const std::string* path) {
  plot(state, *path, &pdf);
}
void Plot_Png(benchmark::State& state, const std::string* path) {
  plot(state, *path, &png);
}

} // namespace

BENCHMARK_CAPTURE(Plot_ReadDocument, 200k, &large)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Plot_Collect, 200k, &large)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Plot_Pdf, 200k, &large)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Plot_Png, 200k, &large)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Plot_ReadDocument, 20k, &small)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_CAPTURE(Plot_Pdf, 20k, &small)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_CAPTURE(Plot_Png, 20k, &small)->Unit(benchmark::kMillisecond)->Iterations(10);

BENCHMARK_MAIN();
