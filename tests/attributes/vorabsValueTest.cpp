// Tests of the name value's fallback on its number.
#include "vorabsName.h"

#include <gtest/gtest.h>

TEST(vorabsNameTest, StringFallsBackToTheNumber) {
  EXPECT_STREQ(vorabsName(utString(), 12).string().c_str(), "12");
  EXPECT_STREQ(vorabsName(utString("bolt"), 12).string().c_str(), "bolt");
  EXPECT_TRUE(vorabsName(utString(), 12).name().empty());
  EXPECT_STREQ(vorabsName(-3).string().c_str(), "-3");
  EXPECT_TRUE(vorabsName().invalid());
  EXPECT_FALSE(vorabsName(7).invalid());
  EXPECT_FALSE(vorabsName(utString("x"), 0).invalid());
  // An empty text is no string: the number stands in for it.
  EXPECT_TRUE(vorabsName(utString(""), 0).invalid());
  EXPECT_STREQ(vorabsName(utString(""), 4).string().c_str(), "4");
}
