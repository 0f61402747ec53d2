// dxfAnnotationKindsTest.cpp - tolerance frames, tables, arc and jogged dimensions, lights and
// proxy entities.
#include "DxfHarness.h"
#include "DxfRoundTrip.h"

#include "dxfTolerance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace {

const Entity* named(const DxfRead& r, const std::string& name) {
  const Entity* found = nullptr;
  for (const Entity& e : r.entities)
    found = e.name == name ? &e : found;
  return found;
}

template <class T> const T* item(const DxfRead& r, const std::string& name) {
  const Entity* e = named(r, name);
  return e ? T::sto_dynamic_cast(e->item.pointer()) : nullptr;
}

std::string at(const giPoint3& p) {
  std::ostringstream out;
  out << std::round(p.x * 1000) / 1000 + 0.0 << " " << std::round(p.y * 1000) / 1000 + 0.0 << " "
      << std::round(p.z * 1000) / 1000 + 0.0;
  return out.str();
}

std::string modifiers_of(const std::vector<int>& modifiers) {
  std::string out;
  for (int m : modifiers)
    out += " " + std::to_string(m);
  return out;
}

// "text[ modifiers]" of each cell of a frame, rows first.
std::string cells_of(const dxfToleranceFrame& frame) {
  std::ostringstream out;
  for (const dxfToleranceRow& row : frame.rows) {
    out << row.characteristic << ":";
    for (const dxfToleranceCell& c : row.tolerances)
      out << " t " << c.text << modifiers_of(c.modifiers);
    for (const dxfToleranceCell& c : row.datums)
      out << " d " << c.text << modifiers_of(c.modifiers);
    out << "|";
  }
  out << "zone " << frame.projected_height.text << "|id " << frame.datum_identifier.text << "|"
      << frame.cells;
  return out.str();
}

const char* const frame_text = "{\\Fgdt;j}%%v{\\Fgdt;n}0.5{\\Fgdt;m}%%v%%vA%%vB{\\Fgdt;l}%%v^J"
                               "{\\Fgdt;c}%%v0.1%%v%%v%%v%%v^J.5^JC";

TEST(dxfToleranceTest, AFrameTextGivesCharacteristicsTolerancesModifiersAndDatums) {
  EXPECT_EQ(cells_of(dxf_tolerance_frame(frame_text)),
            "position: t 0.5 1 2 d A d B 3|flatness: t 0.1|zone .5|id C|8");
  // Empty cells are no cells; %%c is a diameter; other fonts are dropped.
  EXPECT_EQ(cells_of(dxf_tolerance_frame("{\\Fgdt;r}%%v%%c1%%v2%%v{\\Fsimplex;A}%%v%%v")),
            "concentricity: t 1 1 t 2 d A|zone |id |4");
  EXPECT_EQ(cells_of(dxf_tolerance_frame("")), "zone |id |0");
  dxfToleranceCell tolerance = dxf_tolerance_frame(frame_text).rows[0].tolerances[0];
  EXPECT_EQ(dxf_tolerance_cell_text(tolerance, 1, ""), "\\U+23000.5\\U+24C2");
  EXPECT_EQ(dxf_tolerance_cell_text(dxfToleranceCell(), 0, "position"), "\\U+2316");
}

Dxf tolerance_drawing() {
  Dxf d;
  d.section("HEADER", [](Dxf& h) { h(9, "$ACADVER")(1, "AC1015")(9, "$INSUNITS")(70, 4); });
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "TOLERANCE")(5, "1F")(8, "GDT")(3, "Standard")(10, 10.0)(20, 20.0)(30, 0.0);
    e(1, frame_text)(11, 0.0)(21, 1.0)(31, 0.0);
  });
  return d;
}

TEST(dxfToleranceTest, AFrameIsAGeometricToleranceOfSpecificationsTolerancesAndDatums) {
  DxfRead r(tolerance_drawing().text());
  ASSERT_EQ(r.read_result, 1);
  EXPECT_EQ(r.errors(), "");
  EXPECT_TRUE(r.reader->untranslated().empty());
  ASSERT_TRUE(item<gdtGeometricTolerance>(r, "TOLERANCE 1F"));
  EXPECT_EQ(named(r, "TOLERANCE 1F")->layer, "1 GDT");
  EXPECT_EQ(named(r, "TOLERANCE 1F")->properties,
            "characteristic: position; flatness\nprojected tolerance zone: .5\n");
  EXPECT_EQ(named(r, "TOLERANCE 1F frame 1")->properties, "characteristic: position\n");
  const auto* tolerance = item<gdtTolerance>(r, "TOLERANCE 1F frame 1 tolerance 1");
  ASSERT_TRUE(tolerance);
  EXPECT_EQ(tolerance->tolerance_value(), 0.5);
  EXPECT_EQ(tolerance->modifiers().size(), 2u);
  EXPECT_TRUE(tolerance->modifiers().member(dxfGDT_MMC));
  const auto* datum = item<gdtDatumRef>(r, "TOLERANCE 1F frame 1 datum B");
  ASSERT_TRUE(datum);
  EXPECT_STREQ(datum->label().c_str(), "B");
  EXPECT_STREQ(datum->datum_name().c_str(), "B");
  EXPECT_TRUE(datum->modifiers().member(dxfGDT_LMC));
  EXPECT_TRUE(item<gdtToleranceSpec>(r, "TOLERANCE 1F frame 2"));
  EXPECT_STREQ(item<gdtDatum>(r, "TOLERANCE 1F datum identifier")->label().c_str(), "C");
  // The frame stands at its point along its direction (here up the y axis);
  // each cell shows as a text in it, the first a row's height below.
  const auto* frame = item<gdtGeometricTolerance>(r, "TOLERANCE 1F");
  ASSERT_TRUE(frame->transform().pointer());
  const giWorkplane3& placed = frame->transform()->workplane();
  EXPECT_EQ(at(placed.origin()) + "|" + at(giPoint3(0, 0, 0) + placed.u_vector()), "10 20 0|0 1 0");
  std::vector<const Entity*> texts = r.of("TEXT 1F (graphics of an entity)");
  ASSERT_EQ(texts.size(), 8u);
  const auto* symbol = annTextGeometry::sto_dynamic_cast(texts[0]->item.pointer());
  ASSERT_TRUE(symbol);
  EXPECT_EQ(at(symbol->lcs()->workplane().origin()), "1.25 -2.5 0");
  // The six cells of the rows stand in boxes two texts high.
  std::vector<const Entity*> boxes = r.of("POLYLINE 1F (graphics of an entity)");
  ASSERT_EQ(boxes.size(), 6u);
  EXPECT_EQ(boxes[0]->curve, "polyline");
  // The position symbol, one character (how it prints depends on the locale).
  EXPECT_EQ(symbol->text()->text().length() > 0 && symbol->text()->text().length() <= 3, true);
}

TEST(dxfAnnotationKindsTest, TablesArcAndJoggedDimensionsAreGroupsOverTheirBlocks) {
  Dxf d;
  d.section("BLOCKS", [](Dxf& b) {
    b(0, "BLOCK")(2, "*T1")(10, 0.0)(20, 0.0)(0, "LINE")(5, "50")(10, 0.0)(20, 0.0)(11, 1.0);
    b(21, 0.0)(0, "ENDBLK");
    b(0, "BLOCK")(2, "*D2")(10, 0.0)(20, 0.0)(0, "ARC")(5, "51")(10, 0.0)(20, 0.0)(40, 2.0);
    b(50, 0.0)(51, 90.0)(0, "ENDBLK");
  });
  d.section("ENTITIES", [](Dxf& e) {
    // The cell data after the reference repeats 2, 10 and 41: they are not the reference's.
    e(0, "ACAD_TABLE")(5, "60")(2, "*T1")(10, 10.0)(20, 5.0)(30, 0.0)(342, "6B")(343, "D0");
    e(11, 1.0)(21, 0.0)(31, 0.0)(90, 22)(91, 2)(92, 1)(171, 1)(2, "*OTHER")(10, 99.0)(41, 3.0);
    e(0, "ARC_DIMENSION")(5, "61")(2, "*D2")(10, 3.0)(20, 0.0)(70, 37)(13, 2.0)(23, 0.0);
    e(14, 0.0)(24, 2.0)(15, 0.0)(25, 0.0)(70, 0);
    e(0, "LARGE_RADIAL_DIMENSION")(5, "62")(2, "*D2")(10, 4.0)(20, 5.0)(70, 169)(13, 4.0);
    e(23, 5.1)(14, 6.0)(24, 6.0)(15, 7.0)(25, 7.0);
  });
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  EXPECT_EQ(r.errors(), "");
  EXPECT_TRUE(r.reader->untranslated().empty());
  const auto* table = item<annGroup>(r, "ACAD_TABLE 60");
  ASSERT_TRUE(table);
  ASSERT_TRUE(table->transform().pointer());
  EXPECT_EQ(table->transform()->workplane().origin().x, 10.0);
  EXPECT_EQ(table->transform()->workplane().origin().y, 5.0);
  const auto* arc = item<annDimension>(r, "ARC_DIMENSION 61");
  ASSERT_TRUE(arc);
  EXPECT_EQ(arc->num_members(), 1u);
  const auto* jogged = item<annRadiusDimension>(r, "LARGE_RADIAL_DIMENSION 62");
  ASSERT_TRUE(jogged);
  EXPECT_EQ(jogged->centre()->point().x, 4.0);
  EXPECT_EQ(jogged->centre()->point().y, 5.0);
}

TEST(dxfAnnotationKindsTest, ALightIsALightOfItsKindItsPlaceInItsProperties) {
  Dxf d;
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "LIGHT")(5, "70")(90, 1)(1, "Lamp")(70, 3)(290, 1)(40, 2.5)(10, 1.0)(20, 2.0)(30, 3.0);
    e(11, 1.0)(21, 2.0)(31, 0.0)(50, 45.0)(51, 50.0);
    e(0, "LIGHT")(5, "71")(70, 1)(10, 0.0)(20, 0.0)(30, 1.0)(11, 0.0)(21, 0.0)(31, 0.0);
  });
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  EXPECT_EQ(r.errors(), "");
  const auto* spot = item<annLight>(r, "LIGHT 70");
  ASSERT_TRUE(spot);
  EXPECT_STREQ(spot->kind().c_str(), "spot");
  EXPECT_EQ(named(r, "LIGHT 70")->properties, "position: 1 2 3\ntarget: 1 2 0\nintensity: 2.5\n"
                                              "hotspot angle: 45\nfalloff angle: 50\n");
  ASSERT_TRUE(item<annLight>(r, "LIGHT 71"));
  EXPECT_STREQ(item<annLight>(r, "LIGHT 71")->kind().c_str(), "distant");
}

// The hexadecimal text of proxy graphics holding one circle (centre 1 2 0,
// radius 3) and one line (0 0 0 to 4 0 0).
std::string proxy_graphics() {
  std::string bytes;
  auto i32 = [&](int32_t v) {
    for (int k = 0; k < 4; ++k)
      bytes += char((uint32_t(v) >> (8 * k)) & 0xFF);
  };
  auto real = [&](double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof v);
    for (int k = 0; k < 8; ++k)
      bytes += char((bits >> (8 * k)) & 0xFF);
  };
  i32(8 + 64 + 60);
  i32(2);
  i32(64);
  i32(2);
  for (double v : {1.0, 2.0, 0.0, 3.0, 0.0, 0.0, 1.0})
    real(v);
  i32(60);
  i32(6);
  i32(2);
  for (double v : {0.0, 0.0, 0.0, 4.0, 0.0, 0.0})
    real(v);
  std::string hex;
  for (unsigned char c : bytes) {
    char two[3];
    std::snprintf(two, sizeof two, "%02X", c);
    hex += two;
  }
  return hex;
}

Dxf proxy_drawing() {
  Dxf d;
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "ACAD_PROXY_ENTITY")(5, "80")(8, "WALLS")(90, 498)(91, 521)(70, 0);
    e(92, 132)(310, proxy_graphics().substr(0, 100))(310, proxy_graphics().substr(100));
    e(93, 8)(310, "0011223344556677");
    e(0, "ACAD_PROXY_ENTITY")(5, "81")(90, 498);
  });
  return d;
}

TEST(dxfAnnotationKindsTest, AProxyEntityIsAGroupOfWhatItsGraphicsDraw) {
  DxfRead r(proxy_drawing().text());
  ASSERT_EQ(r.read_result, 1);
  EXPECT_EQ(r.errors(), "");
  ASSERT_TRUE(item<annGroup>(r, "ACAD_PROXY_ENTITY 80"));
  const Entity* circle = named(r, "CIRCLE 80 (graphics of an entity)");
  ASSERT_TRUE(circle);
  EXPECT_EQ(circle->layer, "1 WALLS");
  EXPECT_EQ(circle->curve, "circular arc");
  EXPECT_EQ(named(r, "LINE 80 (graphics of an entity)")->curve, "line");
  // One without graphics draws nothing, and says so.
  EXPECT_EQ(r.statuses, (std::vector<int>{vorabsSTATUS_OK, vorabsSTATUS_IGNORED}));
  EXPECT_NE(all(r.output).find("Ignoring empty group ACAD_PROXY_ENTITY 81"), std::string::npos);
}

TEST(dxfAnnotationKindsTest, WhatTheNewKindsDrawComesBackThroughTheWriter) {
  Dxf d;
  d.section("BLOCKS", [](Dxf& b) {
    b(0, "BLOCK")(2, "*T1")(10, 0.0)(20, 0.0)(0, "LINE")(5, "50")(10, 0.0)(20, 0.0)(11, 1.0);
    b(21, 0.0)(0, "ENDBLK");
  });
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "ACAD_TABLE")(5, "60")(2, "*T1")(10, 10.0)(20, 5.0)(30, 0.0)(342, "6B");
    e(0, "ARC_DIMENSION")(5, "61")(2, "*T1")(10, 3.0)(20, 0.0);
    e(0, "ACAD_PROXY_ENTITY")(5, "80")(92, 132)(310, proxy_graphics());
    e(0, "LIGHT")(5, "70")(70, 2)(10, 1.0)(20, 2.0)(30, 3.0);
    e(0, "TOLERANCE")(5, "1F")(3, "Standard")(10, 10.0)(20, 20.0)(30, 0.0)(1, frame_text);
    e(11, 0.0)(21, 1.0)(31, 0.0);
  });
  TempDir folder;
  std::string in = folder.file("kinds.dxf"), out = folder.file("copy.dxf");
  FILE* file = std::fopen(in.c_str(), "w");
  ASSERT_TRUE(file);
  std::fputs(d.text().c_str(), file);
  std::fclose(file);
  RecordingChannel error;
  ASSERT_TRUE(convert(in, out, error));
  EXPECT_EQ(all(error), "");
  std::vector<double> original = samples(in), copy = samples(out);
  ASSERT_FALSE(original.empty());
  ASSERT_EQ(original.size(), copy.size());
  for (size_t k = 0; k < original.size(); ++k)
    EXPECT_NEAR(original[k], copy[k], 1e-9) << k;
  // The frame comes back as a TOLERANCE with its text, point and direction.
  std::ifstream written(out);
  std::vector<std::string> lines;
  for (std::string line; std::getline(written, line);)
    lines.push_back(line);
  auto tolerance = std::find(lines.begin(), lines.end(), "TOLERANCE");
  ASSERT_NE(tolerance, lines.end());
  auto value = [&](const std::string& code) {
    for (auto it = tolerance + 1; it + 1 < lines.end() && *it != "  0"; it += 2)
      if (*it == code)
        return *(it + 1);
    return std::string("none");
  };
  EXPECT_EQ(value("  1"), frame_text);
  EXPECT_EQ(value(" 10") + " " + value(" 20") + " " + value(" 21"), "10.0 20.0 1.0");
}

} // namespace
