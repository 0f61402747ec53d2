// plotPattern.cpp - hatch pattern lines traced over a box.
#include "plotPattern.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr size_t most_ops = 400000; // beyond this a pattern reads as a solid fill

bool numbers_of(const std::string& text, std::vector<double>& out) {
  std::stringstream fields(text);
  for (std::string field; std::getline(fields, field, ',');) {
    char* end = nullptr;
    const double value = std::strtod(field.c_str(), &end);
    if (end == field.c_str() || !std::isfinite(value))
      return false;
    out.push_back(value);
  }
  return out.size() >= 5;
}

// One line from a + t0 u to a + t1 u, cut into its dashes (which start at a).
bool dashed_line(double ax, double ay, double ux, double uy, double t0, double t1,
                 const std::vector<double>& dashes, std::vector<plotOp>& ops) {
  auto piece = [&](double s, double e) {
    ops.push_back({plotOpKind::MOVE, ax + ux * s, ay + uy * s, 0, 0, 0});
    ops.push_back({plotOpKind::LINE, ax + ux * e, ay + uy * e, 0, 0, 0});
  };
  double period = 0;
  for (double d : dashes)
    period += std::fabs(d);
  if (dashes.empty() || !(period > 0)) {
    piece(t0, t1);
    return ops.size() < most_ops;
  }
  for (double round = std::floor(t0 / period) * period; round < t1; round += period) {
    double at = round;
    for (double d : dashes) {
      const double end = at + std::fabs(d);
      if (d >= 0 && end >= t0 && at <= t1)
        piece(std::fmax(at, t0), std::fmin(end, t1));
      at = end;
    }
    if (ops.size() >= most_ops)
      return false;
  }
  return true;
}

} // namespace

int plot_pattern_lines(const std::string& pattern, const plotBox& box, std::vector<plotOp>& ops) {
  if (box.empty())
    return 0;
  const double size = std::fmax(box.x1 - box.x0, box.y1 - box.y0);
  std::stringstream families(pattern);
  int any = 0;
  for (std::string family; std::getline(families, family, ';');) {
    std::vector<double> v;
    if (!numbers_of(family, v))
      return 0;
    const double ux = std::cos(v[0] * pi / 180), uy = std::sin(v[0] * pi / 180);
    const double nx = -uy, ny = ux; // across the lines
    const double step = v[3] * nx + v[4] * ny;
    if (!(std::fabs(step) > size / 2000))
      return 0; // lines closer than the plot can show
    const std::vector<double> dashes(v.begin() + 5, v.end());
    double k0 = 1e300, k1 = -1e300;
    for (double cx : {box.x0, box.x1})
      for (double cy : {box.y0, box.y1}) {
        const double k = ((cx - v[1]) * nx + (cy - v[2]) * ny) / step;
        k0 = std::fmin(k0, k), k1 = std::fmax(k1, k);
      }
    for (double k = std::floor(k0); k <= std::ceil(k1); ++k) {
      const double ax = v[1] + k * v[3], ay = v[2] + k * v[4];
      double t0 = 1e300, t1 = -1e300;
      for (double cx : {box.x0, box.x1})
        for (double cy : {box.y0, box.y1}) {
          const double t = (cx - ax) * ux + (cy - ay) * uy;
          t0 = std::fmin(t0, t), t1 = std::fmax(t1, t);
        }
      if (!dashed_line(ax, ay, ux, uy, t0, t1, dashes, ops))
        return 0;
    }
    any = 1;
  }
  return any;
}
