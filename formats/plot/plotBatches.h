// plotBatches.h - a page's items gathered into few drawing commands.
//
// A vector surface (PDF) keeps every drawing command of a page until the page
// is done, some hundreds of bytes each beside its path: a drawing whose
// entities alternate between looks, each entity its own command, held 170 MB
// so; a raster surface (PNG) pays its setup for every command. The batches
// gather items that one command can draw (the renderer says
// which by a key: strokes of one look share one). In the order they are given,
// items may only join the newest batch of their key; when reordering, an item
// may join an older one if nothing in a batch opened since touches its box,
// so that moving it under those batches changes no pixel. A grid over the
// device keeps, for each cell, the newest batch that touches it.
//
// The batches hold item numbers only; the renderer owns the items.
#pragma once

#include "plotScene.h"

#include <cstdint>
#include <vector>

class PLOT_API plotBatches {
public:
  struct Batch {
    int key;                          // below 0: the item stands alone
    std::vector<std::uint32_t> items; // in the order they were given
    std::uint32_t weight = 0;         // the path operations it holds
  };

  // area: the device area drawn on; boxes reaching beyond it count at its
  // edge. A batch takes items up to limit operations, so that no command
  // grows too large to draw at once.
  plotBatches(const plotBox& area, int reorder, std::uint32_t limit = 4096);

  // Whether an item of this key, box and weight would join a batch that
  // is there.
  int joins(int key, const plotBox& box, std::uint32_t weight) const;
  // Puts the item into a batch: key below 0 stands alone; box is where it
  // may put ink on the device.
  void add(std::uint32_t item, int key, const plotBox& box, std::uint32_t weight);
  // In the order they are to be drawn.
  const std::vector<Batch>& batches() const { return batches_; }
  // Forgets the batches, once drawn; later items go on top of them.
  void clear();

private:
  static constexpr int grid = 512; // cells a side
  void cells_of(const plotBox& box, int& c0, int& r0, int& c1, int& r1) const;

  plotBox area_;
  int reorder_;
  std::uint32_t limit_;
  std::vector<Batch> batches_;
  std::vector<int> open_; // per key: the batch it joins, or -1
  // Per cell: the stamp of the newest batch touching it. A batch's stamp is
  // base_ + its index + 1; stamps up to base_ are of batches already drawn.
  std::vector<std::uint32_t> cells_;
  std::uint32_t base_ = 0;
};
