// dxfTextLayoutTest.cpp - text alignment and MTEXT attachment: read as layout properties, written
// back.
#include "DxfRoundTrip.h"

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

// "origin x y|u x y|height|properties" of the text of that name.
std::string placed(const DxfRead& r, const std::string& name) {
  const Entity* e = named(r, name);
  auto* t = e ? annTextGeometry::sto_dynamic_cast(e->item.pointer()) : nullptr;
  if (!t)
    return "no text " + name;
  const giWorkplane3& plane = t->lcs()->workplane();
  auto rounded = [](double v) { return std::round(v * 1000) / 1000; };
  std::ostringstream out;
  out << rounded(plane.origin().x) << " " << rounded(plane.origin().y) << "|"
      << rounded(plane.u_vector().x) << " " << rounded(plane.u_vector().y) << "|"
      << t->font()->height() << "|" << e->properties;
  return out.str();
}

std::string aligned_texts() {
  Dxf d;
  d.section("HEADER", [](Dxf& h) { h(9, "$ACADVER")(1, "AC1024"); });
  d.section("ENTITIES", [](Dxf& e) {
    // 10 is where the program last laid the text out; 11 is what counts.
    e(0, "TEXT")(5, "A1")(10, 0.0)(20, 0.0)(40, 2.0)(1, "centre")(72, 1)(11, 5.0)(21, 1.0);
    e(0, "TEXT")(5, "A2")(10, 0.0)(20, 0.0)(40, 2.0)(1, "top right")(72, 2)(73, 3)(11, 7.0)(21,
                                                                                            2.0);
    e(0, "TEXT")(5, "A3")(10, 0.0)(20, 0.0)(40, 2.0)(1, "middle")(72, 4)(11, 3.0)(21, 3.0);
    e(0, "TEXT")(5, "A4")(10, 1.0)(20, 1.0)(40, 2.0)(1, "fit")(72, 5)(11, 1.0)(21, 9.0);
    e(0, "TEXT")(5, "A5")(10, 0.0)(20, 0.0)(40, 2.0)(1, "aligned")(72, 3)(11, 6.0)(21, 0.0);
    // Alignment without its point: where 10 says, as other readers do.
    e(0, "TEXT")(5, "A6")(10, 4.0)(20, 4.0)(40, 2.0)(1, "no point")(72, 1);
    e(0, "TEXT")(5, "A7")(10, 4.0)(20, 4.0)(40, 2.0)(1, "plain");
    e(0, "TEXT")(5, "A10")(10, 4.0)(20, 16.0)(40, 2.0)(1, "slanted")(51, 15.0);
    e(0, "TEXT")(5, "A8")(10, 4.0)(20, 8.0)(40, 2.0)(1, "%%uTitle%%u of %%k%%oall%%k%%O");
    // A '%' typed just before a code: "%%%" then "%%u".
    e(0, "TEXT")(5, "A9")(10, 4.0)(20, 12.0)(40, 2.0)(1, "%%u50%%%%%u");
    e(0, "MTEXT")(5, "B1")(10, 2.0)(20, 3.0)(40, 1.5)(41, 20.0)(71, 5)(44, 1.5)(1, "a\\Pb");
    // An R2018 embedded object repeats 10, 11, 40, 41: they are its own.
    e(0, "MTEXT")(5, "B2")(10, 2.0)(20, 3.0)(40, 1.5)(71, 9)(1, "\\Lunder\\l");
    e(101, "Embedded Object")(70, 1)(10, 1.0)(20, 0.0)(30, 0.0)(11, 40.0)(21, 50.0)(31, 0.0);
    e(40, 99.0)(41, 0.0)(71, 2)(72, 1);
  });
  return d.text();
}

TEST(dxfTextLayoutTest, AlignedTextsAreAnchoredWhereTheirAlignmentPutsThem) {
  DxfRead r(aligned_texts());
  ASSERT_EQ(r.read_result, 1);
  EXPECT_EQ(r.errors(), "");
  EXPECT_EQ(placed(r, "TEXT A1"), "5 1|1 0|2|alignment: center baseline\n");
  EXPECT_EQ(placed(r, "TEXT A2"), "7 2|1 0|2|alignment: right top\n");
  EXPECT_EQ(placed(r, "TEXT A3"), "3 3|1 0|2|alignment: center middle\n");
  // Fitted texts run from 10 to 11, their length in font heights.
  EXPECT_EQ(placed(r, "TEXT A4"), "1 1|0 1|2|alignment: fit baseline\nfit length: 4\n");
  EXPECT_EQ(placed(r, "TEXT A5"), "0 0|1 0|2|alignment: aligned baseline\nfit length: 3\n");
  EXPECT_EQ(placed(r, "TEXT A6"), "4 4|1 0|2|");
  EXPECT_EQ(placed(r, "TEXT A7"), "4 4|1 0|2|");
  EXPECT_EQ(placed(r, "TEXT A10"), "4 16|1 0|2|oblique: 15\n");
  EXPECT_EQ(placed(r, "MTEXT B1"),
            "2 3|1 0|1.5|alignment: center middle\nparagraph: wrap\nline spacing: 1.5\n");
  EXPECT_EQ(placed(r, "MTEXT B2"),
            "2 3|1 0|1.5|alignment: right bottom\nparagraph: wrap\nmarkup: \\Lunder\\l\nruns: 0 "
            "5|underline=1\n");
}

// Inline heights (absolute and relative), fonts, colours (ACI and true
// colour, whose bytes run blue to red) and underlines, in groups that
// bring the format back when they close, become runs of the plain text.
TEST(dxfTextLayoutTest, AParagraphsInlineFormattingBecomesRunsOfItsPlainText) {
  Dxf d;
  d.section("HEADER", [](Dxf& h) { h(9, "$ACADVER")(1, "AC1024"); });
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "MTEXT")(5, "C1")(10, 0.0)(20, 0.0)(40, 2.0)(71, 1);
    e(1, "Plain {\\H3;Big} \\H1.5x;\\C1;red\\Pnext {\\fArial|b1|i0|c0|p34;bold "
         "\\c16711680;blue} \\Lunder\\l end");
    // Stacked fractions: smaller, the upper part raised, the lower sunk;
    // and a slant.
    e(0, "MTEXT")(5, "C2")(10, 0.0)(20, 9.0)(40, 2.0)(71, 1);
    e(1, "3\\S1/2;\" and {\\H2x;\\S+0.1^ -0.2;} \\Q15;q");
  });
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  const Entity* text = named(r, "MTEXT C1");
  ASSERT_NE(text, nullptr);
  const std::string runs = text->properties.substr(text->properties.find("runs: "));
  EXPECT_EQ(runs, "runs: 6 3|height=1.5; 10 9|height=1.5|colour=#FF0000; "
                  "19 5|height=1.5|font=Arial|bold=1|italic=0|colour=#FF0000; "
                  "24 4|height=1.5|font=Arial|bold=1|italic=0|colour=#0000FF; "
                  "28 1|height=1.5|colour=#FF0000; 29 5|height=1.5|colour=#FF0000|underline=1; "
                  "34 4|height=1.5|colour=#FF0000\n");
  const Entity* stacked = named(r, "MTEXT C2");
  ASSERT_NE(stacked, nullptr);
  EXPECT_EQ(annTextGeometry::sto_dynamic_cast(stacked->item.pointer())->text()->text(),
            utString("31/2\" and +0.1/-0.2 q"));
  EXPECT_EQ(stacked->properties.substr(stacked->properties.find("runs: ")),
            "runs: 1 1|height=0.7|rise=0.45; 3 1|height=0.7|rise=-0.25; "
            "10 4|height=1.4|rise=0.9; 14 1|height=2; 15 4|height=1.4|rise=-0.5; "
            "20 1|oblique=15\n");
}

// A line of text turns its underline, overline and strike-through on and
// off with %%u, %%o and %%k.
TEST(dxfTextLayoutTest, ALinesUnderlineCodesBecomeRuns) {
  Dxf d;
  d.section("HEADER", [](Dxf& h) { h(9, "$ACADVER")(1, "AC1024"); });
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "TEXT")(5, "C5")(10, 0.0)(20, 0.0)(40, 2.0)(1, "%%uTitle%%u of %%k%%oall%%k%%O %%d");
  });
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  EXPECT_EQ(placed(r, "TEXT C5"), "0 0|1 0|2|runs: 0 5|underline=1; 9 3|overline=1|strike=1\n");
}

// And a line's underline codes.
TEST(dxfTextLayoutTest, AlignmentAttachmentAndMarkupAreWrittenBack) {
  TempDir folder;
  std::string in = folder.file("in.dxf"), out = folder.file("out.dxf");
  std::ofstream(in, std::ios::binary) << aligned_texts();
  RecordingChannel error;
  ASSERT_TRUE(convert(in, out, error)) << all(error);
  DxfRead first(in.c_str(), 0), second(out.c_str(), 0);
  ASSERT_EQ(second.read_result, 1);
  std::vector<std::string> a, b;
  for (const Entity& e : first.entities)
    a.push_back(placed(first, e.name));
  for (const Entity& e : second.entities)
    b.push_back(placed(second, e.name));
  EXPECT_EQ(a, b);
  std::ifstream written(out, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("\\Lunder\\l"), std::string::npos);
  EXPECT_NE(text.find("%%uTitle%%u of %%o%%kall%%o%%k"), std::string::npos);
}

// A framed text: an MTEXT whose background flags (90) hold 16, its gap
// (45 - 1) heights, 1.5 when 45 is not given; a MULTILEADER with its
// frame on (292), its landing gap (145) from the text.
// A frame and a background fill span the same box; the fill's colour is an
// ACI (7 shows against the background), a true colour, or the background's.
TEST(dxfTextLayoutTest, AFramedOrFilledTextKeepsItsBoxAndItsGapInHeights) {
  Dxf d;
  d.section("HEADER", [](Dxf& h) { h(9, "$ACADVER")(1, "AC1032"); });
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "MTEXT")(5, "F1")(10, 0.0)(20, 0.0)(40, 2.0)(90, 16)(45, 2.0)(1, "framed");
    e(0, "MTEXT")(5, "F2")(10, 0.0)(20, 9.0)(40, 2.0)(90, 17)(63, 1)(1, "filled and framed");
    e(0, "MTEXT")(5, "F3")(10, 0.0)(20, 18.0)(40, 2.0)(90, 1)(63, 5)(421, "1193046")(45, 1.25);
    e(1, "in a true colour");
    e(0, "MTEXT")(5, "F4")(10, 0.0)(20, 27.0)(40, 2.0)(90, 3)(1, "masked");
    e(0, "MTEXT")(5, "F5")(10, 0.0)(20, 36.0)(40, 2.0)(90, 1)(63, 7)(1, "{\\C7;black} on white");
    e(0, "MULTILEADER")(5, "2F")(8, "0")(300, "CONTEXT_DATA{")(40, 1.0)(10, 48.0)(20, 20.0);
    e(30, 0.0)(41, 4.0)(140, 4.0)(145, 2.0)(290, 1)(304, "boxed")(12, 50.0)(22, 22.0)(32, 0.0);
    e(13, 1.0)(23, 0.0)(33, 0.0)(171, 1)(296, 0)(301, "}")(170, 1)(172, 2)(292, 1);
  });
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  EXPECT_EQ(r.errors(), "");
  EXPECT_EQ(placed(r, "MTEXT F1"), "0 0|1 0|2|alignment: left top\nparagraph: wrap\nframe: 1\n");
  EXPECT_EQ(placed(r, "MTEXT F2"), "0 9|1 0|2|alignment: left top\nparagraph: wrap\nframe: "
                                   "0.5\nbackground: #FF0000 0.5\n");
  EXPECT_EQ(placed(r, "MTEXT F3"),
            "0 18|1 0|2|alignment: left top\nparagraph: wrap\nbackground: #123456 0.25\n");
  EXPECT_EQ(placed(r, "MTEXT F4"),
            "0 27|1 0|2|alignment: left top\nparagraph: wrap\nbackground: canvas 0.5\n");
  EXPECT_NE(placed(r, "MTEXT F5").find("background: foreground 0.5\n"), std::string::npos);
  EXPECT_NE(placed(r, "MTEXT F5").find("runs: 0 5|colour=foreground"), std::string::npos);
  std::string leader;
  for (const Entity& e : r.entities)
    if (e.name == "MULTILEADER 2F" && annTextGeometry::sto_dynamic_cast(e.item.pointer()))
      leader = e.properties;
  EXPECT_NE(leader.find("frame: 0.5\n"), std::string::npos) << leader;

  // Written back, the frames, the fills and their gaps stay.
  TempDir folder;
  std::string in = folder.file("in.dxf"), out = folder.file("out.dxf");
  std::ofstream(in, std::ios::binary) << d.text();
  RecordingChannel error;
  ASSERT_TRUE(convert(in, out, error)) << all(error);
  DxfRead copy(out.c_str(), 0);
  ASSERT_EQ(copy.read_result, 1);
  auto framed = [](const DxfRead& read) {
    std::vector<std::string> texts;
    for (const Entity& e : read.entities)
      if (e.name.compare(0, 6, "MTEXT ") == 0)
        texts.push_back(placed(read, e.name).substr(placed(read, e.name).find('|')));
    return texts;
  };
  // The multileader's text comes back as an MTEXT of its own, framed.
  std::vector<std::string> expected = framed(r);
  expected.push_back("|1 0|4|alignment: left top\nparagraph: wrap\nframe: 0.5\n");
  EXPECT_EQ(framed(copy), expected);
}

// A paragraph set in columns (an R2018 embedded object: 71 the column
// type, 44 the column width) wraps at a column's width.
TEST(dxfTextLayoutTest, AParagraphInColumnsWrapsAtAColumnsWidth) {
  Dxf d;
  d.section("HEADER", [](Dxf& h) { h(9, "$ACADVER")(1, "AC1032"); });
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "MTEXT")(5, "C1")(10, 0.0)(20, 0.0)(40, 2.0)(41, 30.0)(1, "two\\Ncolumns");
    e(101, "Embedded Object")(70, 1)(10, 1.0)(20, 0.0)(30, 0.0)(11, 0.0)(21, 0.0)(31, 0.0);
    e(40, 30.0)(41, 0.0)(71, 2)(72, 2)(44, 14.0)(45, 2.0);
    e(0, "MTEXT")(5, "C2")(10, 0.0)(20, 9.0)(40, 2.0)(41, 30.0)(1, "one column");
  });
  DxfRead r(d.text());
  ASSERT_EQ(r.read_result, 1);
  auto width = [&](const char* name) {
    const Entity* e = named(r, name);
    auto* t = e ? annTextGeometry::sto_dynamic_cast(e->item.pointer()) : nullptr;
    return t ? t->width() : -1.0;
  };
  EXPECT_EQ(width("MTEXT C1"), 14.0);
  EXPECT_EQ(width("MTEXT C2"), 30.0);
}

} // namespace
