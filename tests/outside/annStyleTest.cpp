// Tests of the annotation model's style lookup, curve fonts and placeholders.
#include "ann/ann.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <sstream>
#include <string>

namespace {

coFixedArr<double> lengths(std::initializer_list<double> values) {
  coFixedArr<double> result(values.size());
  std::copy(values.begin(), values.end(), result.begin());
  return result;
}

} // namespace

TEST(annStyleTest, FindItemAnswersTheStyleOfThatNameAndKind) {
  annDocument document;
  annCurveStyleannPtr curve =
      make_annCurveStyle(&document, 0.5, 1.0, annCurveFontannPtr(), utString("red"));
  annPointStyleannPtr point = make_annPointStyle(&document, utString("red"));
  annStyleSetannPtr set = make_annStyleSet(&document, utString("red"));

  EXPECT_TRUE(annStyleannPtr::find_item(&document, utString("red"), sto_class_annCurveStyle()) ==
              curve);
  EXPECT_TRUE(annStyleannPtr::find_item(&document, utString("red"), sto_class_annPointStyle()) ==
              point);
  EXPECT_TRUE(annStyleSetannPtr::find_item(&document, utString("red"), sto_class_annStyleSet()) ==
              set);
  // The angle point kind derives from the point kind, not the other way round.
  EXPECT_TRUE(annStyleannPtr::find_item(&document, utString("red"), sto_class_annAnglePointStyle())
                  .invalid());
  // A tag of another kind than the handle's answers nothing.
  EXPECT_TRUE(annStyleSetannPtr::find_item(&document, utString("red"), sto_class_annCurveStyle())
                  .invalid());
  EXPECT_TRUE(annStyleannPtr::find_item(nullptr, utString("red"), sto_class_annStyle()).invalid());
}

TEST(annStyleTest, CurveFontsAndPlaceholders) {
  annDocument document;
  annCurveFontPatternannPtr pattern =
      make_annCurveFontPattern(&document, lengths({4.0, 1.0, 0.5}), 0, utString("dash dot"));
  EXPECT_EQ(pattern->read_segment(2), 0.5);
  EXPECT_EQ(pattern->read_segment(3), 0.0);
  EXPECT_EQ(pattern->read_segment(-1), 0.0);

  annPlaceHolderannPtr holder =
      make_annPlaceHolder(&document, sto_class_annCurveFontPattern(), utString("dashed"));
  annCurveFontannPtr font = ann_wrap_placeholder<annCurveFont>(holder);
  ASSERT_FALSE(font.invalid());
  EXPECT_STREQ(font.name().c_str(), "dashed");
  EXPECT_EQ(font.pointer(), nullptr);
  EXPECT_EQ(font.annPtrBase::pointer(), holder.pointer());
  // It stands for a curve font, not for a style.
  EXPECT_TRUE(ann_wrap_placeholder<annStyle>(holder).invalid());
  EXPECT_TRUE(make_annPlaceHolder(&document, nullptr, utString("x")).invalid());
}
