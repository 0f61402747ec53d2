// Translating entities through the framework beside a plain loop doing the
// same work. Read the ratio of each framework benchmark to its Baseline twin.
//
// Framework_Walk: 100,000 point and 100,000 curve translators are made,
// registered with an input endpoint and walked with operator++ and send_to
// into a recording sink. Baseline_Walk builds the same objects, a fresh
// attribute set holding the name and the kind marker for each, and calls the
// same sink operation directly. Per entity: divide by 200,000.
//
// MemoHit processes one translator again under an equal transform;
// FreshTranslation processes translators that have not been processed yet.
#include "vorabsAttributePtr.h"
#include "vorabsCurveTranslator.h"
#include "vorabsLibSinkTester.h"
#include "vorabsOutputOstreamTester.h"
#include "vorabsTestInterface.h"
#include "vorabsTestLibInputEx.h"
#include "vorabsTestLibOutput.h"
#include "vorabsTestFaceTranslator.h"
#include "vorabsTestPointTranslator.h"

#include "vel.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int entities_per_kind = 100000;

class BenchCurveTranslator final : public vorabsCurveTranslator {
public:
  BenchCurveTranslator(const vorabsContext& context, const utString& name, velCurvePtr3 curve)
      : vorabsCurveTranslator(context), name_(name), curve_(std::move(curve)) {}
  void attributes(vorabsAttributeSet& set) const override {
    vorabsCurveTranslator::attributes(set);
    vorabsNamevorabsAttributePtr name;
    set.check_out(vorabsNAME, name);
    *name = vorabsName(name_, 0);
  }

protected:
  vorabsTranslationStatus create_curve(velCurvePtr3& curve) override {
    curve = curve_;
    return vorabsSTATUS_OK;
  }

private:
  utString name_;
  velCurvePtr3 curve_;
};

const utString point_name("point"), curve_name("curve");

giPoint3 point_at(int i) {
  return giPoint3(i, 2.0 * i, 0.5);
}
velCurvePtr3 curve_at(int i) {
  return velCurvePtr3(new velLine3(giPoint3(i, 0, 0), giPoint3(i, 1, 0)));
}

// Registers 100,000 point and 100,000 curve translators with a fresh reader.
void register_translators(vorabsTestLibInputEx& reader, const vorabsContext& context) {
  for (int i = 0; i < entities_per_kind; ++i) {
    reader.add_translator(vorabsTranslatorcoPrf(
        std::make_shared<vorabsTestPointTranslator>(context, point_name, point_at(i))));
    reader.add_translator(vorabsTranslatorcoPrf(
        std::make_shared<BenchCurveTranslator>(context, curve_name, curve_at(i))));
  }
}

int walk(vorabsTestLibInputEx& reader) {
  vorabsLibSinkTester sink;
  vorabsTestInterface receiver;
  vorabsAttributeSet inherited;
  int ok = 0;
  while (++reader)
    ok += reader.send_to(inherited, receiver, sink) == vorabsSTATUS_OK;
  return ok;
}

// Making and registering the translators (what a reader does while it
// parses), then walking them.
void Framework_Walk(benchmark::State& state) {
  annDocument document;
  vorabsContext context;
  context.set_document(&document);
  vorabsOutputOstreamTester channel;
  for (auto _ : state) {
    vorabsTestLibInputEx reader(nullptr);
    reader.set_error(&channel);
    reader.set_output(&channel);
    register_translators(reader, context);
    benchmark::DoNotOptimize(walk(reader));
  }
  state.SetItemsProcessed(state.iterations() * 2 * entities_per_kind);
}
BENCHMARK(Framework_Walk)->Unit(benchmark::kMillisecond);

// The walk alone: the translators are made and registered, and released
// afterwards, outside the timing.
void Framework_WalkRegistered(benchmark::State& state) {
  vorabsContext context;
  vorabsOutputOstreamTester channel;
  for (auto _ : state) {
    state.PauseTiming();
    auto reader = std::make_unique<vorabsTestLibInputEx>(nullptr);
    reader->set_error(&channel);
    reader->set_output(&channel);
    register_translators(*reader, context);
    state.ResumeTiming();
    benchmark::DoNotOptimize(walk(*reader));
    state.PauseTiming();
    reader.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * 2 * entities_per_kind);
}
BENCHMARK(Framework_WalkRegistered)->Unit(benchmark::kMillisecond);

template <class Kind>
vorabsAttributeSet named(const utString& text, const vorabsAttributeKey& kind) {
  vorabsAttributeSet set;
  vorabsNamevorabsAttributePtr name;
  set.check_out(vorabsNAME, name);
  *name = vorabsName(text, 0);
  Kind marker;
  set.check_out(kind, marker);
  return set;
}

void Baseline_Walk(benchmark::State& state) {
  for (auto _ : state) {
    vorabsLibSinkTester sink;
    int ok = 0;
    for (int i = 0; i < entities_per_kind; ++i) {
      giPoint3 point = point_at(i);
      vorabsAttributeSet point_set = named<vorabsVoidvorabsAttributePtr>(point_name, vorabsPOINT);
      ok += sink.point3(point, point_set) == vorabsSTATUS_OK;
      velCurvePtr3 curve = curve_at(i);
      vorabsAttributeSet curve_set = named<vorabsVoidvorabsAttributePtr>(curve_name, vorabsCURVE);
      ok += sink.curve3(curve, curve_set) == vorabsSTATUS_OK;
    }
    benchmark::DoNotOptimize(ok);
  }
  state.SetItemsProcessed(state.iterations() * 2 * entities_per_kind);
}
BENCHMARK(Baseline_Walk)->Unit(benchmark::kMillisecond);

// --- memo hit against fresh translation --------------------------------------
constexpr int translations = 100000;

// Processes translators made by make(context, i) into a sink that accepts
// everything: each iteration a translator not processed before (fresh) or
// the same one again under its unchanged transform (a memo hit).
template <class Make> void process_translators(benchmark::State& state, Make make, bool fresh) {
  vorabsContext context;
  vorabsOutputOstreamTester channel;
  std::vector<std::unique_ptr<vorabsTranslator>> translators;
  for (int i = 0; i < (fresh ? translations : 1); ++i) {
    translators.push_back(make(context, i));
    translators.back()->set_error(&channel);
    translators.back()->set_output(&channel);
  }
  vorabsTestLibOutput sink(nullptr, nullptr);
  vorabsTestInterface receiver;
  vorabsAttributeSet inherited;
  if (!fresh)
    translators[0]->process(inherited, receiver, sink);
  size_t next = 0;
  for (auto _ : state) {
    vorabsTranslationStatus status =
        translators[fresh ? next++ : 0]->process(inherited, receiver, sink);
    benchmark::DoNotOptimize(status);
  }
}

std::unique_ptr<vorabsTranslator> make_point(const vorabsContext& context, int i) {
  return std::make_unique<vorabsTestPointTranslator>(context, point_name, point_at(i));
}

// A face of six planes under a translation: a fresh translation copies and
// moves the planes before the sink sees them.
std::unique_ptr<vorabsTranslator> make_lifted_face(const vorabsContext& context, int) {
  static const topTopologyPtr faces = [] {
    auto* topology = new topTopology();
    for (int i = 0; i < 6; ++i) {
      giWorkplane3 frame(giPoint3(i, 0, 0), giVector3(1, 0, 0), giVector3(0, 1, 0));
      topology->add_face(topFace(velSurfPtr(new velPlane(frame))));
    }
    return topTopologyPtr(topology);
  }();
  auto face = std::make_unique<vorabsTestFaceTranslator>(context, point_name, faces);
  giXform3 previous;
  face->set_transform(giXform3(giXformTranslate, giVector3(0, 0, 5)), previous);
  return face;
}

void FreshTranslation(benchmark::State& state) {
  process_translators(state, make_point, true);
}
void MemoHit(benchmark::State& state) {
  process_translators(state, make_point, false);
}
void FreshFaceTranslation(benchmark::State& state) {
  process_translators(state, make_lifted_face, true);
}
void FaceMemoHit(benchmark::State& state) {
  process_translators(state, make_lifted_face, false);
}
BENCHMARK(FreshTranslation)->Iterations(translations);
BENCHMARK(MemoHit)->Iterations(translations);
BENCHMARK(FreshFaceTranslation)->Iterations(translations);
BENCHMARK(FaceMemoHit)->Iterations(translations);

} // namespace

BENCHMARK_MAIN();
