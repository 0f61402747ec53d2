// dxfAnnotationTest.cpp - texts, hatches, dimensions and leaders as the DXF reader sends them.
#include "DxfHarness.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The last entity of that name: a compound comes after its children.
const Entity* named(const DxfRead& r, const std::string& name) {
  const Entity* found = nullptr;
  for (const Entity& e : r.entities)
    if (e.name == name)
      found = &e;
  return found;
}

template <class T> const T* item(const DxfRead& r, const std::string& name) {
  const Entity* e = named(r, name);
  return e ? T::sto_dynamic_cast(e->item.pointer()) : nullptr;
}

std::string at(const giPoint3& p) {
  return std::to_string(std::lround(p.x * 1000)) + " " + std::to_string(std::lround(p.y * 1000)) +
         " " + std::to_string(std::lround(p.z * 1000));
}

TEST(dxfAnnotationTest, TextsCarryTheirStringStyleFontWidthAndPlane) {
  Dxf d;
  d.section("TABLES", [](Dxf& t) {
    t(0, "TABLE")(2, "STYLE")(0, "STYLE")(2, "SHX")(3, "romans.shx")(40, 0.0);
    t(0, "STYLE")(2, "TT")(3, "")(40, 4.0)(1001, "ACAD")(1000, "Arial")(1071, "50331648");
    t(0, "ENDTAB");
  });
  d.section("BLOCKS", [](Dxf& b) {
    b(0, "BLOCK")(2, "B")(10, 0.0)(20, 0.0)(0, "POINT")(10, 0.0)(20, 0.0)(0, "ENDBLK");
  });
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "TEXT")(5, "2B")(8, "NOTES")(7, "SHX")(10, 1.0)(20, 2.0)(40, 2.5)(41, 0.8)(50, 90.0);
    e(1, "Hello");
    e(0, "MTEXT")(5, "2C")(7, "TT")(10, 0.0)(20, 0.0)(41, 30.0)(11, 0.0)(21, 1.0)(31, 0.0);
    e(1, "{\\fArial|b1;Big}\\PSmall");
    e(0, "MTEXT")(5, "2D")(10, 0.0)(20, 0.0)(40, 1.5)(1, "plain");
    e(0, "INSERT")(5, "3A")(66, 1)(2, "B")(10, 5.0)(20, 0.0)(50, 45.0);
    e(0, "ATTRIB")(5, "3B")(10, 6.0)(20, 1.0)(40, 1.0)(2, "PART")(1, "P-1");
    e(0, "ATTRIB")(5, "3C")(10, 6.0)(20, 2.0)(40, 1.0)(70, 1)(2, "HIDDEN")(1, "x");
    e(0, "SEQEND");
  });
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  EXPECT_EQ(r.errors(), "");
  EXPECT_TRUE(r.reader->untranslated().empty());

  const auto* text = item<annTextGeometry>(r, "TEXT 2B");
  ASSERT_TRUE(text);
  EXPECT_EQ(named(r, "TEXT 2B")->layer, "1 NOTES");
  EXPECT_EQ(std::string(text->text()->text().c_str()), "Hello");
  EXPECT_EQ(std::string(text->font()->font_file().c_str()), "romans.shx");
  EXPECT_EQ(text->font()->height(), 2.5);
  EXPECT_DOUBLE_EQ(text->width(), 0.8);
  const giWorkplane3& plane = text->lcs()->workplane();
  EXPECT_EQ(at(plane.origin()) + "/" + at(giPoint3(0, 0, 0) + plane.u_vector()),
            "1000 2000 0/0 1000 0");

  const auto* mtext = item<annTextGeometry>(r, "MTEXT 2C");
  ASSERT_TRUE(mtext);
  EXPECT_EQ(std::string(mtext->text()->text().c_str()), "Big\nSmall");
  EXPECT_EQ(std::string(mtext->font()->family_name().c_str()), "Arial");
  EXPECT_EQ(mtext->font()->bold() * 10 + mtext->font()->italic(), 11);
  EXPECT_EQ(mtext->font()->height(), 4.0); // the style's, the entity has none
  EXPECT_DOUBLE_EQ(mtext->width(), 30.0);
  EXPECT_EQ(at(giPoint3(0, 0, 0) + mtext->lcs()->workplane().u_vector()), "0 1000 0");
  const auto* plain = item<annTextGeometry>(r, "MTEXT 2D");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->width(), 0.0);

  const Entity* attribute = named(r, "ATTRIB 3B");
  ASSERT_TRUE(attribute);
  EXPECT_TRUE(attribute->child);
  const auto* value = annTextGeometry::sto_dynamic_cast(attribute->item.pointer());
  ASSERT_TRUE(value);
  EXPECT_EQ(std::string(value->text()->text().c_str()), "P-1");
  EXPECT_EQ(at(value->lcs()->workplane().origin()), "6000 1000 0"); // not moved by the insert
  ASSERT_TRUE(named(r, "ATTRIB 3C"));
  EXPECT_EQ(named(r, "ATTRIB 3C")->visible, 0);
}

// Boundary path pairs: a polyline path of points (closed), an edge path of edges.
void square_path(Dxf& h, int flags) {
  h(92, double(flags))(72, 1.0)(73, 1.0)(93, 4.0);
  for (auto p : {std::make_pair(0.0, 0.0), {10.0, 0.0}, {10.0, 10.0}, {0.0, 10.0}})
    h(10, p.first)(20, p.second)(42, p.first == 0.0 && p.second == 0.0 ? 0.5 : 0.0);
}

TEST(dxfAnnotationTest, HatchesTakeTheirExternalPathOutsideAndTheOthersAsIslands) {
  Dxf d;
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "HATCH")(5, "40")(8, "HATCH")(10, 0.0)(20, 0.0)(30, 0.0)(2, "SOLID")(70, 1)(91, 3);
    e(92, 0.0)(93, 1.0)(72, 2.0)(10, 5.0)(20, 5.0)(40, 1.0)(50, 0.0)(51, 360.0)(73, 1.0);
    square_path(e, 1 | 2);
    e(92, 0.0)(93, 2.0)(72, 3.0)(10, 2.0)(20, 2.0)(11, 1.0)(21, 0.0)(40, 0.5)(50, 0.0)(51, 180.0);
    e(73, 1.0)(72, 1.0)(10, 1.0)(20, 2.0)(11, 3.0)(21, 2.0);
    e(0, "HATCH")(5, "41")(10, 0.0)(20, 0.0)(30, 2.0)(210, 0.0)(220, 0.0)(230, -1.0)(91, 1);
    square_path(e, 2);
    e(0, "HATCH")(5, "42")(10, 0.0)(20, 0.0)(30, 0.0)(91, 0);
    e(0, "HATCH")(5, "43")(91, 1)(92, 0.0)(93, 2.0)(72, 1.0)(10, 0.0)(20, 0.0)(11, 1.0)(21, 0.0);
    e(72, 1.0)(10, 5.0)(20, 5.0)(11, 6.0)(21, 6.0);
  });
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  const auto* hatch = item<annFillArea>(r, "HATCH 40");
  ASSERT_TRUE(hatch);
  EXPECT_EQ(named(r, "HATCH 40")->layer, "1 HATCH");
  const velCurvePtr2& outer = hatch->outer_boundary()->curve();
  ASSERT_FALSE(outer.invalid());
  double t0 = 0.0, t1 = 0.0, lowest = 0.0;
  outer->parameter_range(t0, t1);
  for (int i = 0; i <= 64; ++i)
    lowest = std::min(lowest, outer->position(t0 + (t1 - t0) * i / 64).y);
  EXPECT_NEAR(lowest, -2.5, 0.01); // the bulged first side
  EXPECT_EQ(hatch->inner_boundaries().size(), 2u);

  ASSERT_TRUE(item<annGroup>(r, "HATCH 41")); // in a group placed by its OCS
  EXPECT_EQ(r.errors().find("HATCH 41"), std::string::npos);
  EXPECT_EQ(r.errors(), "Error : Entity HATCH 42 has failed: it has no boundary path.\n"
                        "Error : Entity HATCH 43 has failed: its outer boundary cannot be made: "
                        "the edges of a boundary path do not join up.\n");
  EXPECT_EQ(r.statuses, (std::vector<int>{vorabsSTATUS_OK, vorabsSTATUS_OK, vorabsSTATUS_FAILED,
                                          vorabsSTATUS_FAILED}));
}

void dimension(Dxf& e, const char* handle, int type,
               std::initializer_list<std::pair<int, double>> points) {
  e(0, "DIMENSION")(5, handle)(2, "*D1")(70, 32 + type);
  for (const auto& p : points)
    e(p.first, p.second);
}

TEST(dxfAnnotationTest, DimensionsAndLeadersAreGroupsOfTheirKindWithTheirPoints) {
  Dxf d;
  d.section("BLOCKS", [](Dxf& b) {
    b(0, "BLOCK")(2, "*D1")(10, 0.0)(20, 0.0)(0, "LINE")(5, "50")(10, 0.0)(20, 0.0)(11, 1.0)(21,
                                                                                             1.0);
    b(0, "ENDBLK");
  });
  d.section("ENTITIES", [](Dxf& e) {
    dimension(e, "3F", 4, {{10, 5.0}, {20, 5.0}, {15, 6.0}, {25, 5.0}});
    dimension(e, "60", 3, {{10, 0.0}, {20, 0.0}, {15, 4.0}, {25, 0.0}});
    dimension(e, "61", 2,
              {{13, 2.0},
               {23, 1.0},
               {14, 5.0},
               {24, 1.0},
               {15, 1.0},
               {25, 2.0},
               {10, 1.0},
               {20, 6.0},
               {16, 3.0},
               {26, 3.0}});
    dimension(e, "62", 5, {{15, 1.0}, {25, 1.0}, {10, 4.0}, {20, 5.0}});
    dimension(e, "63", 6, {{10, 7.0}, {20, 8.0}});
    dimension(e, "64", 0, {{10, 7.0}, {20, 8.0}});
    e(0, "LEADER")(5, "70")(10, 0.0)(20, 0.0)(10, 2.0)(20, 2.0)(10, 4.0)(20, 2.0);
    e(1001, "MYAPP")(1000, "part")(1002, "{")(1070, "7")(1002, "}")(1001, "OTHER")(1040, "2.5");
    e(0, "MULTILEADER")(5, "71")(304, "Note")(12, 5.0)(22, 5.0)(32, 0.0)(41, 2.0);
    e(10, 0.0)(20, 0.0)(10, 4.0)(20, 4.0);
  });
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  EXPECT_EQ(r.errors(), "");
  const auto* radius = item<annRadiusDimension>(r, "DIMENSION 3F");
  const auto* diameter = item<annDiameterDimension>(r, "DIMENSION 60");
  const auto* angle = item<annAngularDimension>(r, "DIMENSION 61");
  const auto* angle3 = item<annAngularDimension>(r, "DIMENSION 62");
  const auto* ordinate = item<annOrdinateDimension>(r, "DIMENSION 63");
  ASSERT_TRUE(radius && diameter && angle && angle3 && ordinate);
  EXPECT_EQ(at(radius->centre()->point()), "5000 5000 0");
  EXPECT_EQ(at(diameter->centre()->point()), "2000 0 0");
  EXPECT_EQ(at(angle->vertex()->point()), "1000 1000 0");
  EXPECT_NEAR(angle->radius(), std::sqrt(8.0), 1e-12);
  EXPECT_EQ(at(angle3->vertex()->point()), "1000 1000 0");
  EXPECT_EQ(angle3->radius(), 5.0);
  EXPECT_EQ(at(ordinate->origin()->point()), "7000 8000 0");
  const auto* rotated = item<annDimension>(r, "DIMENSION 64");
  ASSERT_TRUE(rotated);
  EXPECT_FALSE(annCentreDimension::sto_dynamic_cast(rotated));
  // The block's geometry is translated once and is a member of every dimension.
  ASSERT_EQ(r.of("LINE 50").size(), 1u);
  EXPECT_TRUE(r.of("LINE 50")[0]->child);
  for (const annDimension* made : {static_cast<const annDimension*>(radius), rotated})
    EXPECT_GE(made->num_members(), 1u);

  ASSERT_TRUE(item<annGroup>(r, "LEADER 70"));
  EXPECT_EQ(named(r, "LEADER 70")->properties, "MYAPP: part; 7\nOTHER: 2.5\n");
  std::vector<std::string> leaders;
  for (const Entity& e : r.entities)
    if (e.name.rfind("LEADER", 0) == 0 || e.name.rfind("MULTILEADER", 0) == 0)
      leaders.push_back(e.kind + " " + e.curve + (e.child ? " child" : ""));
  EXPECT_EQ(leaders, (std::vector<std::string>{"curve3 polyline child", "annotation ",
                                               "curve3 polyline child", "annotation  child",
                                               "annotation "}));
  const Entity* note = nullptr;
  for (const Entity& e : r.entities)
    note = e.name == "MULTILEADER 71" && e.kind == "annotation" && e.child ? &e : note;
  ASSERT_TRUE(note);
  const auto* text = annTextGeometry::sto_dynamic_cast(note->item.pointer());
  ASSERT_TRUE(text);
  EXPECT_EQ(std::string(text->text()->text().c_str()) + " " + at(text->lcs()->workplane().origin()),
            "Note 5000 5000 0");
  EXPECT_EQ(text->font()->height(), 2.0);
}

} // namespace
