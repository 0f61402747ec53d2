// plotSceneTest.cpp - a scene keeps each item's path whole and in place as it grows past its
// storage chunks, and a placed copy moves every point.
#include "plotScene.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A path of count points along y = tag, x counting up.
std::vector<plotOp> run(int tag, int count) {
  std::vector<plotOp> ops;
  for (int i = 0; i < count; ++i)
    ops.push_back({i == 0 ? plotOpKind::MOVE : plotOpKind::LINE, double(i), double(tag), 0, 0, 0});
  return ops;
}

// Whether item holds the path run(tag, count), moved by dx.
::testing::AssertionResult holds(const plotScene& scene, const plotItem& item, int tag, int count,
                                 double dx = 0) {
  if (item.count != std::uint32_t(count))
    return ::testing::AssertionFailure() << "count " << item.count << " for " << count;
  std::vector<plotOp> read;
  const plotOp* ops = scene.ops(item, read);
  for (int i = 0; i < count; ++i)
    if (ops[i].x != i + dx || ops[i].y != tag)
      return ::testing::AssertionFailure()
             << "op " << i << " of " << tag << " at " << ops[i].x << ", " << ops[i].y;
  return ::testing::AssertionSuccess();
}

TEST(plotSceneTest, PathsOfEverySizeStayWholeAsTheSceneGrowsAndWhenPlaced) {
  // Small paths fill chunk after chunk; one is longer than any chunk, one
  // just too long for what is left of its chunk.
  std::vector<int> sizes;
  for (int i = 0; i < 3000; ++i)
    sizes.push_back(2 + i % 13);
  sizes.insert(sizes.begin() + 1500, 40000);
  sizes.insert(sizes.begin() + 10, 17);
  plotScene scene;
  for (size_t i = 0; i < sizes.size(); ++i) {
    scene.stroke(0, run(int(i), sizes[i]));
    if (i % 100 == 0)
      scene.dot(0, -1, double(i));
  }
  std::vector<const plotItem*> strokes;
  for (const plotItem& item : scene.items())
    if (item.kind == plotItem::STROKE)
      strokes.push_back(&item);
  ASSERT_EQ(strokes.size(), sizes.size());
  for (size_t i = 0; i < sizes.size(); ++i)
    ASSERT_TRUE(holds(scene, *strokes[i], int(i), sizes[i]));

  plotScene placed;
  plotAffine right;
  right.e = 5;
  placed.append(scene, right);
  size_t i = 0;
  for (const plotItem& item : placed.items()) {
    if (item.kind == plotItem::DOT) {
      std::vector<plotOp> read;
      EXPECT_EQ(placed.ops(item, read)->x, 4);
      continue;
    }
    ASSERT_TRUE(holds(placed, item, int(i), sizes[i], 5));
    ++i;
  }
  EXPECT_EQ(i, sizes.size());
  const plotBox box = placed.bounds();
  EXPECT_EQ(box.x0, 4);
  EXPECT_EQ(box.x1, 40004);
}

TEST(plotSceneTest, ReleasedItemsGoWithTheirPathsAndTextsWhileLaterOnesStayWhole) {
  // Strokes tagged 0, 1, 2 ...; after every seventh, a text of its tag.
  plotScene scene;
  for (int i = 0; i < 3000; ++i) {
    scene.stroke(0, run(i, 2 + i % 11));
    if (i % 7 == 0) {
      plotText text;
      text.text = std::to_string(i);
      scene.text(0, text);
    }
  }
  const size_t count = scene.size();
  // Released up to a text, then up to a stroke, as a page drawn in parts is.
  ASSERT_EQ(scene.item(1201).kind, plotItem::TEXT);
  for (size_t upto : {size_t(1201), size_t(2000)}) {
    scene.release_before(upto);
    EXPECT_EQ(scene.released(), upto);
    EXPECT_EQ(scene.size(), count);
    std::vector<plotOp> read;
    int tag = -1; // of the last stroke seen
    for (size_t n = upto; n < count; ++n) {
      const plotItem& item = scene.item(n);
      if (item.kind == plotItem::TEXT) {
        if (tag >= 0) {
          ASSERT_EQ(scene.text_of(item).text, std::to_string(tag)) << "item " << n;
        }
        continue;
      }
      const int next = int(scene.ops(item, read)[0].y);
      ASSERT_TRUE(tag < 0 || next == tag + 1) << "item " << n;
      tag = next;
      ASSERT_TRUE(holds(scene, item, tag, 2 + tag % 11));
    }
    EXPECT_EQ(tag, 2999);
  }
  scene.release_before(count);
  EXPECT_TRUE(scene.items().empty());
}

} // namespace
