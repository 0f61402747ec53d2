// Attribute-set copies and look-ups beside a plain std::unordered_map of
// owned polymorphic values doing the same work. Read the ratio of each
// framework benchmark to its Baseline twin, not the absolute times.
#include "vorabsAttributeKey.h"
#include "vorabsAttributePtr.h"
#include "vorabsAttributeSet.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <unordered_map>

namespace {

// --- the framework's typical entity set ---------------------------------------
void fill(vorabsAttributeSet& set) {
  vorabsNamevorabsAttributePtr name;
  set.check_out(vorabsNAME, name);
  *name = vorabsName(utString("bracket_outline_12"), 12);
  vorabsColourvorabsAttributePtr colour;
  set.check_out(vorabsCOLOUR, colour);
  *colour = vorabsColour(utString("steel"), 0.2, 0.4, 0.9, -1);
  vorabsLayervorabsAttributePtr layer;
  set.check_out(vorabsLAYER, layer);
  *layer = vorabsLayer(7, utString("outlines"));
  vorabsCurveFontvorabsAttributePtr font;
  set.check_out(vorabsCURVEFONT, font);
  *font = vorabsCurveFont(utString("solid"));
  doublevorabsAttributePtr width;
  set.check_out(vorabsLINEWIDTH, width);
  *width = 0.35;
  utBoolvorabsAttributePtr visible;
  set.check_out(vorabsVISIBLE, visible);
  *visible = 1;
  annHierarchyvorabsAttributePtr hierarchy;
  set.check_out(vorabsHIERARCHY, hierarchy);
  *hierarchy = annHIERARCHY_INDEPENDENT;
  vorabsVoidvorabsAttributePtr kind;
  set.check_out(vorabsCURVE, kind);
}

// --- the baseline: owned polymorphic values in a node-based hash map ----------
struct Base {
  virtual ~Base() = default;
  virtual std::unique_ptr<Base> clone() const = 0;
};
template <class T> struct Holder final : Base {
  Holder() = default;
  explicit Holder(const T& v) : value(v) {}
  std::unique_ptr<Base> clone() const override { return std::make_unique<Holder>(value); }
  T value{};
};
using BaselineSet = std::unordered_map<std::string, std::unique_ptr<Base>>;

const std::string kName = "name", kColour = "colour", kLayer = "layer", kFont = "curvefont",
                  kWidth = "line_width", kVisible = "visible", kHierarchy = "hierarchy",
                  kCurve = "curve", kFace = "face", kText = "text";

template <class T> T& baseline_check_out(BaselineSet& set, const std::string& key) {
  auto holder = std::make_unique<Holder<T>>();
  T& value = holder->value;
  set[key] = std::move(holder);
  return value;
}

void fill(BaselineSet& set) {
  baseline_check_out<vorabsName>(set, kName) = vorabsName(utString("bracket_outline_12"), 12);
  baseline_check_out<vorabsColour>(set, kColour) =
      vorabsColour(utString("steel"), 0.2, 0.4, 0.9, -1);
  baseline_check_out<vorabsLayer>(set, kLayer) = vorabsLayer(7, utString("outlines"));
  baseline_check_out<vorabsCurveFont>(set, kFont) = vorabsCurveFont(utString("solid"));
  baseline_check_out<double>(set, kWidth) = 0.35;
  baseline_check_out<int>(set, kVisible) = 1;
  baseline_check_out<annHierarchy>(set, kHierarchy) = annHIERARCHY_INDEPENDENT;
  baseline_check_out<vorabsVoid>(set, kCurve);
}

template <class T> const T* baseline_get(const BaselineSet& set, const std::string& key) {
  auto it = set.find(key);
  if (it == set.end())
    return nullptr;
  auto* holder = dynamic_cast<const Holder<T>*>(it->second.get());
  return holder ? &holder->value : nullptr;
}

// --- deep copy ----------------------------------------------------------------
void AttributeSet_DeepCopy(benchmark::State& state) {
  vorabsAttributeSet set;
  fill(set);
  for (auto _ : state) {
    vorabsAttributeSet copy(utCopy, set);
    benchmark::DoNotOptimize(&copy);
  }
}
BENCHMARK(AttributeSet_DeepCopy);

void Baseline_DeepCopy(benchmark::State& state) {
  BaselineSet set;
  fill(set);
  for (auto _ : state) {
    BaselineSet copy;
    for (const auto& [key, value] : set)
      copy.emplace(key, value->clone());
    benchmark::DoNotOptimize(&copy);
  }
}
BENCHMARK(Baseline_DeepCopy);

// --- get: read every attribute through its typed pointer ---------------------
void AttributeSet_Get(benchmark::State& state) {
  vorabsAttributeSet set;
  fill(set);
  for (auto _ : state) {
    vorabsNamevorabsAttributePtr name;
    vorabsColourvorabsAttributePtr colour;
    vorabsLayervorabsAttributePtr layer;
    vorabsCurveFontvorabsAttributePtr font;
    doublevorabsAttributePtr width;
    utBoolvorabsAttributePtr visible;
    annHierarchyvorabsAttributePtr hierarchy;
    vorabsVoidvorabsAttributePtr kind;
    int found = set.get(vorabsNAME, name) + set.get(vorabsCOLOUR, colour) +
                set.get(vorabsLAYER, layer) + set.get(vorabsCURVEFONT, font) +
                set.get(vorabsLINEWIDTH, width) + set.get(vorabsVISIBLE, visible) +
                set.get(vorabsHIERARCHY, hierarchy) + set.get(vorabsCURVE, kind);
    benchmark::DoNotOptimize(found);
    benchmark::DoNotOptimize(name->number() + colour->colour_number() + layer->layer() +
                             font->first_visible() + *width + *visible + *hierarchy);
  }
}
BENCHMARK(AttributeSet_Get);

void Baseline_Get(benchmark::State& state) {
  BaselineSet set;
  fill(set);
  for (auto _ : state) {
    auto* name = baseline_get<vorabsName>(set, kName);
    auto* colour = baseline_get<vorabsColour>(set, kColour);
    auto* layer = baseline_get<vorabsLayer>(set, kLayer);
    auto* font = baseline_get<vorabsCurveFont>(set, kFont);
    auto* width = baseline_get<double>(set, kWidth);
    auto* visible = baseline_get<int>(set, kVisible);
    auto* hierarchy = baseline_get<annHierarchy>(set, kHierarchy);
    auto* kind = baseline_get<vorabsVoid>(set, kCurve);
    benchmark::DoNotOptimize(kind);
    benchmark::DoNotOptimize(name->number() + colour->colour_number() + layer->layer() +
                             font->first_visible() + *width + *visible + *hierarchy);
  }
}
BENCHMARK(Baseline_Get);

// --- check_out: write all eight attributes into a set that has them ------------
void AttributeSet_CheckOut(benchmark::State& state) {
  vorabsAttributeSet set;
  fill(set);
  for (auto _ : state) {
    fill(set);
    benchmark::DoNotOptimize(&set);
  }
}
BENCHMARK(AttributeSet_CheckOut);

void Baseline_CheckOut(benchmark::State& state) {
  BaselineSet set;
  fill(set);
  for (auto _ : state) {
    fill(set);
    benchmark::DoNotOptimize(&set);
  }
}
BENCHMARK(Baseline_CheckOut);

// --- member: kind tests, present and absent -----------------------------------
void AttributeSet_Member(benchmark::State& state) {
  vorabsAttributeSet set;
  fill(set);
  for (auto _ : state) {
    int kinds = set.member(vorabsCURVE) + set.member(vorabsFACE) + set.member(vorabsNAME) +
                set.member(vorabsANNOTATION);
    benchmark::DoNotOptimize(kinds);
  }
}
BENCHMARK(AttributeSet_Member);

void Baseline_Member(benchmark::State& state) {
  BaselineSet set;
  fill(set);
  for (auto _ : state) {
    int kinds = int(set.count(kCurve)) + int(set.count(kFace)) + int(set.count(kName)) +
                int(set.count(kText));
    benchmark::DoNotOptimize(kinds);
  }
}
BENCHMARK(Baseline_Member);

} // namespace

BENCHMARK_MAIN();
