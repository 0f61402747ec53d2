// Tests of the capturing channel's cut of long messages.
#include "vorabsOutputOstreamTester.h"

#include <gtest/gtest.h>

#include <string>

TEST(vorabsOutputOstreamTesterTest, ALongMessageIsCutBeforeACharacterItWouldSplit) {
  vorabsOutputOstreamTester channel;
  const std::string two_bytes = std::string(1022, 'x') + "\xC3\xA9 tail";       // e acute
  const std::string three_bytes = std::string(1021, 'x') + "\xE2\x82\xAC tail"; // euro sign
  const std::string fits = std::string(1021, 'x') + "\xC3\xA9 tail";
  channel.tprintf("vorabs", "%s", two_bytes.c_str());
  channel.tprintf("vorabs", "%s", three_bytes.c_str());
  channel.tprintf("vorabs", "%s", fits.c_str());
  EXPECT_EQ(std::string(channel.get_string(0).c_str()), std::string(1022, 'x'));
  EXPECT_EQ(std::string(channel.get_string(1).c_str()), std::string(1021, 'x'));
  EXPECT_EQ(std::string(channel.get_string(2).c_str()), fits.substr(0, 1023));
}
