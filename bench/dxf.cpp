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
// process's peak resident size so far (run it alone for its own figure);
// the checks the sink reports are forgotten after each run, untimed, as one
// self-check run starts with none. Dxf_SelfCheck: the same path through a
// receiver that hands prepare_for_new_geometry on to the sink, on both
// files (the growth from one to the other is the figure to read).
// Dxf_ReadNull: the reader into a sink that keeps nothing; Dxf_ReadWrite:
// the reader into the DXF writer and the file written (writing costs the
// difference); Dxf_RoundTrip: read, write, and read the written file again.
#include "dxfLibInput.h"
#include "dxfLibOutput.h"
#include "dxfParser.h"

#include "vorabsIfStream.h"
#include "vorabsLibSinkTesterEx.h"
#include "vorabsOutput.h"
#include "vorabsHostReceiver.h"

#include "vorabsOfStream.h"

#include "utUnitTest.h"

#include <benchmark/benchmark.h>

#ifdef VORABS_HAVE_DXFLIB
#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>
#endif

#include <cstdio>
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

// Reads path into a fresh annotation document through the self-check sink,
// the host's way; prepare: whether the receiver hands
// prepare_for_new_geometry on to the sink. The number of objects delivered.
int translate_into_document(const std::string& path, int prepare) {
  Discard channel;
  annDocument document;
  vorabsContext context;
  context.set_document(&document);
  dxfLibInput reader(nullptr);
  reader.set_error(&channel);
  reader.set_output(&channel);
  vorabsIfStream stream(path.c_str());
  reader.read_input(context, stream);
  vorabsLibSinkTesterEx sink(&document);
  sink.set_error(&channel);
  sink.set_output(&channel);
  vorabsHostReceiver receiver(reader, sink);
  if (prepare)
    receiver.set_new_geometry_hook([&sink] { sink.prepare_for_new_geometry(); });
  return receiver.run();
}

void Dxf_Translate(benchmark::State& state, const std::string* path) {
  if (!present(state, *path))
    return;
  int objects = 0;
  for (auto _ : state) {
    objects = translate_into_document(*path, 0);
    state.PauseTiming();
    utUnitTest::get_tester().reset();
    state.ResumeTiming();
  }
  state.counters["objects"] = objects;
  state.counters["peak_rss_mb"] = peak_rss_mb();
}

void Dxf_SelfCheck(benchmark::State& state, const std::string* path) {
  if (!present(state, *path))
    return;
  int objects = 0;
  for (auto _ : state) {
    objects = translate_into_document(*path, 1);
    state.PauseTiming();
    utUnitTest::get_tester().reset();
    state.ResumeTiming();
  }
  state.counters["objects"] = objects;
}

// Takes every entity and keeps nothing: what the reader costs by itself.
class NullSink : public vorabsLibSink {
public:
  const char* library_name() const override { return "null"; }
  const char* option() const override { return "null"; }
  int database_number() const override { return 0; }
  void add_file_types(intcoSet&) const override {}
  void add_extensions(utStringcoSet&) const override {}
  const char* file_filter() const override { return "|"; }
  const char* format_name() const override { return "null"; }
  vorabsTranslationStatus curve3(const velCurvePtr3&, const vorabsAttributeSet&) override {
    return vorabsSTATUS_OK;
  }
  vorabsTranslationStatus point3(const giPoint3&, const vorabsAttributeSet&) override {
    return vorabsSTATUS_OK;
  }
  vorabsTranslationStatus triblock(const giTriBlock&, const vorabsAttributeSet&) override {
    return vorabsSTATUS_OK;
  }
  vorabsTranslationStatus annotation(const annNamedItemPtr&, const vorabsAttributeSet&) override {
    return vorabsSTATUS_OK;
  }
  int supported(const vorabsAttributeSet&) const override { return 1; }
};

// Reads path into sink the host's way.
void read_into(const std::string& path, vorabsLibSink& sink) {
  Discard channel;
  annDocument document;
  vorabsContext context;
  context.set_document(&document);
  dxfLibInput reader(nullptr);
  reader.set_error(&channel);
  reader.set_output(&channel);
  vorabsIfStream stream(path.c_str());
  reader.read_input(context, stream);
  sink.set_error(&channel);
  vorabsHostReceiver receiver(reader, sink);
  receiver.set_process_views(0);
  receiver.run();
}

const std::string written = "/tmp/vorabs_bench_written.dxf";

int write_copy(const std::string& path) {
  vorabsOfStream file{utString(written.c_str())};
  dxfLibOutput writer(&file, nullptr);
  read_into(path, writer);
  return writer.write();
}

// The reader alone, into a sink that keeps nothing.
void Dxf_ReadNull(benchmark::State& state, const std::string* path) {
  if (!present(state, *path))
    return;
  for (auto _ : state) {
    NullSink sink;
    read_into(*path, sink);
  }
}

// The reader into the writer, and the file written: the writer's own cost
// is this minus Dxf_ReadNull.
void Dxf_ReadWrite(benchmark::State& state, const std::string* path) {
  if (!present(state, *path))
    return;
  for (auto _ : state)
    if (!write_copy(*path))
      state.SkipWithError("the writer failed");
  std::remove(written.c_str());
}

// Read, write, and read the written file again into an annotation document.
void Dxf_RoundTrip(benchmark::State& state, const std::string* path) {
  if (!present(state, *path))
    return;
  for (auto _ : state) {
    write_copy(*path);
    translate_into_document(written, 0);
  }
  std::remove(written.c_str());
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
BENCHMARK_CAPTURE(Dxf_SelfCheck, small, &small)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Dxf_SelfCheck, large, &large)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Dxf_ReadNull, large, &large)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Dxf_ReadWrite, large, &large)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Dxf_RoundTrip, large, &large)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
