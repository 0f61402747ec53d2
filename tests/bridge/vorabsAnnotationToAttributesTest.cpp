// Tests of reading an item's dress back into attributes: the round trip a
// writer relies on (attributes -> annotation -> attributes) over generated
// sets, and the colour words of colours that are not RGB.
#include "vorabsAnnotationToAttributes.h"

#include "TestHelpers.h"
#include "vorabsAttributesToAnnotation.h"

#include <gtest/gtest.h>

#include <random>

namespace {

template <class T> const T* read(const vorabsAttributeSet& set, const vorabsAttributeKey& key) {
  vorabsAttributePtr<T> value;
  return set.get(key, value) && !value.invalid() ? &*value : nullptr;
}

#define SHOW(T, key, text)                                                                         \
  if (const T* v = read<T>(set, key))                                                              \
  out << #key << ' ' << text << ';'

std::string segments(const vorabsCurveFont& font) {
  std::ostringstream out;
  for (int i = 0; i < font.num_segments(); ++i)
    out << ' ' << font.segment_length(i);
  return out.str();
}

// The attributes the round trip carries, so that a difference reads plainly.
std::string describe(const vorabsAttributeSet& set) {
  std::ostringstream out;
  out.precision(17);
  SHOW(vorabsName, vorabsNAME, v->name().c_str() << ' ' << v->number());
  SHOW(vorabsLayer, vorabsLAYER, v->layer() << ' ' << v->name().c_str());
  SHOW(vorabsColour, vorabsCOLOUR,
       v->colour_number() << ' ' << v->red() << ' ' << v->green() << ' ' << v->blue() << ' '
                          << v->name().c_str());
  SHOW(double, vorabsLINEWIDTH, *v);
  SHOW(giAngle, vorabsANGLEPOINT, v->value());
  SHOW(annHierarchy, vorabsHIERARCHY, int(*v));
  SHOW(utBool, vorabsVISIBLE, *v);
  SHOW(vorabsName, vorabsDISPLAYNAME, v->name().c_str() << ' ' << v->number());
  SHOW(annNameSpacePath, vorabsNAME_SPACE_PATH, v->text().c_str());
  SHOW(vorabsCurveFont, vorabsCURVEFONT,
       v->name().c_str() << ' ' << v->first_visible() << segments(*v));
  return out.str();
}

// The name the forward direction gives a colour item.
struct ColourNamer : vorabsAttributesToAnnotation {
  ColourNamer() : vorabsAttributesToAnnotation(vorabsAttributeSet(), utString()) {}
  using vorabsAttributesToAnnotation::colour_name;
};

enum Kind { CURVE, POINT, GROUP };

// One generated set and the attributes it must come back as. mt19937's
// output is fixed by the standard, so the sets are the same everywhere.
struct Case {
  Case(std::mt19937& random, int i);
  unsigned pick(unsigned n) { return unsigned(rng() % n); }
  // Puts in into the input three times in four; expects out back when it
  // was put, absent when not (nothing for a null).
  template <class T>
  void sometimes(const vorabsAttributeKey& key, const T& in, const T* out, const T* absent) {
    const T* back = absent;
    if (pick(4)) {
      put(input, key, in);
      back = out;
    }
    if (back)
      put(expected, key, *back);
  }
  std::mt19937& rng;
  Kind kind = Kind(pick(3));
  vorabsAttributeSet input, expected;
};

Case::Case(std::mt19937& random, int i) : rng(random) {
  utString name("item ");
  name << i;
  put(input, vorabsNAME, vorabsName(name, int(pick(3))));
  put(expected, vorabsNAME, vorabsName(name, 0)); // an item has a name, no number
  int number = int(pick(1000));
  vorabsLayer layer(number, pick(2) ? utString("holes") : utString()), zero(0);
  sometimes(vorabsLAYER, layer, &layer, &zero);
  annHierarchy hierarchy = annHierarchy(pick(4)), independent = annHIERARCHY_INDEPENDENT;
  sometimes(vorabsHIERARCHY, hierarchy, &hierarchy, &independent);
  utBool visible = utBool(pick(2)), shown = 1;
  sometimes(vorabsVISIBLE, visible, &visible, &shown);
  // A display name without a string is shown as its number.
  vorabsName display = pick(2) ? vorabsName(utString("shown"), 4) : vorabsName(7);
  vorabsName display_back(display.string(), 0);
  sometimes<vorabsName>(vorabsDISPLAYNAME, display, &display_back, nullptr);
  giAngle angle(pick(628) / 100.0); // a curve's style set holds no point style
  sometimes<giAngle>(vorabsANGLEPOINT, angle, kind == CURVE ? nullptr : &angle, nullptr);

  // Only curve styles carry a width and a font.
  double width = (pick(20) + 1) / 10.0, thin = 0.3;
  sometimes(vorabsLINEWIDTH, width, kind == POINT ? nullptr : &width,
            kind == POINT ? nullptr : &thin);
  static const char* const names[] = {"",         "dashed",      "long centreline",
                                      "dotted 2", "solid thick", "pattern"};
  vorabsCurveFont font{utString(names[pick(6)])}, solid{utString("solid")};
  font.set_num_segments(int(pick(6)));
  for (int s = 0; s < font.num_segments(); ++s)
    font.set_segment_length(s, (pick(9) + 1) / 4.0);
  font.set_first_visible(int(pick(2)));
  // An unnamed font is drawn solid under the name "solid"; the host's own
  // dashed, centreline and dotted fonts, fonts named solid and fonts of
  // fewer than two segments come back by their name alone.
  vorabsCurveFont font_back = font.name() == utString("pattern") && font.num_segments() >= 2 ? font
                              : font.name().empty()                                          ? solid
                                                    : vorabsCurveFont(font.name());
  sometimes(vorabsCURVEFONT, font, kind == POINT ? nullptr : &font_back,
            kind == POINT ? nullptr : &solid);

  // The colour item is named with the colour's name and hexadecimal form,
  // and that name comes back; the number is derived again from the
  // components, so one that disagrees with them is not kept. An invalid
  // colour makes no colour item.
  double r = pick(101) / 100.0, g = pick(101) / 100.0, b = pick(101) / 100.0;
  unsigned form = pick(4);
  vorabsColour colour = form == 0   ? vorabsColour()
                        : form == 1 ? vorabsColour(int(pick(8)))
                                    : vorabsColour(utString(form == 2 ? "paint" : ""), r, g, b,
                                                   form == 2 ? -1 : int(pick(8)));
  vorabsColour colour_back(ColourNamer().colour_name(colour), colour.red(), colour.green(),
                           colour.blue(), -1);
  sometimes<vorabsColour>(vorabsCOLOUR, colour, colour.invalid() ? nullptr : &colour_back, nullptr);
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
  annNameSpacePath bolt;
  bolt.append("assembly");
  bolt.append("bolt");
  annNameSpacePtr host = std::make_shared<annNameSpace>(utString("host"), nullptr);
  for (int i = 0; i < 600; ++i) {
    // Fresh documents for each set: styles are shared by name, and a later
    // font of the same name would come back with the first one's segments.
    annDocument document, target;
    Case c(rng, i);
    if (c.pick(2)) {
      document.set_name_space(document.name_space_of(bolt));
      put(c.expected, vorabsNAME_SPACE_PATH, bolt);
    }
    annGeometryItemannPtr item =
        make_item(c.kind, document, read<vorabsName>(c.expected, vorabsNAME)->name());
    vorabsAttributesToAnnotation(c.input, item->name()).apply(&document, item);

    vorabsAttributeSet back = named("stale");
    put(back, vorabsPARENT, utString("kept"));
    vorabsContext context;
    context.set_document(&target);
    vorabsAnnotationToAttributes converter(item);
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

    // The copy is made of the target's own copies of the styles, in its
    // space of the item's name space, and reads back the same.
    annStyleSetannPtr copy = read<vorabsStyle>(back, vorabsGEOMETRYSTYLE)->style();
    EXPECT_EQ(copy.name(), item->style().name());
    for (const annStyleannPtr& style : copy->styles())
      EXPECT_EQ(style->owner(), &target);
    EXPECT_EQ(copy->name_space(), item->name_space() ? target.name_space_of(bolt) : before);
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
    annStyleannPtr style = make_annPointStyle(&document, "s");
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
  annDocument document;
  vorabsAttributeSet back, nothing;
  vorabsAnnotationToAttributes(make_annCurveItem(&document, "line", "bare")).merge_attributes(back);
  EXPECT_EQ(describe(back), "vorabsNAME bare 0;vorabsHIERARCHY 3;vorabsVISIBLE 1;");
  EXPECT_EQ(back.num_attributes(), 3);
  vorabsAnnotationToAttributes(annGeometryItemannPtr()).merge_attributes(nothing);
  EXPECT_EQ(nothing.num_attributes(), 0);
}
