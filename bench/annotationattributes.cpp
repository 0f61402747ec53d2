// Reading an annotation item's dress back into attributes, beside a
// hand-written copy of the same values.
//
// The item is a curve dressed from a full set: layer 7 "outlines", an RGB
// colour named steel, a pattern font of 4 segments and line width 0.35.
// Each iteration fills a fresh attribute set from it.
//
// Merge: vorabsAnnotationToAttributes without a context.
// BaselineHandCopy: the same seven attributes (name, layer, line width,
// curve font, colour, hierarchy, visibility) read from the item by code
// that knows its style set holds one curve style with a pattern font and an
// RGB colour, and stored with check_out. Read Merge against it (goal: at
// most twice).
// MergeWithContext/0 and /1: Merge plus the copy of the style set (style,
// colour and font) into a second document, for an item outside any name
// space and for one in a name space of two levels. The second document is
// replaced every 1024 copies; making it and freeing the copies is timed,
// as a host pays for them too.
#include "vorabsAnnotationToAttributes.h"
#include "vorabsAttributeKey.h"
#include "vorabsAttributePtr.h"
#include "vorabsAttributesToAnnotation.h"
#include "vorabsCurveFont.h"
#include "vorabsLayer.h"
#include "vorabsName.h"

#include "ann/ann.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

template <class T> void store(vorabsAttributeSet& set, const vorabsAttributeKey& key, const T& v) {
  vorabsAttributePtr<T> pointer;
  set.check_out(key, pointer);
  *pointer = v;
}

struct DressedCurve {
  explicit DressedCurve(int in_name_space) {
    if (in_name_space)
      document.set_name_space(std::make_shared<annNameSpace>(
          utString("bolt"), std::make_shared<annNameSpace>(utString("assembly"), nullptr)));
    vorabsAttributeSet attributes;
    store(attributes, vorabsLAYER, vorabsLayer(7, utString("outlines")));
    store(attributes, vorabsCOLOUR, vorabsColour(utString("steel"), 0.2, 0.4, 0.9, -1));
    vorabsCurveFont font(utString("chain"));
    font.set_num_segments(4);
    for (int i = 0; i < 4; ++i)
      font.set_segment_length(i, 0.5 + i);
    store(attributes, vorabsCURVEFONT, font);
    store(attributes, vorabsLINEWIDTH, 0.35);
    item = make_annCurveItem(&document, utString("line"), utString("bracket_outline_12"));
    vorabsAttributesToAnnotation(attributes, item->name()).apply(&document, item);
  }
  annDocument document;
  annGeometryItemannPtr item;
};

void Merge(benchmark::State& state) {
  DressedCurve curve(0);
  for (auto _ : state) {
    vorabsAttributeSet set;
    vorabsAnnotationToAttributes(curve.item).merge_attributes(set);
    benchmark::DoNotOptimize(set.num_attributes());
  }
}
BENCHMARK(Merge);

void BaselineHandCopy(benchmark::State& state) {
  DressedCurve curve(0);
  for (auto _ : state) {
    vorabsAttributeSet set;
    const annGeometryItem& item = *curve.item;
    store(set, vorabsNAME, vorabsName(item.name(), 0));
    const annLevel& level = *item.level();
    store(set, vorabsLAYER, vorabsLayer(level.level(), level.level_name()));
    const annCurveStyle& style =
        *annCurveStyle::sto_dynamic_cast(item.style()->styles()[0].annPtrBase::pointer());
    store(set, vorabsLINEWIDTH, style.line_width());
    const annCurveFontPattern& pattern = *annCurveFontPatternannPtr::cast(style.pattern());
    vorabsCurveFont font(style.pattern().name());
    font.set_first_visible(pattern.first_segment_visible());
    font.set_num_segments(pattern.number_of_segments());
    for (int i = 0; i < pattern.number_of_segments(); ++i)
      font.set_segment_length(i, pattern.read_segment(i));
    store(set, vorabsCURVEFONT, font);
    const annRGBColour& rgb = *annRGBColourannPtr::cast(style.colour());
    store(set, vorabsCOLOUR,
          vorabsColour(style.colour().name(), rgb.red(), rgb.green(), rgb.blue(), -1));
    store(set, vorabsHIERARCHY, item.hierarchy_status());
    store<utBool>(set, vorabsVISIBLE, item.visible());
    benchmark::DoNotOptimize(set.num_attributes());
  }
}
BENCHMARK(BaselineHandCopy);

void MergeWithContext(benchmark::State& state) {
  DressedCurve curve(int(state.range(0)));
  auto target = std::make_unique<annDocument>();
  int copies = 0;
  for (auto _ : state) {
    if (++copies == 1024) {
      target = std::make_unique<annDocument>();
      copies = 0;
    }
    vorabsContext context;
    context.set_document(target.get());
    vorabsAnnotationToAttributes converter(curve.item);
    converter.set_context(context);
    vorabsAttributeSet set;
    converter.merge_attributes(set);
    benchmark::DoNotOptimize(set.num_attributes());
  }
}
BENCHMARK(MergeWithContext)->Arg(0)->Arg(1);

} // namespace

BENCHMARK_MAIN();
