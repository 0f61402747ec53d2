// Tests of the utilities library's string (type identifiers: the message and
// attribute pointer tests walk their parent chains).
#include "ut.h"

#include <gtest/gtest.h>

#include <string>

TEST(utStringTest, NullIsDistinctFromEmptyButComparesEqual) {
  utString null_text;
  utString empty("");
  EXPECT_TRUE(null_text.is_null());
  EXPECT_FALSE(empty.is_null());
  EXPECT_STREQ(null_text.c_str(), "");
  EXPECT_TRUE(null_text == empty);
  EXPECT_TRUE(utString(static_cast<const char*>(nullptr)).is_null());
  // Appending nothing to null keeps it null; appending text makes a text.
  utString grown;
  grown += utString();
  EXPECT_TRUE(grown.is_null());
  grown += "";
  EXPECT_FALSE(grown.is_null());
}

TEST(utStringTest, CopiesShareUntilWrittenToAndStreamNumbers) {
  utString a("layer");
  utString b = a;
  b += "_1";
  utString c = b;
  c << 2;
  EXPECT_STREQ(a.c_str(), "layer");
  EXPECT_STREQ(b.c_str(), "layer_1");
  EXPECT_STREQ(c.c_str(), "layer_12");

  utString text = utString("curve") + " style " + utString("solid");
  EXPECT_STREQ(text.c_str(), "curve style solid");
  utString numbers;
  numbers << -12 << ' ' << 0.3 << ' ' << 2.0 << ' ' << 1e21 << ' ' << 4294967295u;
  EXPECT_STREQ(numbers.c_str(), "-12 0.3 2 1e+21 4294967295");
  // Many appends to one owner keep the text whole.
  utString long_text;
  std::string expected;
  for (int i = 0; i < 1000; ++i) {
    long_text << i;
    expected += std::to_string(i);
  }
  EXPECT_EQ(expected, long_text.c_str());
}

TEST(utStringTest, ParseAcceptsWholeNumbersOnly) {
  int value = 99;
  EXPECT_TRUE(utString("1252").parse(value));
  EXPECT_EQ(value, 1252);
  EXPECT_TRUE(utString(" -7 ").parse(value));
  EXPECT_EQ(value, -7);
  value = 99;
  for (const char* bad : {"", "12a", "abc", "99999999999", "1.5"}) {
    EXPECT_FALSE(utString(bad).parse(value)) << bad;
    EXPECT_EQ(value, 99) << bad;
  }
  EXPECT_FALSE(utString().parse(value));
}

TEST(utStringTest, LiteralsAreSharedWithoutCountingAndCopiedOnWrite) {
  static const utString name = ut_lit("colour");
  utString copy = name;
  EXPECT_EQ(copy.c_str(), name.c_str()); // the same text, shared
  copy += "_1";
  EXPECT_STREQ(name.c_str(), "colour");
  EXPECT_STREQ(copy.c_str(), "colour_1");
  {
    utString many[100];
    for (utString& each : many)
      each = name;
  }
  EXPECT_TRUE(name == utString("colour"));
}
