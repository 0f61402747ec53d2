// Tests of the store proxy: schema lookup along the application's path and missing schemas.
#include "vorabsProxy.h"

#include "TempDir.h"
#include "vorabsAppInfo.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> missing(const vorabsProxy& proxy) {
  std::vector<std::string> names;
  utStringcoSetcoIterator it = proxy.missing_schema_iterator();
  while (++it)
    names.push_back(it.current().c_str());
  return names;
}

} // namespace

// The default proxy looks in the folder "yav"; one given a folder looks there.
TEST(vorabsProxyTest, FindsSchemasInItsFolderAndRecordsEachMissingNameOnce) {
  TempDir dir;
  std::ofstream(dir.file("found.sch")) << "schema\n";
  vorabsAppInfo info;
  info.set_schema_path(utString("yav"), utString(dir.path().c_str()));
  vorabsProxy proxy(&info, nullptr);
  const stoProxy& base = proxy;

  EXPECT_EQ(std::string(base.find_schema_file(utString("found.sch")).c_str()),
            dir.file("found.sch"));
  vorabsProxy named(&info, utString("schemas"), nullptr);
  EXPECT_STREQ(named.find_schema_file(utString("found.sch")).c_str(), "");
  info.set_schema_path(utString("schemas"), utString(dir.path().c_str()));
  EXPECT_EQ(std::string(named.find_schema_file(utString("found.sch")).c_str()),
            dir.file("found.sch"));
  EXPECT_STREQ(proxy.find_schema_file(utString("zeta.sch")).c_str(), "");
  EXPECT_STREQ(proxy.find_schema_file(utString("alpha.sch")).c_str(), "");
  EXPECT_STREQ(proxy.find_schema_file(utString("zeta.sch")).c_str(), "");
  EXPECT_EQ(missing(proxy), (std::vector<std::string>{"alpha.sch", "zeta.sch"}));

  // A walk already handed out is not disturbed by later misses.
  utStringcoSetcoIterator before = proxy.missing_schema_iterator();
  proxy.find_schema_file(utString("beta.sch"));
  EXPECT_EQ(before.size(), 2u);
  EXPECT_EQ(missing(proxy).size(), 3u);
}
