// IMAGE and WIPEOUT (clip boundary, file, size, mask) and MLINE (one curve
// per element of its style, caps).
#include "DxfHarness.h"
#include "DxfRoundTrip.h"

#include "ann/annFillArea.h"

#include <gtest/gtest.h>

#include <fstream>

TEST(dxfRasterTest, ImagesAreTheirClipBoundaryWithFileAndSizeAndWipeoutsMask) {
  Dxf d;
  d.section("ENTITIES", [](Dxf& e) {
    // 4 by 2 pixels of 0.5 units from (10, 20), no clip boundary: the whole raster.
    e(0, "IMAGE")(5, "40")(10, 10.0)(20, 20.0)(30, 0.0)(11, 0.5)(21, 0.0)(31, 0.0);
    e(12, 0.0)(22, 0.5)(32, 0.0)(13, 4.0)(23, 2.0)(340, "A1")(70, 7.0)(280, 0.0);
    e(0, "WIPEOUT")(5, "41")(10, 0.0)(20, 0.0)(30, 0.0)(11, 10.0)(21, 0.0)(31, 0.0);
    e(12, 0.0)(22, 10.0)(32, 0.0)(13, 1.0)(23, 1.0)(340, "0")(71, 2.0)(91, 4.0);
    e(14, -0.5)(24, 0.5)(14, 0.5)(24, 0.5)(14, 0.0)(24, -0.5)(14, -0.5)(24, 0.5);
  });
  d.section("OBJECTS", [](Dxf& o) { o(0, "IMAGEDEF")(5, "A1")(1, "photo.jpg")(10, 4.0)(20, 2.0); });
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  EXPECT_EQ(r.errors(), "");
  ASSERT_EQ(r.entities.size(), 2u);
  EXPECT_EQ(r.entities[0].name + " " + r.entities[0].curve, "IMAGE 40 polyline");
  EXPECT_EQ(r.entities[0].properties, "image file: photo.jpg\nimage size: 4 x 2 pixels\n");
  EXPECT_EQ(r.entities[1].name + " " + r.entities[1].properties, "WIPEOUT 41 mask: 1\n");
  const auto* mask = annFillArea::sto_dynamic_cast(r.entities[1].item.pointer());
  ASSERT_TRUE(mask);
  // The triangle (-0.5, 0.5) (0.5, 0.5) (0, -0.5) in pixels, rows counted
  // from the top: its apex at the top of the 10-unit square.
  const velCurvePtr2& outline = mask->outer_boundary()->curve();
  double t0 = 0, t1 = 0;
  outline->parameter_range(t0, t1);
  EXPECT_NEAR(outline->position(t0).x, 0.0, 1e-9);
  EXPECT_NEAR(outline->position(t0).y, 0.0, 1e-9);
  EXPECT_NEAR(outline->position(t0 + 2).x, 5.0, 1e-9);
  EXPECT_NEAR(outline->position(t0 + 2).y, 10.0, 1e-9);
  EXPECT_TRUE(r.reader->untranslated().empty());
}

TEST(dxfMultilineTest, AMultilineIsOneCurvePerStyleElementWithItsCaps) {
  Dxf d;
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "MLINE")(5, "50")(2, "TWO")(340, "B1")(40, 1.0)(70, 0.0)(71, 1.0)(72, 2.0)(73, 2.0);
    e(10, 0.0)(20, 0.0)(30, 0.0);
    for (double x : {0.0, 10.0}) {
      e(11, x)(21, 0.0)(31, 0.0)(12, 1.0)(22, 0.0)(32, 0.0)(13, 0.0)(23, 1.0)(33, 0.0);
      e(74, 1.0)(41, 0.5)(75, 0.0)(74, 2.0)(41, -0.5)(41, 0.0)(75, 0.0);
    }
  });
  d.section("OBJECTS", [](Dxf& o) {
    o(0, "MLINESTYLE")(5, "B1")(2, "TWO")(70, 16.0 + 1024.0)(3, "")(62, 256.0)(51, 90.0)(52, 90.0);
    o(71, 2.0)(49, 0.5)(62, 1.0)(6, "BYLAYER")(49, -0.5)(62, 256.0)(6, "BYLAYER");
  });
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  EXPECT_EQ(r.errors(), "");
  std::vector<std::string> names;
  for (const Entity& e : r.entities)
    names.push_back(e.name + " " + e.curve);
  EXPECT_EQ(names, (std::vector<std::string>{
                       "MLINE 50 element 1 polyline", "MLINE 50 element 2 polyline",
                       "MLINE 50 start cap polyline", "MLINE 50 end cap polyline", "MLINE 50 "}));
  EXPECT_EQ(r.entities[0].colour.substr(0, 5), "ACI 1"); // the style's element colour
  EXPECT_NE(r.entities[1].colour.substr(0, 5), "ACI 1");
  EXPECT_TRUE(r.reader->untranslated().empty());
}

TEST(dxfRasterTest, AWipeoutComesBackAsAWipeoutOverTheSameOutline) {
  TempDir folder;
  Dxf d;
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "WIPEOUT")(5, "41")(10, 2.0)(20, 1.0)(30, 0.0)(11, 4.0)(21, 0.0)(31, 0.0);
    e(12, 0.0)(22, 4.0)(32, 0.0)(13, 1.0)(23, 1.0)(340, "0")(71, 1.0)(91, 2.0);
    e(14, -0.5)(24, -0.5)(14, 0.5)(24, 0.5);
  });
  std::string in = folder.file("in.dxf"), out = folder.file("out.dxf");
  std::ofstream(in) << d.text();
  RecordingChannel error;
  ASSERT_TRUE(convert(in, out, error)) << all(error);
  DxfRead copy(out.c_str(), 0);
  EXPECT_EQ(copy.errors(), "");
  std::vector<const Entity*> masks;
  for (const Entity& e : copy.entities)
    if (e.properties == "mask: 1\n")
      masks.push_back(&e);
  ASSERT_EQ(masks.size(), 1u);
  const auto* mask = annFillArea::sto_dynamic_cast(masks[0]->item.pointer());
  ASSERT_TRUE(mask);
  EXPECT_TRUE(same_reading(in, out));
}
