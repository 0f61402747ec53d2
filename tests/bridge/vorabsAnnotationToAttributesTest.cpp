// Tests of reading an item's dress back into attributes: the round trip a
// writer relies on (attributes -> annotation -> attributes) over generated
// sets, and the colour words of colours that are not RGB.
#include "vorabsAnnotationToAttributes.h"

#include "TestHelpers.h"
#include "vorabsAttributesToAnnotation.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

namespace {

template <class T> const T* read(const vorabsAttributeSet& set, const vorabsAttributeKey& key) {
  vorabsAttributePtr<T> value;
  return set.get(key, value) && !value.invalid() ? &*value : nullptr;
}

// The attributes the round trip carries, one "key values;" each, so that a
// difference reads plainly.
std::string describe(const vorabsAttributeSet& set) {
  std::ostringstream out;
  out.precision(17);
  if (auto* v = read<vorabsName>(set, vorabsNAME))
    out << "name " << v->name().c_str() << ' ' << v->number() << ';';
  if (auto* v = read<vorabsLayer>(set, vorabsLAYER))
    out << "layer " << v->layer() << ' ' << v->name().c_str() << ';';
  if (auto* v = read<vorabsColour>(set, vorabsCOLOUR))
    out << "colour " << v->colour_number() << ' ' << v->red() << ' ' << v->green() << ' '
        << v->blue() << ' ' << v->name().c_str() << ';';
  if (auto* v = read<double>(set, vorabsLINEWIDTH))
    out << "width " << *v << ';';
  if (auto* v = read<vorabsCurveFont>(set, vorabsCURVEFONT)) {
    out << "font " << v->name().c_str() << ' ' << v->first_visible();
    for (int i = 0; i < v->num_segments(); ++i)
      out << ' ' << v->segment_length(i);
    out << ';';
  }
  if (auto* v = read<giAngle>(set, vorabsANGLEPOINT))
    out << "angle " << v->value() << ';';
  if (auto* v = read<annHierarchy>(set, vorabsHIERARCHY))
    out << "hierarchy " << int(*v) << ';';
  if (auto* v = read<utBool>(set, vorabsVISIBLE))
    out << "visible " << *v << ';';
  if (auto* v = read<vorabsName>(set, vorabsDISPLAYNAME))
    out << "display " << v->name().c_str() << ' ' << v->number() << ';';
  if (auto* v = read<annNameSpacePath>(set, vorabsNAME_SPACE_PATH))
    out << "in " << v->text().c_str() << ';';
  return out.str();
}

// The name the forward direction gives a colour item.
struct ColourNamer : vorabsAttributesToAnnotation {
  ColourNamer() : vorabsAttributesToAnnotation(vorabsAttributeSet(), utString()) {}
  using vorabsAttributesToAnnotation::colour_name;
};

enum Kind { CURVE, POINT, GROUP };

// One generated set and the attributes it must come back as.
struct Case {
  Kind kind;
  vorabsAttributeSet input, expected;
  unsigned pick(unsigned n) { return unsigned(rng() % n); }
  // mt19937's output is fixed by the standard, so the sets are the same everywhere.
  std::mt19937& rng;
};

void generate_colour(Case& c) {
  vorabsColour colour;
  double r = c.pick(101) / 100.0, g = c.pick(101) / 100.0, b = c.pick(101) / 100.0;
  switch (c.pick(5)) {
  case 0: // none; and next an invalid one, which makes no colour item either
    return;
  case 1:
    break;
  case 2:
    colour = vorabsColour(int(c.pick(8)));
    break;
  case 3:
    colour = vorabsColour(utString("paint"), r, g, b, -1);
    break;
  default:
    colour = vorabsColour(utString(), r, g, b, int(c.pick(8)));
  }
  put(c.input, vorabsCOLOUR, colour);
  // The colour item is named with the colour's name and hexadecimal form,
  // and that name comes back; the number is derived again from the
  // components, so a number that disagrees with them is not kept.
  if (!colour.invalid())
    put(c.expected, vorabsCOLOUR,
        vorabsColour(ColourNamer().colour_name(colour), colour.red(), colour.green(), colour.blue(),
                     -1));
}

void generate_font(Case& c) {
  static const char* const names[] = {
      nullptr, "", "dashed", "long centreline", "dotted 2", "solid thick", "pattern"};
  const char* name = names[c.pick(7)];
  vorabsCurveFont font{utString(name)};
  font.set_num_segments(int(c.pick(6)));
  for (int i = 0; i < font.num_segments(); ++i)
    font.set_segment_length(i, (c.pick(9) + 1) / 4.0);
  font.set_first_visible(int(c.pick(2)));
  if (name)
    put(c.input, vorabsCURVEFONT, font);
  if (c.kind == POINT)
    return;
  // An unnamed font is drawn solid under the name "solid"; the host's own
  // dashed, centreline and dotted fonts, fonts named solid and fonts of
  // fewer than two segments come back by name alone.
  utString shown = name && *name ? utString(name) : utString("solid");
  if (shown == utString("pattern") && font.num_segments() >= 2)
    put(c.expected, vorabsCURVEFONT, font);
  else
    put(c.expected, vorabsCURVEFONT, vorabsCurveFont(shown));
}

// Attributes that come back as they went, or as their defaults when absent.
void generate_plain(Case& c, int i) {
  utString name("item ");
  name << i;
  put(c.input, vorabsNAME, vorabsName(name, int(c.pick(3))));
  put(c.expected, vorabsNAME, vorabsName(name, 0)); // the item has a name, no number
  int number = int(c.pick(1000));
  vorabsLayer layer(number, c.pick(2) ? utString("holes") : utString());
  if (c.pick(4))
    put(c.input, vorabsLAYER, layer);
  else
    layer = vorabsLayer(0);
  put(c.expected, vorabsLAYER, layer);
  double width = (c.pick(20) + 1) / 10.0;
  if (c.pick(2))
    put(c.input, vorabsLINEWIDTH, width);
  else
    width = 0.3;
  if (c.kind != POINT) // only curve styles have a width
    put(c.expected, vorabsLINEWIDTH, width);
  giAngle angle(c.pick(628) / 100.0);
  if (c.pick(3) == 0) {
    put(c.input, vorabsANGLEPOINT, angle);
    if (c.kind != CURVE) // a curve's style set holds no point style
      put(c.expected, vorabsANGLEPOINT, angle);
  }
  annHierarchy hierarchy = annHierarchy(c.pick(4));
  if (c.pick(4))
    put(c.input, vorabsHIERARCHY, hierarchy);
  else
    hierarchy = annHIERARCHY_INDEPENDENT;
  put(c.expected, vorabsHIERARCHY, hierarchy);
  utBool visible = utBool(c.pick(2));
  if (c.pick(4))
    put(c.input, vorabsVISIBLE, visible);
  else
    visible = 1;
  put(c.expected, vorabsVISIBLE, visible);
  // A display name without a string is shown as its number.
  if (unsigned shown = c.pick(3)) {
    put(c.input, vorabsDISPLAYNAME, shown == 1 ? vorabsName(utString("shown"), 4) : vorabsName(7));
    put(c.expected, vorabsDISPLAYNAME, vorabsName(utString(shown == 1 ? "shown" : "7"), 0));
  }
}

annGeometryItemannPtr make_item(Kind kind, annDocument& document, const utString& name) {
  if (kind == CURVE)
    return make_annCurveItem(&document, utString("line"), name);
  if (kind == POINT)
    return make_annPointItem(&document, giPoint3(0, 0, 0), name);
  return make_annGroup(&document, sto_class_annGroup(), name);
}

} // namespace

TEST(vorabsAnnotationToAttributesTest, GeneratedSetsComeBackThroughTheAnnotationModel) {
  std::mt19937 rng(20261206);
  annNameSpacePtr bolt = std::make_shared<annNameSpace>(
      utString("bolt"), std::make_shared<annNameSpace>("assembly", nullptr));
  annNameSpacePtr host = std::make_shared<annNameSpace>(utString("host"), nullptr);
  for (int i = 0; i < 600; ++i) {
    // Each set gets fresh documents: styles found by name are shared, and a
    // second font of the same name would come back with the first's segments.
    annDocument document, target;
    Case c{Kind(rng() % 3), {}, {}, rng};
    generate_plain(c, i);
    generate_colour(c);
    generate_font(c);
    if (c.pick(2)) {
      document.set_name_space(bolt);
      put(c.expected, vorabsNAME_SPACE_PATH, annNameSpacePath(bolt));
    }
    annGeometryItemannPtr item =
        make_item(c.kind, document, read<vorabsName>(c.input, vorabsNAME)->name());
    vorabsAttributesToAnnotation(c.input, item->name()).apply(&document, item);

    vorabsAttributeSet back = named("stale");
    put(back, vorabsPARENT, utString("kept"));
    vorabsAnnotationToAttributes converter(item);
    vorabsContext context;
    context.set_document(&target);
    int copying = int(c.pick(2));
    if (copying)
      converter.set_context(context);
    annNameSpacePtr before = c.pick(2) ? host : nullptr;
    target.set_name_space(before);
    converter.merge_attributes(back);
    ASSERT_EQ(describe(back), describe(c.expected)) << "set " << i;
    ASSERT_EQ(back.num_attributes(), c.expected.num_attributes() + 1 + copying) << "set " << i;
    EXPECT_STREQ(read<utString>(back, vorabsPARENT)->c_str(), "kept");
    EXPECT_EQ(target.current_name_space(), before);
    if (!copying)
      continue;

    // The copy is the target's own, made of copies of the styles, in the
    // target's space of the item's name space, and reads back the same.
    annStyleSetannPtr copy = read<vorabsStyle>(back, vorabsGEOMETRYSTYLE)->style();
    const annStyleSet& original = *item->style();
    ASSERT_EQ(copy->styles().size(), original.styles().size());
    EXPECT_EQ(copy.name(), item->style().name());
    for (size_t s = 0; s < original.styles().size(); ++s) {
      EXPECT_NE(copy->styles()[s].pointer(), original.styles()[s].pointer());
      EXPECT_EQ(copy->styles()[s]->owner(), &target);
    }
    EXPECT_EQ(copy->name_space(), document.current_name_space()
                                      ? target.name_space_of(annNameSpacePath(bolt))
                                      : before);
    item->set_style(copy);
    vorabsAttributeSet again;
    vorabsAnnotationToAttributes(item).merge_attributes(again);
    EXPECT_EQ(describe(again), describe(c.expected)) << "set " << i;
  }
}

TEST(vorabsAnnotationToAttributesTest,
     ColoursThatAreNotRgbAreKnownByTheFirstColourWordOfTheirName) {
  annDocument document;
  const std::pair<const char*, int> named_colours[] = {{"Dark Red", 2},      {"DARK RED", 2},
                                                       {"reddish white", 1}, {"greenish blue", 3},
                                                       {"Magenta 2", 6},     {"chartreuse", -1}};
  for (const auto& named_colour : named_colours) {
    annStyleannPtr style = make_annCurveStyle(&document, 1, 1, annCurveFontannPtr(), "s");
    style->set_colour(ann_wrap_placeholder<annColour>(
        make_annPlaceHolder(&document, sto_class_annColour(), named_colour.first)));
    vorabsColour colour = vorabs_colour_from_ann_style(style);
    EXPECT_EQ(colour.colour_number(), named_colour.second) << named_colour.first;
    EXPECT_TRUE(colour.name().empty());
  }
  annStyleannPtr uncoloured = make_annPointStyle(&document, "p"), none;
  EXPECT_TRUE(vorabs_colour_from_ann_style(uncoloured).invalid());
  EXPECT_TRUE(vorabs_colour_from_ann_style(none).invalid());
}

TEST(vorabsAnnotationToAttributesTest, AnUndressedItemGivesNameHierarchyAndVisibilityOnly) {
  annDocument document, target;
  annGeometryItemannPtr item = make_annCurveItem(&document, "line", "bare");
  vorabsAnnotationToAttributes converter(item);
  vorabsContext context;
  context.set_document(&target);
  converter.set_context(context);
  vorabsAttributeSet back;
  converter.merge_attributes(back);
  EXPECT_EQ(describe(back), "name bare 0;hierarchy 3;visible 1;");
  EXPECT_EQ(back.num_attributes(), 3);
  EXPECT_EQ(target.num_items(), 0u);
  vorabsAttributeSet nothing;
  vorabsAnnotationToAttributes(annGeometryItemannPtr()).merge_attributes(nothing);
  EXPECT_EQ(nothing.num_attributes(), 0);
}
