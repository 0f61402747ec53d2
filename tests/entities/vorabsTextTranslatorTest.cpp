// Tests of the text translator: fonts, frames and sizes under the three kinds of transform.
#include "vorabsTextTranslator.h"

#include "EntityHarness.h"

#include <cmath>
#include <limits>

namespace {

class Text final : public vorabsTextTranslator {
public:
  explicit Text(const vorabsContext& context) : vorabsTextTranslator(context) {}
  utString text_string() override { return utString(characters); }
  void font_details(double& h, utString& name) override {
    h = height;
    name = utString(font);
  }
  void font_details_ex(kapFontInformation& information) const override {
    information.set_bold(bold);
    information.set_italic(bold);
  }
  double text_width() override { return 4.0; }
  void text_workplane(giWorkplane3& workplane) override {
    workplane = giWorkplane3(giPoint3(1, 1, 0), giVector3(1, 0, 0), giVector3(0, 1, 0));
  }
  const char* characters = "Hello";
  const char* font = "Arial";
  double height = 2.5;
  int bold = 0;
};

using TextTranslatorTest = EntityHarness;

TEST_F(TextTranslatorTest, IdentitySendsTheTextItselfWithItsFontFrameAndWidth) {
  Text text(context);
  text.font = "romans.shx";
  text.bold = 1;
  ASSERT_EQ(run(text, giXform3(giXformIdentity)), vorabsSTATUS_OK);
  ASSERT_TRUE(annTextGeometry::sto_dynamic_cast(sent()));
  std::string dump = printed(document);
  EXPECT_NE(dump.find("annTextGeometry \"E\" level 0 style \"text style no colour solid 0.3 "
                      "style\" width 4\n  annText \"E string\" text \"Hello\"\n  annTextFont "
                      "\"Ei// b// 2.5// // romans.shx\" file \"romans.shx\" height 2.5 bold "
                      "italic\n  annLCS \"E lcs\" origin 1 1 0 u 1 0 0\n"),
            std::string::npos)
      << dump;
}

TEST_F(TextTranslatorTest, FontNameWithoutDotIsTheFamilyAndAnEmptyOneSetsNeither) {
  Text family(context), none(context);
  none.font = "";
  ASSERT_EQ(run(family, giXform3(giXformIdentity)), vorabsSTATUS_OK);
  ASSERT_EQ(run(none, giXform3(giXformIdentity)), vorabsSTATUS_OK);
  const annTextFont& arial =
      *annTextGeometry::sto_dynamic_cast(sink.calls[0].item.pointer())->font();
  const annTextFont& plain =
      *annTextGeometry::sto_dynamic_cast(sink.calls[1].item.pointer())->font();
  EXPECT_STREQ(arial.family_name().c_str(), "Arial");
  EXPECT_TRUE(arial.font_file().is_null());
  EXPECT_STREQ(arial.name().c_str(), "E2.5// Arial// ");
  EXPECT_TRUE(plain.family_name().is_null() && plain.font_file().is_null());
  EXPECT_STREQ(plain.name().c_str(), "E2.5// // ");
}

TEST_F(TextTranslatorTest, RotationWrapsTheUnmovedTextInAPlacedGroup) {
  int failed = 0;
  ASSERT_EQ(run(*std::make_unique<Text>(context),
                giXform3(giXformRotate, giPoint3(0, 0, 0), giVector3(0, 0, 1),
                         giAngle(std::acos(0.0)), failed)),
            vorabsSTATUS_OK);
  const annGroup* group = annGroup::sto_dynamic_cast(sent());
  ASSERT_TRUE(group);
  ASSERT_EQ(group->get_group_geometry().size(), 1u);
  const annTextGeometry* text =
      annTextGeometry::sto_dynamic_cast(group->get_group_geometry()[0].pointer());
  ASSERT_TRUE(text);
  EXPECT_TRUE(text->lcs()->workplane().origin() == giPoint3(1, 1, 0));
  EXPECT_TRUE(group->style() == text->style());
  EXPECT_TRUE(near(group->transform()->workplane().u_vector().y, 1.0));
  EXPECT_STREQ(group->transform()->name().c_str(), "E");
}

TEST_F(TextTranslatorTest, StretchScalesWidthAndHeightAndKeepsTheFrameOrthonormal) {
  Text text(context);
  ASSERT_EQ(run(text, diagonal(2, 3, 1)), vorabsSTATUS_OK);
  const annTextGeometry* made = annTextGeometry::sto_dynamic_cast(sent());
  ASSERT_TRUE(made);
  EXPECT_EQ(made->width(), 8.0);
  EXPECT_EQ(made->font()->height(), 7.5);
  const giWorkplane3& frame = made->lcs()->workplane();
  EXPECT_TRUE(frame.origin() == giPoint3(2, 3, 0));
  EXPECT_TRUE(frame.u_vector() == giVector3(1, 0, 0));
}

TEST_F(TextTranslatorTest, MirrorAlongTheTextTurnsTheFrameRightRound) {
  // u is sent onto -u: the rotation between them has no axis until nudged.
  Text text(context);
  ASSERT_EQ(run(text, diagonal(-2, 1, 1)), vorabsSTATUS_OK);
  const annTextGeometry* made = annTextGeometry::sto_dynamic_cast(sent());
  ASSERT_TRUE(made);
  EXPECT_TRUE(near(made->lcs()->workplane().u_vector().x, -1.0));
  EXPECT_TRUE(made->lcs()->workplane().origin() == giPoint3(-2, 1, 0));
  EXPECT_EQ(made->width(), 8.0);
}

TEST_F(TextTranslatorTest, EmptyTextAndUnusableHeightsFailWithoutSending) {
  Text empty(context), negative(context), not_a_number(context);
  empty.characters = "";
  negative.height = -1.0;
  not_a_number.height = std::numeric_limits<double>::quiet_NaN();
  for (Text* text : {&empty, &negative, &not_a_number})
    EXPECT_EQ(run(*text, giXform3(giXformIdentity)), vorabsSTATUS_FAILED);
  EXPECT_TRUE(sink.calls.empty());
  EXPECT_TRUE(output.messages.empty() && error.messages.empty());
}

} // namespace
