// PlotImage.h - a PNG read back for the plot tests: where it has ink.
#pragma once

#include <cairo.h>

#include <string>

class PlotImage {
public:
  explicit PlotImage(const std::string& path)
      : surface_(cairo_image_surface_create_from_png(path.c_str())) {}
  ~PlotImage() { cairo_surface_destroy(surface_); }
  PlotImage(const PlotImage&) = delete;
  PlotImage& operator=(const PlotImage&) = delete;

  bool valid() const { return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS; }
  int width() const { return cairo_image_surface_get_width(surface_); }
  int height() const { return cairo_image_surface_get_height(surface_); }
  // The pixel's channels, 0 to 255; transparent pixels read white.
  void rgb(int x, int y, int& r, int& g, int& b) const;
  // Ink: a pixel within radius of (x, y) whose darkest channel is below 240
  // (on white), or whose brightest is above 15 (on black).
  bool ink(int x, int y, int radius = 1, bool black_background = false) const;
  long ink_count() const;
  // The share of this image's ink that has ink of the other within 2 pixels.
  double covered_by(const PlotImage& other) const;

private:
  cairo_surface_t* surface_;
};
