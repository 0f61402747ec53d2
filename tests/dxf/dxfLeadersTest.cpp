// dxfLeadersTest.cpp - LEADERs and MULTILEADERs read as the parts they draw.
#include "DxfHarness.h"

#include "dxfLeaders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

std::vector<std::string> names_of(const DxfRead& r, const std::string& owner) {
  std::vector<std::string> out;
  for (const Entity& e : r.entities)
    if (e.name.find(owner) != std::string::npos)
      out.push_back(e.kind + " " + e.name);
  return out;
}

// A multileader as AutoCAD writes it: one leader of one line, a dogleg,
// MTEXT content; then a block content with an attribute value.
void multileaders(Dxf& e) {
  e(0, "MULTILEADER")(5, "2F")(8, "0")(100, "AcDbMLeader")(270, 2)(300, "CONTEXT_DATA{");
  e(40, 1.0)(10, 48.0)(20, 20.0)(30, 0.0)(41, 4.0)(140, 4.0)(145, 2.0)(290, 1);
  e(304, "Basic \\LMultileader")(11, 0.0)(21, 0.0)(31, 1.0)(12, 50.0)(22, 22.0)(32, 0.0);
  e(13, 1.0)(23, 0.0)(33, 0.0)(43, 0.0)(45, 1.0)(171, 1)(296, 0);
  e(302, "LEADER{")(290, 1)(291, 1)(10, 40.0)(20, 20.0)(30, 0.0)(11, 1.0)(21, 0.0)(31, 0.0);
  e(90, 0)(40, 8.0)(304, "LEADER_LINE{")(10, 30.0)(20, 35.0)(30, 0.0)(10, 25.0)(20, 20.0);
  e(30, 0.0)(91, 0)(305, "}")(271, 0)(303, "}")(301, "}");
  // The entity's own groups: 10 is the block content's scale, no vertex.
  e(170, 1)(291, 1)(172, 2)(10, 1.0)(20, 1.0)(30, 1.0);
  e(0, "MULTILEADER")(5, "3F")(8, "0")(300, "CONTEXT_DATA{")(40, 1.0)(41, 2.0)(140, 1.0)(290, 0);
  e(296, 1)(341, "1A")(14, 0.0)(24, 0.0)(34, 1.0)(15, 100.0)(25, 0.0)(35, 0.0)(16, 2.0)(26, 2.0);
  e(36, 2.0)(46, 0.0)(302, "LEADER{")(10, 95.0)(20, 0.0)(30, 0.0)(11, -1.0)(21, 0.0)(31, 0.0);
  e(40, 0.0)(304, "LEADER_LINE{")(10, 80.0)(20, -10.0)(30, 0.0)(305, "}")(303, "}")(301, "}");
  e(170, 2)(172, 1)(344, "1A")(330, "1C")(177, 1)(44, 0.0)(302, "A-7");
}

TEST(dxfLeadersTest, AMultileaderDrawsItsLinesArrowsTextAndBlockWithItsAttributes) {
  Dxf d;
  d.section("HEADER", [](Dxf& h) { h(9, "$ACADVER")(1, "AC1024"); });
  d.section("TABLES", [](Dxf& t) {
    t(0, "TABLE")(2, "BLOCK_RECORD")(0, "BLOCK_RECORD")(5, "1A")(2, "TAG")(0, "ENDTAB");
  });
  d.section("BLOCKS", [](Dxf& b) {
    b(0, "BLOCK")(2, "TAG")(10, 0.0)(20, 0.0)(0, "CIRCLE")(10, 0.0)(20, 0.0)(40, 1.0);
    b(0, "ATTDEF")(5, "1C")(10, -0.5)(20, -0.25)(40, 0.5)(1, "")(3, "No?")(2, "NO")(70, 0);
    b(0, "ENDBLK");
  });
  d.section("ENTITIES", multileaders);
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  EXPECT_EQ(r.errors(), "");
  EXPECT_EQ(r.reader->file()->counts.at("MULTILEADER"), 2);
  EXPECT_EQ(names_of(r, "2F"),
            (std::vector<std::string>{"triblock SOLID 2F of MULTILEADER",
                                      "curve3 POLYLINE 2F of MULTILEADER",
                                      "annotation MULTILEADER 2F", "annotation MULTILEADER 2F"}));
  // The text is the content, where the content says, with its formatting kept.
  const Entity* text = nullptr;
  for (const Entity& e : r.entities)
    if (e.name == "MULTILEADER 2F" && annTextGeometry::sto_dynamic_cast(e.item.pointer()))
      text = &e;
  ASSERT_NE(text, nullptr);
  auto* t = annTextGeometry::sto_dynamic_cast(text->item.pointer());
  EXPECT_STREQ(t->text()->text().c_str(), "Basic Multileader");
  EXPECT_EQ(t->font()->height(), 4.0);
  EXPECT_EQ(t->lcs()->workplane().origin(), giPoint3(50, 22, 0));
  EXPECT_EQ(text->properties, "alignment: left top\nparagraph: wrap\nmarkup: Basic "
                              "\\LMultileader\nruns: 6 11|underline=1\n");
  // The block content is inserted with its scale; the value is placed
  // where its definition stands in the block.
  std::vector<std::string> block = names_of(r, "3F");
  EXPECT_NE(std::find(block.begin(), block.end(), "curve3 POLYLINE 3F of MULTILEADER"),
            block.end());
  const Entity* value = nullptr;
  for (const Entity& e : r.entities)
    if (e.name == "ATTRIB 3F of MULTILEADER")
      value = &e;
  ASSERT_NE(value, nullptr);
  auto* a = annTextGeometry::sto_dynamic_cast(value->item.pointer());
  ASSERT_NE(a, nullptr);
  EXPECT_STREQ(a->text()->text().c_str(), "A-7");
  EXPECT_EQ(a->lcs()->workplane().origin(), giPoint3(99, -0.5, 0));
  EXPECT_EQ(a->font()->height(), 1.0);
}

TEST(dxfLeadersTest, AMultileaderWithNoArrowheadRunsItsLineToThePoint) {
  Dxf d;
  d.section("TABLES", [](Dxf& t) {
    t(0, "TABLE")(2, "BLOCK_RECORD")(0, "BLOCK_RECORD")(5, "1B")(2, "_None")(0, "ENDTAB");
  });
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "MULTILEADER")(5, "6A")(8, "0")(300, "CONTEXT_DATA{")(40, 1.0)(140, 2.0)(290, 0);
    e(302, "LEADER{")(290, 1)(291, 1)(10, 10.0)(20, 0.0)(30, 0.0)(11, 1.0)(21, 0.0)(31, 0.0);
    e(40, 0.0)(304, "LEADER_LINE{")(10, 0.0)(20, 0.0)(30, 0.0)(305, "}")(303, "}")(301, "}");
    e(170, 1)(342, "1B");
  });
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  const dxfEntity& leader = r.reader->entities()[0];
  ASSERT_TRUE(leader.extra);
  ASSERT_EQ(leader.extra->children.size(), 1u); // the line alone, no arrowhead
  const dxfEntity& line = leader.extra->children[0];
  ASSERT_FALSE(line.vertices.empty());
  EXPECT_EQ(line.vertices[0].x, 0.0);
}

TEST(dxfLeadersTest, ALeaderFollowsItsSplinePathAndEndsInItsArrow) {
  Dxf d;
  d.section("TABLES", [](Dxf& t) {
    t(0, "TABLE")(2, "DIMSTYLE")(0, "DIMSTYLE")(2, "STANDARD")(41, 2.0)(40, 1.5)(0, "ENDTAB");
  });
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "LEADER")(5, "4A")(3, "STANDARD")(71, 1)(72, 1)(76, 3)(10, 0.0)(20, 0.0)(30, 0.0);
    e(10, 10.0)(20, 5.0)(30, 0.0)(10, 20.0)(20, 5.0)(30, 0.0);
    e(0, "LEADER")(5, "4B")(71, 0)(76, 2)(10, 0.0)(20, 0.0)(10, 5.0)(20, 0.0);
  });
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  EXPECT_EQ(r.errors(), "");
  EXPECT_EQ(names_of(r, "4A"),
            (std::vector<std::string>{"curve3 SPLINE 4A of LEADER", "triblock SOLID 4A of LEADER",
                                      "annotation LEADER 4A"}));
  EXPECT_EQ(names_of(r, "4B"),
            (std::vector<std::string>{"curve3 POLYLINE 4B of LEADER", "annotation LEADER 4B"}));
  // The spline passes through its vertices; the arrow is DIMASZ x DIMSCALE long.
  const dxfEntity& leader = r.reader->entities()[0];
  const dxfEntity& path = leader.extra->children[0];
  EXPECT_EQ(path.vertices.size(), 5u);
  const dxfEntity& arrow = leader.extra->children[1];
  EXPECT_NEAR(std::hypot(arrow.p[1].x + arrow.p[2].x, arrow.p[1].y + arrow.p[2].y) / 2, 3.0, 1e-9);
}

TEST(dxfLeadersTest, TheInterpolatingSplinePassesThroughItsPoints) {
  std::vector<dxfPoint> points{{0, 0, 0}, {1, 2, 0}, {3, 2, 0}, {4, 0, 1}};
  dxfEntity spline;
  ASSERT_TRUE(dxf_interpolating_spline(points, spline));
  EXPECT_EQ(spline.i71, 3);
  EXPECT_EQ(spline.vertices.size(), points.size() + 2);
  EXPECT_EQ(spline.extra->knots.size(), spline.vertices.size() + 4);
  // Clamped: it starts and ends at the first and last points.
  EXPECT_EQ(spline.vertices.front().x, 0.0);
  EXPECT_NEAR(spline.vertices.back().z, 1.0, 1e-12);
  EXPECT_FALSE(dxf_interpolating_spline({{1, 1, 1}}, spline));
  // Given an end direction, two points make a curve that ends along it.
  dxfPoint along{2, 0, 0};
  ASSERT_TRUE(dxf_interpolating_spline({{0, 0, 0}, {4, 4, 0}}, spline, &along));
  ASSERT_EQ(spline.vertices.size(), 4u);
  EXPECT_NEAR(spline.vertices[3].y - spline.vertices[2].y, 0.0, 1e-12);
  EXPECT_GT(spline.vertices[3].x - spline.vertices[2].x, 0.0);
}

TEST(dxfLeadersTest, AHookWithNoFlagsGivenGoesOnAlongTheLastSegment) {
  Dxf d;
  d.section("TABLES", [](Dxf& t) {
    t(0, "TABLE")(2, "DIMSTYLE")(0, "DIMSTYLE")(2, "STANDARD")(77, 1)(147, 1.0)(0, "ENDTAB");
  });
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "LEADER")(5, "5A")(3, "STANDARD")(71, 0)(73, 0)(75, 1)(41, 10.0)(76, 2);
    e(10, 30.0)(20, 0.0)(10, 20.0)(20, 0.0);
    // No hook flag either: the last segment is horizontal, so it is a hook.
    e(0, "LEADER")(5, "5B")(3, "STANDARD")(71, 0)(73, 0)(41, 10.0)(76, 2);
    e(10, 30.0)(20, 10.0)(10, 20.0)(20, 10.0);
  });
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  const dxfEntity& path = r.reader->entities()[0].extra->children[0];
  ASSERT_EQ(path.vertices.size(), 3u);
  EXPECT_NEAR(path.vertices[2].x, 9.0, 1e-9); // past the text and its gap, leftwards
  EXPECT_EQ(r.reader->entities()[1].extra->children[0].vertices.size(), 3u);
}

} // namespace
