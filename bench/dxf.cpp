// The DXF reader on a generated drawing, beside dxflib's parser in the same run.
//
// The file is named by DXF_BENCH_FILE (default /tmp/test_200k.dxf, made by
// ../shared/data/gen_dxf.py; never checked in), the growth check's smaller
// file by DXF_BENCH_SMALL_FILE (default /tmp/test_20k.dxf). A missing file
// skips its benchmarks with a note.
//
// Dxf_Parse: tokens to entity records, no framework. Dxflib_Parse: dxflib
// reads the same file into a creation adapter that counts entities (the
// baseline; built only where libdxflib-dev is installed). Dxf_Translate:
// the whole path, file to reader to translators to the self-check sink
// building the annotation document; its counter peak_rss_mb is the
// process's peak resident size so far (run it alone for its own figure).
#include "dxfLibInput.h"
#include "dxfParser.h"

#include "vorabsIfStream.h"
#include "vorabsLibSinkTesterEx.h"
#include "vorabsOutput.h"
#include "vorabsTestInterfaceEx.h"

#include <benchmark/benchmark.h>

#ifdef VORABS_HAVE_DXFLIB
#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>
#endif

#include <cstdlib>
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

void Dxf_Parse(benchmark::State& state, const std::string* path) {
  if (!present(state, *path))
    return;
  size_t entities = 0;
  for (auto _ : state) {
    dxfFile file;
    dxfParser::parse_file(path->c_str(), file);
    entities = file.entities.size();
    benchmark::DoNotOptimize(entities);
  }
  state.counters["entities"] = double(entities);
}

void Dxf_Translate(benchmark::State& state, const std::string* path) {
  if (!present(state, *path))
    return;
  int objects = 0;
  for (auto _ : state) {
    Discard channel;
    annDocument document;
    vorabsContext context;
    context.set_document(&document);
    dxfLibInput reader(nullptr);
    reader.set_error(&channel);
    reader.set_output(&channel);
    vorabsIfStream stream(path->c_str());
    reader.read_input(context, stream);
    vorabsLibSinkTesterEx sink(&document);
    sink.set_error(&channel);
    sink.set_output(&channel);
    vorabsTestInterfaceEx receiver(reader, sink);
    vorabsAttributeSet attributes;
    objects = 0;
    while (++reader) {
      reader.send_to(attributes, receiver, sink);
      ++objects;
    }
  }
  state.counters["objects"] = objects;
  state.counters["peak_rss_mb"] = peak_rss_mb();
}

#ifdef VORABS_HAVE_DXFLIB
class Counter : public DL_CreationAdapter {
public:
  void addLine(const DL_LineData&) override { ++count; }
  void addArc(const DL_ArcData&) override { ++count; }
  void addCircle(const DL_CircleData&) override { ++count; }
  void addPolyline(const DL_PolylineData&) override { ++count; }
  void addVertex(const DL_VertexData&) override { ++vertices; }
  void addPoint(const DL_PointData&) override { ++count; }
  void addText(const DL_TextData&) override { ++count; }
  void addInsert(const DL_InsertData&) override { ++count; }
  long count = 0;
  long vertices = 0;
};

void Dxflib_Parse(benchmark::State& state, const std::string* path) {
  if (!present(state, *path))
    return;
  long entities = 0;
  for (auto _ : state) {
    Counter counter;
    DL_Dxf dxf;
    dxf.in(*path, &counter);
    entities = counter.count;
  }
  state.counters["entities"] = double(entities);
}
BENCHMARK_CAPTURE(Dxflib_Parse, large, &large)->Unit(benchmark::kMillisecond)->Iterations(3);
#endif

BENCHMARK_CAPTURE(Dxf_Parse, large, &large)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Dxf_Translate, large, &large)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Dxf_Translate, small, &small)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
