// dxfInheritanceTest.cpp - BYLAYER, BYBLOCK, the layer-0 rule and block re-use through three
// levels.
#include "DxfHarness.h"

#include <gtest/gtest.h>

namespace {

void line(Dxf& d, const char* handle, const char* layer, int colour,
          const char* linetype = "BYLAYER", int lineweight = -1) {
  d(0, "LINE")(5, handle)(8, layer)(62, colour)(6, linetype)(370, lineweight);
  d(10, 0.0)(20, 0.0)(11, 1.0)(21, 0.0);
}

void insert(Dxf& d, const char* handle, const char* block, const char* layer, int colour,
            const char* linetype, double x, int lineweight = -1) {
  d(0, "INSERT")(5, handle)(8, layer)(62, colour)(6, linetype)(370, lineweight)(2, block);
  d(10, x)(20, 0.0);
}

std::string nested() {
  Dxf d;
  d.section("TABLES", [](Dxf& t) {
    t(0, "TABLE")(2, "LTYPE")(0, "LTYPE")(2, "CONTINUOUS")(73, 0);
    t(0, "LTYPE")(2, "DASHED")(73, 2)(40, 0.75)(49, 0.5)(49, -0.25)(0, "ENDTAB");
    t(0, "TABLE")(2, "LAYER");
    t.layer("0", 7).layer("RED", 1, "DASHED", 0, 50).layer("BLUE", 5).layer("OFF", -3);
    t.layer("FROZEN", 2, "CONTINUOUS", 1)(0, "ENDTAB");
  });
  d.section("BLOCKS", [](Dxf& b) {
    b(0, "BLOCK")(2, "INNER")(10, 0.0)(20, 0.0);
    line(b, "A1", "0", 0, "BYBLOCK", -2);
    line(b, "A2", "0", 256);
    line(b, "A3", "BLUE", 256);
    line(b, "A4", "OFF", 256);
    b(0, "ENDBLK")(0, "BLOCK")(2, "MIDDLE")(10, 0.0)(20, 0.0);
    insert(b, "B1", "INNER", "0", 0, "BYLAYER", 0.0);
    b(0, "ENDBLK")(0, "BLOCK")(2, "OUTER")(10, 0.0)(20, 0.0);
    insert(b, "C1", "MIDDLE", "0", 3, "BYBLOCK", 0.0);
    b(0, "ENDBLK")(0, "BLOCK")(2, "ROUND")(10, 0.0)(20, 0.0);
    b(0, "CIRCLE")(5, "E1")(8, "0")(10, 0.0)(20, 0.0)(40, 1.0)(0, "ENDBLK");
  });
  d.section("ENTITIES", [](Dxf& e) {
    insert(e, "D1", "OUTER", "RED", 6, "DASHED", 0.0, 35);
    insert(e, "D2", "OUTER", "BLUE", 256, "CONTINUOUS", 10.0);
    insert(e, "D3", "OUTER", "RED", 6, "DASHED", 20.0, 35);
    insert(e, "D4", "ROUND", "0", 256, "BYLAYER", 0.0);
    e(41, 2.0)(42, 1.0);
    insert(e, "D5", "ROUND", "0", 256, "BYLAYER", 0.0);
    e(70, 2)(71, 1)(44, 10.0);
    line(e, "F1", "FROZEN", 256);
    line(e, "F2", "0", 256);
    e(60, 1)(420, std::to_string(0x123456));
    insert(e, "F3", "MISSING", "0", 256, "BYLAYER", 0.0);
  });
  return d.text();
}

std::string look(const Entity* e) {
  return e->layer + " | " + e->colour + " | " + e->font + " | " + std::to_string(e->width) + " | " +
         std::to_string(e->visible);
}

TEST(dxfInheritanceTest, NestedBlocksResolveByLayerByBlockAndLayerZeroOncePerLook) {
  DxfRead r(nested());
  ASSERT_EQ(r.read_result, 1);
  // Under D1 (RED, magenta, DASHED, 0.35) through C1 (green, BYBLOCK linetype)
  // and B1 (BYBLOCK colour); D3 has D1's look and re-uses its translation.
  std::vector<const Entity*> a1 = r.of("LINE A1");
  ASSERT_EQ(a1.size(), 2u);
  EXPECT_EQ(look(a1[0]), "1 RED | ACI 3 #00FF00 | DASHED/2 | 0.500000 | 1");
  EXPECT_EQ(look(a1[1]), "2 BLUE | ACI 3 #00FF00 |  | -1.000000 | 1");
  std::vector<const Entity*> a2 = r.of("LINE A2");
  ASSERT_EQ(a2.size(), 2u);
  EXPECT_EQ(look(a2[0]), "1 RED | ACI 1 #FF0000 | DASHED/2 | 0.500000 | 1");
  EXPECT_EQ(look(a2[1]), "2 BLUE | ACI 5 #0000FF |  | -1.000000 | 1");
  EXPECT_EQ(look(r.of("LINE A3")[0]), "2 BLUE | ACI 5 #0000FF |  | -1.000000 | 1");
  EXPECT_EQ(r.of("LINE A4")[0]->visible, 0);
  EXPECT_EQ(r.of("INSERT D1")[0]->colour, "ACI 6 #FF00FF");
  EXPECT_EQ(r.of("INSERT D3").size(), 1u);
  EXPECT_EQ(r.of("OUTER").size(), 2u); // D3 re-uses the group made for D1

  // A non-uniform scale pushes the placement into the circle, which then
  // travels as an ellipse; the two cells of an array share one translation.
  std::vector<const Entity*> e1 = r.of("CIRCLE E1");
  ASSERT_EQ(e1.size(), 2u);
  EXPECT_EQ(e1[0]->curve, "elliptical arc");
  EXPECT_EQ(e1[1]->curve, "circular arc");
  EXPECT_EQ(r.of("INSERT D5 1,0").size(), 1u);

  EXPECT_EQ(r.of("LINE F1")[0]->visible, 0);
  EXPECT_EQ(look(r.of("LINE F2")[0]), "0 0 | #123456 |  | -1.000000 | 0");
  EXPECT_NE(r.errors().find("INSERT F3: block 'MISSING' is not defined."), std::string::npos)
      << r.errors();
  EXPECT_EQ(r.reader->unbuilt().at("INSERT"), 1);
}

} // namespace
