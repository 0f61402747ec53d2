// Component files and forwarding endpoints, each beside its plain baseline.
//
// Forwarded: point3 of a named point through a vorabsFwdOutput in front of
// a recording sink; Direct: the same call on the sink itself, through the
// same base reference. Read the ratio per call.
//
// Assembly/N: an assembly file naming N component files of 10 points each,
// all on disk in a temporary folder, read and translated through the test
// reader of tests/support/TextComponentFile.h into vorabsLibSinkTesterEx on
// a fresh document. OneFile/P: the same reader over one file of P points
// (the baseline; P = 10 N). Read per_object: the time per point, reading
// the files included. Assembly at several N shows whether the name-space
// switching grows with the number of components already read. Building
// the document and tearing it down, and forgetting the checks the sink
// reported, are not timed.
#include "vorabsFwdOutput.h"
#include "vorabsLibSinkTesterEx.h"
#include "vorabsOutputOstreamTester.h"
#include "vorabsTestInterfaceEx.h"
#include "vorabsTestLibInputEx.h"

#include "../tests/support/TextComponentFile.h"

#include "ann/ann.h"
#include "utUnitTest.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <malloc.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <string>

namespace {

// --- forwarding -----------------------------------------------------------------
// Records the last 256 points with their names, as a test sink would.
class PointRecorder : public vorabsLibSink {
public:
  const char* library_name() const override { return "recorder"; }
  const char* option() const override { return "recorder"; }
  int database_number() const override { return 0; }
  void add_file_types(intcoSet&) const override {}
  void add_extensions(utStringcoSet&) const override {}
  const char* file_filter() const override { return "Recorded (*)|*"; }
  const char* format_name() const override { return "recorder"; }
  vorabsTranslationStatus point3(const giPoint3& point,
                                 const vorabsAttributeSet& attributes) override {
    Record& record = records[received++ % 256];
    record.point = point;
    vorabsNamevorabsAttributePtr name;
    record.name = attributes.get(vorabsNAME, name) ? name->string() : utString();
    return vorabsSTATUS_OK;
  }
  struct Record {
    giPoint3 point;
    utString name;
  };
  Record records[256];
  unsigned long received = 0;
};

// The sink is reached through a base reference the compiler cannot see
// through, as a translator reaches it.
void send_points(benchmark::State& state, vorabsLibSink* sink) {
  benchmark::DoNotOptimize(sink);
  vorabsAttributeSet attributes;
  vorabsNamevorabsAttributePtr name;
  attributes.check_out(vorabsNAME, name);
  *name = vorabsName(utString("point"), 0);
  giPoint3 point(1, 2, 3);
  for (auto _ : state) {
    benchmark::DoNotOptimize(sink->point3(point, attributes));
    point.x += 1;
  }
}

void Direct(benchmark::State& state) {
  PointRecorder recorder;
  send_points(state, &recorder);
}
BENCHMARK(Direct);

void Forwarded(benchmark::State& state) {
  PointRecorder recorder;
  vorabsFwdOutput forwarder(&recorder);
  send_points(state, &forwarder);
}
BENCHMARK(Forwarded);

// --- component files ------------------------------------------------------------
// The allocator keeps what the untimed teardown of a run frees, so that no
// run pays for faulting in again the pages an earlier one gave back: both
// cases start on a warm heap (the one-file case did already, the assembly,
// which needs more memory, did not).
const int warm_heap = (mallopt(M_TRIM_THRESHOLD, 1 << 30), mallopt(M_MMAP_THRESHOLD, 32 << 20));
// The files of every case, written once, removed at exit.
class Files {
public:
  Files() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vorabs-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()))
      folder_ = pattern;
  }
  ~Files() {
    std::error_code ignored;
    if (!folder_.empty())
      std::filesystem::remove_all(folder_, ignored);
  }
  // An assembly of components files of 10 points each.
  std::string assembly(int components) {
    const std::string name = folder_ + "/assembly" + std::to_string(components) + ".txt";
    std::ofstream out(name);
    for (int i = 0; i < components; ++i) {
      const std::string part = folder_ + "/part" + std::to_string(i) + ".txt";
      if (!std::filesystem::exists(part))
        write_points(part, 10, i * 10);
      out << "component " << part << '\n';
    }
    return name;
  }
  std::string points(int count) {
    const std::string name = folder_ + "/points" + std::to_string(count) + ".txt";
    write_points(name, count, 0);
    return name;
  }

private:
  static void write_points(const std::string& name, int count, int first) {
    std::ofstream out(name);
    for (int i = first; i < first + count; ++i)
      out << "point " << i << ' ' << 0.5 * i << " 1\n";
  }
  std::string folder_;
};

Files& files() {
  static Files made;
  return made;
}

// One read and walk of the file as the single top-level object.
struct Read {
  Read() : sink(&document) {
    context.set_document(&document);
    reader.set_error(&channel);
    reader.set_output(&channel);
  }
  int run(const std::string& file) {
    auto top = std::make_shared<TextComponentFile>(utString(file.c_str()), utString(""), context,
                                                   &channel, &channel);
    top->add_translators();
    reader.add_translator(vorabsTranslatorcoPrf(top));
    vorabsTestInterfaceEx receiver(reader, sink);
    int ok = 0;
    while (++reader) {
      sink.prepare_for_new_geometry();
      ok += reader.send_to(vorabsAttributeSet(), receiver, sink) == vorabsSTATUS_OK;
    }
    return ok;
  }

  annDocument document;
  vorabsContext context;
  vorabsOutputOstreamTester channel;
  vorabsTestLibInputEx reader{nullptr};
  vorabsLibSinkTesterEx sink;
};

// User and system processor time of the process so far, in milliseconds.
struct ProcessorTime {
  ProcessorTime() {
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    user = usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3;
    system = usage.ru_stime.tv_sec * 1e3 + usage.ru_stime.tv_usec / 1e3;
  }
  double user;
  double system;
};

// Also counts the user and system time per run (the files are read in
// system time).
void read_file(benchmark::State& state, const std::string& file, int points) {
  double user = 0, system = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto read = std::make_unique<Read>();
    state.ResumeTiming();
    const ProcessorTime before;
    benchmark::DoNotOptimize(read->run(file));
    const ProcessorTime after;
    user += after.user - before.user;
    system += after.system - before.system;
    state.PauseTiming();
    read.reset();
    // The sink reports every check to the process's reporter, which keeps
    // them: each run starts with an empty one, as one self-check run does.
    utUnitTest::get_tester().reset();
    state.ResumeTiming();
  }
  state.counters["user_ms"] = user / double(state.iterations());
  state.counters["system_ms"] = system / double(state.iterations());
  state.counters["per_object"] = benchmark::Counter(
      points, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void Assembly(benchmark::State& state) {
  const int components = int(state.range(0));
  read_file(state, files().assembly(components), components * 10);
}
BENCHMARK(Assembly)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);

void OneFile(benchmark::State& state) {
  const int points = int(state.range(0));
  read_file(state, files().points(points), points);
}
BENCHMARK(OneFile)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
