// Annotation entities through their translators beside building the same items directly.
//
// Text_Framework: texts through vorabsTextTranslator::process into a sink
// that keeps the items; Text_Direct builds the same annText, annTextFont,
// annLCS and annTextGeometry in a document; Text_DirectDressed also dresses
// the text in its attributes (level, style set) as the translator must.
// 1,000 texts per iteration, each batch into a fresh document; making the
// translators is not timed.
//
// FillArea_Framework / FillArea_Direct / FillArea_DirectDressed: the same
// for a fill area whose outer boundary is four line segments, under the
// identity (the translator dresses the boundary curve).
//
// FillArea_Stretched/N: a fill area whose outer boundary is N line segments,
// under a transform that does not preserve shape, so that every segment is
// carried through space and laid back into the plane. Compare N = 1,000
// with N = 10,000.
//
// PointCloud_Framework: 1,000,000 points moved by a rigid transform in the
// point-cloud translator's create_annotation (process itself would send the
// cloud unmoved inside a placed group); PointCloud_Baseline moves the same
// points in a std::vector. Making the points is not timed.
#include "vorabsAttributesToAnnotation.h"
#include "vorabsFillAreaTranslator.h"
#include "vorabsLibSink.h"
#include "vorabsPointCloudTranslator.h"
#include "vorabsTestInterface.h"
#include "vorabsTextTranslator.h"

#include "ann/ann.h"
#include "vel.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr int batch = 1000;

// Keeps every annotation item it is given and makes it current.
class KeepingSink final : public vorabsLibSink {
public:
  const char* library_name() const override { return "keeping"; }
  const char* option() const override { return "keeping"; }
  int database_number() const override { return 0; }
  void add_file_types(intcoSet&) const override {}
  void add_extensions(utStringcoSet&) const override {}
  const char* file_filter() const override { return "Kept (*)|*"; }
  const char* format_name() const override { return "keeping"; }
  vorabsTranslationStatus annotation(const annNamedItemPtr& item,
                                     const vorabsAttributeSet&) override {
    items.push_back(item);
    return vorabsSTATUS_OK;
  }
  annNamedItemPtr current_annotation() override {
    return items.empty() ? annNamedItemPtr() : items.back();
  }
  std::vector<annNamedItemPtr> items;
};

const utString text_name("note");

class BenchText final : public vorabsTextTranslator {
public:
  explicit BenchText(const vorabsContext& context) : vorabsTextTranslator(context) {}
  void attributes(vorabsAttributeSet& set) const override {
    vorabsTextTranslator::attributes(set);
    vorabsNamevorabsAttributePtr name;
    set.check_out(vorabsNAME, name);
    *name = vorabsName(text_name, 0);
  }
  utString text_string() override { return utString("Hello"); }
  void font_details(double& height, utString& font) override {
    height = 2.5;
    font = utString("Arial");
  }
  double text_width() override { return 10.0; }
  void text_workplane(giWorkplane3& workplane) override {
    workplane = giWorkplane3(giWorkplaneWorld);
  }
};

// Runs translators made by make, batch at a time, each batch into a fresh document.
template <class Make> void translate_batches(benchmark::State& state, Make make) {
  vorabsTestInterface receiver;
  vorabsAttributeSet inherited;
  for (auto _ : state) {
    state.PauseTiming();
    auto document = std::make_unique<annDocument>();
    vorabsContext context;
    context.set_document(document.get());
    std::vector<std::unique_ptr<vorabsTranslator>> translators;
    for (int i = 0; i < batch; ++i) {
      translators.push_back(make(context));
      translators.back()->set_output(nullptr);
      translators.back()->set_error(nullptr);
    }
    KeepingSink sink;
    state.ResumeTiming();
    for (auto& translator : translators)
      benchmark::DoNotOptimize(translator->process(inherited, receiver, sink));
    state.PauseTiming();
    translators.clear();
    sink.items.clear();
    document.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * batch);
}

template <class Build> void build_batches(benchmark::State& state, Build build) {
  for (auto _ : state) {
    state.PauseTiming();
    auto document = std::make_unique<annDocument>();
    std::vector<annNamedItemPtr> kept;
    state.ResumeTiming();
    for (int i = 0; i < batch; ++i)
      kept.push_back(build(document.get()));
    state.PauseTiming();
    kept.clear();
    document.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * batch);
}

void Text_Framework(benchmark::State& state) {
  translate_batches(state, [](const vorabsContext& context) {
    return std::unique_ptr<vorabsTranslator>(new BenchText(context));
  });
}
BENCHMARK(Text_Framework);

void Text_Direct(benchmark::State& state) {
  build_batches(state, [](annDocument* document) {
    annTextannPtr text = make_annText(document, utString("Hello"), text_name + " string");
    annTextFontannPtr font = make_annTextFont(document, 2.5, text_name + "2.5// Arial// ");
    font->set_family_name(utString("Arial"));
    annLCSannPtr lcs = make_annLCS(document, giWorkplane3(giWorkplaneWorld), text_name + " lcs");
    return annNamedItemPtr(make_annTextGeometry(document, text, font, lcs, 10.0, text_name));
  });
}
BENCHMARK(Text_Direct);

void Text_DirectDressed(benchmark::State& state) {
  const vorabsAttributeSet attributes;
  build_batches(state, [&](annDocument* document) {
    annTextannPtr text = make_annText(document, utString("Hello"), text_name + " string");
    annTextFontannPtr font = make_annTextFont(document, 2.5, text_name + "2.5// Arial// ");
    font->set_family_name(utString("Arial"));
    annLCSannPtr lcs = make_annLCS(document, giWorkplane3(giWorkplaneWorld), text_name + " lcs");
    annTextGeometryannPtr item = make_annTextGeometry(document, text, font, lcs, 10.0, text_name);
    vorabsAttributesToAnnotation(attributes, text_name).apply(document, item);
    return annNamedItemPtr(item);
  });
}
BENCHMARK(Text_DirectDressed);

// A closed chain of count line segments round the unit circle.
velCurvePtr2 polygon(int count) {
  auto* chain = new velCompCurve2(1e-6, 0);
  const double step = 2 * std::acos(-1.0) / count;
  for (int i = 0; i < count; ++i)
    chain->add_segment_end(
        velCurvePtr2(new velLine2(giPoint2(std::cos(i * step), std::sin(i * step)),
                                  giPoint2(std::cos((i + 1) * step), std::sin((i + 1) * step)))));
  return velCurvePtr2(chain);
}

const utString area_name("area");

class BenchArea final : public vorabsFillAreaTranslator {
public:
  BenchArea(const vorabsContext& context, velCurvePtr2 outer)
      : vorabsFillAreaTranslator(context), outer_(std::move(outer)) {}
  void attributes(vorabsAttributeSet& set) const override {
    vorabsFillAreaTranslator::attributes(set);
    vorabsNamevorabsAttributePtr name;
    set.check_out(vorabsNAME, name);
    *name = vorabsName(area_name, 0);
  }
  int num_inner_boundaries() override { return 0; }
  void inner_boundary(velCurvePtr2&, int, vorabsAttributeSet&) override {}
  void outer_boundary(velCurvePtr2& curve, vorabsAttributeSet&) override { curve = outer_; }
  void complete_fill_area(annFillAreaannPtr&) override {}

private:
  velCurvePtr2 outer_;
};

void FillArea_Framework(benchmark::State& state) {
  const velCurvePtr2 outer = polygon(4);
  translate_batches(state, [&](const vorabsContext& context) {
    return std::unique_ptr<vorabsTranslator>(new BenchArea(context, outer));
  });
}
BENCHMARK(FillArea_Framework);

void FillArea_Direct(benchmark::State& state) {
  const velCurvePtr2 outer = polygon(4);
  build_batches(state, [&](annDocument* document) {
    annCurveannPtr curve = make_annCurve(document, outer, area_name + " Outer Boundary");
    return annNamedItemPtr(make_annFillArea(document, curve, annCurveannPtrcoSet(), area_name));
  });
}
BENCHMARK(FillArea_Direct);

void FillArea_DirectDressed(benchmark::State& state) {
  const velCurvePtr2 outer = polygon(4);
  const vorabsAttributeSet attributes;
  build_batches(state, [&](annDocument* document) {
    const utString boundary_name = area_name + " Outer Boundary";
    annCurveannPtr curve = make_annCurve(document, outer, boundary_name);
    vorabsAttributesToAnnotation(attributes, boundary_name).apply(document, curve);
    return annNamedItemPtr(make_annFillArea(document, curve, annCurveannPtrcoSet(), area_name));
  });
}
BENCHMARK(FillArea_DirectDressed);

void FillArea_Stretched(benchmark::State& state) {
  const velCurvePtr2 outer = polygon(int(state.range(0)));
  const double stretch[4][4] = {{2, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  vorabsTestInterface receiver;
  vorabsAttributeSet inherited;
  for (auto _ : state) {
    state.PauseTiming();
    annDocument document;
    vorabsContext context;
    context.set_document(&document);
    BenchArea area(context, outer);
    giXform3 previous;
    area.set_transform(giXform3(stretch), previous);
    KeepingSink sink;
    state.ResumeTiming();
    benchmark::DoNotOptimize(area.process(inherited, receiver, sink));
  }
  state.counters["segments"] = double(state.range(0));
}
BENCHMARK(FillArea_Stretched)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

constexpr int cloud_size = 1000000;

giPoint3 cloud_point(int i) {
  return giPoint3(i * 1e-3, std::sin(i * 1e-3), 0.5);
}

giXform3 rigid_motion() {
  int error = 0;
  giXform3 motion(giXformRotate, giPoint3(1, 2, 3), giVector3(1, 1, 1), giAngle(0.3), error);
  motion.premultiply(giXform3(giXformTranslate, giVector3(5, 0, 0)));
  return motion;
}

class BenchCloud final : public vorabsPointCloudTranslator {
public:
  using vorabsPointCloudTranslator::create_annotation;
  using vorabsPointCloudTranslator::vorabsPointCloudTranslator;
  annPointCloudData* point_cloud_data(int) override { return data.release(); }
  std::unique_ptr<annPointCloudData> data;
};

void PointCloud_Framework(benchmark::State& state) {
  const giXform3 motion = rigid_motion();
  vorabsAttributeSet named;
  for (auto _ : state) {
    state.PauseTiming();
    annDocument document;
    vorabsContext context;
    context.set_document(&document);
    BenchCloud cloud(context);
    cloud.data.reset(new annPointCloudData());
    giNodeXYZ* positions = cloud.data->add_feature<giNodeXYZ>();
    for (int i = 0; i < cloud_size; ++i)
      positions->append(cloud_point(i));
    annGeometryItemannPtr item;
    state.ResumeTiming();
    benchmark::DoNotOptimize(cloud.create_annotation(named, motion, item));
    state.PauseTiming();
    item = annGeometryItemannPtr();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * cloud_size);
}
BENCHMARK(PointCloud_Framework)->Unit(benchmark::kMillisecond);

void PointCloud_Baseline(benchmark::State& state) {
  const giXform3 motion = rigid_motion();
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<giPoint3> points;
    points.reserve(cloud_size);
    for (int i = 0; i < cloud_size; ++i)
      points.push_back(cloud_point(i));
    state.ResumeTiming();
    for (giPoint3& p : points)
      p = motion * p;
    benchmark::DoNotOptimize(points.data());
  }
  state.SetItemsProcessed(state.iterations() * cloud_size);
}
BENCHMARK(PointCloud_Baseline)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
