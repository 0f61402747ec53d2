// dxfEzdxfTest.cpp - files written by ezdxf, read and counted against ezdxf's own view of them.
//
// Runs where Debian's python3-ezdxf is installed (only /usr/bin/python3 sees
// it); skips elsewhere. ezdxf is the oracle here, never part of the reader.
#include "DxfHarness.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <regex>

namespace {

std::string run(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe)
    return out;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
    out.append(buffer, n);
  return pclose(pipe) == 0 ? out : std::string();
}

// The counts of the JSON object under key ("entities": {"LINE": 2, ...}).
std::map<std::string, int> counts(const std::string& json, const std::string& key) {
  std::map<std::string, int> found;
  size_t at = json.find("\"" + key + "\": {");
  if (at == std::string::npos)
    return found;
  std::string object = json.substr(at, json.find('}', at) - at);
  std::regex pair("\"([A-Z0-9_]+)\": ([0-9]+)");
  for (auto it = std::sregex_iterator(object.begin(), object.end(), pair);
       it != std::sregex_iterator(); ++it)
    found[(*it)[1]] = std::stoi((*it)[2]);
  return found;
}

TEST(dxfEzdxfTest, TheSampleInEachVersionHasTheCountsEzdxfSees) {
  if (run("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null && echo yes") != "yes\n")
    GTEST_SKIP() << "python3-ezdxf is not installed";
  TempDir folder;
  for (const char* version : {"R2000", "R2018"}) {
    SCOPED_TRACE(version);
    std::string path = folder.file(std::string(version) + ".dxf");
    std::string json =
        run("/usr/bin/python3 " VORABS_SOURCE_DIR "/samples/dxf_sample.py " + path + " " + version);
    ASSERT_FALSE(json.empty());
    DxfRead r(path.c_str(), 1);
    ASSERT_EQ(r.read_result, 1);
    const dxfFile* file = r.reader->file();
    EXPECT_EQ(file->counts, counts(json, "entities"));
    EXPECT_EQ(file->block_counts, counts(json, "block_entities"));
    EXPECT_EQ(int(file->layers.size()), std::stoi(json.substr(json.find("\"layers\": ") + 10)));
    EXPECT_EQ(r.errors(), "");
    for (int status : r.statuses)
      EXPECT_NE(status, vorabsSTATUS_FAILED);
    size_t dimension_lines = 0; // the dimensions' own geometry
    for (const dxfBlock& block : file->blocks)
      for (const dxfEntity& e : block.entities)
        dimension_lines += block.name.rfind("*D", 0) == 0 && e.kind == dxfKind::LINE;
    // In model space, in the bolts placed and in the dimensions.
    EXPECT_EQ(r.of("LINE").size(), 2u + 5u + dimension_lines);
  }
}

} // namespace
