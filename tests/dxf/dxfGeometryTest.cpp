// Geometry as real files write it: ellipses with their axes swapped,
// polyface meshes of edges or of nothing.
#include "DxfHarness.h"
#include "DxfRoundTrip.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::string one_ellipse(double major_x, double major_y, double ratio, double start, double end) {
  Dxf d;
  d.section("ENTITIES", [&](Dxf& e) {
    e(0, "ELLIPSE")(5, "22")(10, 1.0)(20, 2.0)(30, 0.0)(11, major_x)(21, major_y)(31, 0.0);
    e(40, ratio)(41, start)(42, end);
  });
  return d.text();
}

// A polyface mesh of three vertices and the given face records (indices).
void polyface(Dxf& e, const char* handle, std::vector<std::vector<int>> faces) {
  e(0, "POLYLINE")(5, handle)(66, 1.0)(70, 64.0)(71, 3.0)(72, double(faces.size()));
  for (auto p : {std::make_pair(0.0, 0.0), {4.0, 0.0}, {0.0, 3.0}})
    e(0, "VERTEX")(10, p.first)(20, p.second)(30, 0.0)(70, 192.0);
  for (const std::vector<int>& face : faces) {
    e(0, "VERTEX")(10, 0.0)(20, 0.0)(30, 0.0)(70, 128.0);
    for (size_t i = 0; i < face.size(); ++i)
      e(int(71 + i), double(face[i]));
  }
  e(0, "SEQEND");
}

} // namespace

TEST(dxfGeometryTest, AnEllipseWithItsRatioOverOneIsReadWithItsAxesSwapped) {
  TempDir folder;
  std::string swapped = folder.file("swapped.dxf"), usual = folder.file("usual.dxf");
  const double quarter = 1.5707963267948966;
  std::ofstream(swapped) << one_ellipse(4.0, 0.0, 1.25, 0.5, 2.0);
  std::ofstream(usual) << one_ellipse(0.0, 5.0, 0.8, 0.5 - quarter, 2.0 - quarter);
  DxfRead r(swapped.c_str(), 0);
  EXPECT_EQ(r.errors(), "");
  std::vector<double> read = samples(swapped), expected = samples(usual);
  ASSERT_EQ(read.size(), expected.size());
  for (size_t i = 0; i < read.size(); ++i)
    EXPECT_NEAR(read[i], expected[i], 1e-4) << i;
}

TEST(dxfGeometryTest, PolyfaceMeshesDrawTheirEdgeRecordsAndIgnoreWhatIsEmpty) {
  Dxf d;
  d.section("ENTITIES", [](Dxf& e) {
    polyface(e, "30", {{1, 2}, {1, 2, 3}});
    polyface(e, "31", {{2, 3}});
    polyface(e, "32", {});
  });
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  EXPECT_EQ(r.errors(), "");
  std::vector<std::string> made;
  for (const Entity& e : r.entities)
    made.push_back(e.kind + " " + e.name + " " + e.curve);
  // Each mesh with edges is a group of what it gives.
  EXPECT_EQ(made,
            (std::vector<std::string>{"triblock POLYLINE 30 ", "curve3 POLYLINE 30 edge 1 line",
                                      "annotation POLYLINE 30 ", "curve3 POLYLINE 31 edge 1 line",
                                      "annotation POLYLINE 31 "}));
  EXPECT_EQ(r.statuses.back(), vorabsSTATUS_IGNORED);
  EXPECT_EQ(r.output.texts().back(),
            "Entity POLYLINE 32 is ignored: its polyface mesh has no faces.\n");
}

TEST(dxfGeometryTest, TracesAreSolidsHelicesTheirSplinesAndEndlessLinesAreIgnoredWithAWord) {
  Dxf d;
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "TRACE")(5, "40")(10, 0.0)(20, 0.0)(11, 1.0)(21, 0.0)(12, 0.0)(22, 1.0)(13, 1.0)(23, 1.0);
    // The spline part (degree 1, 2 control points), then the helix's own
    // groups reusing 10, 40 and 41.
    e(0, "HELIX")(5, "41")(70, 0.0)(71, 1.0)(72, 4.0)(73, 2.0)(74, 0.0);
    e(40, 0.0)(40, 0.0)(40, 1.0)(40, 1.0)(10, 0.0)(20, 0.0)(30, 0.0)(10, 1.0)(20, 1.0)(30, 1.0);
    e(90, 29.0)(91, 63.0)(10, 5.0)(20, 5.0)(30, 5.0)(11, 1.0)(21, 0.0)(31, 0.0);
    e(12, 0.0)(22, 0.0)(32, 1.0)(40, 2.0)(41, 3.0)(42, 1.0)(290, 1.0)(280, 1.0);
    e(0, "RAY")(5, "42")(10, 0.0)(20, 0.0)(11, 1.0)(21, 0.0);
    e(0, "XLINE")(5, "43")(10, 0.0)(20, 0.0)(11, 0.0)(21, 1.0);
  });
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  EXPECT_EQ(r.errors(), "");
  std::vector<std::string> made;
  for (const Entity& e : r.entities)
    made.push_back(e.kind + " " + e.name + " " + e.curve);
  EXPECT_EQ(made, (std::vector<std::string>{"triblock TRACE 40 ", "curve3 HELIX 41 B-spline"}));
  EXPECT_TRUE(r.reader->untranslated().empty());
  EXPECT_EQ(r.statuses, (std::vector<int>{vorabsSTATUS_OK, vorabsSTATUS_OK, vorabsSTATUS_IGNORED,
                                          vorabsSTATUS_IGNORED}));
  EXPECT_EQ(
      r.output.texts(),
      (std::vector<std::string>{"Entity RAY 42 is ignored: a line without end is not drawn.\n",
                                "Entity XLINE 43 is ignored: a line without end is not drawn.\n"}));
}

TEST(dxfGeometryTest, AMeshIsTheTriangleBlockOfItsControlFaces) {
  Dxf d;
  d.section("ENTITIES", [](Dxf& e) {
    // A proxy graphics size first, then a square and a triangle sharing an edge.
    e(0, "MESH")(5, "50")(92, 16.0)(310, "00")(71, 2.0)(72, 0.0)(91, 0.0)(92, 5.0);
    for (auto p : {std::make_pair(0.0, 0.0), {1.0, 0.0}, {1.0, 1.0}, {0.0, 1.0}, {2.0, 0.5}})
      e(10, p.first)(20, p.second)(30, 0.0);
    e(93, 9.0);
    for (double v : {4.0, 0.0, 1.0, 2.0, 3.0, 3.0, 1.0, 4.0, 2.0})
      e(90, v);
    e(94, 1.0)(90, 0.0)(90, 1.0)(95, 0.0);
  });
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  EXPECT_EQ(r.errors(), "");
  ASSERT_EQ(r.entities.size(), 1u);
  EXPECT_EQ(r.entities[0].kind + " " + r.entities[0].name, "triblock MESH 50");
  EXPECT_TRUE(r.reader->untranslated().empty());
  EXPECT_EQ(r.statuses, (std::vector<int>{vorabsSTATUS_OK}));
}
