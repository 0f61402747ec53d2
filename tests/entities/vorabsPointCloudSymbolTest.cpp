// Tests of the point-cloud and symbol translators.
#include "vorabsPointCloudTranslator.h"
#include "vorabsSymbolTranslator.h"

#include "EntityHarness.h"

namespace {

class Cloud final : public vorabsPointCloudTranslator {
public:
  Cloud(const vorabsContext& context, int with_normals)
      : vorabsPointCloudTranslator(context), with_normals(with_normals) {}
  annPointCloudData* point_cloud_data(int kind) override {
    asked_with = kind;
    if (null_data)
      return nullptr;
    auto* data = new annPointCloudData();
    data->add_feature<giNodeXYZ>()->append(giPoint3(1, 2, 3));
    data->find_feature<giNodeXYZ>()->append(giPoint3(0, 0, 0));
    if (with_normals)
      data->add_feature<giNormArr>()->append(giVector3(1, 0, 0));
    return data;
  }
  int with_normals;
  int null_data = 0;
  int asked_with = 0;
};

using PointCloudTranslatorTest = EntityHarness;

TEST_F(PointCloudTranslatorTest, StretchMovesPositionsAndCarriesNormalsWithoutMakingThemUnit) {
  Cloud cloud(context, 1);
  ASSERT_EQ(run(cloud, diagonal(2, 1, 1)), vorabsSTATUS_OK);
  EXPECT_EQ(cloud.asked_with, 3);
  const annPointCloud* made = annPointCloud::sto_dynamic_cast(sent());
  ASSERT_TRUE(made);
  const giNodeXYZ& positions = *made->data()->find_feature<giNodeXYZ>();
  EXPECT_TRUE(positions[0] == giPoint3(2, 2, 3));
  EXPECT_TRUE(positions.box().max() == giPoint3(2, 2, 3));
  EXPECT_TRUE((*made->data()->find_feature<giNormArr>())[0] == giVector3(2, 0, 0));
  EXPECT_NE(printed(document).find("points 2 normals 1"), std::string::npos);
  vorabsAttributeSet kinds;
  cloud.attributes(kinds);
  EXPECT_TRUE(kinds.member(vorabsANNOTATION) && kinds.member(vorabsSTRUCTURE) &&
              kinds.member(vorabsPOINTCLOUD));
}

TEST_F(PointCloudTranslatorTest, CloudWithoutNormalsMovesAndNullDataFails) {
  Cloud plain(context, 0), missing(context, 0);
  missing.null_data = 1;
  ASSERT_EQ(run(plain, diagonal(1, 1, 3)), vorabsSTATUS_OK);
  const annPointCloud* made = annPointCloud::sto_dynamic_cast(sent());
  ASSERT_TRUE(made);
  EXPECT_TRUE((*made->data()->find_feature<giNodeXYZ>())[0] == giPoint3(1, 2, 9));
  EXPECT_EQ(made->data()->find_feature<giNormArr>(), nullptr);
  EXPECT_EQ(run(missing, giXform3(giXformIdentity)), vorabsSTATUS_FAILED);
  EXPECT_EQ(sink.calls.size(), 1u);
}

class Symbol final : public vorabsSymbolTranslator {
public:
  using vorabsSymbolTranslator::vorabsSymbolTranslator;
  vorabsNameMangler* create_name_mangler(utPtrRelease) const override { return nullptr; }
};

using SymbolTranslatorTest = EntityHarness;

TEST_F(SymbolTranslatorTest, ChildlessSymbolIsAnEmptyInstancePlacedByItsOwnTransform) {
  Symbol symbol(translation(5, 0, 0), context);
  symbol.set_group_name(utString("Pin"));
  ASSERT_EQ(run(symbol, translation(0, 1, 0)), vorabsSTATUS_OK);
  const annPointSymbolInstance* made = annPointSymbolInstance::sto_dynamic_cast(sent());
  ASSERT_TRUE(made);
  EXPECT_TRUE(made->get_group_geometry().empty());
  EXPECT_STREQ(made->group_name().c_str(), "Pin");
  EXPECT_TRUE(made->transform()->workplane().origin() == giPoint3(5, 1, 0));
  EXPECT_STREQ(made->transform()->name().c_str(), "E");
}

TEST_F(SymbolTranslatorTest, ChildlessSymbolUnderAStretchFailsWithoutSending) {
  Symbol stretched(giXform3(giXformIdentity), context), own_stretch(diagonal(1, 2, 1), context);
  EXPECT_EQ(run(stretched, diagonal(2, 1, 1)), vorabsSTATUS_FAILED);
  EXPECT_EQ(run(own_stretch, giXform3(giXformIdentity)), vorabsSTATUS_FAILED);
  EXPECT_TRUE(sink.calls.empty());
  EXPECT_EQ(document.num_items(), 0u);
}

} // namespace
