// Tests of the application information stand-in: file lookup along a search path.
#include "vorabsAppInfo.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace {

void touch(const std::string& file) {
  std::ofstream(file) << "schema\n";
}

} // namespace

TEST(vorabsAppInfoTest, FindsTheFirstRegularFileAlongThePath) {
  TempDir first, second;
  touch(second.file("part.sch"));
  touch(first.file("later.sch"));
  touch(second.file("later.sch"));
  mkdir(first.file("part.sch").c_str(), 0700); // a directory of that name is passed over
  vorabsAppInfo info;
  utString path((first.path() + "::" + second.path() + "/").c_str());

  EXPECT_EQ(std::string(info.find_file_in_path(path, utString("part.sch")).c_str()),
            second.path() + "/part.sch");
  EXPECT_EQ(std::string(info.find_file_in_path(path, utString("later.sch")).c_str()),
            first.file("later.sch"));
  EXPECT_STREQ(info.find_file_in_path(path, utString("absent.sch")).c_str(), "");
  EXPECT_STREQ(info.find_file_in_path(path, utString("")).c_str(), "");
  EXPECT_STREQ(info.find_file_in_path(utString(""), utString("part.sch")).c_str(), "");
}
