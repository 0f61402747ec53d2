// Compound loops: children of a group beside the same entities standing alone.
//
// Every case registers translators with a test input endpoint and walks
// them as the self-check driver does: prepare_for_new_geometry on the sink,
// then send_to through vorabsTestInterfaceEx into vorabsLibSinkTesterEx on a
// fresh annotation document, so that each child goes back through the
// endpoint and becomes a dressed annotation item added to its group.
//
// Group/10000 and Group/100000: one group of that many point children.
// Chain/100: 100 groups nested one in the other, a point in the innermost.
// Plain/10000 and Plain/100000: the same points as top-level entities (the
// baseline). Read per_child: the time per child (per group for Chain).
// Building the translators and the document, and tearing them down, is not
// timed.
#include "vorabsLibSinkTesterEx.h"
#include "vorabsOutputOstreamTester.h"
#include "vorabsTestGroupTranslator.h"
#include "vorabsTestInterfaceEx.h"
#include "vorabsTestLibInputEx.h"
#include "vorabsTestPointTranslator.h"

#include "ann/ann.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const utString point_name("point");
const utString group_name("group");

// One walk's state: a document, an endpoint with its translators, a sink.
struct Walk {
  Walk() : sink(&document) {
    context.set_document(&document);
    reader.set_error(&channel);
    reader.set_output(&channel);
  }

  vorabsTranslatorcoPrf point(int i) {
    return vorabsTranslatorcoPrf(std::make_shared<vorabsTestPointTranslator>(
        context, point_name, giPoint3(i, 0.5 * i, 1.0)));
  }
  std::shared_ptr<vorabsTestGroupTranslator> group() {
    return std::make_shared<vorabsTestGroupTranslator>(context, group_name,
                                                       giXform3(giXformIdentity));
  }

  // Walks every top-level translator; the number that ended vorabsSTATUS_OK.
  int run() {
    vorabsTestInterfaceEx receiver(reader, sink);
    vorabsAttributeSet inherited;
    int ok = 0;
    while (++reader) {
      sink.prepare_for_new_geometry();
      ok += reader.send_to(inherited, receiver, sink) == vorabsSTATUS_OK;
    }
    return ok;
  }

  annDocument document;
  vorabsContext context;
  vorabsOutputOstreamTester channel;
  vorabsTestLibInputEx reader{nullptr};
  vorabsLibSinkTesterEx sink;
};

void per_child(benchmark::State& state, int children) {
  state.counters["per_child"] = benchmark::Counter(
      children, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void Group(benchmark::State& state) {
  const int children = int(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto walk = std::make_unique<Walk>();
    auto group = walk->group();
    for (int i = 0; i < children; ++i)
      group->add_translator(walk->point(i));
    walk->reader.add_translator(vorabsTranslatorcoPrf(group));
    state.ResumeTiming();
    benchmark::DoNotOptimize(walk->run());
    state.PauseTiming();
    walk.reset();
    state.ResumeTiming();
  }
  per_child(state, children);
}
BENCHMARK(Group)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void Plain(benchmark::State& state) {
  const int entities = int(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto walk = std::make_unique<Walk>();
    for (int i = 0; i < entities; ++i)
      walk->reader.add_translator(walk->point(i));
    state.ResumeTiming();
    benchmark::DoNotOptimize(walk->run());
    state.PauseTiming();
    walk.reset();
    state.ResumeTiming();
  }
  per_child(state, entities);
}
BENCHMARK(Plain)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void Chain(benchmark::State& state) {
  const int depth = int(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto walk = std::make_unique<Walk>();
    // Children first: a group's total is taken when it is added.
    auto inner = walk->group();
    inner->add_translator(walk->point(0));
    for (int level = 1; level < depth; ++level) {
      auto outer = walk->group();
      outer->add_translator(vorabsTranslatorcoPrf(inner));
      inner = outer;
    }
    walk->reader.add_translator(vorabsTranslatorcoPrf(inner));
    state.ResumeTiming();
    benchmark::DoNotOptimize(walk->run());
    state.PauseTiming();
    walk.reset();
    inner.reset();
    state.ResumeTiming();
  }
  per_child(state, depth);
}
BENCHMARK(Chain)->Arg(100)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
