// Tests of the self-check fixtures: the recording sink tester and the
// capturing message channel.
#include "vorabsLibSinkTester.h"
#include "vorabsOutputOstreamTester.h"

#include "TestHelpers.h"

#include <gtest/gtest.h>

#include <string>

TEST(vorabsLibSinkTesterTest, ConvertsBodiesMarkedFacesToTheirFirstFace) {
  vorabsLibSinkTester tester;
  utString name;
  // A body marked a face is recorded as a topology of its first face; a
  // hollow one fails. (Topology and body marks: the annotation tester's test.)
  aqtIBodycoPrf body(new aqtIBody()), hollow(new aqtIBody());
  body->add_shell(*planes(2));
  EXPECT_EQ(tester.body(body, named("B1", &vorabsFACE)).status(), vorabsSTATUS_OK);
  EXPECT_EQ(tester.body(hollow, named("B2", &vorabsFACE)).status(), vorabsSTATUS_FAILED);
  ASSERT_EQ(tester.number_of_bodies(), 2);
  aqtIBodycoPrf got;
  tester.get_body(1, got, name);
  EXPECT_TRUE(got == hollow);
  EXPECT_STREQ(name.c_str(), "B2");
  ASSERT_EQ(tester.number_of_topologies(), 1);
  topTopologyPtr topology;
  tester.get_topology(0, topology, name);
  EXPECT_EQ(topology->num_faces(), 1);
  EXPECT_STREQ(name.c_str(), "B1");
}

TEST(vorabsOutputOstreamTesterTest, KeepsFormattedTprintfTextsOnly) {
  vorabsOutputOstreamTester channel;
  vorabsOutput& base = channel;
  base.tprintf("vorabs", "Entity %s has %d faces.\n", "F1", 3);
  channel.tprintf("DO_NOT_TRANSLATE", "plain");
  ASSERT_EQ(channel.number_of_strings(), 2);
  EXPECT_STREQ(channel.get_string(0).c_str(), "Entity F1 has 3 faces.\n");
  EXPECT_STREQ(channel.get_string(1).c_str(), "plain");
  channel.clear();
  EXPECT_EQ(channel.number_of_strings(), 0);
}

// A message longer than 1,023 bytes is cut before a character it would split.
TEST(vorabsOutputOstreamTesterTest, ALongMessageIsCutBeforeACharacterItWouldSplit) {
  vorabsOutputOstreamTester channel;
  const std::string x(1021, 'x');
  for (const char* end : {"x\xC3\xA9 tail", "\xE2\x82\xAC tail", "\xC3\xA9 tail"})
    channel.tprintf("vorabs", "%s%s", x.c_str(), end); // e acute, euro sign
  EXPECT_EQ(std::string(channel.get_string(0).c_str()), x + "x");
  EXPECT_EQ(std::string(channel.get_string(1).c_str()), x);
  EXPECT_EQ(std::string(channel.get_string(2).c_str()), x + "\xC3\xA9");
}
