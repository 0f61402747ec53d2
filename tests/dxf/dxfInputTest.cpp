// dxfInputTest.cpp - text encodings and bad input of the DXF reader.
#include "DxfHarness.h"

#include "dxfParser.h"
#include "dxfText.h"

#include <clocale>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

namespace {

// Native text is UTF-8 while a test runs.
class Utf8Locale {
public:
  Utf8Locale() : saved_(std::setlocale(LC_ALL, nullptr)) { std::setlocale(LC_ALL, "C.UTF-8"); }
  ~Utf8Locale() { std::setlocale(LC_ALL, saved_.c_str()); }

private:
  std::string saved_;
};

std::string with_layer(const char* version, const char* code_page, const std::string& layer) {
  Dxf d;
  d.section("HEADER", [&](Dxf& h) {
    h(9, "$ACADVER")(1, version);
    if (code_page)
      h(9, "$DWGCODEPAGE")(3, code_page);
  });
  d.section("ENTITIES", [&](Dxf& e) { e(0, "POINT")(8, layer)(10, 1.0)(20, 2.0); });
  return d.text();
}

std::string layer_of(const DxfRead& r) {
  return r.entities.empty() ? "" : r.entities[0].layer;
}

TEST(dxfEncodingTest, TextsDecodeByCodePageOrUtf8WithOneWarningWhereTheFileMisleads) {
  Utf8Locale locale;
  const std::string cyrillic_1251 = "\xD1\xEB\xEE\xE9";                 // Слой in ANSI_1251
  const std::string cyrillic_utf8 = "\xD0\xA1\xD0\xBB\xD0\xBE\xD0\xB9"; // Слой in UTF-8
  DxfRead cp(with_layer("AC1015", "ANSI_1251", cyrillic_1251));
  EXPECT_EQ(layer_of(cp), "1 " + cyrillic_utf8);
  EXPECT_EQ(cp.errors(), "");
  DxfRead modern(with_layer("AC1024", "ANSI_1251", cyrillic_utf8));
  EXPECT_EQ(layer_of(modern), "1 " + cyrillic_utf8);
  DxfRead lower(with_layer("AC1015", "ansi_1251", cyrillic_1251));
  EXPECT_EQ(layer_of(lower), "1 " + cyrillic_utf8);

  DxfRead utf8_in_old(with_layer("AC1015", "ANSI_1252", cyrillic_utf8));
  EXPECT_EQ(layer_of(utf8_in_old), "1 " + cyrillic_utf8);
  EXPECT_NE(utf8_in_old.errors().find("are read as UTF-8"), std::string::npos);
  DxfRead unknown(with_layer("AC1015", "KLINGON", "caf\xE9"));
  EXPECT_EQ(layer_of(unknown), "1 caf\xC3\xA9");
  EXPECT_NE(unknown.errors().find("Warning : "), std::string::npos);
  EXPECT_NE(unknown.errors().find("unknown code page 'KLINGON', texts are read as ANSI_1252"),
            std::string::npos);
  EXPECT_EQ(dxfTextDecoder::code_page_of("8859_1"), 1252u);
  EXPECT_EQ(dxfTextDecoder::code_page_of("dos850"), 850u);

  dxfTextDecoder decoder("AC1015", "ANSI_1252");
  EXPECT_STREQ(decoder.decode_text("{\\fArial|b1;Line 1}\\PLine \\U+00B0\\~2\\S1^2;", 1).c_str(),
               "Line 1\nLine \xC2\xB0 21/2");
  EXPECT_STREQ(decoder.decode_text("%%c10 %%d \\M+182A0", 0).c_str(), "\xE2\x8C\x80"
                                                                      "10 \xC2\xB0 \xE3\x81\x82");
}

// A file that starts well: header and one complete LINE.
std::string good_start() {
  Dxf d;
  d.section("HEADER", [](Dxf& h) { h(9, "$ACADVER")(1, "AC1015"); });
  return d(0, "SECTION")(2, "ENTITIES")(0, "LINE")(5, "A")(10, 0.0)(20, 0.0)(11, 1.0)(21, 1.0).text(
      false);
}

struct BadCase {
  std::string text;
  dxfParseStatus status;
  int delivered; // LINE A delivered
  std::string message;
};

TEST(dxfBadInputTest, EachFaultIsNamedWithItsLineAndKeepsWhatCameBefore) {
  const std::string start = good_start();
  const std::vector<BadCase> cases = {
      {"", dxfPARSE_EMPTY, 0, "the file is empty."},
      {start + "0\nLINE\n8\n", dxfPARSE_TRUNCATED, 1, "line 29: the file ends after a group code"},
      {start + "0\nENDSEC\n0\nSECTION\n2\nOBJECTS\n", dxfPARSE_TRUNCATED, 1,
       "the file ends before its EOF marker."},
      {start + "0\nLINE\nabc\n1\n", dxfPARSE_MALFORMED, 1, "line 29: group code 'abc' is not"},
      {start + "0\nLINE\n10\nx1\n", dxfPARSE_MALFORMED, 1,
       "line 30: value 'x1' of group code 10 is not a number."},
      {std::string("AutoCAD Binary DXF\r\n\x1a\0", 22) + "junk", dxfPARSE_BINARY, 0,
       "binary DXF is not supported"},
      {"AC1032\x00\x00\x00\x00\x01", dxfPARSE_DWG, 0, "this is a DWG file (AC1032), not DXF."},
  };
  for (const BadCase& c : cases) {
    DxfRead r(c.text);
    SCOPED_TRACE(c.message);
    EXPECT_EQ(r.reader->parse_status(), c.status);
    EXPECT_EQ(r.read_result, c.status != dxfPARSE_EMPTY && c.delivered);
    EXPECT_EQ(r.of("LINE A").size(), size_t(c.delivered));
    EXPECT_NE(r.errors().find(c.message), std::string::npos) << r.errors();
    EXPECT_EQ(r.errors().compare(0, 8, "Error : "), 0);
  }
  // Ending after a complete section loses nothing: a warning only.
  DxfRead no_eof(start + "0\nENDSEC\n");
  EXPECT_EQ(no_eof.reader->parse_status(), dxfPARSE_OK);
  EXPECT_EQ(no_eof.of("LINE A").size(), 1u);
  EXPECT_NE(no_eof.errors().find("Warning : "), std::string::npos) << no_eof.errors();
  EXPECT_NE(no_eof.errors().find("line 28: the file ends without its EOF marker."),
            std::string::npos)
      << no_eof.errors();
  TempDir folder;
  DxfRead directory(folder.path().c_str(), 0);
  EXPECT_EQ(directory.reader->parse_status(), dxfPARSE_UNREADABLE);
  EXPECT_NE(directory.errors().find("it is a directory"), std::string::npos);
  DxfRead missing(folder.file("none.dxf").c_str(), 0);
  EXPECT_EQ(missing.read_result, 0);
  EXPECT_NE(missing.errors().find("No such file or directory"), std::string::npos);
}

TEST(dxfBadInputTest, HugeAndNegativeCountsAllocateOnlyWhatTheDataHolds) {
  Dxf d;
  d.section("BLOCKS", [](Dxf& b) {
    b(0, "BLOCK")(2, "SELF")(0, "INSERT")(5, "B1")(2, "SELF")(0, "ENDBLK");
    b(0, "BLOCK")(2, "W")(0, "LINE")(11, 1.0)(0, "ENDBLK");
    b(0, "BLOCK")(2, "Z")(0, "INSERT")(5, "B2")(2, "W")(70, 100)(71, 100)(0, "ENDBLK");
    b(0, "BLOCK")(2, "Y")(0, "INSERT")(5, "B3")(2, "Z")(70, 100)(71, 100)(0, "ENDBLK");
  });
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "INSERT")(5, "B4")(2, "SELF")(0, "INSERT")(5, "B5")(2, "Y");
    e(0, "LWPOLYLINE")(5, "A1")(90, "2000000000")(10, 0.0)(20, 0.0)(10, 1.0)(20, 0.0);
    e(0, "SPLINE")(5, "A2")(71, 3)(72, "-5")(73, "99999999999")(10, 0.0)(20, 0.0);
    e(0, "HATCH")(5, "A3")(91, "4000000000")(92, 2)(93, "-1")(10, 0.0)(20, 0.0);
    e(0, "POLYLINE")(5, "A4")(70, 16)(71, 100000)(72, 100000)(0, "VERTEX")(0, "SEQEND");
    e(0, "INSERT")(5, "A5")(2, "B")(70, 100000)(71, 100000);
    e(0, "ELLIPSE")(5, "A6")(11, 1.0)(40, 0.5)(41, "1e300")(42, "-1e300");
  });
  DxfRead r(d.text());
  EXPECT_EQ(r.reader->parse_status(), dxfPARSE_OK) << r.errors();
  EXPECT_EQ(r.of("LWPOLYLINE A1").size(), 1u);
  EXPECT_EQ(r.of("ELLIPSE A6").size(), 1u); // far-off parameters, reduced to one turn
  EXPECT_EQ(r.reader->entities()[4].extra->hatch.paths.size(), 1u);
  std::string errors = r.errors();
  EXPECT_NE(errors.find("Entity SPLINE A2 has failed: its degree, knots"), std::string::npos);
  EXPECT_NE(errors.find("Entity POLYLINE A4 has failed: its mesh counts"), std::string::npos);
  EXPECT_NE(errors.find("INSERT A5: block 'B' is not defined"), std::string::npos);
  EXPECT_NE(errors.find("INSERT B1: block 'SELF' inserts itself."), std::string::npos);
  EXPECT_NE(errors.find("INSERT B3: it expands to more than 10000000 entities."),
            std::string::npos);
}

TEST(dxfParserTest, AFileLongerThanThePagesLetGoReadsAsItsBytesDo) {
  // 11 MB of lines: the parser lets the mapping's pages go behind it.
  Dxf d;
  const int count = 250000;
  d.section("ENTITIES", [&](Dxf& e) {
    for (int i = 0; i < count; ++i)
      e(0, "LINE")(8, "L" + std::to_string(i % 7))(10, double(i))(20, 0.5)(11, i + 0.25)(21, 1.0);
  });
  const std::string text = d.text();
  ASSERT_GT(text.size(), size_t(10) << 20);
  const std::string path = testing::TempDir() + "/dxfParserTest-long.dxf";
  std::ofstream(path, std::ios::binary) << text;
  dxfFile from_disk, from_memory;
  dxfParser::parse_file(path.c_str(), from_disk);
  dxfParser::parse(text.data(), text.size(), from_memory);
  std::remove(path.c_str());
  ASSERT_EQ(from_disk.status, dxfPARSE_OK);
  ASSERT_EQ(from_disk.entities.size(), size_t(count));
  ASSERT_EQ(from_memory.entities.size(), size_t(count));
  for (int i = 0; i < count; i += 997) {
    const dxfEntity &a = from_disk.entities[size_t(i)], &b = from_memory.entities[size_t(i)];
    EXPECT_EQ(a.p[0].x, double(i));
    EXPECT_EQ(a.p[1].x, b.p[1].x);
    EXPECT_EQ(from_disk.layers[size_t(a.layer)].name, "L" + std::to_string(i % 7));
    EXPECT_EQ(a.line, b.line);
  }
}

} // namespace
