// Tests of dressing annotation items in their entity's attributes.
#include "vorabsAttributesToAnnotation.h"

#include "TestHelpers.h"
#include "kapProperty.h"
#include "kapPropertyPtrArray.h"
#include "vorabsContext.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

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
  annGeometryItemannPtr curve(const char* name = "c") {
    return make_annCurveItem(&document, utString("line"), utString(name));
  }
  annGeometryItemannPtr point(const char* name = "p") {
    return make_annPointItem(&document, giPoint3(0, 0, 0), utString(name));
  }
  // Applies the attributes to item, as a translator does, and hands it back.
  annGeometryItemannPtr apply(const annGeometryItemannPtr& item, const char* name = "item") {
    vorabsAttributesToAnnotation(attributes, utString(name)).apply(&document, item);
    return item;
  }
  std::string base_name() const {
    return vorabsAttributesToAnnotation(attributes, utString("x")).style_base_name().c_str();
  }
  static std::string style_name(const annGeometryItemannPtr& item) {
    return item->style()->name().c_str();
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
  EXPECT_EQ(line->style()->get_curve_style()->pattern_scale(), 1.0);
}

TEST_F(vorabsAttributesToAnnotationTest, EqualAttributesShareStyleSetsAndStylesByName) {
  put(attributes, vorabsCOLOUR, vorabsColour(2));
  annGeometryItemannPtr first = apply(curve("c1")), second = apply(curve("c2"));
  EXPECT_TRUE(first->style() == second->style());
  // Found sets make nothing: one set, colour, font and style; the level of
  // the layer is the document's one level of its number.
  EXPECT_EQ(count_of(document, sto_class_annStyleSet()), 1u);
  EXPECT_EQ(count_of(document, sto_class_annColour()), 1u);
  EXPECT_EQ(count_of(document, sto_class_annCurveFont()), 1u);
  EXPECT_EQ(count_of(document, sto_class_annStyle()), 1u);
  EXPECT_EQ(count_of(document, sto_class_annLevel()), 1u);
  EXPECT_TRUE(first->level() == second->level());

  // A group's set finds the curve style of the same base name and adds its
  // own styles of the other kinds.
  annGeometryItemannPtr group =
      apply(make_annGroup(&document, sto_class_annGroup(), utString("g")));
  EXPECT_EQ(style_name(group), "group style #FF0000 solid 0.3 style");
  EXPECT_TRUE(group->style()->get_curve_style() == first->style()->get_curve_style());

  // Another width is another set; so is another kind of item.
  put(attributes, vorabsLINEWIDTH, 0.7);
  EXPECT_EQ(style_name(apply(curve())), "curve style #FF0000 solid 0.7 style");
  put(attributes, vorabsLINEWIDTH, 0.3);
  EXPECT_EQ(style_name(apply(point())), "point style #FF0000 solid 0.3 style");
  EXPECT_EQ(count_of(document, sto_class_annStyleSet()), 4u);
}

TEST_F(vorabsAttributesToAnnotationTest, StyleSetPrefixAndStyleFollowTheItemKind) {
  const utString d("d");
  const struct {
    annGeometryItemannPtr item;
    const char* prefix;
    const stoClass* style;
  } cases[] = {
      {make_annSurfaceItem(&document, d, d), "surface style ", sto_class_annSurfaceStyle()},
      {make_annSolidItem(&document, d, d), "surface style ", sto_class_annSurfaceStyle()},
      {curve(), "curve style ", sto_class_annCurveStyle()},
      {point(), "point style ", sto_class_annPointStyle()},
      {make_annWorkplaneItem(&document, giWorkplane3(giWorkplaneWorld), d), "workplane style ",
       sto_class_annWorkplaneStyle()},
      {make_annTextGeometry(&document, d, d), "text style ", sto_class_annTextStyle()},
      {make_annFillArea(&document, d, d), "fill area style ", sto_class_annAreaSolidPattern()},
      {make_annPointCloud(&document, d, d), "point cloud style ", sto_class_annPointCloudStyle()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.prefix);
    apply(c.item);
    ASSERT_FALSE(c.item->style().invalid());
    EXPECT_EQ(style_name(c.item), std::string(c.prefix) + "no colour solid 0.3 style");
    ASSERT_EQ(c.item->style()->styles().size(), 1u);
    EXPECT_EQ(c.item->style()->styles()[0]->sto_class(), c.style);
  }

  // A group has a style of every kind, in this order, with one colour.
  put(attributes, vorabsCOLOUR, vorabsColour(4));
  annGeometryItemannPtr group = apply(make_annGroup(&document, sto_class_annDimension(), d));
  const annStylePtrcoSet& styles = group->style()->styles();
  const stoClass* order[] = {sto_class_annSurfaceStyle(),   sto_class_annCurveStyle(),
                             sto_class_annPointStyle(),     sto_class_annWorkplaneStyle(),
                             sto_class_annTextStyle(),      sto_class_annAreaSolidPattern(),
                             sto_class_annPointCloudStyle()};
  ASSERT_EQ(styles.size(), 7u);
  for (size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(styles[i]->sto_class(), order[i]);
    EXPECT_TRUE(styles[i]->colour() == styles[0]->colour());
  }
  EXPECT_STREQ(styles[0]->colour()->name().c_str(), "#0000FF");
}

TEST_F(vorabsAttributesToAnnotationTest, ColourNamesTruncateAndKeepTheColoursOwnName) {
  put(attributes, vorabsCOLOUR, vorabsColour(utString("red"), 1, 0, 0, -1));
  EXPECT_EQ(base_name(), "red #FF0000 solid 0.3 style");
  annGeometryItemannPtr line = apply(curve());
  annRGBColourannPtr colour = annRGBColourannPtr::cast(line->style()->get_curve_style()->colour());
  ASSERT_TRUE(colour.pointer());
  EXPECT_STREQ(colour->name().c_str(), "red #FF0000");
  EXPECT_STREQ(colour->display_name().c_str(), "red");
  EXPECT_EQ(colour->red(), 1.0);

  put(attributes, vorabsCOLOUR, vorabsColour(utString(), 0.5, 0.5, 0.5, -1));
  EXPECT_EQ(base_name(), "#7F7F7F solid 0.3 style");
  annColourannPtr grey = apply(curve())->style()->get_curve_style()->colour();
  EXPECT_STREQ(grey->name().c_str(), "#7F7F7F");
  EXPECT_FALSE(grey->display_name_set());

  // Components outside 0 to 1 still give at most seven characters.
  put(attributes, vorabsCOLOUR, vorabsColour(utString(), 2.0, -1.0, 1e300, -1));
  EXPECT_EQ(base_name(), "#1FEFFF solid 0.3 style");
}

TEST_F(vorabsAttributesToAnnotationTest, AnglePointsGetAnAnglePointStyle) {
  put(attributes, vorabsANGLEPOINT, giAngle(0.25));
  EXPECT_EQ(base_name(), "no colour solid 0.3 style_angle");
  annGeometryItemannPtr dot = apply(point());
  EXPECT_EQ(style_name(dot), "point style no colour solid 0.3 style_angle");
  annAnglePointStyleannPtr style = annAnglePointStyleannPtr::cast(dot->style()->get_point_style());
  ASSERT_TRUE(style.pointer());
  EXPECT_EQ(style->angle(), giAngle(0.25));
}

TEST_F(vorabsAttributesToAnnotationTest, HostFontsBecomePlaceholdersAndSolidOnesSolids) {
  auto font_of = [this](const char* name, int segments) {
    vorabsCurveFont font = name ? vorabsCurveFont(utString(name)) : vorabsCurveFont();
    font.set_num_segments(segments);
    put(attributes, vorabsCURVEFONT, font);
    return apply(curve())->style()->get_curve_style()->pattern();
  };
  // Dashed, centreline and dotted fonts are placeholders for the host to
  // resolve in the document's name space.
  annNameSpacePtr space = std::make_shared<annNameSpace>(utString("fonts"), nullptr);
  document.set_name_space(space);
  for (const char* host_font : {"long dashed", "centreline", "dotted 2"}) {
    annCurveFontannPtr placeholder = font_of(host_font, 4);
    ASSERT_FALSE(placeholder.invalid()) << host_font;
    EXPECT_EQ(placeholder.pointer(), nullptr); // not a font yet
    EXPECT_STREQ(placeholder.name().c_str(), host_font);
    EXPECT_EQ(placeholder.name_space(), space);
    annPlaceHolder* holder = annPlaceHolder::sto_dynamic_cast(placeholder.annPtrBase::pointer());
    ASSERT_NE(holder, nullptr);
    EXPECT_EQ(holder->placed_class(), sto_class_annCurveFontPattern());
  }
  document.set_name_space(annNameSpacePtr());

  // Unnamed (then named "solid"), fewer than two segments, or "solid" in the name: solid.
  for (const char* solid : {static_cast<const char*>(nullptr), "single", "semisolid"}) {
    annCurveFontannPtr font = font_of(solid, solid && std::string(solid) == "single" ? 1 : 2);
    ASSERT_NE(annCurveFontSolid::sto_dynamic_cast(font.pointer()), nullptr) << solid;
    EXPECT_STREQ(font->name().c_str(), solid ? solid : "solid");
  }
}

TEST_F(vorabsAttributesToAnnotationTest, PropertiesAreAssignedOnlyInADocument) {
  vorabsContext context;
  context.set_document(&document);
  kapPropertyPtrArray properties(context);
  put(attributes, vorabsPROPERTIES, kapProperties(utPtrExtern, &properties));
  apply(curve()); // an empty list assigns nothing
  properties.add_property(kapPropertycoPrf(new kapProperty(context)));
  Workspace workspace(document);
  vorabsAttributesToAnnotation(attributes, utString("c1")).apply(&workspace, curve());
  EXPECT_EQ(document.model()->num_properties_assignments(), 0u);

  annGeometryItemannPtr line = apply(curve("c2"));
  ASSERT_EQ(document.model()->num_properties_assignments(), 1u);
  EXPECT_EQ(count_of(document, sto_class_annPropertiesAssignment()), 1u);
  const annPropertiesAssignmentannPtr& assignment = document.model()->properties_assignment(0);
  EXPECT_STREQ(assignment->name().c_str(), "c2_properties");
  EXPECT_TRUE(assignment->item() == line);
}

TEST_F(vorabsAttributesToAnnotationTest, ALevelOrStyleSetAlreadyThereIsKept) {
  annLevelannPtr level = make_annLevel(&document, 7, utString("7"));
  annStyleSetannPtr styles = make_annStyleSet(&document, utString("mine"));
  annGeometryItemannPtr line = curve();
  line->set_level(level);
  line->set_style(styles);
  put(attributes, vorabsLAYER, vorabsLayer(3));
  put(attributes, vorabsCOLOUR, vorabsColour(2));
  size_t items_before = document.num_items();
  apply(line);
  EXPECT_TRUE(line->level() == level);
  EXPECT_TRUE(line->style() == styles);
  EXPECT_EQ(document.num_items(), items_before);

  // A whole style set given as an attribute is used as it is.
  annStyleSetannPtr given = make_annStyleSet(&document, utString("given"));
  put(attributes, vorabsGEOMETRYSTYLE, vorabsStyle(given));
  items_before = document.num_items();
  EXPECT_TRUE(apply(curve())->style() == given);
  EXPECT_EQ(document.num_items(), items_before + 2); // the item and its level
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
  annGeometryItemannPtr dot = apply(point());
  EXPECT_EQ(dot->level()->level(), 0);
  EXPECT_EQ(style_name(dot), "point style no colour solid 0.3 style");
  EXPECT_EQ(dot->style()->get_point_style()->sto_class(), sto_class_annPointStyle());
  EXPECT_EQ(dot->hierarchy_status(), annHIERARCHY_INDEPENDENT);
  EXPECT_EQ(dot->visible(), 1);
  EXPECT_FALSE(dot->display_name_set());

  // No item or no owner: nothing is made, nothing breaks.
  size_t items_before = document.num_items();
  apply(annGeometryItemannPtr());
  EXPECT_EQ(document.num_items(), items_before);
  annGeometryItemannPtr line = curve();
  vorabsAttributesToAnnotation(attributes, utString("c")).apply(nullptr, line);
  EXPECT_TRUE(line->level().invalid());
  EXPECT_TRUE(line->style().invalid());
}
