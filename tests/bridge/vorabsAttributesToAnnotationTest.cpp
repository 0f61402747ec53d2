// Tests of dressing annotation items in their entity's attributes.
#include "vorabsAttributesToAnnotation.h"

#include "kapProperty.h"
#include "kapPropertyPtrArray.h"
#include "vorabsAttributeKey.h"
#include "vorabsAttributePtr.h"
#include "vorabsContext.h"

#include "ann/ann.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

namespace {

template <class T>
void put(vorabsAttributeSet& set, const vorabsAttributeKey& key, const T& value) {
  vorabsAttributePtr<T> pointer;
  set.check_out(key, pointer);
  *pointer = value;
}

std::string printed(const annDocument& document) {
  std::ostringstream out;
  document.print(out);
  return out.str();
}

size_t count_of(const annDocument& document, const stoClass* tag) {
  size_t count = 0;
  for (size_t i = 0; i < document.num_items(); ++i)
    count += document.item(i)->sto_class()->is_kind_of(tag) ? 1 : 0;
  return count;
}

// An entity that makes its items in a document without being one.
class Workspace : public annEntity {
public:
  explicit Workspace(annDocument& document) : document_(document) {}
  annDocument* document() override { return &document_; }

private:
  annDocument& document_;
};

class vorabsAttributesToAnnotationTest : public ::testing::Test {
protected:
  annGeometryItemannPtr curve(const char* name) {
    return make_annCurveItem(&document, utString("line"), utString(name));
  }
  annGeometryItemannPtr point(const char* name) {
    return make_annPointItem(&document, giPoint3(0, 0, 0), utString(name));
  }
  // Applies the attributes to item, as a translator does.
  void apply(const annGeometryItemannPtr& item, const char* name = "item") {
    vorabsAttributesToAnnotation(attributes, utString(name)).apply(&document, item);
  }
  std::string base_name() const {
    return vorabsAttributesToAnnotation(attributes, utString("x")).style_base_name().c_str();
  }
  std::string colour_name_of(const annGeometryItemannPtr& item) const {
    annStyleannPtr style = item->style()->get_style(item);
    return style->colour().invalid() ? "<none>" : style->colour()->name().c_str();
  }

  annDocument document;
  vorabsAttributeSet attributes;
};

} // namespace

TEST_F(vorabsAttributesToAnnotationTest, NoAttributesGiveLevelZeroSolidThinCurveStyleAndDefaults) {
  annGeometryItemannPtr line = curve("c1");
  line->set_hierarchy(annHIERARCHY_CHILD);
  line->set_visible(0);
  apply(line);

  EXPECT_EQ(printed(document), "annCurveItem \"c1\" level 0 style "
                               "\"curve style no colour solid 0.3 style\" description \"line\"\n"
                               "annLevel \"0\" number 0\n"
                               "annCurveFontSolid \"solid\"\n"
                               "annStyleSet \"curve style no colour solid 0.3 style\"\n"
                               "  annCurveStyle \"no colour solid 0.3 style\" width 0.3 "
                               "font \"solid\"\n");
  // Hierarchy and visibility are overwritten with their defaults.
  EXPECT_EQ(line->hierarchy_status(), annHIERARCHY_INDEPENDENT);
  EXPECT_EQ(line->visible(), 1);
  EXPECT_FALSE(line->display_name_set());
  annCurveStyleannPtr style = line->style()->get_curve_style();
  ASSERT_TRUE(style.pointer());
  EXPECT_EQ(style->line_width(), 0.3);
  EXPECT_EQ(style->pattern_scale(), 1.0);
  EXPECT_TRUE(style->colour().invalid());
  EXPECT_NE(annCurveFontSolid::sto_dynamic_cast(style->pattern().pointer()), nullptr);
}

TEST_F(vorabsAttributesToAnnotationTest, EachStepWritesWhatItsAttributeSays) {
  put(attributes, vorabsLAYER, vorabsLayer(12, utString("holes")));
  put(attributes, vorabsHIERARCHY, annHIERARCHY_PARENT);
  put<utBool>(attributes, vorabsVISIBLE, 0);
  put(attributes, vorabsLINEWIDTH, 0.5);
  put(attributes, vorabsDISPLAYNAME, vorabsName(utString(), 42));
  annGeometryItemannPtr line = curve("c1");
  apply(line);

  ASSERT_FALSE(line->level().invalid());
  EXPECT_EQ(line->level()->level(), 12);
  EXPECT_STREQ(line->level()->name().c_str(), "12");
  EXPECT_STREQ(line->level()->level_name().c_str(), "holes");
  EXPECT_EQ(line->hierarchy_status(), annHIERARCHY_PARENT);
  EXPECT_EQ(line->visible(), 0);
  EXPECT_STREQ(line->display_name().c_str(), "42");
  EXPECT_STREQ(line->style()->name().c_str(), "curve style no colour solid 0.5 style");
  EXPECT_EQ(line->style()->get_curve_style()->line_width(), 0.5);
}

TEST_F(vorabsAttributesToAnnotationTest, EqualAttributesShareStyleSetsAndStylesByName) {
  put(attributes, vorabsCOLOUR, vorabsColour(2));
  annGeometryItemannPtr first = curve("c1");
  annGeometryItemannPtr second = curve("c2");
  apply(first);
  apply(second);
  EXPECT_TRUE(first->style() == second->style());
  EXPECT_EQ(count_of(document, sto_class_annStyleSet()), 1u);
  // Found sets make nothing: one colour, one font, one style, two levels.
  EXPECT_EQ(count_of(document, sto_class_annColour()), 1u);
  EXPECT_EQ(count_of(document, sto_class_annCurveFont()), 1u);
  EXPECT_EQ(count_of(document, sto_class_annStyle()), 1u);
  EXPECT_EQ(count_of(document, sto_class_annLevel()), 2u);

  // A group's set finds the curve style of the same base name and adds its
  // own styles of the other kinds.
  annGroupannPtr group = make_annGroup(&document, sto_class_annGroup(), utString("g"));
  apply(group);
  EXPECT_STREQ(group->style()->name().c_str(), "group style #FF0000 solid 0.3 style");
  EXPECT_TRUE(group->style()->get_curve_style() == first->style()->get_curve_style());

  // Another width is another set; so is another kind of item.
  put(attributes, vorabsLINEWIDTH, 0.7);
  annGeometryItemannPtr third = curve("c3");
  apply(third);
  EXPECT_FALSE(third->style() == first->style());
  EXPECT_STREQ(third->style()->name().c_str(), "curve style #FF0000 solid 0.7 style");
  put(attributes, vorabsLINEWIDTH, 0.3);
  annGeometryItemannPtr dot = point("p1");
  apply(dot);
  EXPECT_STREQ(dot->style()->name().c_str(), "point style #FF0000 solid 0.3 style");
  EXPECT_EQ(count_of(document, sto_class_annStyleSet()), 4u);
}

TEST_F(vorabsAttributesToAnnotationTest, StyleSetPrefixAndStyleFollowTheItemKind) {
  struct Case {
    annGeometryItemannPtr item;
    const char* prefix;
    const stoClass* style;
  };
  const utString described("d");
  Case cases[] = {
      {make_annSurfaceItem(&document, described, utString("s")), "surface style ",
       sto_class_annSurfaceStyle()},
      {make_annSolidItem(&document, described, utString("b")), "surface style ",
       sto_class_annSurfaceStyle()},
      {curve("c"), "curve style ", sto_class_annCurveStyle()},
      {point("p"), "point style ", sto_class_annPointStyle()},
      {make_annWorkplaneItem(&document, giWorkplane3(giWorkplaneWorld), utString("w")),
       "workplane style ", sto_class_annWorkplaneStyle()},
      {make_annTextGeometry(&document, described, utString("t")), "text style ",
       sto_class_annTextStyle()},
      {make_annFillArea(&document, described, utString("f")), "fill area style ",
       sto_class_annAreaSolidPattern()},
      {make_annPointCloud(&document, described, utString("pc")), "point cloud style ",
       sto_class_annPointCloudStyle()},
  };
  for (const Case& c : cases) {
    apply(c.item);
    SCOPED_TRACE(c.prefix);
    ASSERT_FALSE(c.item->style().invalid());
    EXPECT_EQ(std::string(c.item->style()->name().c_str()),
              std::string(c.prefix) + "no colour solid 0.3 style");
    ASSERT_EQ(c.item->style()->styles().size(), 1u);
    EXPECT_EQ(c.item->style()->styles()[0]->sto_class(), c.style);
  }

  put(attributes, vorabsCOLOUR, vorabsColour(4));
  annGeometryItemannPtr group = make_annGroup(&document, sto_class_annDimension(), utString("d"));
  apply(group);
  ASSERT_FALSE(group->style().invalid());
  const annStylePtrcoSet& styles = group->style()->styles();
  const stoClass* order[] = {sto_class_annSurfaceStyle(),   sto_class_annCurveStyle(),
                             sto_class_annPointStyle(),     sto_class_annWorkplaneStyle(),
                             sto_class_annTextStyle(),      sto_class_annAreaSolidPattern(),
                             sto_class_annPointCloudStyle()};
  ASSERT_EQ(styles.size(), 7u);
  for (size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(styles[i]->sto_class(), order[i]);
    // One colour for the whole group.
    EXPECT_TRUE(styles[i]->colour() == styles[0]->colour());
  }
  EXPECT_STREQ(styles[0]->colour()->name().c_str(), "#0000FF");
}

TEST_F(vorabsAttributesToAnnotationTest, ColourNamesTruncateAndKeepTheColoursOwnName) {
  put(attributes, vorabsCOLOUR, vorabsColour(utString("red"), 1, 0, 0, -1));
  EXPECT_EQ(base_name(), "red #FF0000 solid 0.3 style");
  annGeometryItemannPtr line = curve("c1");
  apply(line);
  EXPECT_EQ(colour_name_of(line), "red #FF0000");
  annRGBColourannPtr colour = annRGBColourannPtr::cast(line->style()->get_curve_style()->colour());
  ASSERT_TRUE(colour.pointer());
  EXPECT_STREQ(colour->display_name().c_str(), "red");
  EXPECT_EQ(colour->red(), 1.0);
  EXPECT_EQ(colour->green(), 0.0);

  put(attributes, vorabsCOLOUR, vorabsColour(utString(), 0.5, 0.5, 0.5, -1));
  EXPECT_EQ(base_name(), "#7F7F7F solid 0.3 style");
  annGeometryItemannPtr grey = curve("c2");
  apply(grey);
  EXPECT_EQ(colour_name_of(grey), "#7F7F7F");
  EXPECT_FALSE(grey->style()->get_curve_style()->colour()->display_name_set());

  // Components outside 0 to 1 still give at most seven characters.
  put(attributes, vorabsCOLOUR, vorabsColour(utString(), 2.0, -1.0, 1e300, -1));
  EXPECT_EQ(base_name(), "#1FEFFF solid 0.3 style");
}

TEST_F(vorabsAttributesToAnnotationTest, AnglePointsGetAnAnglePointStyle) {
  put(attributes, vorabsANGLEPOINT, giAngle(0.25));
  EXPECT_EQ(base_name(), "no colour solid 0.3 style_angle");
  annGeometryItemannPtr dot = point("p1");
  apply(dot);
  EXPECT_STREQ(dot->style()->name().c_str(), "point style no colour solid 0.3 style_angle");
  annAnglePointStyleannPtr style = annAnglePointStyleannPtr::cast(dot->style()->get_point_style());
  ASSERT_TRUE(style.pointer());
  EXPECT_EQ(style->angle(), giAngle(0.25));

  attributes.remove(vorabsANGLEPOINT);
  annGeometryItemannPtr plain = point("p2");
  apply(plain);
  annPointStyleannPtr point_style = plain->style()->get_point_style();
  ASSERT_TRUE(point_style.pointer());
  EXPECT_EQ(point_style->sto_class(), sto_class_annPointStyle());
}

TEST_F(vorabsAttributesToAnnotationTest, CurveFontsBecomePlaceholdersSolidsOrPatterns) {
  auto font_of = [this](const vorabsCurveFont& font) {
    put(attributes, vorabsCURVEFONT, font);
    annGeometryItemannPtr line = curve("c");
    apply(line);
    return line->style()->get_curve_style()->pattern();
  };
  vorabsCurveFont dashed(utString("long dashed"));
  dashed.set_num_segments(4);
  annNameSpacePtr space = std::make_shared<annNameSpace>(utString("fonts"), nullptr);
  document.set_name_space(space);
  annCurveFontannPtr placeholder = font_of(dashed);
  ASSERT_FALSE(placeholder.invalid());
  EXPECT_EQ(placeholder.pointer(), nullptr); // not a font yet: the host resolves it
  EXPECT_STREQ(placeholder.name().c_str(), "long dashed");
  EXPECT_EQ(placeholder.name_space(), space);
  annPlaceHolder* holder = annPlaceHolder::sto_dynamic_cast(placeholder.annPtrBase::pointer());
  ASSERT_NE(holder, nullptr);
  EXPECT_EQ(holder->placed_class(), sto_class_annCurveFontPattern());
  annPlaceHolder* centreline = annPlaceHolder::sto_dynamic_cast(
      font_of(vorabsCurveFont(utString("centreline"))).annPtrBase::pointer());
  ASSERT_NE(centreline, nullptr);
  EXPECT_EQ(centreline->placed_class(), sto_class_annCurveFontPattern());
  document.set_name_space(annNameSpacePtr());

  // An unnamed font is solid whatever its segments.
  vorabsCurveFont unnamed;
  unnamed.set_num_segments(4);
  annCurveFontannPtr solid = font_of(unnamed);
  EXPECT_NE(annCurveFontSolid::sto_dynamic_cast(solid.pointer()), nullptr);
  EXPECT_STREQ(solid->name().c_str(), "solid");

  vorabsCurveFont chain(utString("chain"));
  chain.set_num_segments(2);
  chain.set_segment_length(0, 5.0);
  chain.set_segment_length(1, 2.5);
  chain.set_first_visible(0);
  annCurveFontPatternannPtr pattern = annCurveFontPatternannPtr::cast(font_of(chain));
  ASSERT_TRUE(pattern.pointer());
  EXPECT_STREQ(pattern->name().c_str(), "chain");
  EXPECT_EQ(pattern->number_of_segments(), 2);
  EXPECT_EQ(pattern->read_segment(0), 5.0);
  EXPECT_EQ(pattern->read_segment(1), 2.5);
  EXPECT_EQ(pattern->first_segment_visible(), 0);

  // Fewer than two segments, or "solid" in the name, is solid too.
  vorabsCurveFont single(utString("single"));
  single.set_num_segments(1);
  EXPECT_NE(annCurveFontSolid::sto_dynamic_cast(font_of(single).pointer()), nullptr);
  vorabsCurveFont semi(utString("semisolid"));
  semi.set_num_segments(2);
  EXPECT_NE(annCurveFontSolid::sto_dynamic_cast(font_of(semi).pointer()), nullptr);
}

TEST_F(vorabsAttributesToAnnotationTest, PropertiesAreAssignedOnlyInADocument) {
  vorabsContext context;
  context.set_document(&document);
  kapPropertyPtrArray properties(context);
  put(attributes, vorabsPROPERTIES, kapProperties(utPtrExtern, &properties));

  // An empty list assigns nothing.
  apply(curve("c0"));
  EXPECT_EQ(count_of(document, sto_class_annPropertiesAssignment()), 0u);

  kapPropertycoPrf material(new kapProperty(context));
  material->set_title(utString("material"));
  properties.add_property(material);
  Workspace workspace(document);
  vorabsAttributesToAnnotation(attributes, utString("c1")).apply(&workspace, curve("c1"));
  EXPECT_EQ(count_of(document, sto_class_annPropertiesAssignment()), 0u);
  EXPECT_EQ(document.model()->num_properties_assignments(), 0u);

  annGeometryItemannPtr line = curve("c2");
  apply(line, "c2");
  ASSERT_EQ(document.model()->num_properties_assignments(), 1u);
  const annPropertiesAssignmentannPtr& assignment = document.model()->properties_assignment(0);
  EXPECT_STREQ(assignment->name().c_str(), "c2_properties");
  EXPECT_TRUE(assignment->item() == line);
}

TEST_F(vorabsAttributesToAnnotationTest, ALevelOrStyleSetAlreadyThereIsKept) {
  annLevelannPtr level = make_annLevel(&document, 7, utString("7"));
  annStyleSetannPtr styles = make_annStyleSet(&document, utString("mine"));
  annGeometryItemannPtr line = curve("c1");
  line->set_level(level);
  line->set_style(styles);
  put(attributes, vorabsLAYER, vorabsLayer(3));
  put(attributes, vorabsCOLOUR, vorabsColour(2));
  put<utBool>(attributes, vorabsVISIBLE, 0);
  size_t items_before = document.num_items();
  apply(line);
  EXPECT_TRUE(line->level() == level);
  EXPECT_TRUE(line->style() == styles);
  EXPECT_EQ(document.num_items(), items_before);
  EXPECT_EQ(line->visible(), 0);

  // A whole style set given as an attribute is used as it is.
  annStyleSetannPtr given = make_annStyleSet(&document, utString("given"));
  put(attributes, vorabsGEOMETRYSTYLE, vorabsStyle(given));
  annGeometryItemannPtr other = curve("c2");
  items_before = document.num_items();
  apply(other);
  EXPECT_TRUE(other->style() == given);
  EXPECT_EQ(document.num_items(), items_before + 1); // the level only
}

TEST_F(vorabsAttributesToAnnotationTest, WrongKindsAndMissingPiecesEndInDefaults) {
  put(attributes, vorabsCOLOUR, 1.0);
  put(attributes, vorabsLAYER, utString("walls"));
  put(attributes, vorabsLINEWIDTH, vorabsColour(2));
  put(attributes, vorabsCURVEFONT, vorabsLayer(4));
  put(attributes, vorabsANGLEPOINT, 0.5);
  put(attributes, vorabsHIERARCHY, utString("child"));
  put(attributes, vorabsVISIBLE, 0.0);
  put(attributes, vorabsDISPLAYNAME, 3);
  put(attributes, vorabsGEOMETRYSTYLE, 2);
  put(attributes, vorabsPROPERTIES, utString("none"));
  EXPECT_EQ(base_name(), "no colour solid 0.3 style");
  annGeometryItemannPtr dot = point("p1");
  apply(dot);
  EXPECT_EQ(dot->level()->level(), 0);
  EXPECT_STREQ(dot->style()->name().c_str(), "point style no colour solid 0.3 style");
  EXPECT_EQ(dot->style()->get_point_style()->sto_class(), sto_class_annPointStyle());
  EXPECT_EQ(dot->hierarchy_status(), annHIERARCHY_INDEPENDENT);
  EXPECT_EQ(dot->visible(), 1);
  EXPECT_FALSE(dot->display_name_set());

  // No item or no owner: nothing is made, nothing breaks.
  size_t items_before = document.num_items();
  apply(annGeometryItemannPtr());
  EXPECT_EQ(document.num_items(), items_before);
  annGeometryItemannPtr line = curve("c1");
  vorabsAttributesToAnnotation(attributes, utString("c1")).apply(nullptr, line);
  EXPECT_TRUE(line->level().invalid());
  EXPECT_TRUE(line->style().invalid());
}
