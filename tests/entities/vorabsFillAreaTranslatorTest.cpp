// Tests of the fill-area translator: holes, boundaries laid back into the plane, unnamed areas.
#include "vorabsFillAreaTranslator.h"

#include "EntityHarness.h"

#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

velCurvePtr2 square(double x0, double y0, double side) {
  auto* chain = new velCompCurve2(1e-9, 0);
  const giPoint2 corners[] = {{x0, y0}, {x0 + side, y0}, {x0 + side, y0 + side}, {x0, y0 + side}};
  for (int i = 0; i < 4; ++i)
    chain->add_segment_end(velCurvePtr2(new velLine2(corners[i], corners[(i + 1) % 4])));
  return velCurvePtr2(chain);
}

class Area final : public vorabsFillAreaTranslator {
public:
  explicit Area(const vorabsContext& context) : vorabsFillAreaTranslator(context) {}
  using vorabsFillAreaTranslator::create_annotation;
  int num_inner_boundaries() override { return int(holes.size()); }
  void inner_boundary(velCurvePtr2& curve, int index, vorabsAttributeSet&) override {
    curve = holes[size_t(index)];
    if (index == 0 && grow_after_first)
      holes.push_back(square(6, 6, 1));
  }
  void outer_boundary(velCurvePtr2& curve, vorabsAttributeSet& attributes) override {
    curve = outer;
    put(attributes, vorabsLINEWIDTH, 0.7);
  }
  void complete_fill_area(annFillAreaannPtr&) override { ++completed; }

  velCurvePtr2 outer = square(0, 0, 10);
  std::vector<velCurvePtr2> holes;
  int grow_after_first = 0;
  int completed = 0;
};

const annFillArea* fill_area_in(const annNamedItem* item) {
  return annFillArea::sto_dynamic_cast(item);
}

using FillAreaTranslatorTest = EntityHarness;

TEST_F(FillAreaTranslatorTest, InvalidHoleIsLeftOutAndTheCountIsAskedAfterEveryHole) {
  Area area(context);
  area.holes = {square(1, 1, 1), velCurvePtr2()};
  area.grow_after_first = 1; // a third hole appears after the first is read
  ASSERT_EQ(run(area, giXform3(giXformIdentity)), vorabsSTATUS_OK);
  const annFillArea* made = fill_area_in(sent());
  ASSERT_TRUE(made);
  EXPECT_EQ(area.completed, 1);
  ASSERT_EQ(made->inner_boundaries().size(), 2u);
  EXPECT_STREQ(made->inner_boundaries()[0]->name().c_str(), "E Inner Boundary0");
  EXPECT_STREQ(made->inner_boundaries()[1]->name().c_str(), "E Inner Boundary2");
  // The outer boundary is dressed in its own attributes.
  EXPECT_STREQ(made->outer_boundary()->style()->name().c_str(),
               "curve style no colour solid 0.7 style");
  EXPECT_TRUE(made->outer_boundary()->curve() == area.outer);
}

TEST_F(FillAreaTranslatorTest, InvalidOuterBoundaryFailsBeforeAnythingIsMade) {
  Area area(context);
  area.outer = velCurvePtr2();
  area.holes = {square(1, 1, 1)};
  EXPECT_EQ(run(area, giXform3(giXformIdentity)), vorabsSTATUS_FAILED);
  EXPECT_TRUE(sink.calls.empty());
  EXPECT_EQ(area.completed, 0);
  EXPECT_EQ(document.num_items(), 0u);
}

TEST_F(FillAreaTranslatorTest, StretchLaysEveryBoundaryBackIntoThePlaneAsLines) {
  Area area(context);
  area.holes = {velCurvePtr2(new velCircArc2(giPoint2(5, 5), 1, 0, 2 * std::acos(-1.0)))};
  ASSERT_EQ(run(area, diagonal(2, 1, 1)), vorabsSTATUS_OK);
  const annFillArea* made = fill_area_in(sent());
  ASSERT_TRUE(made);
  const auto* outer = dynamic_cast<const velCompCurve2*>(made->outer_boundary()->curve().pointer());
  ASSERT_TRUE(outer);
  ASSERT_EQ(outer->num_segments(), 4);
  EXPECT_STREQ(outer->segment(1)->kind(), "line");
  EXPECT_TRUE(outer->segment(1)->start_position() == giPoint2(20, 0));
  EXPECT_TRUE(outer->closed());
  // The hole becomes an ellipse: a polyline whose points lie on it.
  const velCurvePtr2& hole = made->inner_boundaries()[0]->curve();
  ASSERT_STREQ(hole->kind(), "polyline");
  const auto& points = static_cast<const velPolyline2&>(*hole);
  for (int i = 0; i < points.num_points(); ++i) {
    const double x = (points.point(i).x - 10) / 2, y = points.point(i).y - 5;
    EXPECT_TRUE(near(x * x + y * y, 1.0, 1e-9));
  }
}

// The names of one unnamed fill area in creation order: outer, hole, area.
std::vector<std::string> unnamed_names(annDocument& document) {
  vorabsContext context;
  context.set_document(&document);
  Area area(context);
  area.holes = {square(1, 1, 1)};
  annGeometryItemannPtr item;
  area.create_annotation(vorabsAttributeSet(), giXform3(giXformIdentity), item);
  const annFillArea& made = *fill_area_in(item.pointer());
  return {made.outer_boundary()->name().c_str(), made.inner_boundaries()[0]->name().c_str(),
          made.name().c_str()};
}

int number_in(const std::string& name) {
  return std::stoi(name.substr(std::string("unnamed ").size()));
}

TEST_F(FillAreaTranslatorTest, UnnamedAreasTakeTheNextNumberAtEveryUse) {
  std::vector<std::string> names = unnamed_names(document);
  const int first = number_in(names[0]);
  EXPECT_EQ(names[0], "unnamed " + std::to_string(first) + " Outer Boundary");
  EXPECT_EQ(names[1], "unnamed " + std::to_string(first + 1) + " Inner Boundary0");
  EXPECT_EQ(names[2], "unnamed " + std::to_string(first + 2));
}

TEST(FillAreaNumbersTest, TwoThreadsNeverTakeTheSameNumber) {
  constexpr int areas_per_thread = 200;
  std::vector<int> numbers[2];
  auto translate = [](std::vector<int>& taken) {
    annDocument document;
    for (int i = 0; i < areas_per_thread; ++i)
      for (const std::string& name : unnamed_names(document))
        taken.push_back(number_in(name));
  };
  std::thread one(translate, std::ref(numbers[0]));
  std::thread two(translate, std::ref(numbers[1]));
  one.join();
  two.join();
  std::set<int> distinct(numbers[0].begin(), numbers[0].end());
  distinct.insert(numbers[1].begin(), numbers[1].end());
  EXPECT_EQ(distinct.size(), size_t(2 * 3 * areas_per_thread));
}

} // namespace
