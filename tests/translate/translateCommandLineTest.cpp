// translateCommandLineTest.cpp - the command's options, streams and messages as users meet them.
#include "CommandRun.h"
#include "translateReport.h"

#include <gtest/gtest.h>

namespace {

const std::string sample = VORABS_SAMPLES_DIR "/bracket.dxf";

bool has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A drawing with a line and a polyline of one vertex, which cannot be a curve.
const char failing[] = "0\nSECTION\n2\nENTITIES\n0\nLINE\n5\n1F\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n"
                       "0\nLWPOLYLINE\n5\n20\n8\n0\n90\n1\n10\n0\n20\n0\n0\nENDSEC\n0\nEOF\n";

TEST(translateCommandLineTest, HelpVersionAndFormatsPrintOnStandardOutputAndSucceed) {
  TempDir folder;
  for (const char* help : {"-h", "--help"}) {
    const CommandRun run = run_command(folder, help);
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(has(run.out, "usage: vorabs-translate") && has(run.out, "--shard K/N")) << run.out;
    EXPECT_EQ(run.err, "");
  }
  const CommandRun version = run_command(folder, "--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(has(version.out, "vorabs 0.") && has(version.out, "reads: DXF")) << version.out;
  const CommandRun formats = run_command(folder, "--formats");
  EXPECT_TRUE(has(formats.out, "DXF") && has(formats.out, ".dxf")) << formats.out;
}

TEST(translateCommandLineTest, AWrongOptionOrValueIsNamedOnStandardError) {
  TempDir folder;
  const std::pair<const char*, const char*> cases[] = {{"--bogus x.dxf", "'--bogus'"},
                                                       {"x.dxf -j", "'-j'"},
                                                       {"-jx x.dxf", "'x'"},
                                                       {"--dump=1 x.dxf", "'--dump'"},
                                                       {"--manifest m --shard 5/4", "'5/4'"},
                                                       {"--manifest m --shard 0/0", "'0/0'"},
                                                       {"", "no file given"}};
  for (const auto& c : cases) {
    const CommandRun run = run_command(folder, c.first);
    EXPECT_EQ(run.status, 2) << c.first;
    EXPECT_TRUE(has(run.err, c.second)) << c.first << ": " << run.err;
    EXPECT_EQ(run.out, "") << c.first;
  }
}

TEST(translateCommandLineTest, ValuesAreTakenAsUsersTypeThem) {
  TempDir folder;
  const CommandRun joined =
      run_command(folder, "-j2 -q --report=" + folder.file("r.json") + " " + sample + " " + sample);
  EXPECT_EQ(joined.status, 0) << joined.err;
  EXPECT_EQ(file_text(folder.file("r.json")).compare(0, 2, "[\n"), 0);
  const CommandRun piped = run_command(folder, sample + " --report -");
  EXPECT_EQ(piped.status, 0);
  EXPECT_EQ(piped.out.compare(0, 11, "{\n  \"file\":"), 0) << piped.out;
  EXPECT_FALSE(has(piped.out, "entities/s")); // the JSON alone
}

TEST(translateCommandLineTest, MessagesGoToStandardErrorAsVerbosityAsks) {
  TempDir folder;
  const std::string bad = folder.file("bad.dxf");
  std::ofstream(bad, std::ios::binary) << failing;
  const CommandRun failed = run_command(folder, bad);
  EXPECT_EQ(failed.status, 1);
  EXPECT_TRUE(has(failed.err, bad + ": Error : Entity LWPOLYLINE 20 has failed")) << failed.err;
  EXPECT_FALSE(has(failed.out, bad + ": Error")); // the report's summary quotes it, no more
  EXPECT_TRUE(has(failed.out, "LWPOLYLINE"));
  const CommandRun quiet = run_command(folder, "-q " + bad);
  EXPECT_EQ(quiet.out, "");
  EXPECT_TRUE(has(quiet.err, "has failed"));
  const std::string info = "Ignoring empty drawing Layout1.";
  EXPECT_FALSE(has(run_command(folder, sample).err, info));
  EXPECT_TRUE(has(run_command(folder, "-v " + sample).err, info));
}

TEST(translateCommandLineTest, AnOutputThatCannotBeWrittenIsAnErrorOnStandardError) {
  TempDir folder;
  const CommandRun run = run_command(folder, sample + " -o " + folder.file("no/such.dxf"));
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(has(run.err, "Error : Cannot write " + folder.file("no/such.dxf"))) << run.err;
  EXPECT_FALSE(has(run.out, sample + ": Error")); // only the report's summary quotes it
}

TEST(translateCommandLineTest, AnOutputOntoAnInputIsRefusedBeforeAnythingIsRead) {
  TempDir folder;
  const std::string copy = folder.file("copy.dxf");
  std::ofstream(copy, std::ios::binary) << file_text(sample);
  for (const std::string& args :
       {copy + " -o " + copy, copy + " --report " + copy,
        copy + " -o " + folder.path() + "/../" +
            folder.path().substr(folder.path().rfind('/') + 1) + "/copy.dxf"}) {
    const CommandRun run = run_command(folder, args);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_TRUE(has(run.err, "refusing to write over it")) << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(file_text(copy), file_text(sample));
}

TEST(translateCommandLineTest, AFileThatIsNotDxfIsReportedAsSuch) {
  TempDir folder;
  const std::string readme = folder.file("readme.dxf");
  std::ofstream(readme, std::ios::binary) << "# A project\n\nSome words.\n";
  const CommandRun run = run_command(folder, readme);
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(has(run.err, "not a DXF file")) << run.err;
  EXPECT_TRUE(has(run.out, "not read (not-dxf)")) << run.out;
  EXPECT_FALSE(has(run.out + run.err, "malformed"));
}

TEST(translateCommandLineTest, BytesThatAreNotPrintableAreEscaped) {
  EXPECT_EQ(translate_escape("a\x7F"
                             "b\x01"),
            "a\\x7Fb\\x01");
  EXPECT_EQ(translate_escape("caf\xC3\xA9 \xFF"), "caf\xC3\xA9 \\xFF");
  EXPECT_EQ(translate_escape("\xE2\x82"), "\\xE2\\x82"); // a sequence cut short
}

TEST(translateCommandLineTest, SeveralFilesEndWithOneTotalLine) {
  TempDir folder;
  const std::string bad = folder.file("bad.dxf");
  std::ofstream(bad, std::ios::binary) << failing;
  const CommandRun run = run_command(folder, sample + " " + bad + " " + folder.file("none.dxf"));
  EXPECT_EQ(run.status, 2);
  const size_t total = run.out.find("total: 3 files (1 not read, 1 with failures), 79 entities");
  EXPECT_NE(total, std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("total: 3 files"), run.out.rfind("total: "));
  EXPECT_TRUE(has(run.out, "1 failed")) << run.out;
}

} // namespace
