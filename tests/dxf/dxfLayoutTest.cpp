// dxfLayoutTest.cpp - paper-space layouts as drawings, viewports as views of model space.
#include "DxfHarness.h"

#include "TestHelpers.h"

#include <gtest/gtest.h>

namespace {

void line(Dxf& d, const char* handle, int paper) {
  d(0, "LINE")(5, handle)(67, paper)(10, 0.0)(20, 0.0)(11, 1.0)(21, 0.0);
}

std::string with_layouts() {
  Dxf d;
  d.section("HEADER", [](Dxf& h) { h(9, "$ACADVER")(1, "AC1018"); });
  d.section("TABLES", [](Dxf& t) {
    t(0, "TABLE")(2, "BLOCK_RECORD")(0, "BLOCK_RECORD")(5, "1F")(2, "*Paper_Space");
    t(0, "BLOCK_RECORD")(5, "2F")(2, "*Paper_Space0")(0, "ENDTAB");
  });
  d.section("BLOCKS", [](Dxf& b) {
    b(0, "BLOCK")(2, "*Paper_Space0")(330, "2F");
    line(b, "14", 1);
    // A layout never opened keeps its viewports switched off (status 0).
    b(0, "VIEWPORT")(5, "15")(67, 1)(10, 100.0)(20, 100.0)(40, 200.0)(41, 100.0)(68, 0)(69, 0);
    b(0, "ENDBLK");
  });
  d.section("ENTITIES", [](Dxf& e) {
    line(e, "10", 0);
    line(e, "11", 1);
    e(0, "VIEWPORT")(5, "12")(67, 1)(10, 148.0)(20, 105.0)(40, 297.0)(41, 210.0)(69, 1);
    e(0, "VIEWPORT")(5, "13")(67, 1)(10, 100.0)(20, 100.0)(40, 200.0)(41, 100.0)(69, 2);
    e(12, 0.0)(22, 0.0)(45, 50.0);
  });
  d.section("OBJECTS", [](Dxf& o) {
    o(0, "LAYOUT")(5, "30")(330, "1A")(1, "Model")(71, 0)(330, "1E");
    o(0, "LAYOUT")(5, "31")(330, "1A")(1, "Sheet A")(44, 297.0)(45, 210.0)(71, 1)(330, "1F");
    o(0, "LAYOUT")(5, "32")(330, "1A")(1, "Sheet B")(71, 2)(330, "2F");
  });
  return d.text();
}

TEST(dxfLayoutTest, LayoutsBecomeDrawingsWithPaperSizeAndLiveViewportsViewModelSpace) {
  DxfRead r(with_layouts(), 1);
  ASSERT_EQ(r.read_result, 1);
  std::vector<std::string> sent;
  for (const Entity& e : r.entities)
    sent.push_back(e.kind + " " + e.name + (e.child ? " (child)" : ""));
  EXPECT_EQ(sent, (std::vector<std::string>{"curve3 LINE 10", "curve3 LINE 11 (child)",
                                            "annotation VIEWPORT 13 (child)", "annotation Sheet A",
                                            "curve3 LINE 14 (child)", "annotation Sheet B"}));
  EXPECT_EQ(r.statuses, (std::vector<int>{vorabsSTATUS_OK, vorabsSTATUS_OK, vorabsSTATUS_OK}));
  std::string document = printed(*r.document);
  EXPECT_NE(document.find("paper 297 x 210"), std::string::npos) << document;
}

} // namespace
