// Tests of the resource table and its typed keys.
#include "vorResource.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(vorResourceTableTest, KeysAnswerTheirDefaultsUntilSet) {
  vorResourceTable& table = vor_resource_table_inquire();
  EXPECT_STREQ(vorOptExplodeGroups.name(), "vorOptExplodeGroups");
  EXPECT_STREQ(vorOptProcessViews.name(), "vorOptProcessViews");
  EXPECT_STREQ(vorTolClosureCompCurve3d.name(), "vorTolClosureCompCurve3d");
  EXPECT_EQ(vorOptInputEncoding.kind(), vorResourceKey::vorKEY_STRING);
  EXPECT_EQ(table.value(vorOptExplodeGroups), 0);
  utString encoding = table.value(vorOptOutputEncoding);
  EXPECT_FALSE(encoding.is_null());
  EXPECT_TRUE(encoding.empty());
  for (const vorDoubleKey* key :
       {&vorTolCoincBreakPoints, &vorTolCoincAngles, &vorTolPolygonizeCurve3d,
        &vorTolCurveOnSurface3d, &vorTolClosureCompCurve3d}) {
    EXPECT_GT(table.value(*key), 0.0) << key->name();
    EXPECT_LT(table.value(*key), 1e-3) << key->name();
    EXPECT_FALSE(table.is_set(*key));
  }
}

TEST(vorResourceTableTest, SetValuesAnswerUntilReset) {
  vorResourceTable& table = vor_resource_table_inquire();
  table.set_value(vorOptExplodeGroups, 1);
  table.set_value(vorOptInputEncoding, utString("utf8"));
  table.set_value(vorTolCoincAngles, 0.25);
  EXPECT_EQ(table.value(vorOptExplodeGroups), 1);
  EXPECT_STREQ(table.value(vorOptInputEncoding).c_str(), "utf8");
  EXPECT_EQ(table.value(vorTolCoincAngles), 0.25);
  // Keys are separate: the other string option is untouched.
  EXPECT_FALSE(table.is_set(vorOptOutputEncoding));
  EXPECT_TRUE(table.is_set(vorOptInputEncoding));

  table.reset(vorOptExplodeGroups);
  table.reset(vorOptInputEncoding);
  table.reset(vorTolCoincAngles);
  EXPECT_EQ(table.value(vorOptExplodeGroups), vorOptExplodeGroups.default_value());
  EXPECT_STREQ(table.value(vorOptInputEncoding).c_str(), "");
  EXPECT_EQ(table.value(vorTolCoincAngles), vorTolCoincAngles.default_value());
  EXPECT_FALSE(table.is_set(vorOptInputEncoding));
}
