// dxfWriterEncodingTest.cpp - names and texts any code page can carry, and extended data written
// back.
#include "DxfRoundTrip.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

namespace {

std::string file_text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Reads in, writes it in the given version and code page, and reads the copy.
struct RoundTrip {
  RoundTrip(const std::string& drawing, const char* version, const char* code_page) {
    std::setlocale(LC_ALL, "C.UTF-8"); // native text is the C runtime's, as hosts set it
    in = folder.file("in.dxf");
    out = folder.file("out.dxf");
    std::ofstream(in, std::ios::binary) << drawing;
    written = convert(in, out, error, version, code_page);
    text = file_text(out);
  }
  TempDir folder;
  std::string in, out, text;
  RecordingChannel error;
  int written = 0;
};

std::string text_of(const Entity& entity) {
  auto* text = annTextGeometry::sto_dynamic_cast(entity.item.pointer());
  return text ? text->text()->text().c_str() : "(not a text)";
}

const char cyrillic[] = "\xD0\x96\xD0\xB8\xD0\xBB"; // "Жил"

} // namespace

TEST(dxfWriterEncodingTest, NamesAndTextsACodePageLacksAreWrittenAsUnicodeEscapesAndReadBack) {
  Dxf d;
  d.section("HEADER", [](Dxf& h) { h(9, "$ACADVER")(1, "AC1024"); });
  d.section("TABLES", [](Dxf& t) {
    t(0, "TABLE")(2, "LAYER");
    t.layer(std::string("Wand ") + cyrillic, 1);
    t(0, "ENDTAB");
  });
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "LINE")(8, std::string("Wand ") + cyrillic)(10, 0.0)(20, 0.0)(11, 1.0)(21, 1.0);
    e(0, "TEXT")(10, 0.0)(20, 0.0)(40, 1.0)(1, std::string("Stra\xC3\x9F"
                                                           "e ") +
                                                   cyrillic);
    e(0, "MTEXT")(10, 0.0)(20, 5.0)(40, 1.0)(1, std::string(cyrillic) + "\\P{2}");
  });
  RoundTrip trip(d.text(), "AC1015", "ANSI_1252");
  ASSERT_TRUE(trip.written) << all(trip.error);
  EXPECT_EQ(all(trip.error), "");
  // What 1252 holds is written in it; the rest as \U+ escapes.
  EXPECT_NE(trip.text.find("\nWand \\U+0416\\U+0438\\U+043B\n"), std::string::npos);
  EXPECT_NE(trip.text.find("\nStra\xDF"
                           "e \\U+0416\\U+0438\\U+043B\n"),
            std::string::npos);
  EXPECT_TRUE(same_reading(trip.in, trip.out));
  DxfRead copy(trip.out.c_str(), 0);
  ASSERT_EQ(copy.entities.size(), 3u);
  EXPECT_EQ(copy.entities[0].layer, std::string("1 Wand ") + cyrillic);
}

TEST(dxfWriterEncodingTest, WhatATextHoldsLiterallyIsNotReadAsAnEscapeOrCode) {
  // Each text as the user typed it, and a source that reads as it.
  const std::pair<const char*, const char*> typed[] = {
      {"C:\\U+0041 and \\M+1234", "MTEXT C:\\\\U+0041 and \\\\M+1234"},
      {"50%%d and %%%", "TEXT 50%%%%%%d and %%%%%%%%%"},
      {"9%% %%%c", "MTEXT 9%%%%%% %%%%%%%%%c"},
      {"x^Jy {z}", "MTEXT x^ Jy \\{z\\}"},
      {"bell \x07 here", "TEXT bell \\U+0007 here"},
  };
  Dxf d;
  d.section("HEADER", [](Dxf& h) { h(9, "$ACADVER")(1, "AC1024"); });
  d.section("ENTITIES", [&](Dxf& e) {
    for (const auto& text : typed) {
      std::string source = text.second;
      size_t space = source.find(' ');
      e(0, source.substr(0, space))(10, 0.0)(20, 0.0)(40, 1.0)(1, source.substr(space + 1));
    }
  });
  for (const char* code_page : {"ANSI_1252", "ANSI_932"}) {
    RoundTrip trip(d.text(), "AC1015", code_page);
    ASSERT_TRUE(trip.written) << all(trip.error);
    DxfRead first(trip.in.c_str(), 0), copy(trip.out.c_str(), 0);
    const size_t count = std::size(typed);
    ASSERT_EQ(first.entities.size(), count);
    ASSERT_EQ(copy.entities.size(), count) << all(copy.error);
    for (size_t i = 0; i < count; ++i) {
      EXPECT_EQ(text_of(first.entities[i]), typed[i].first);
      EXPECT_EQ(text_of(copy.entities[i]), typed[i].first) << code_page;
    }
  }
}

TEST(dxfWriterEncodingTest, CodePageBytesThatReadAsUtf8AreWrittenAsEscapes) {
  // "鬪Ｑ" is E9 AA 82 70 in code page 932: well-formed UTF-8 for "骂p",
  // which a reader of a mislabelled file would take it for; readers decide
  // run by run between escapes, so a control character and a half-width
  // "ｱ" (B1, no UTF-8) after it must not hide the first run.
  const std::string typed[] = {"\xE9\xAC\xAA\xEF\xBC\xB1",
                               "\xE9\xAC\xAA\xEF\xBC\xB1\x02\xEF\xBD\xB1"};
  Dxf d;
  d.section("HEADER", [](Dxf& h) { h(9, "$ACADVER")(1, "AC1024"); });
  d.section("ENTITIES", [&](Dxf& e) {
    for (const std::string& text : typed)
      e(0, "TEXT")(10, 0.0)(20, 0.0)(40, 1.0)(1, text);
  });
  RoundTrip trip(d.text(), "AC1015", "ANSI_932");
  ASSERT_TRUE(trip.written) << all(trip.error);
  EXPECT_NE(trip.text.find("\n\\U+9B2A\\U+FF31\n"), std::string::npos);
  DxfRead copy(trip.out.c_str(), 0);
  ASSERT_EQ(copy.entities.size(), 2u) << all(copy.error);
  EXPECT_EQ(text_of(copy.entities[0]), typed[0]);
  EXPECT_EQ(text_of(copy.entities[1]), typed[1]);
}

TEST(dxfWriterEncodingTest, ExtendedDataIsWrittenBackUnderItsApplication) {
  Dxf d;
  d.section("HEADER", [](Dxf& h) { h(9, "$ACADVER")(1, "AC1024"); });
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "LINE")(10, 0.0)(20, 0.0)(11, 1.0)(21, 1.0);
    e(1001, "SURVEY")(1000, "pipe 12")(1002, "{")(1070, 5)(1040, 2.5)(1002, "}");
    e(1001, "OTHER_APP")(1071, 100000);
    e(0, "CIRCLE")(10, 0.0)(20, 0.0)(40, 1.0);
  });
  RoundTrip trip(d.text(), "AC1024", "");
  ASSERT_TRUE(trip.written) << all(trip.error);
  DxfRead first(trip.in.c_str(), 0), copy(trip.out.c_str(), 0);
  ASSERT_EQ(copy.entities.size(), 2u);
  EXPECT_EQ(first.entities[0].properties, "SURVEY: pipe 12; 5; 2.5\nOTHER_APP: 100000\n");
  EXPECT_EQ(copy.entities[0].properties, first.entities[0].properties);
  EXPECT_EQ(copy.entities[1].properties, "");
  // Each value under the code it reads as, each application registered.
  EXPECT_NE(trip.text.find("1001\nSURVEY\n1000\npipe 12\n1070\n5\n1040\n2.5\n1001\nOTHER_APP\n"
                           "1071\n100000\n"),
            std::string::npos);
  EXPECT_NE(trip.text.find("AcDbRegAppTableRecord\n  2\nSURVEY\n"), std::string::npos);
  EXPECT_NE(trip.text.find("AcDbRegAppTableRecord\n  2\nOTHER_APP\n"), std::string::npos);
  if (std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") == 0) {
    std::string check = "/usr/bin/python3 -c \"import ezdxf,sys; d=ezdxf.readfile('" + trip.out +
                        "'); a=d.audit(); sys.exit(len(a.errors))\"";
    EXPECT_EQ(std::system(check.c_str()), 0);
  }
}
