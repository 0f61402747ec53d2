// PlotImage.cpp - reading the pixels of a PNG.
#include "PlotImage.h"

#include <algorithm>
#include <cstdint>

void PlotImage::rgb(int x, int y, int& r, int& g, int& b) const {
  r = g = b = 255;
  if (x < 0 || y < 0 || x >= width() || y >= height())
    return;
  cairo_surface_flush(surface_);
  const unsigned char* row =
      cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
  const std::uint32_t pixel = reinterpret_cast<const std::uint32_t*>(row)[x];
  const int alpha =
      cairo_image_surface_get_format(surface_) == CAIRO_FORMAT_ARGB32 ? int(pixel >> 24) : 255;
  // Premultiplied: blend onto white.
  r = int((pixel >> 16) & 0xFF) + 255 - alpha;
  g = int((pixel >> 8) & 0xFF) + 255 - alpha;
  b = int(pixel & 0xFF) + 255 - alpha;
}

bool PlotImage::ink(int x, int y, int radius, bool black_background) const {
  for (int dy = -radius; dy <= radius; ++dy)
    for (int dx = -radius; dx <= radius; ++dx) {
      int r, g, b;
      rgb(x + dx, y + dy, r, g, b);
      if (black_background ? std::max({r, g, b}) > 15 : std::min({r, g, b}) < 240)
        return true;
    }
  return false;
}

long PlotImage::ink_count() const {
  long count = 0;
  for (int y = 0; y < height(); ++y)
    for (int x = 0; x < width(); ++x)
      count += ink(x, y, 0);
  return count;
}

double PlotImage::covered_by(const PlotImage& other) const {
  long ink_here = 0, covered = 0;
  for (int y = 0; y < height(); ++y)
    for (int x = 0; x < width(); ++x)
      if (ink(x, y, 0)) {
        ++ink_here;
        covered += other.ink(x, y, 2);
      }
  return ink_here ? double(covered) / double(ink_here) : 1.0;
}
