// plotBatches.cpp - gathering items into batches without changing what lies on top.
#include "plotBatches.h"

#include <algorithm>
#include <cmath>

plotBatches::plotBatches(const plotBox& area, int reorder, std::uint32_t limit)
    : area_(area), reorder_(reorder && !area.empty()), limit_(limit) {
  if (reorder_)
    cells_.assign(size_t(grid) * grid, 0);
}

void plotBatches::cells_of(const plotBox& box, int& c0, int& r0, int& c1, int& r1) const {
  if (!(box.x0 <= box.x1) || !(box.y0 <= box.y1)) { // NaNs: anywhere
    c0 = r0 = 0, c1 = r1 = grid - 1;
    return;
  }
  const double sx = grid / std::max(area_.x1 - area_.x0, 1e-9);
  const double sy = grid / std::max(area_.y1 - area_.y0, 1e-9);
  // Infinite edges and edges beyond the area land on its edge cells.
  auto cell = [](double at) { return at >= 0 ? at < grid ? int(at) : grid - 1 : 0; };
  c0 = cell((box.x0 - area_.x0) * sx);
  c1 = cell((box.x1 - area_.x0) * sx);
  r0 = cell((box.y0 - area_.y0) * sy);
  r1 = cell((box.y1 - area_.y0) * sy);
}

int plotBatches::joins(int key, const plotBox& box, std::uint32_t weight) const {
  const int open = key >= 0 && size_t(key) < open_.size() ? open_[size_t(key)] : -1;
  if (open < 0 || batches_[size_t(open)].weight + weight > limit_)
    return 0;
  if (!reorder_)
    return size_t(open) + 1 == batches_.size();
  int c0, r0, c1, r1;
  cells_of(box, c0, r0, c1, r1);
  const std::uint32_t stamp = base_ + std::uint32_t(open) + 1;
  for (int r = r0; r <= r1; ++r)
    for (int c = c0; c <= c1; ++c)
      if (cells_[size_t(r) * grid + size_t(c)] > stamp)
        return 0;
  return 1;
}

void plotBatches::add(std::uint32_t item, int key, const plotBox& box, std::uint32_t weight) {
  if (!joins(key, box, weight)) {
    batches_.push_back(Batch{key, {}, 0});
    if (key >= 0) {
      if (size_t(key) >= open_.size())
        open_.resize(size_t(key) + 1, -1);
      open_[size_t(key)] = int(batches_.size() - 1);
    }
  }
  const size_t at = key >= 0 ? size_t(open_[size_t(key)]) : batches_.size() - 1;
  batches_[at].items.push_back(item);
  batches_[at].weight += weight;
  if (!reorder_)
    return;
  // The batch is at least as new as every batch touching the box.
  int c0, r0, c1, r1;
  cells_of(box, c0, r0, c1, r1);
  const std::uint32_t stamp = base_ + std::uint32_t(at) + 1;
  for (int r = r0; r <= r1; ++r)
    std::fill(&cells_[size_t(r) * grid + size_t(c0)], &cells_[size_t(r) * grid + size_t(c1)] + 1,
              stamp);
}

void plotBatches::clear() {
  base_ += std::uint32_t(batches_.size());
  batches_.clear();
  std::fill(open_.begin(), open_.end(), -1);
  if (base_ > 0xF0000000u) { // stamps would run out: start again from nothing
    std::fill(cells_.begin(), cells_.end(), 0);
    base_ = 0;
  }
}
