// dxfAnnotationTest.cpp - texts, hatches, dimensions and leaders as the DXF reader sends them.
#include "DxfHarness.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <sstream>

namespace {

// The last entity of that name: a compound comes after its children.
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
  out << std::round(p.x * 1000) / 1000 << " " << std::round(p.y * 1000) / 1000 << " "
      << std::round(p.z * 1000) / 1000;
  return out.str();
}

// "string|font file|family|bold italic|height|width|origin|u direction".
std::string text_of(const annTextGeometry* t) {
  if (!t)
    return "no text";
  const annTextFont& f = *t->font();
  const giWorkplane3& plane = t->lcs()->workplane();
  std::ostringstream out;
  out << t->text()->text().c_str() << "|" << f.font_file().c_str() << "|" << f.family_name().c_str()
      << "|" << f.bold() << f.italic() << "|" << f.height() << "|" << t->width() << "|"
      << at(plane.origin()) << "|" << at(giPoint3(0, 0, 0) + plane.u_vector());
  return out.str();
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
  EXPECT_EQ(named(r, "TEXT 2B")->layer, "1 NOTES");
  EXPECT_EQ(text_of(item<annTextGeometry>(r, "TEXT 2B")),
            "Hello|romans.shx||00|2.5|0.8|1 2 0|0 1 0");
  // The style's height and family, bold and italic; the reference width.
  EXPECT_EQ(text_of(item<annTextGeometry>(r, "MTEXT 2C")), "Big\nSmall||Arial|11|4|30|0 0 0|0 1 0");
  EXPECT_EQ(text_of(item<annTextGeometry>(r, "MTEXT 2D")), "plain|||00|1.5|0|0 0 0|1 0 0");
  // Attributes are children of the insert, where the file puts them.
  EXPECT_EQ(text_of(item<annTextGeometry>(r, "ATTRIB 3B")), "P-1|||00|1|1|6 1 0|1 0 0");
  EXPECT_EQ(named(r, "ATTRIB 3B")->child * 10 + named(r, "ATTRIB 3C")->visible, 10);
}

// A square polyline path whose first side bulges out below.
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
  double t0 = 0.0, t1 = 0.0, lowest = 0.0;
  outer->parameter_range(t0, t1);
  for (int i = 0; i <= 64; ++i)
    lowest = std::min(lowest, outer->position(t0 + (t1 - t0) * i / 64).y);
  EXPECT_NEAR(lowest, -2.5, 0.01); // the bulged first side
  EXPECT_EQ(hatch->inner_boundaries().size(), 2u);
  EXPECT_TRUE(item<annGroup>(r, "HATCH 41")); // in a group placed by its OCS
  EXPECT_EQ(r.errors(), "Error : Entity HATCH 43 has failed: its outer boundary cannot be made: "
                        "the edges of a boundary path do not join up.\n");
  EXPECT_EQ(r.statuses, (std::vector<int>{vorabsSTATUS_OK, vorabsSTATUS_OK, vorabsSTATUS_IGNORED,
                                          vorabsSTATUS_FAILED}));
}

// The kind and defining point of a dimension ("radius 5 5 0", "angle 1 1 0 r 5").
std::string dimension_of(const DxfRead& r, const std::string& name) {
  if (const auto* c = item<annCentreDimension>(r, name))
    return (annRadiusDimension::sto_dynamic_cast(c) ? "radius " : "diameter ") +
           at(c->centre()->point());
  if (const auto* a = item<annAngularDimension>(r, name)) {
    std::ostringstream out;
    out << "angle " << at(a->vertex()->point()) << " r " << std::round(a->radius() * 1000) / 1000;
    return out.str();
  }
  if (const auto* o = item<annOrdinateDimension>(r, name))
    return "ordinate " + at(o->origin()->point());
  const auto* plain = item<annDimension>(r, name);
  return plain ? "plain " + std::to_string(plain->num_members()) : "none";
}

TEST(dxfAnnotationTest, DimensionsAndLeadersAreGroupsOfTheirKindWithTheirPoints) {
  Dxf d;
  d.section("BLOCKS", [](Dxf& b) {
    b(0, "BLOCK")(2, "*D1")(10, 0.0)(20, 0.0)(0, "LINE")(5, "50")(10, 0.0)(20, 0.0)(11, 1.0);
    b(21, 1.0)(0, "ENDBLK");
  });
  d.section("ENTITIES", [](Dxf& e) {
    for (const char* dimension : {"3F 4 10 5 20 5 15 6 25 5", "60 3 10 0 20 0 15 4 25 0",
                                  "61 2 13 2 23 1 14 5 24 1 15 1 25 2 10 1 20 6 16 3 26 3",
                                  "62 5 15 1 25 1 10 4 20 5", "63 6 10 7 20 8", "64 0 10 7 20 8"}) {
      std::istringstream in(dimension);
      std::string handle;
      int type = 0, code = 0;
      double value = 0.0;
      in >> handle >> type;
      e(0, "DIMENSION")(5, handle)(2, "*D1")(70, 32 + type);
      while (in >> code >> value)
        e(code, value);
    }
    e(0, "LEADER")(5, "70")(10, 0.0)(20, 0.0)(10, 2.0)(20, 2.0)(10, 4.0)(20, 2.0);
    e(1001, "MYAPP")(1000, "part")(1002, "{")(1070, "7")(1002, "}")(1001, "OTHER")(1040, "2.5");
    e(0, "MULTILEADER")(5, "71")(300, "CONTEXT_DATA{")(41, 2.0)(290, 1)(304, "Note")(12, 5.0);
    e(22, 5.0)(32, 0.0)(302, "LEADER{")(10, 4.0)(20, 4.0)(304, "LEADER_LINE{")(10, 0.0)(20, 0.0);
    e(305, "}")(271, 1)(303, "}")(301, "}");
  });
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  EXPECT_EQ(r.errors(), "");
  std::vector<std::string> dimensions;
  for (const char* handle : {"3F", "60", "61", "62", "63", "64"})
    dimensions.push_back(dimension_of(r, std::string("DIMENSION ") + handle));
  // The block's geometry is translated once and is a member of every dimension.
  EXPECT_EQ(dimensions,
            (std::vector<std::string>{"radius 5 5 0", "diameter 2 0 0", "angle 1 1 0 r 2.828",
                                      "angle 1 1 0 r 5", "ordinate 7 8 0", "plain 1"}));
  ASSERT_EQ(r.of("LINE 50").size(), 1u);

  ASSERT_TRUE(item<annGroup>(r, "LEADER 70"));
  EXPECT_EQ(named(r, "LEADER 70")->properties, "MYAPP: part; 7\nOTHER: 2.5\n");
  std::vector<std::string> leaders;
  for (const Entity& e : r.entities)
    if (e.name.find("LEADER") != std::string::npos)
      leaders.push_back(e.kind + " " + e.curve + (e.child ? " child" : "") +
                        text_of(annTextGeometry::sto_dynamic_cast(e.item.pointer())));
  // Each is the group of its parts: line and arrowhead, and text.
  EXPECT_EQ(leaders, (std::vector<std::string>{
                         "curve3 polyline childno text", "triblock  childno text",
                         "annotation no text", "curve3 polyline childno text",
                         "annotation  childNote|||00|2|0|5 5 0|1 0 0", "annotation no text"}));
}

} // namespace

TEST(dxfAnnotationTest, EmptyTextsAndTheTemplatesOfAttributesAreIgnoredAndTagsShown) {
  std::setlocale(LC_ALL, "C.UTF-8"); // native text is the C runtime's, as hosts set it
  Dxf d;
  d.section("BLOCKS", [](Dxf& b) {
    b(0, "BLOCK")(2, "B")(10, 0.0)(20, 0.0)(0, "POINT")(10, 0.0)(20, 0.0);
    b(0, "ATTDEF")(10, 0.0)(20, 0.0)(40, 1.0)(1, "")(3, "Part?")(2, "PART")(70, 0)(0, "ENDBLK");
    b(0, "BLOCK")(2, "UNUSED")(10, 0.0)(20, 0.0)(0, "LINE")(11, 1.0)(0, "ENDBLK");
  });
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "TEXT")(5, "1A")(10, 0.0)(20, 0.0)(40, 1.0)(1, "");
    e(0, "MTEXT")(5, "1B")(10, 0.0)(20, 0.0)(40, 1.0)(1, "{\\fArial;}");
    e(0, "ATTDEF")(5, "1C")(10, 2.0)(20, 3.0)(40, 1.0)(1, "")(3, "Size?")(2, "SIZE")(70, 0);
    e(0, "MTEXT")(5, "1D")(10, 0.0)(20, 0.0)(40, 1.0)(1, "%%c10 %%p0.1 \\S1^ 2;");
    // A SEQEND after an insert without attributes closes nothing: not skipped.
    e(0, "INSERT")(5, "1E")(2, "B")(10, 0.0)(20, 0.0)(0, "SEQEND");
  });
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  EXPECT_EQ(r.errors(), "");
  EXPECT_TRUE(r.reader->untranslated().empty());
  EXPECT_TRUE(r.reader->file()->skipped.empty());
  EXPECT_TRUE(r.of("TEXT 1A").empty());
  EXPECT_TRUE(r.of("MTEXT 1B").empty());
  EXPECT_EQ(text_of(item<annTextGeometry>(r, "ATTDEF 1C")), "SIZE|||00|1|1|2 3 0|1 0 0");
  EXPECT_EQ(text_of(item<annTextGeometry>(r, "MTEXT 1D")).substr(0, 16), "\xE2\x8C\x80"
                                                                         "10 \xC2\xB1"
                                                                         "0.1 1/2|");
  EXPECT_EQ(r.reader->ignored_in_blocks().at("ATTDEF"), 1);
  // A block nothing places draws nothing: its entities count as ignored.
  EXPECT_EQ(r.reader->ignored_in_blocks().at("LINE"), 1);
  EXPECT_EQ(r.reader->ignored_in_blocks().count("POINT"), 0u);
  // Nothing of the block's definition shows for its ATTDEF.
  EXPECT_EQ(r.of("ATTDEF").size(), 1u);
}
