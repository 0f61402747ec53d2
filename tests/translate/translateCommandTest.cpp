// translateCommandTest.cpp - the vorabs-translate command run on the sample and on small bad files.
#include "TempDir.h"
#include "translateJob.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>

namespace {

const std::string sample = VORABS_SAMPLES_DIR "/bracket.dxf";

// Runs the command with args, its standard output into out; its exit status.
int run(const std::string& args, const std::string& out = "/dev/null") {
  const std::string command =
      std::string(VORABS_TRANSLATE_COMMAND) + " " + args + " >" + out + " 2>/dev/null";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The value of "key": ... inside the JSON object of "type" under "section".
int tally(const std::string& json, const std::string& section, const std::string& type,
          const std::string& key) {
  const size_t at = json.find("\"" + section + "\": {");
  std::smatch match;
  const std::string rest = at == std::string::npos ? "" : json.substr(at);
  if (!std::regex_search(rest, match,
                         std::regex("\"" + type + "\": \\{[^}]*\"" + key + "\": ([0-9]+)")))
    return -1;
  return std::stoi(match[1]);
}

// A drawing with a line and a polyline of one vertex, which cannot be a curve.
std::string with_failing_entity() {
  return "0\nSECTION\n2\nENTITIES\n0\nLINE\n5\n1F\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n"
         "0\nLWPOLYLINE\n5\n20\n8\n0\n90\n1\n10\n0\n20\n0\n0\nENDSEC\n0\nEOF\n";
}

} // namespace

TEST(translateCommandTest, ExitStatusSaysWhetherEverythingTranslated) {
  TempDir folder;
  const std::string bad = folder.file("bad.dxf"), json = folder.file("bad.json");
  std::ofstream(bad, std::ios::binary) << with_failing_entity();
  EXPECT_EQ(run(sample), 0);
  EXPECT_EQ(run(""), 2);
  EXPECT_EQ(run("--bogus " + sample), 2);
  EXPECT_EQ(run("-j 0 " + sample), 2);
  EXPECT_EQ(run("-o " + folder.file("x.dxf") + " " + sample + " " + sample), 2);
  EXPECT_EQ(run(folder.file("missing.dxf")), 2);
  EXPECT_EQ(run(folder.path()), 2);
  EXPECT_EQ(run(bad + " --quiet --report " + json), 1);
  const std::string report = contents(json);
  EXPECT_EQ(tally(report, "entities", "LINE", "translated"), 1);
  EXPECT_EQ(tally(report, "entities", "LWPOLYLINE", "failed"), 1);
  EXPECT_NE(report.find("Entity LWPOLYLINE 20 has failed"), std::string::npos) << report;
  EXPECT_EQ(run(sample + " " + bad + " " + folder.file("missing.dxf") + " -j 2"), 2);
}

TEST(translateCommandTest, TheJsonReportOfTheSampleCarriesItsCountsAndMessages) {
  TempDir folder;
  const std::string json = folder.file("report.json");
  ASSERT_EQ(run(sample + " --quiet --report " + json), 0);
  const std::string report = contents(json);
  for (const char* field :
       {"\"file\": \"", "\"format\": \"dxf\"", "\"version\": \"AC1024\"",
        "\"units\": \"millimetre\"", "\"skipped\": {", "\"layers\": 10", "\"blocks\": 3",
        "\"messages\": {\"output\": [", "\"error\": [", "\"cancelled\": false",
        "\"seconds\": ", "\"summary\": \"An informational"})
    EXPECT_NE(report.find(field), std::string::npos) << field << "\n" << report;
  EXPECT_EQ(tally(report, "entities", "LINE", "read"), 4);
  EXPECT_EQ(tally(report, "entities", "LINE", "translated"), 4);
  EXPECT_EQ(tally(report, "entities", "INSERT", "translated"), 4);
  EXPECT_EQ(tally(report, "block_entities", "CIRCLE", "translated"), 1);
  EXPECT_EQ(tally(report, "entities", "VIEWPORT", "translated"), 1);
}

TEST(translateCommandTest, TwoCopiesInParallelReportAsOneDoes) {
  TempDir folder;
  const std::string one = folder.file("one.json"), two = folder.file("two.json");
  const std::string copy = folder.file("copy.dxf");
  std::ofstream(copy, std::ios::binary) << contents(sample);
  ASSERT_EQ(run(sample + " --quiet --report " + one), 0);
  ASSERT_EQ(run("-j 2 " + sample + " " + copy + " --quiet --report " + two), 0);
  const std::string single = contents(one), both = contents(two);
  const std::regex entities("\"entities\": \\{[^]*?\n  \\}");
  std::smatch expected;
  ASSERT_TRUE(std::regex_search(single, expected, entities));
  size_t first = both.find(expected.str()), second = both.rfind(expected.str());
  EXPECT_NE(first, std::string::npos) << both;
  EXPECT_NE(first, second);
  EXPECT_NE(both.find("\"file\": \"" + copy + "\""), std::string::npos);
}

TEST(translateCommandTest, WritingADxfFileGivesOneTheReaderReadsBack) {
  TempDir folder;
  const std::string out = folder.file("out.dxf");
  ASSERT_EQ(run(sample + " --quiet -o " + out), 0);
  translateResult back = translate_file(out, translateOptions());
  EXPECT_EQ(back.exit_status(), 0) << back.summary;
  EXPECT_EQ(back.entities["LINE"].translated, 4);
  EXPECT_EQ(back.entities["INSERT"].translated, 4);
  EXPECT_EQ(back.entities["VIEWPORT"].translated, 1);
  EXPECT_EQ(back.units, "millimetre");
}

// A conversion lets go of the annotation it has written; what it writes is
// what it writes while it keeps everything for a dump: texts that share a
// style and a layer, one in a block placed three times.
TEST(translateCommandTest, ConvertingWritesTheSameWhetherItKeepsTheDocumentOrNot) {
  std::ostringstream d;
  d << "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nLABEL\n70\n0\n10\n0\n20\n0\n"
    << "0\nTEXT\n8\nNOTES\n10\n0\n20\n0\n40\n2.5\n1\nin a block\n"
    << "0\nENDBLK\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n";
  for (int i = 0; i < 40; ++i)
    d << "0\nTEXT\n8\nNOTES\n62\n"
      << 1 + i % 3 << "\n10\n"
      << i << "\n20\n0\n40\n2.5\n1\nnote " << i << "\n0\nMTEXT\n8\nNOTES\n10\n"
      << i << "\n20\n9\n40\n2\n41\n30\n1\nfirst\\Psecond " << i << "\n";
  for (int i = 0; i < 3; ++i)
    d << "0\nINSERT\n8\n0\n2\nLABEL\n10\n" << 10 * i << "\n20\n50\n";
  // Patterned and solid hatches in turn: a writer that knew a pattern by
  // the address of a fill area it has let go would give it to the next.
  for (int i = 0; i < 20; ++i) {
    const bool solid = i % 2 != 0;
    d << "0\nHATCH\n8\nNOTES\n10\n0\n20\n0\n30\n0\n2\n"
      << (solid ? "SOLID" : "ANSI31") << "\n70\n"
      << solid << "\n71\n0\n91\n1\n92\n2\n72\n0\n73\n1\n93\n4\n";
    for (const auto& [x, y] : {std::pair<int, int>{0, 0}, {5, 0}, {5, 5}, {0, 5}})
      d << "10\n" << x + 10 * i << "\n20\n" << y - 20 << "\n";
    d << "97\n0\n75\n0\n76\n1\n";
    if (!solid)
      d << "52\n0\n41\n1\n77\n0\n78\n1\n53\n45\n43\n0\n44\n0\n45\n-2.2\n46\n2.2\n79\n0\n";
    d << "98\n0\n";
  }
  d << "0\nENDSEC\n0\nEOF\n";
  TempDir folder;
  const std::string drawing = folder.file("notes.dxf");
  std::ofstream(drawing, std::ios::binary) << d.str();
  for (const std::string& path : {drawing, sample}) {
    translateOptions lean, keeping;
    lean.output = folder.file("lean.dxf");
    keeping.output = folder.file("keeping.dxf");
    keeping.dump = 1;
    const translateResult dropped = translate_file(path, lean);
    const translateResult kept = translate_file(path, keeping);
    ASSERT_EQ(dropped.exit_status(), 0) << dropped.summary;
    ASSERT_EQ(kept.exit_status(), 0) << kept.summary;
    EXPECT_EQ(contents(lean.output), contents(keeping.output)) << path;
    EXPECT_EQ(dropped.entities.at("TEXT").translated, kept.entities.at("TEXT").translated);
  }
  translateOptions keeping;
  keeping.output = folder.file("again.dxf");
  keeping.dump = 1;
  EXPECT_NE(translate_file(drawing, keeping).document.find("note 39"), std::string::npos);
}

// A block of three lines inserted count times, stretched: each insert
// flattens its block under a name mangler.
std::string many_inserts(int count) {
  std::ostringstream d;
  d << "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nB\n70\n0\n10\n0\n20\n0\n";
  for (int i = 0; i < 3; ++i)
    d << "0\nLINE\n8\n0\n10\n" << i << "\n20\n0\n11\n" << i << "\n21\n1\n";
  d << "0\nENDBLK\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n";
  for (int i = 0; i < count; ++i)
    d << "0\nINSERT\n2\nB\n10\n" << i << "\n20\n0\n41\n" << 1 + i % 3 << "\n";
  d << "0\nENDSEC\n0\nEOF\n";
  return d.str();
}

// Two translations at once on two threads, each with its own document,
// make what one makes alone.
TEST(translateCommandTest, TranslationsOnTwoThreadsMakeWhatOneMakesAlone) {
  TempDir folder;
  const std::string file = folder.file("inserts.dxf");
  std::ofstream(file, std::ios::binary) << many_inserts(400);
  translateOptions options;
  options.dump = 1;
  for (const std::string& path : {sample, file}) {
    const translateResult alone = translate_file(path, options);
    translateResult first, second;
    std::thread other([&]() { first = translate_file(path, options); });
    second = translate_file(path, options);
    other.join();
    EXPECT_FALSE(alone.document.empty());
    EXPECT_EQ(first.document, alone.document);
    EXPECT_EQ(second.document, alone.document);
    EXPECT_EQ(first.summary, alone.summary);
  }
}
