// Hatches: patterns kept as fill-area properties, boundaries that real
// programs write (full circles, edges out of order), hatches in a plane of
// their own, and their way back through the writer.
#include "DxfHarness.h"
#include "DxfRoundTrip.h"

#include "ann/annFillArea.h"
#include "ann/annGroup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace {

const Entity* named(const DxfRead& r, const std::string& name) {
  const Entity* found = nullptr;
  for (const Entity& e : r.entities)
    found = e.name == name ? &e : found;
  return found;
}

std::string file_text(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A square polyline path from (0, 0) to (10, 10).
void square_path(Dxf& h, int flags) {
  h(92, double(flags))(72, 0.0)(73, 1.0)(93, 4.0);
  for (auto p : {std::make_pair(0.0, 0.0), {10.0, 0.0}, {10.0, 10.0}, {0.0, 10.0}})
    h(10, p.first)(20, p.second);
}

// A full circle as one arc edge: centre (5, 5), radius 2.
void circle_path(Dxf& h) {
  h(92, 0.0)(93, 1.0)(72, 2.0)(10, 5.0)(20, 5.0)(40, 2.0)(50, 0.0)(51, 360.0)(73, 1.0);
}

const char* const ansi31 = "pattern name: ANSI31\n"
                           "pattern kind: predefined\n"
                           "pattern angle: 0\n"
                           "pattern scale: 2\n"
                           "pattern double: 0\n"
                           "pattern lines: 45,0,0,-4.49,4.49;135,1,0,0,6.35,3.175,-1.5875\n";

std::string patterned_hatches() {
  Dxf d;
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "HATCH")(5, "40")(10, 0.0)(20, 0.0)(30, 0.0)(2, "ANSI31")(70, 0.0)(71, 0.0)(91, 2.0);
    square_path(e, 1 | 2);
    circle_path(e);
    e(75, 1.0)(76, 1.0)(52, 0.0)(41, 2.0)(77, 0.0)(78, 2.0);
    e(53, 45.0)(43, 0.0)(44, 0.0)(45, -4.49)(46, 4.49)(79, 0.0);
    e(53, 135.0)(43, 1.0)(44, 0.0)(45, 0.0)(46, 6.35)(79, 2.0)(49, 3.175)(49, -1.5875);
    e(98, 1.0)(10, 3.0)(20, 3.0);
    // Mirrored: its OCS x axis is the world's -x.
    e(0, "HATCH")(5, "41")(10, 0.0)(20, 0.0)(30, 0.0)(210, 0.0)(220, 0.0)(230, -1.0);
    e(2, "SOLID")(70, 1.0)(91, 1.0);
    square_path(e, 1 | 2);
  });
  return d.text();
}

} // namespace

TEST(dxfHatchTest, PatternsAreKeptAsPropertiesOfTheFillArea) {
  DxfRead r(patterned_hatches());
  ASSERT_EQ(r.read_result, 1) << r.errors();
  ASSERT_TRUE(named(r, "HATCH 40"));
  EXPECT_EQ(named(r, "HATCH 40")->properties, ansi31);
  EXPECT_EQ(named(r, "HATCH 41")->properties, ""); // solid: no pattern
  EXPECT_EQ(r.errors(), "");
}

TEST(dxfHatchTest, WrittenHatchesKeepPatternCircleHolesAndTheirPlane) {
  TempDir folder;
  std::string in = folder.file("in.dxf"), out = folder.file("out.dxf");
  std::ofstream(in) << patterned_hatches();
  RecordingChannel error;
  ASSERT_TRUE(convert(in, out, error)) << all(error);
  DxfRead copy(out.c_str(), 0);
  ASSERT_EQ(copy.read_result, 1) << copy.errors();
  EXPECT_EQ(copy.errors(), "");
  std::vector<const Entity*> hatches = copy.of("HATCH");
  ASSERT_EQ(hatches.size(), 2u);
  const Entity* patterned = hatches[0]->properties.empty() ? hatches[1] : hatches[0];
  EXPECT_EQ(patterned->properties, ansi31);
  // The full circle stays a hole: two half arcs.
  const auto* fill = annFillArea::sto_dynamic_cast(patterned->item.pointer());
  ASSERT_TRUE(fill);
  ASSERT_EQ(fill->inner_boundaries().size(), 1u);
  const velCurvePtr2& hole = fill->inner_boundaries()[0]->curve();
  double t0 = 0.0, t1 = 0.0;
  hole->parameter_range(t0, t1);
  giPoint2 half = hole->position((t0 + t1) / 2);
  EXPECT_NEAR(std::hypot(half.x - 5, half.y - 5), 2.0, 1e-9);
  // The mirrored hatch is a HATCH in its own OCS, not an insert of a block.
  std::string text = file_text(out);
  EXPECT_EQ(text.find("\nINSERT\n"), std::string::npos);
  EXPECT_NE(text.find("\n210\n0.0\n220\n0.0\n230\n-1.0\n"), std::string::npos) << text;
  EXPECT_TRUE(same_reading(in, out));
}

TEST(dxfHatchTest, BoundaryEdgesOutOfOrderReversedOrWithSmallGapsJoin) {
  Dxf d;
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "HATCH")(5, "50")(10, 0.0)(20, 0.0)(30, 0.0)(2, "SOLID")(70, 1.0)(91, 1.0);
    e(92, 1.0)(93, 4.0);
    e(72, 1.0)(10, 0.0)(20, 0.0)(11, 10.0)(21, 0.0);
    e(72, 1.0)(10, 0.0)(20, 10.0)(11, 10.0)(21, 10.0);   // reversed, out of order
    e(72, 1.0)(10, 10.0)(20, 10.0)(11, 10.0)(21, 0.002); // reversed, a small gap
    e(72, 1.0)(10, 0.0)(20, 10.0)(11, 0.0)(21, 0.0);
    e(0, "HATCH")(5, "51")(10, 0.0)(20, 0.0)(30, 0.0)(2, "SOLID")(70, 1.0)(91, 0.0);
  });
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  EXPECT_EQ(r.errors(), "");
  EXPECT_EQ(r.statuses, (std::vector<int>{vorabsSTATUS_OK, vorabsSTATUS_IGNORED}));
  const auto* fill = annFillArea::sto_dynamic_cast(named(r, "HATCH 50")->item.pointer());
  ASSERT_TRUE(fill);
  EXPECT_TRUE(
      static_cast<const velCompCurve2*>(fill->outer_boundary()->curve().pointer())->closed());
}
