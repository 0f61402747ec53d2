// Tests of the attribute values' name fallback, font copies and type text.
#include "vorabsCurveFont.h"
#include "vorabsName.h"
#include "vorabsType.h"

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

TEST(vorabsCurveFontTest, PatternsAndDeepCopies) {
  vorabsCurveFont solid(utString("solid"));
  EXPECT_FALSE(solid.invalid());
  EXPECT_TRUE(vorabsCurveFont().invalid());

  vorabsCurveFont dashed(utString("dashed"));
  dashed.set_num_segments(2);
  dashed.set_segment_length(0, 4.0);
  dashed.set_segment_length(1, 1.5);
  dashed.set_first_visible(0);
  vorabsCurveFont copy(dashed);
  dashed.set_segment_length(0, 9.0);
  EXPECT_EQ(copy.segment_length(0), 4.0);
  EXPECT_EQ(copy.segment_length(1), 1.5);
  EXPECT_EQ(copy.first_visible(), 0);
  copy = solid;
  EXPECT_EQ(copy.num_segments(), 0);
  EXPECT_EQ(copy.first_visible(), 1);
  // A new pattern replaces the old lengths.
  dashed.set_num_segments(3);
  EXPECT_EQ(dashed.num_segments(), 3);
  EXPECT_EQ(dashed.segment_length(0), 0.0);
}

TEST(vorabsTypeTest, StringIsNeverNull) {
  EXPECT_TRUE(vorabsType().type().is_null());
  EXPECT_FALSE(vorabsType().string().is_null());
}
