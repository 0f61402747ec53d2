// dxfLibOutputTest.cpp - the DXF writer: what it writes reads back the same, and what it refuses.
#include "DxfRoundTrip.h"

#include "dxfLibOutput.h"
#include "vorabsIfStream.h"
#include "vorabsInterface.h"
#include "vorabsName.h"
#include "vorabsObjectType.h"
#include "vorabsVoid.h"
#include "vorabsVoid.h"

#include "vorabsOfStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string drawing() {
  Dxf d;
  d.section("HEADER", [](Dxf& h) { h(9, "$ACADVER")(1, "AC1024"); });
  d.section("TABLES", [](Dxf& t) {
    t(0, "TABLE")(2, "LTYPE")(0, "LTYPE")(2, "DASHED")(70, 0)(3, "__ __")(72, 65)(73, 2)(40, 0.75);
    t(49, 0.5)(74, 0)(49, -0.25)(74, 0)(0, "ENDTAB");
    t(0, "TABLE")(2, "LAYER");
    t.layer("Walls", 1, "DASHED", 0, 50).layer("Hidden", -3);
    t(0, "ENDTAB");
    t(0, "TABLE")(2, "BLOCK_RECORD")(0, "BLOCK_RECORD")(5, "1F")(2, "*Paper_Space")(0, "ENDTAB");
  });
  d.section("BLOCKS", [](Dxf& b) {
    b(0, "BLOCK")(2, "*Paper_Space")(0, "ENDBLK");
    b(0, "BLOCK")(2, "BOLT")(70, 0)(10, 1.0)(20, 0.0)(30, 0.0);
    b(0, "CIRCLE")(8, "0")(62, 0)(10, 1.0)(20, 0.0)(40, 0.5);
    b(0, "LINE")(8, "Walls")(10, 0.0)(20, 0.0)(11, 2.0)(21, 0.0)(0, "ENDBLK");
    b(0, "BLOCK")(2, "PLATE")(70, 0)(10, 0.0)(20, 0.0)(30, 0.0);
    b(0, "INSERT")(2, "BOLT")(10, 3.0)(20, 0.0)(50, 90.0)(0, "ENDBLK");
  });
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "INSERT")(8, "Hidden")(62, 3)(2, "PLATE")(10, 10.0)(20, 10.0)(50, 30.0);
    e(0, "INSERT")(2, "BOLT")(10, -5.0)(20, 0.0)(41, -1.0);
    e(0, "INSERT")(2, "BOLT")(10, 0.0)(20, -5.0)(41, 2.0)(42, 2.0)(43, 2.0)(210, 0.0)(220, 0.0)(
        230, -1.0);
    e(0, "LINE")(8, "Walls")(10, 0.5)(20, 0.25)(30, 1.0)(11, 10.0)(21, 5.0)(31, 1.0);
    e(0, "ARC")(8, "Hidden")(62, 5)(10, 1.0)(20, 2.0)(40, 2.0)(50, 30.0)(51, 120.0);
    e(0, "ARC")(10, 1.0)(20, 2.0)(30, 3.0)(40, 1.5)(50, 10.0)(51, 200.0)(210, 0.0)(220, 0.6)(230,
                                                                                             0.8);
    e(0, "CIRCLE")(420, 0x123456)(370, 35)(10, 5.0)(20, 5.0)(40, 1.0);
    e(0, "ELLIPSE")(60, 1)(10, 1.0)(20, 1.0)(11, 3.0)(21, 4.0)(40, 0.5)(41, 0.5)(42, 4.0);
    e(0, "LWPOLYLINE")(6, "DASHED")(90, 3)(70, 1)(10, 0.0)(20, 0.0)(42, 1.0)(10, 2.0)(20, 0.0);
    e(10, 2.0)(20, 2.0);
    e(0, "POLYLINE")(66, 1)(70, 8)(0, "VERTEX")(10, 0.0)(20, 0.0)(30, 0.0)(70, 32);
    e(0, "VERTEX")(10, 1.0)(20, 2.0)(30, 3.0)(70, 32)(0, "SEQEND");
    e(0, "SPLINE")(70, 4)(71, 2)(72, 6)(73, 3);
    for (double k : {0.0, 0.0, 0.0, 1.0, 1.0, 1.0})
      e(40, k);
    e(41, 1.0)(41, 0.5)(41, 1.0);
    e(10, 0.0)(20, 0.0)(30, 0.0)(10, 1.0)(20, 1.0)(30, 0.0)(10, 2.0)(20, 0.0)(30, 0.0);
    e(0, "POINT")(8, "Walls")(10, 1.0)(20, 2.0)(30, 3.0);
    e(0, "3DFACE")(10, 0.0)(20, 0.0)(11, 1.0)(21, 0.0)(12, 1.0)(22, 1.0)(13, 1.0)(23, 1.0);
    e(0, "TEXT")(10, 1.0)(20, 2.0)(40, 2.5)(1, "Stra\xC3\x9F"
                                               "e \xE2\x80\x94 \xD0\x96")(50, 30.0);
    e(0, "MTEXT")(10, 1.0)(20, 5.0)(40, 2.0)(41, 40.0)(1, "Zeile 1\\PZeile {2}");
    e(0, "HATCH")(2, "SOLID")(70, 1)(91, 2);
    e(92, 3)(72, 0)(73, 1)(93, 4)(10, 0.0)(20, 0.0)(10, 9.0)(20, 0.0)(10, 9.0)(20, 9.0)(10, 0.0);
    e(20, 9.0)(97, 0)(92, 2)(72, 1)(73, 1)(93, 2)(10, 3.0)(20, 4.0)(42, 1.0)(10, 5.0)(20, 4.0);
    e(42, 1.0)(97, 0)(75, 0)(76, 1)(98, 0);
    e(0, "LINE")(67, 1)(10, 0.0)(20, 0.0)(11, 1.0)(21, 0.0);
    e(0, "VIEWPORT")(67, 1)(10, 148.0)(20, 105.0)(40, 297.0)(41, 210.0)(69, 1);
    e(0, "VIEWPORT")(67, 1)(10, 100.0)(20, 100.0)(40, 200.0)(41, 100.0)(69, 2);
    e(12, 3.0)(22, 4.0)(45, 50.0);
  });
  d.section("OBJECTS",
            [](Dxf& o) { o(0, "LAYOUT")(1, "Sheet A")(44, 297.0)(45, 210.0)(71, 1)(330, "1F"); });
  return d.text();
}

TEST(dxfLibOutputTest, WhatItWritesReadsBackWithTheSameKindsLooksAndShapes) {
  std::setlocale(LC_ALL, "C.UTF-8"); // native text is the C runtime's, as hosts set it
  TempDir folder;
  std::string in = folder.file("in.dxf"), out = folder.file("out.dxf");
  std::ofstream(in, std::ios::binary) << drawing();
  RecordingChannel error;
  ASSERT_TRUE(convert(in, out, error)) << all(error);
  EXPECT_EQ(all(error), "");
  DxfRead first(in.c_str(), 1), second(out.c_str(), 1);
  EXPECT_EQ(second.errors(), "");
  EXPECT_TRUE(same_reading(in, out));
  ASSERT_EQ(second.entities.size(), 27u);
  std::ostringstream sheet;
  second.document->print(sheet);
  EXPECT_NE(sheet.str().find("paper 297 x 210"), std::string::npos) << sheet.str();
  // Inserts stay inserts of the blocks they placed. BOLT reaches the writer
  // under two inherited looks (on its own, and inside PLATE on layer
  // Hidden) and is written once for each, the second as BOLT_2.
  EXPECT_EQ(second.reader->file()->counts.at("INSERT"), 3);
  std::vector<std::string> blocks;
  for (const dxfBlock& block : second.reader->file()->blocks)
    if (block.name[0] != '*')
      blocks.push_back(block.name);
  std::sort(blocks.begin(), blocks.end());
  EXPECT_EQ(blocks, (std::vector<std::string>{"BOLT", "BOLT_2", "PLATE"}));
  // Another program opens the file without complaint.
  if (std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") == 0) {
    std::string check = "/usr/bin/python3 -c \"import ezdxf,sys; d=ezdxf.readfile('" + out +
                        "'); a=d.audit(); sys.exit(len(a.errors))\"";
    EXPECT_EQ(std::system(check.c_str()), 0);
  }
}

// Writes the drawing as a file of the folder and converts it to a copy
// beside it; false, with the writer's messages, when that fails.
bool converted(const TempDir& folder, const Dxf& drawing, std::string& in, std::string& out) {
  in = folder.file("drawing.dxf");
  out = folder.file("drawing-out.dxf");
  std::ofstream(in, std::ios::binary) << drawing.text();
  RecordingChannel error;
  if (convert(in, out, error))
    return true;
  ADD_FAILURE() << all(error);
  return false;
}

// Mebibytes of entities reach the file piece by piece, none lost,
// none doubled, in their order: the same file whether the pieces waited in
// a temporary file or, where none can be made, in memory.
TEST(dxfLibOutputTest, ALongDrawingIsWrittenWholeAndInOrder) {
  Dxf d;
  const int lines = 12000;
  d.section("ENTITIES", [](Dxf& e) {
    for (int i = 0; i < lines; ++i)
      e(0, "LINE")(8, "0")(10, double(i))(20, 0.5)(11, double(i))(21, 1.5);
  });
  TempDir folder;
  std::string in, out;
  ASSERT_TRUE(converted(folder, d, in, out));
  DxfRead copy(out.c_str(), 0);
  ASSERT_EQ(copy.reader->file()->counts.at("LINE"), lines);
  ASSERT_EQ(copy.reader->entities().size(), size_t(lines));
  for (int i : {0, 4321, lines - 1})
    EXPECT_EQ(copy.reader->entities()[size_t(i)].p[0].x, double(i));
  std::ifstream written(out, std::ios::binary | std::ios::ate);
  EXPECT_GT(written.tellg(), std::streamoff(1) << 20); // more than one piece

  const char* kept = std::getenv("TMPDIR");
  const std::string before = kept ? kept : "";
  setenv("TMPDIR", folder.file("missing").c_str(), 1);
  const std::string in_memory = folder.file("in-memory.dxf");
  RecordingChannel error;
  const bool done = convert(in, in_memory, error);
  kept ? setenv("TMPDIR", before.c_str(), 1) : unsetenv("TMPDIR");
  ASSERT_TRUE(done) << all(error);
  std::ifstream a(out, std::ios::binary), b(in_memory, std::ios::binary);
  EXPECT_TRUE(std::equal(std::istreambuf_iterator<char>(a), std::istreambuf_iterator<char>(),
                         std::istreambuf_iterator<char>(b), std::istreambuf_iterator<char>()));
}

// Dashes are drawn $LTSCALE times the linetype's lengths, and an entity's
// own scale (48) on top; the copy keeps what is drawn.
TEST(dxfLibOutputTest, LinetypeScalesLengthenTheDashesAndTheCopyDrawsThemAlike) {
  Dxf d;
  d.section("HEADER", [](Dxf& h) { h(9, "$ACADVER")(1, "AC1015")(9, "$LTSCALE")(40, 10.0); });
  d.section("TABLES", [](Dxf& t) {
    t(0, "TABLE")(2, "LTYPE")(0, "LTYPE")(2, "DASHED")(70, 0)(3, "__ __")(72, 65)(73, 2);
    t(40, 0.75)(49, 0.5)(74, 0)(49, -0.25)(74, 0)(0, "ENDTAB");
  });
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "LINE")(6, "DASHED")(10, 0.0)(20, 0.0)(11, 100.0)(21, 0.0);
    e(0, "LINE")(6, "DASHED")(48, 0.5)(10, 0.0)(20, 5.0)(11, 100.0)(21, 5.0);
    e(0, "LINE")(6, "DASHED")(48, -3.0)(10, 0.0)(20, 9.0)(11, 100.0)(21, 9.0);
  });
  TempDir folder;
  std::string in, out;
  ASSERT_TRUE(converted(folder, d, in, out));
  DxfRead first(in.c_str(), 0), copy(out.c_str(), 0);
  for (const DxfRead* read : {&first, &copy}) {
    ASSERT_EQ(read->entities.size(), 3u);
    EXPECT_DOUBLE_EQ(read->entities[0].dash, 5.0);
    EXPECT_DOUBLE_EQ(read->entities[1].dash, 2.5);
    EXPECT_DOUBLE_EQ(read->entities[2].dash, 5.0); // a scale that is not one is ignored
  }
  EXPECT_FLOAT_EQ(copy.reader->entities()[1].linetype_scale, 0.5f);
}

// A wide polyline keeps its widths, constant or per segment, in the copy.
TEST(dxfLibOutputTest, PolylineWidthsComeBackAsTheyWere) {
  Dxf d;
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "LWPOLYLINE")(90, 2)(70, 0)(43, 4.0)(10, 10.0)(20, 25.0)(10, 90.0)(20, 25.0);
    e(0, "LWPOLYLINE")(90, 3)(70, 0)(10, 10.0)(20, 10.0)(40, 8.0)(41, 0.0)(10, 50.0)(20, 10.0);
    e(10, 90.0)(20, 10.0);
    e(0, "POLYLINE")(66, 1)(70, 1)(40, 2.0)(41, 2.0)(0, "VERTEX")(10, 0.0)(20, 0.0);
    e(0, "VERTEX")(10, 5.0)(20, 0.0)(0, "VERTEX")(10, 5.0)(20, 5.0)(0, "SEQEND");
    e(0, "LWPOLYLINE")(90, 2)(70, 0)(10, 0.0)(20, 0.0)(10, 1.0)(20, 0.0);
  });
  TempDir folder;
  std::string in, out;
  ASSERT_TRUE(converted(folder, d, in, out));
  DxfRead first(in.c_str(), 0), copy(out.c_str(), 0);
  const std::vector<std::string> widths{"widths: 4 4\n", "widths: 8 0; 0 0\n", "widths: 2 2\n", ""};
  for (const DxfRead* read : {&first, &copy}) {
    ASSERT_EQ(read->entities.size(), 4u);
    for (size_t i = 0; i < widths.size(); ++i)
      EXPECT_EQ(read->entities[i].properties, widths[i]) << i;
  }
}

TEST(dxfLibOutputTest, TextsOfACodePageFileComeBackInThatCodePage) {
  std::setlocale(LC_ALL, "C.UTF-8");
  Dxf d;
  d.section("HEADER",
            [](Dxf& h) { h(9, "$ACADVER")(1, "AC1015")(9, "$DWGCODEPAGE")(3, "ANSI_1251"); });
  // "Привет" in code page 1251.
  d.section("ENTITIES",
            [](Dxf& e) { e(0, "TEXT")(10, 0.0)(20, 0.0)(40, 1.0)(1, "\xCF\xF0\xE8\xE2\xE5\xF2"); });
  TempDir folder;
  std::string in = folder.file("in.dxf"), out = folder.file("out.dxf");
  std::ofstream(in, std::ios::binary) << d.text();
  RecordingChannel error;
  ASSERT_TRUE(convert(in, out, error, "AC1015", "ANSI_1251")) << all(error);
  EXPECT_TRUE(same_reading(in, out));
  std::ifstream written(out, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("\n\xCF\xF0\xE8\xE2\xE5\xF2\n"), std::string::npos);
}

TEST(dxfLibOutputTest, AnEntityItCannotWriteFailsAloneWithAMessage) {
  // Native text is the C runtime's: UTF-8 here, as hosts set it.
  std::setlocale(LC_ALL, "C.UTF-8");
  TempDir folder;
  vorabsOfStream file{utString(folder.file("out.dxf").c_str())};
  dxfLibOutput writer(&file, nullptr);
  RecordingChannel error;
  writer.set_error(&error);
  ASSERT_TRUE(writer.set_version("AC1015", "ANSI_1252"));
  auto named = [](const char* name, const char* layer) {
    vorabsAttributeSet set;
    vorabsNamevorabsAttributePtr n;
    set.check_out(vorabsNAME, n);
    *n = vorabsName(utString(name), 0);
    vorabsLayervorabsAttributePtr l;
    set.check_out(vorabsLAYER, l);
    *l = vorabsLayer(1, utString(layer));
    return set;
  };
  EXPECT_EQ(writer.point3(giPoint3(NAN, 0, 0), named("P1", "0")).status(), vorabsSTATUS_FAILED);
  EXPECT_EQ(writer.point3(giPoint3(0, INFINITY, 0), named("P2", "0")).status(),
            vorabsSTATUS_FAILED);
  EXPECT_EQ(writer.point3(giPoint3(0, 0, 0), named("P3", "a<b")).status(), vorabsSTATUS_FAILED);
  // Cyrillic has no place in code page 1252: it is written as an escape.
  EXPECT_EQ(writer.point3(giPoint3(0, 0, 0), named("P4", "\xD0\x96")).status(), vorabsSTATUS_OK);
  EXPECT_EQ(writer.point3(giPoint3(0, 0, 0), named("P5", "caf\xC3\xA9")).status(), vorabsSTATUS_OK);
  EXPECT_EQ(all(error), "Error : Entity P1 has failed: its coordinates are not finite.\n"
                        "Error : Entity P2 has failed: its coordinates are not finite.\n"
                        "Error : Entity P3 has failed: its layer name cannot be written in DXF.\n");
  EXPECT_EQ(writer.num_written(), 2);
  // It says in advance what it can take: a group, not an environment.
  auto annotation_of = [](const stoClass* kind) {
    vorabsAttributeSet set;
    vorabsVoidvorabsAttributePtr marker;
    set.check_out(vorabsANNOTATION, marker);
    vorabsObjectTypevorabsAttributePtr type;
    set.check_out(vorabsOBJECTTYPE, type);
    *type = vorabsObjectType(kind);
    return set;
  };
  EXPECT_TRUE(writer.supported(annotation_of(sto_class_annRadiusDimension())));
  EXPECT_FALSE(writer.supported(annotation_of(sto_class_annEnvironment())));
  EXPECT_EQ(writer.num_failed(), 3);
  ASSERT_TRUE(writer.write());
  std::ifstream written(folder.file("out.dxf"), std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("\ncaf\xE9\n"), std::string::npos);
  EXPECT_NE(text.find("\n\\U+0416\n"), std::string::npos);
}

TEST(dxfLibOutputTest, AFileThatCannotBeWrittenIsNeverLeftLookingComplete) {
  TempDir folder;
  RecordingChannel error;
  {
    vorabsOfStream file{utString(folder.file("no/such/folder/out.dxf").c_str())};
    dxfLibOutput writer(&file, nullptr);
    writer.set_error(&error);
    EXPECT_FALSE(writer.write());
    EXPECT_EQ(all(error), "Error : Cannot write " + folder.file("no/such/folder/out.dxf") +
                              ": No such file or directory.\n");
  }
  // A disk that fills up: the write fails part way, and neither the target
  // nor the temporary is left behind. In a child, since the limit is the process's.
  std::string target = folder.file("full.dxf");
  pid_t child = fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    vorabsOfStream file{utString(target.c_str())};
    dxfLibOutput writer(&file, nullptr);
    for (int i = 0; i < 1000; ++i)
      writer.point3(giPoint3(i, i, i), vorabsAttributeSet());
    _exit(writer.write() ? 1 : 0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_FALSE(std::ifstream(target).good());
  EXPECT_EQ(std::system(("rmdir " + folder.path() + " && mkdir " + folder.path()).c_str()), 0)
      << "something was left in the folder";
}

} // namespace
