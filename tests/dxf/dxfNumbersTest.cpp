// dxfNumbersTest.cpp - integers read from a file: out of range gives the field's default and a
// warning.
#include "DxfHarness.h"

#include "dxfNumbers.h"
#include "dxfParser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string file_text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::string warnings(const dxfFile& file) {
  std::string out;
  for (const dxfDiagnostic& d : file.diagnostics)
    if (!d.error)
      out += std::to_string(d.line) + ": " + d.text + "\n";
  return out;
}

} // namespace

TEST(dxfNumbersTest, ARealBecomesAnIntOnlyInsideItsRange) {
  int out = 0;
  EXPECT_TRUE(dxf_checked_int(7.9, 0, 10, -1, out));
  EXPECT_EQ(out, 7);
  EXPECT_TRUE(dxf_checked_int(-2.5, -3, 10, -1, out));
  EXPECT_EQ(out, -2);
  EXPECT_TRUE(dxf_checked_int(10.5, 0, 10, -1, out)); // truncated to the bound
  EXPECT_EQ(out, 10);
  for (double bad : {8.78025e11, -1e300, 11.0, -0.5, double(NAN), double(INFINITY)}) {
    EXPECT_FALSE(dxf_checked_int(bad, 0, 10, -1, out)) << bad;
    EXPECT_EQ(out, -1);
  }
  EXPECT_FALSE(dxf_checked_int(2147483648.0, dxf_int_min, dxf_int_max, 0, out));
  EXPECT_FALSE(dxf_checked_int(-2147483648LL, dxf_int_min, dxf_int_max, 0, out));
  EXPECT_TRUE(dxf_checked_int(2147483647LL, dxf_int_min, dxf_int_max, 0, out));
  EXPECT_EQ(out, 2147483647);
}

TEST(dxfNumbersTest, AHatchSplineEdgeOfAnAbsurdDegreeTakesTheDefaultWithAWarning) {
  dxfFile file;
  std::string text =
      file_text(VORABS_SOURCE_DIR "/fuzz/regressions/dxf/hatch-spline-edge-huge-degree.dxf");
  dxfParser::parse(text.data(), text.size(), file);
  EXPECT_EQ(file.status, dxfPARSE_OK);
  ASSERT_EQ(file.entities.size(), 1u);
  const dxfHatch& hatch = file.entities[0].extra->hatch;
  ASSERT_EQ(hatch.paths.size(), 1u);
  ASSERT_EQ(hatch.paths[0].edges.size(), 1u);
  EXPECT_EQ(hatch.paths[0].edges[0].degree, 3);
  EXPECT_EQ(hatch.paths[0].edges[0].control.size(), 4u);
  EXPECT_EQ(warnings(file),
            "30: value '8.78025e+11' of group code 94 is outside 1 to 31; 3 is used\n");
}

TEST(dxfNumbersTest, IntegerFieldsHoldingNaNInfinitiesOrHugeNumbersTakeTheirDefaults) {
  dxfFile file;
  std::string text =
      file_text(VORABS_SOURCE_DIR "/fuzz/regressions/dxf/integer-fields-out-of-range.dxf");
  dxfParser::parse(text.data(), text.size(), file);
  EXPECT_EQ(file.status, dxfPARSE_OK);
  EXPECT_EQ(file.units, 0);
  ASSERT_EQ(file.layers.size(), 2u);
  EXPECT_EQ(file.layers[1].colour, 7);
  EXPECT_EQ(file.layers[1].lineweight, -3);
  EXPECT_EQ(file.layers[1].true_colour, -1);
  ASSERT_EQ(file.entities.size(), 4u);
  const dxfEntity& line = file.entities[0];
  EXPECT_EQ(line.colour, 256);
  EXPECT_EQ(line.lineweight, -1);
  EXPECT_EQ(line.true_colour, -1);
  EXPECT_EQ(line.invisible, 0);
  EXPECT_EQ(file.entities[1].i71, 3); // the spline's degree
  const dxfEntity& mesh = file.entities[2];
  EXPECT_EQ(mesh.i71, 0);
  ASSERT_EQ(mesh.vertices.size(), 4u);
  EXPECT_EQ(mesh.vertices[3].index[0], 0);
  EXPECT_EQ(mesh.vertices[3].index[2], 0);
  const std::string said = warnings(file);
  EXPECT_NE(said.find("value '1e99' of group code 70 is outside 0 to 24; 0 is used"),
            std::string::npos)
      << said;
  EXPECT_NE(said.find("value 'nan' of group code 62 is outside -257 to 257; 256 is used"),
            std::string::npos)
      << said;
  // The whole drawing reads through the translators too, without fault.
  DxfRead read(text);
  EXPECT_TRUE(read.read_result);
}

TEST(dxfNumbersTest, OnlyTheFirstTwentyValuesOutOfRangeAreReported) {
  Dxf d;
  d.section("ENTITIES", [](Dxf& e) {
    for (int i = 0; i < 30; ++i)
      e(0, "POINT")(62, "1e20")(10, 0.0)(20, 0.0);
  });
  std::string text = d.text();
  dxfFile file;
  dxfParser::parse(text.data(), text.size(), file);
  EXPECT_EQ(file.entities.size(), 30u);
  EXPECT_EQ(file.diagnostics.size(), 20u);
  EXPECT_NE(file.diagnostics.back().text.find("further values out of range are not reported"),
            std::string::npos);
}
