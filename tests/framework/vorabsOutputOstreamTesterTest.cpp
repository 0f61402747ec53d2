// The capturing channel's cut of messages longer than 1,023 bytes.
#include "vorabsOutputOstreamTester.h"

#include <gtest/gtest.h>

#include <string>

TEST(vorabsOutputOstreamTesterTest, ALongMessageIsCutBeforeACharacterItWouldSplit) {
  vorabsOutputOstreamTester channel;
  const std::string x(1021, 'x');
  for (const char* end : {"x\xC3\xA9 tail", "\xE2\x82\xAC tail", "\xC3\xA9 tail"})
    channel.tprintf("vorabs", "%s%s", x.c_str(), end); // e acute, euro sign
  EXPECT_EQ(std::string(channel.get_string(0).c_str()), x + "x");
  EXPECT_EQ(std::string(channel.get_string(1).c_str()), x);
  EXPECT_EQ(std::string(channel.get_string(2).c_str()), x + "\xC3\xA9");
}
