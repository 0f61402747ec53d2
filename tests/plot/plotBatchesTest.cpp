// plotBatchesTest.cpp - items gathered into few drawing commands, with nothing moved under an
// item it overlaps, and a page of alternating looks stroked once per ink.
#include "plotBatches.h"
#include "plotRenderer.h"

#include <cairo-script.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

plotBox box(double x0, double y0, double x1, double y1) {
  plotBox out;
  out.x0 = x0, out.y0 = y0, out.x1 = x1, out.y1 = y1;
  return out;
}

const plotBox page = box(0, 0, 100, 100);

std::vector<std::vector<std::uint32_t>> gathered(const plotBatches& batches) {
  std::vector<std::vector<std::uint32_t>> out;
  for (const plotBatches::Batch& batch : batches.batches())
    out.push_back(batch.items);
  return out;
}

using Gathered = std::vector<std::vector<std::uint32_t>>;

TEST(plotBatchesTest, InTheGivenOrderOnlyTheNewestBatchGrows) {
  plotBatches batches(page, 0);
  const int keys[] = {1, 1, 2, 1, -1, -1, 1};
  for (std::uint32_t i = 0; i < 7; ++i)
    batches.add(i, keys[i], box(0, 0, 1, 1), 1);
  EXPECT_EQ(gathered(batches), (Gathered{{0, 1}, {2}, {3}, {4}, {5}, {6}}));
}

TEST(plotBatchesTest, ReorderedItemsJoinAnOlderBatchOnlyWhereNothingSinceTouchesThem) {
  plotBatches batches(page, 1);
  batches.add(0, 1, box(0, 0, 10, 10), 1);
  batches.add(1, 2, box(50, 50, 60, 60), 1);
  batches.add(2, 1, box(20, 20, 30, 30), 1); // apart from 1: goes under it
  batches.add(3, 1, box(55, 55, 65, 65), 1); // on 1: stays above it
  batches.add(4, 2, box(80, 0, 90, 10), 1);  // apart from 3
  batches.add(5, -1, box(0, 0, 10, 10), 1);  // alone, above 0
  batches.add(6, 1, box(80, 80, 90, 90), 1); // the newest batch of its key
  EXPECT_EQ(gathered(batches), (Gathered{{0, 2}, {1, 4}, {3, 6}, {5}}));
  // Drawn batches are not joined again: later items lie above them.
  batches.clear();
  batches.add(7, 1, box(0, 0, 1, 1), 1);
  batches.add(8, 2, box(90, 90, 99, 99), 1);
  batches.add(9, 1, box(40, 40, 41, 41), 1);
  EXPECT_EQ(gathered(batches), (Gathered{{7, 9}, {8}}));
}

TEST(plotBatchesTest, ABatchHoldsUpToItsLimitAndBoxesBeyondTheAreaCountAtItsEdge) {
  plotBatches batches(page, 1, 10);
  batches.add(0, 1, box(0, 0, 1, 1), 6);
  batches.add(1, 1, box(5, 5, 6, 6), 4);
  batches.add(2, 1, box(9, 9, 10, 10), 1); // would hold 11
  batches.add(3, 1, box(20, 20, 21, 21), 30);
  EXPECT_EQ(gathered(batches), (Gathered{{0, 1}, {2}, {3}}));

  // Two boxes left of the area, apart, fall on the same edge cells: the
  // second may not go under the first. A box of NaNs touches everything.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  plotBatches edge(page, 1);
  edge.add(0, 1, box(-50, 40, -45, 45), 1);
  edge.add(1, 2, box(-40, 40, -30, 45), 1);
  edge.add(2, 1, box(-20, 40, -10, 45), 1);
  edge.add(3, 2, box(nan, nan, nan, nan), 1);
  edge.add(4, 1, box(90, 90, 95, 95), 1);
  EXPECT_EQ(gathered(edge), (Gathered{{0}, {1}, {2}, {3}, {4}}));
}

bool touch(const plotBox& a, const plotBox& b) {
  if (std::isnan(a.x0) || std::isnan(b.x0))
    return true;
  return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

TEST(plotBatchesTest, NoItemGoesUnderAnItemBeforeItThatItTouches) {
  std::mt19937 random(20261207);
  std::uniform_real_distribution<double> at(-10, 110), size(0, 8);
  std::uniform_int_distribution<int> key(-1, 5);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::uint32_t count = 3000;
  std::vector<plotBox> boxes;
  std::vector<long> drawn_at(count, -1); // the place of each item's batch in the drawing
  long place = 0;
  size_t batches_drawn = 0;
  plotBatches batches(page, 1, 200);
  auto draw = [&]() {
    for (const plotBatches::Batch& batch : batches.batches()) {
      std::uint32_t held = 0;
      for (std::uint32_t item : batch.items) {
        ASSERT_EQ(drawn_at[item], -1) << "item " << item << " drawn twice";
        drawn_at[item] = place;
      }
      for (std::uint32_t item : batch.items)
        held += std::uint32_t(item % 40 + 1);
      EXPECT_TRUE(held <= 200 || batch.items.size() == 1);
      ++place;
    }
    batches_drawn += batches.batches().size();
    batches.clear();
  };
  for (std::uint32_t i = 0; i < count; ++i) {
    const double x = at(random), y = at(random);
    boxes.push_back(i % 500 == 7 ? box(nan, nan, nan, nan)
                                 : box(x, y, x + size(random), y + size(random)));
    batches.add(i, key(random), boxes.back(), i % 40 + 1);
    if (i % 1000 == 999)
      draw();
  }
  draw();
  for (std::uint32_t i = 0; i < count; ++i) {
    ASSERT_NE(drawn_at[i], -1) << "item " << i << " never drawn";
    for (std::uint32_t j = i + 1; j < count; ++j) {
      if (touch(boxes[i], boxes[j])) {
        ASSERT_LE(drawn_at[i], drawn_at[j]) << "item " << j << " went under item " << i;
      }
    }
  }
  EXPECT_LT(batches_drawn, count / 2) << "items were hardly gathered";
}

// What a renderer asks cairo to do, as a cairo script.
std::string script_of(const plotScene& scene, const plotStyles& styles, int reorder) {
  std::string text;
  cairo_device_t* device = cairo_script_create_for_stream(
      [](void* closure, const unsigned char* data, unsigned int length) {
        static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
        return CAIRO_STATUS_SUCCESS;
      },
      &text);
  cairo_surface_t* surface =
      cairo_script_surface_create(device, CAIRO_CONTENT_COLOR_ALPHA, 1000, 1000);
  cairo_t* cr = cairo_create(surface);
  {
    plotRenderOptions options;
    options.reorder = options.dot_strokes = reorder; // as a PDF page is drawn
    plotRenderer renderer(cr, styles, options);
    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    renderer.draw(scene, identity);
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  cairo_device_finish(device);
  cairo_device_destroy(device);
  return text;
}

// The colour set before each stroke and fill, in the order drawn: "r" red, "b" blue.
std::string painted(const std::string& script) {
  std::string out, colour;
  for (size_t at = 0; at < script.size();) {
    size_t end = script.find('\n', at);
    if (end == std::string::npos)
      end = script.size();
    const std::string line = script.substr(at, end - at);
    if (line.find("1 0 0 rgb set-source") != std::string::npos)
      colour = "r";
    else if (line.find("0 0 1 rgb set-source") != std::string::npos)
      colour = "b";
    if (line.find("stroke") != std::string::npos || line.find("fill") != std::string::npos)
      out += colour;
    at = end + 1;
  }
  return out;
}

TEST(plotBatchesTest, APageOfAlternatingLooksIsStrokedOncePerInkWithCrossingsKept) {
  plotStyles styles;
  plotLook look;
  look.red = 1;
  const int red = styles.look(look);
  look.layer = styles.layer("other"); // drawn alike: one ink
  const int red_elsewhere = styles.look(look);
  look.red = 0, look.blue = 1;
  const int blue = styles.look(look);
  plotScene scene;
  auto line = [](double x0, double y0, double x1, double y1) {
    return std::vector<plotOp>{{plotOpKind::MOVE, x0, y0, 0, 0, 0},
                               {plotOpKind::LINE, x1, y1, 0, 0, 0}};
  };
  const int looks[] = {red, blue, red_elsewhere};
  for (int i = 0; i < 60; ++i)
    scene.stroke(looks[i % 3], line(20 + i * 15, 100, 20 + i * 15, 150));
  scene.dot(blue, 500, 500);
  scene.stroke(red, line(10, 120, 60, 120)); // across the second, blue, line
  scene.dot(red, 700, 700);
  scene.dot(blue, 520, 500);

  // In the given order every stroke and dot is its own.
  EXPECT_EQ(painted(script_of(scene, styles, 0)).size(), 64u);
  // Reordered: the reds, the blues, the blue dots (drawn wider than the
  // lines, apart from them), then the red that crosses a blue line, and
  // the red dot.
  EXPECT_EQ(painted(script_of(scene, styles, 1)), "rbbrr");
  // A dot is a line of no length, stroked with round caps.
  const std::string script = script_of(scene, styles, 1);
  EXPECT_NE(script.find("500 500 m 500 500 l 520 500 m 520 500 l"), std::string::npos) << script;
}

} // namespace
