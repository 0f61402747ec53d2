// dxfHelix.cpp - a HELIX's spline part.
#include "dxfHelix.h"

void dxf_decode_helix(const dxfTags& tags, dxfEntity& e, dxfFile&) {
  int knots = 0, controls = 0, rational = 0;
  bool in_point = false; // the last 10 group began a control point
  std::vector<double>& knot_values = e.more().knots;
  std::vector<double>& weights = e.more().weights;
  for (const dxfTag& t : tags) {
    switch (t.code) {
    case 70:
      rational = dxf_tag_int(t) & 4;
      break;
    case 71:
      e.i71 = dxf_tag_int(t, 3, 1, 32);
      break;
    case 72:
      knots = dxf_tag_int(t, 0, 0, 1 << 20);
      break;
    case 73:
      controls = dxf_tag_int(t, 0, 0, 1 << 20);
      break;
    case 40:
      if (int(knot_values.size()) < knots)
        knot_values.push_back(dxf_tag_number(t));
      break;
    case 41:
      if (rational && int(weights.size()) < controls)
        weights.push_back(dxf_tag_number(t));
      break;
    case 10:
      in_point = int(e.vertices.size()) < controls;
      if (in_point) {
        e.vertices.emplace_back();
        e.vertices.back().x = dxf_tag_number(t);
      }
      break;
    case 20:
    case 30:
      if (in_point)
        (t.code == 20 ? e.vertices.back().y : e.vertices.back().z) = dxf_tag_number(t);
      break;
    default:
      break;
    }
  }
}
