// dxfEntitiesTest.cpp - which translators the DXF reader makes, and what they send.
#include "DxfHarness.h"

#include <gtest/gtest.h>

namespace {

// One of each entity kind, in model space.
std::string all_kinds() {
  Dxf d;
  d.section("HEADER", [](Dxf& h) { h(9, "$ACADVER")(1, "AC1015")(9, "$INSUNITS")(70, 4); });
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "LINE")(5, "1F")(8, "0")(10, 0.0)(20, 0.0)(30, 0.0)(11, 1.0)(21, 1.0)(31, 0.0);
    e(0, "ARC")(5, "20")(10, 0.0)(20, 0.0)(40, 2.0)(50, 0.0)(51, 90.0);
    e(0, "CIRCLE")(5, "21")(10, 5.0)(20, 5.0)(40, 1.0);
    e(0, "ELLIPSE")(5, "22")(10, 0.0)(20, 0.0)(11, 4.0)(21, 0.0)(40, 0.5)(41, 0.0)(42, 3.0);
    e(0, "LWPOLYLINE")(5, "23")(90, 3)(70, 1)(10, 0.0)(20, 0.0)(42, 1.0)(10, 2.0)(20, 0.0)(10, 2.0)(
        20, 2.0);
    e(0, "LWPOLYLINE")(5, "24")(90, 2)(10, 0.0)(20, 0.0)(10, 3.0)(20, 0.0);
    e(0, "POLYLINE")(5, "25")(66, 1)(70, 8);
    e(0, "VERTEX")(10, 0.0)(20, 0.0)(30, 0.0)(70, 32)(0, "VERTEX")(10, 1.0)(20, 2.0)(30, 3.0)(70,
                                                                                              32);
    e(0, "SEQEND");
    e(0, "POLYLINE")(5, "26")(66, 1)(70, 64)(71, 4)(72, 2);
    for (int i = 0; i < 4; ++i)
      e(0, "VERTEX")(10, double(i % 2))(20, double(i / 2))(30, 0.0)(70, 192);
    e(0, "VERTEX")(70, 128)(71, 1)(72, 2)(73, 4)(74, 3)(0, "SEQEND");
    e(0, "SPLINE")(5, "27")(71, 2)(72, 6)(73, 3);
    for (double k : {0.0, 0.0, 0.0, 1.0, 1.0, 1.0})
      e(40, k);
    e(10, 0.0)(20, 0.0)(30, 0.0)(10, 1.0)(20, 1.0)(30, 0.0)(10, 2.0)(20, 0.0)(30, 0.0);
    e(0, "POINT")(5, "28")(10, 1.0)(20, 2.0)(30, 3.0);
    e(0, "3DFACE")(5, "29")(10, 0.0)(20, 0.0)(11, 1.0)(21, 0.0)(12, 1.0)(22, 1.0)(13, 1.0)(23, 1.0);
    e(0, "SOLID")(5, "2A")(10, 0.0)(20, 0.0)(11, 1.0)(21, 0.0)(12, 0.0)(22, 1.0)(13, 1.0)(23, 1.0);
    e(0, "TEXT")(5, "2B")(10, 0.0)(20, 0.0)(40, 2.5)(1, "Hello");
    e(0, "MTEXT")(5, "2C")(10, 0.0)(20, 0.0)(40, 2.5)(1, "A\\PB");
    e(0, "DIMENSION")(5, "2F")(2, "*D1")(70, 32 + 4)(10, 1.0)(20, 1.0)(15, 0.0)(25, 1.0);
    e(0, "ACME_WIDGET")(5, "2D")(90, 1);
    e(0, "ACME_WIDGET")(5, "2E")(90, 1);
  });
  return d.text();
}

TEST(dxfReaderEntitiesTest, EveryKindReachesTheSinkUnderItsNameWithItsShape) {
  DxfRead r(all_kinds());
  ASSERT_EQ(r.read_result, 1) << r.errors();
  EXPECT_EQ(r.errors(), "");
  std::vector<std::string> seen;
  for (const Entity& e : r.entities)
    seen.push_back(e.kind + " " + e.name + " " + e.curve);
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "curve3 LINE 1F line", "curve3 ARC 20 circular arc",
                      "curve3 CIRCLE 21 circular arc", "curve3 ELLIPSE 22 elliptical arc",
                      "curve3 LWPOLYLINE 23 curve on surface", "curve3 LWPOLYLINE 24 polyline",
                      "curve3 POLYLINE 25 polyline", "triblock POLYLINE 26 ",
                      "curve3 SPLINE 27 B-spline", "point3 POINT 28 ", "triblock 3DFACE 29 ",
                      "triblock SOLID 2A ", "annotation TEXT 2B ", "annotation MTEXT 2C "}));
  const dxfFile* file = r.reader->file();
  EXPECT_EQ(file->version, "AC1015");
  EXPECT_EQ(file->counts.at("LWPOLYLINE"), 2);
  EXPECT_EQ(file->skipped.at("ACME_WIDGET"), 2);
  EXPECT_TRUE(r.reader->untranslated().empty());
  const dxfEntity& dimension = r.reader->entities().back();
  EXPECT_STREQ(dxf_dimension_kind(dimension), "radial");
  EXPECT_EQ(dimension.point(5).y, 1.0);
  vorLengthUnit unit = vorLENGTH_METRE;
  EXPECT_EQ(r.reader->length_unit(unit), 1);
  EXPECT_EQ(unit, vorLENGTH_MILLIMETRE);
  EXPECT_EQ(r.output.texts(),
            (std::vector<std::string>{"Skipped 2 ACME_WIDGET (not supported).\n",
                                      "Ignoring empty dimension DIMENSION 2F.\n"}));
}

TEST(dxfReaderEntitiesTest, AnR12FileWithoutHandlesNamesEntitiesByTheirTypeAlone) {
  Dxf d;
  d.section("HEADER", [](Dxf& h) { h(9, "$ACADVER")(1, "AC1009"); });
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "POLYLINE")(66, 1)(70, 1);
    for (double x : {0.0, 4.0, 4.0})
      e(0, "VERTEX")(10, x)(20, x == 0.0 ? 0.0 : 3.0)(42, 0.5);
    e(0, "SEQEND")(0, "LINE")(10, 0.0)(20, 0.0)(11, 1.0)(21, 0.0);
  });
  DxfRead r(d.text());
  ASSERT_EQ(r.entities.size(), 2u);
  EXPECT_EQ(r.entities[0].name + "/" + r.entities[0].curve, "POLYLINE/curve on surface");
  EXPECT_EQ(r.entities[1].name + "/" + r.entities[1].curve, "LINE/line");
}

// An R2000 drawing's head with the block records of its two spaces: 1F the
// model space, 1E the paper space.
Dxf with_spaces() {
  Dxf d;
  d.section("HEADER", [](Dxf& h) { h(9, "$ACADVER")(1, "AC1015"); });
  d.section("TABLES", [](Dxf& t) {
    t(0, "TABLE")(2, "BLOCK_RECORD")(0, "BLOCK_RECORD")(5, "1F")(2, "*Model_Space");
    t(0, "BLOCK_RECORD")(5, "1E")(2, "*Paper_Space")(0, "ENDTAB");
  });
  return d;
}

// A draw order (SORTENTSTABLE) of the model space: each listed entity is
// drawn in the place of the handle it is drawn as; the others as
// themselves, one without a handle after the entity before it. Another
// space's order leaves the model's alone.
TEST(dxfReaderEntitiesTest, TheModelIsWalkedInItsDrawOrder) {
  Dxf d = with_spaces();
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "POINT")(5, "A0")(10, 0.0)(20, 0.0);
    e(0, "POINT")(5, "A1")(10, 1.0)(20, 0.0);
    e(0, "POINT")(10, 2.0)(20, 0.0); // no handle
    e(0, "POINT")(5, "A2")(10, 3.0)(20, 0.0);
    e(0, "POINT")(5, "A3")(10, 4.0)(20, 0.0);
    // On paper, by the paper space's own order, which lists neither: by their handles.
    e(0, "POINT")(5, "B9")(67, 1)(10, 5.0)(20, 0.0);
    e(0, "POINT")(5, "B8")(67, 1)(10, 6.0)(20, 0.0);
  });
  d.section("OBJECTS", [](Dxf& o) {
    o(0, "SORTENTSTABLE")(5, "B0")(330, "C0")(100, "AcDbSortentsTable")(330, "1F");
    o(331, "A0")(5, "A4")(331, "A3")(5, "A0");
    o(0, "SORTENTSTABLE")(5, "B1")(100, "AcDbSortentsTable")(330, "1E")(331, "A1")(5, "FF");
  });
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  std::string order;
  for (const Entity& e : r.entities)
    order += e.name + ";";
  EXPECT_EQ(order.substr(0, order.find("POINT B")), "POINT A3;POINT A1;POINT;POINT A2;POINT A0;");
  EXPECT_LT(order.find("POINT B8"), order.find("POINT B9")) << order;
}

// The names of the points a drawing delivers, in order, each ending in ";".
std::string point_order(const Dxf& d) {
  DxfRead r(d.text());
  EXPECT_EQ(r.read_result, 1);
  std::string order;
  for (const Entity& e : r.entities)
    if (e.kind == "point3")
      order += e.name + ";";
  return order;
}

// The paper space's own draw order orders the active layout's entities,
// which stand among the model's; the model keeps its file order.
TEST(dxfReaderEntitiesTest, ThePaperSpaceIsDrawnInItsOwnDrawOrder) {
  Dxf d = with_spaces();
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "POINT")(5, "B7")(67, 1)(10, 5.0)(20, 0.0);
    e(0, "POINT")(5, "A1")(10, 0.0)(20, 0.0);
    e(0, "POINT")(5, "B8")(67, 1)(10, 6.0)(20, 0.0);
    e(0, "POINT")(5, "A0")(10, 1.0)(20, 0.0);
    e(0, "POINT")(5, "B9")(67, 1)(10, 7.0)(20, 0.0);
  });
  d.section("OBJECTS", [](Dxf& o) {
    o(0, "SORTENTSTABLE")(5, "C0")(100, "AcDbSortentsTable")(330, "1E")(331, "B7")(5, "FF");
  });
  EXPECT_EQ(point_order(d), "POINT A1;POINT A0;POINT B8;POINT B9;POINT B7;");
}

// A block's own draw order puts what it lists in the place of the handle
// it is drawn as.
TEST(dxfReaderEntitiesTest, ABlockIsDrawnInItsOwnDrawOrder) {
  Dxf d;
  d.section("HEADER", [](Dxf& h) { h(9, "$ACADVER")(1, "AC1015"); });
  d.section("TABLES", [](Dxf& t) {
    t(0, "TABLE")(2, "BLOCK_RECORD")(0, "BLOCK_RECORD")(5, "2A")(2, "DOTS")(0, "ENDTAB");
  });
  d.section("BLOCKS", [](Dxf& b) {
    b(0, "BLOCK")(5, "2B")(330, "2A")(2, "DOTS")(70, 0)(10, 0.0)(20, 0.0);
    b(0, "POINT")(5, "C0")(10, 0.0)(20, 0.0);
    b(0, "POINT")(5, "C1")(10, 1.0)(20, 0.0);
    b(0, "POINT")(5, "C2")(10, 2.0)(20, 0.0);
    b(0, "ENDBLK");
  });
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "INSERT")(5, "D0")(2, "DOTS")(10, 0.0)(20, 0.0);
    e(0, "INSERT")(5, "D1")(2, "DOTS")(10, 0.0)(20, 5.0);
  });
  d.section("OBJECTS", [](Dxf& o) {
    o(0, "SORTENTSTABLE")(5, "B0")(100, "AcDbSortentsTable")(330, "2A")(331, "C0")(5, "FF");
  });
  EXPECT_EQ(point_order(d), "POINT C1;POINT C2;POINT C0;"); // the block is made once for both
}

} // namespace
