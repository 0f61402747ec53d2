// dxfTranslateCommandTest.cpp - the vorabs-translate command: its JSON report and exit statuses.
#include "DxfHarness.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>

namespace {

int run(const std::string& arguments) {
  int status = std::system(
      (std::string(VORABS_TRANSLATE_COMMAND) + " " + arguments + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string contents(const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

TEST(dxfTranslateCommandTest, ReportCountsReadTranslatedFailedAndSkippedAndExitSaysHowItWent) {
  TempDir folder;
  Dxf d;
  d.section("ENTITIES", [](Dxf& e) {
    e(0, "LINE")(5, "A")(11, 1.0)(0, "SPLINE")(5, "B")(71, 3)(10, 0.0)(20, 0.0);
    e(0, "ACAD_PROXY_ENTITY")(5, "C");
  });
  std::ofstream(folder.file("a.dxf")) << d.text();
  EXPECT_EQ(run(folder.file("a.dxf") + " --quiet --report " + folder.file("a.json")), 1);
  std::string report = contents(folder.file("a.json"));
  EXPECT_NE(report.find("\"format\": \"dxf\", \"version\": \"AC1009\""), std::string::npos);
  EXPECT_NE(report.find("\"LINE\": {\"read\": 1, \"translated\": 1, \"failed\": 0}"),
            std::string::npos);
  EXPECT_NE(report.find("\"SPLINE\": {\"read\": 1, \"translated\": 0, \"failed\": 1}"),
            std::string::npos);
  EXPECT_NE(report.find("\"skipped\": {\"ACAD_PROXY_ENTITY\": 1}"), std::string::npos);
  EXPECT_NE(report.find("\"cancelled\": false"), std::string::npos) << report;

  std::ofstream(folder.file("b.dxf")) << Dxf().text();
  EXPECT_EQ(run(folder.file("b.dxf") + " " + folder.file("b.dxf") + " -j 2 --quiet"), 0);
  EXPECT_EQ(run(folder.file("missing.dxf") + " --quiet"), 2);
  EXPECT_EQ(run("--no-such-option"), 2);
}

} // namespace
