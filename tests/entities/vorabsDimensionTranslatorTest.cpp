// Tests of the dimension translators: the dimension kind made, its defining
// point (named, dressed, kept apart from the members, left out when unset
// where that is the rule), the kind word of messages and the hole sizes.
#include "vorabsAngularDimensionTranslator.h"
#include "vorabsDiametricDimensionTranslator.h"
#include "vorabsOrdinateDimensionTranslator.h"
#include "vorabsRadialDimensionTranslator.h"
#include "vorabsWitnessTranslator.h"
#include "kapHoleDimensionTranslator.h"

#include "DimGdtScene.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const giXform3 identity(giXformIdentity);

class Hole : public Named<kapHoleDimensionTranslator> {
public:
  Hole(const vorabsContext& context, std::function<void(kapHoleInformation&)> fill)
      : Named("H", identity, context), fill_(std::move(fill)) {}
  void hole_information(kapHoleInformation& information) override { fill_(information); }

private:
  std::function<void(kapHoleInformation&)> fill_;
};

using AtPoint = std::function<vorabsTranslatorcoPrf(const vorabsContext&, const giPoint3&)>;

// Makes Named<T>("D", point, args..., identity, context).
template <class T, class... Args> AtPoint at(Args... args) {
  return [=](const vorabsContext& context, const giPoint3& point) {
    return vorabsTranslatorcoPrf(new Named<T>("D", point, args..., identity, context));
  };
}

// The hole dimension made from what fill reports.
std::string hole_made(std::function<void(kapHoleInformation&)> fill) {
  DimGdtScene scene;
  auto hole = std::make_shared<Hole>(scene.context, std::move(fill));
  hole->add_translator(scene.point("line"));
  EXPECT_EQ(scene.run(vorabsTranslatorcoPrf(hole)), vorabsSTATUS_OK);
  return DimGdtScene::own_details(*hole->group());
}

} // namespace

TEST(vorabsDimensionTranslatorTest, RadialDimensionHoldsItsGeometryAndANamedDressedCentre) {
  DimGdtScene scene;
  auto radial = std::make_shared<Named<vorabsRadialDimensionTranslator>>("R1", giPoint3(1, 2, 3),
                                                                         identity, scene.context);
  radial->add_translator(scene.point("leader"));
  radial->add_translator(scene.point("arrow"));
  ASSERT_EQ(scene.run(vorabsTranslatorcoPrf(radial)), vorabsSTATUS_OK);

  const annRadiusDimension* made = annRadiusDimension::sto_dynamic_cast(radial->group().pointer());
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(DimGdtScene::names(made->get_group_geometry()), "leader arrow");
  ASSERT_FALSE(made->centre().invalid());
  const annPointItem& centre = *made->centre();
  EXPECT_EQ(centre.name(), utString("R1 arc centre"));
  EXPECT_EQ(centre.point(), giPoint3(1, 2, 3));
  // Dressed in the dimension's attributes: a level and a point style set.
  EXPECT_FALSE(centre.level().invalid());
  ASSERT_FALSE(centre.style().invalid());
  EXPECT_EQ(centre.style()->name().locate_substring(utString("point style ")), 0);
  EXPECT_NE(printed(scene.document).find("centre \"R1 arc centre\" at 1 2 3"), std::string::npos);
}

TEST(vorabsDimensionTranslatorTest, EachKindGetsItsPointUnlessUnsetWhereThatLeavesItOut) {
  struct Row {
    const char* kind;
    AtPoint make;
    const char* set_point;   // the printed point when made at 4 5 6
    const char* unset_point; // the printed details when made at an unset point
    const char* type_name;
  };
  const Row rows[] = {
      {"annDiameterDimension", at<vorabsDiametricDimensionTranslator>(),
       " centre \"D arc centre\" at 4 5 6", " centre \"D arc centre\" at unset", "dimension"},
      {"annAngularDimension", at<vorabsAngularDimensionTranslator>(2.5),
       " vertex \"D arc vertex\" at 4 5 6 radius 2.5",
       " vertex \"D arc vertex\" at unset radius 2.5", "dimension"},
      {"annOrdinateDimension", at<vorabsOrdinateDimensionTranslator>(),
       " origin \"D origin\" at 4 5 6", "", "dimension"},
      {"annWitnessLine", at<vorabsWitnessTranslator>(),
       " dimensioned point \"D dimensioned point\" at 4 5 6", "", "witness line"},
  };
  for (const Row& row : rows) {
    for (const giPoint3& at : {giPoint3(4, 5, 6), giPoint3()}) {
      DimGdtScene scene;
      vorabsTranslatorcoPrf dimension = row.make(scene.context, at);
      auto* group = static_cast<vorabsCompoundTranslator*>(dimension.get());
      group->add_translator(scene.point("line"));
      ASSERT_EQ(scene.run(dimension), vorabsSTATUS_OK) << row.kind;
      const annNamedItem* made = group->last_annotation_item().pointer();
      EXPECT_STREQ(made->sto_class()->name(), row.kind);
      EXPECT_EQ(DimGdtScene::own_details(*made), at.invalid() ? row.unset_point : row.set_point)
          << row.kind;
    }
    // The kind word of the compound's messages.
    DimGdtScene empty;
    empty.run(row.make(empty.context, giPoint3(4, 5, 6)));
    ASSERT_EQ(empty.output.texts().size(), 1u);
    EXPECT_EQ(empty.output.texts()[0], "Ignoring empty " + std::string(row.type_name) + " D.\n");
  }
}

TEST(vorabsDimensionTranslatorTest, HoleSetsItsDiameterAlwaysAndTheRestOnlyWhenGiven) {
  EXPECT_EQ(hole_made([](kapHoleInformation&) {}), " hole diameter 0");
  EXPECT_EQ(hole_made([](kapHoleInformation& hole) {
              hole.set_hole_diameter(6);
              hole.set_counterbore_diameter(11);
              hole.set_counterbore_depth(0);
              hole.set_countersink_diameter(-1);
            }),
            " hole diameter 6 counterbore diameter 11");
  EXPECT_EQ(hole_made([](kapHoleInformation& hole) {
              hole.set_hole_diameter(6);
              hole.set_counterbore_depth(4.5);
              hole.set_countersink_diameter(12);
              hole.set_countersink_angle(giAngle(0));
            }),
            " hole diameter 6 counterbore depth 4.5 countersink diameter 12 countersink angle 0");

  DimGdtScene empty;
  empty.run(vorabsTranslatorcoPrf(new Hole(empty.context, [](kapHoleInformation&) {})));
  EXPECT_EQ(empty.output.texts(), std::vector<std::string>{"Ignoring empty dimension H.\n"});
}
