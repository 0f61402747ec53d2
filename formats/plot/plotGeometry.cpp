// plotGeometry.cpp - curves, fill areas, triangle blocks and texts traced into path operations.
#include "plotGeometry.h"

#include "ann/ann.h"
#include "gi.h"
#include "vel.h"
#include "velEllipse.h"
#include "velSpline.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double pi = 3.14159265358979323846;

void line_to(std::vector<plotOp>& ops, const giPoint3& p, int first) {
  ops.push_back({first ? plotOpKind::MOVE : plotOpKind::LINE, p.x, p.y, 0, 0, 0});
}

// Samples a curve by its parameter; steps by how much it turns.
template <class Curve>
void trace(const Curve& curve, int steps, std::vector<plotOp>& ops, int first) {
  double t0, t1;
  curve.parameter_range(t0, t1);
  for (int i = 0; i <= steps; ++i) {
    auto p = curve.position(t0 + (t1 - t0) * i / steps);
    ops.push_back({first && i == 0 ? plotOpKind::MOVE : plotOpKind::LINE, p.x, p.y, 0, 0, 0});
  }
}

// The arc c + r (cos t U + sin t V), t from a0 to a1, seen from above: a
// circular arc when U and V lie in the drawing's plane, traced otherwise.
void arc_ops(const giPoint3& c, const giVector3& u, const giVector3& v, double r, double a0,
             double a1, std::vector<plotOp>& ops, int first) {
  const double turn = u.x * v.y - u.y * v.x; // +1 counter-clockwise, -1 clockwise
  if (std::fabs(u.z) < 1e-12 && std::fabs(v.z) < 1e-12 && std::fabs(std::fabs(turn) - 1) < 1e-9) {
    const double sign = turn > 0 ? 1 : -1, base = std::atan2(u.y, u.x);
    const double s = base + sign * a0, e = base + sign * a1;
    if (first)
      ops.push_back({plotOpKind::MOVE, c.x + r * std::cos(s), c.y + r * std::sin(s), 0, 0, 0});
    ops.push_back({e >= s ? plotOpKind::ARC : plotOpKind::ARC_NEGATIVE, c.x, c.y, r, s, e});
    return;
  }
  const int steps = std::max(8, int(std::ceil(std::fabs(a1 - a0) / (pi / 90))));
  for (int i = 0; i <= steps; ++i) {
    const double t = a0 + (a1 - a0) * i / steps;
    const giPoint3 p = c + (r * std::cos(t)) * u + (r * std::sin(t)) * v;
    line_to(ops, p, first && i == 0);
  }
}

int curve2_on_plane(const velCurvePtr2& curve, const velPlane* plane, const giXform3* placement,
                    std::vector<plotOp>& ops, int first);

// A 2D piece on a plane (or on the drawing's plane when plane is null).
int piece_on_plane(const velCurve2& piece, const velPlane* plane, const giXform3* placement,
                   std::vector<plotOp>& ops, int first) {
  auto at = [&](const giPoint2& p) {
    giPoint3 q = plane ? plane->position(p.x, p.y) : giPoint3(p.x, p.y, 0);
    return placement ? *placement * q : q;
  };
  if (auto* line = dynamic_cast<const velLine2*>(&piece)) {
    line_to(ops, at(line->start()), first);
    line_to(ops, at(line->end()), 0);
    return 1;
  }
  if (auto* polyline = dynamic_cast<const velPolyline2*>(&piece)) {
    for (int i = 0; i < polyline->num_points(); ++i)
      line_to(ops, at(polyline->point(i)), first && i == 0);
    return polyline->num_points() > 0;
  }
  if (auto* arc = dynamic_cast<const velCircArc2*>(&piece)) {
    if (!placement && arc->radius() > 0) {
      giWorkplane3 frame = plane ? plane->workplane() : giWorkplane3(giWorkplaneWorld);
      const double scale = plane ? plane->scale() : 1.0;
      arc_ops(at(arc->centre()), frame.u_vector(), frame.v_vector(), arc->radius() * scale,
              arc->start_angle(), arc->end_angle(), ops, first);
      return 1;
    }
    double t0, t1;
    arc->parameter_range(t0, t1);
    const int steps = std::max(8, int(std::ceil(std::fabs(t1 - t0) / (pi / 90))));
    for (int i = 0; i <= steps; ++i)
      line_to(ops, at(arc->position(t0 + (t1 - t0) * i / steps)), first && i == 0);
    return 1;
  }
  if (auto* composite = dynamic_cast<const velCompCurve2*>(&piece)) {
    int any = 0;
    for (int i = 0; i < composite->num_segments(); ++i)
      any |= curve2_on_plane(composite->segment(i), plane, placement, ops, first && !any);
    return any;
  }
  double t0, t1;
  piece.parameter_range(t0, t1);
  for (int i = 0; i <= 64; ++i)
    line_to(ops, at(piece.position(t0 + (t1 - t0) * i / 64)), first && i == 0);
  return 1;
}

int curve2_on_plane(const velCurvePtr2& curve, const velPlane* plane, const giXform3* placement,
                    std::vector<plotOp>& ops, int first) {
  return curve.invalid() ? 0 : piece_on_plane(*curve, plane, placement, ops, first);
}

} // namespace

int plot_finite(const std::vector<plotOp>& ops) {
  for (const plotOp& op : ops)
    if (!std::isfinite(op.x) || !std::isfinite(op.y) || !std::isfinite(op.r) ||
        !std::isfinite(op.a0) || !std::isfinite(op.a1))
      return 0;
  return 1;
}

int plot_curve(const velCurvePtr3& handle, std::vector<plotOp>& ops) {
  if (handle.invalid())
    return 0;
  const velCurve3& curve = *handle;
  if (auto* line = dynamic_cast<const velLine3*>(&curve)) {
    line_to(ops, line->start(), 1);
    line_to(ops, line->end(), 0);
  } else if (auto* arc = dynamic_cast<const velCircArc3*>(&curve)) {
    if (arc->invalid())
      return 0;
    const giVector3 u = arc->reference(), v = arc->normal().cross(u);
    arc_ops(arc->centre(), u, v, arc->radius(), arc->start_angle(), arc->end_angle(), ops, 1);
  } else if (auto* polyline = dynamic_cast<const velPolyline3*>(&curve)) {
    for (int i = 0; i < polyline->num_points(); ++i)
      line_to(ops, polyline->point(i), i == 0);
  } else if (auto* ellipse = dynamic_cast<const velEllipse3*>(&curve)) {
    if (ellipse->invalid())
      return 0;
    double t0, t1;
    ellipse->parameter_range(t0, t1);
    trace(curve, std::max(16, int(std::ceil(std::fabs(t1 - t0) / (pi / 90)))), ops, 1);
  } else if (auto* spline = dynamic_cast<const velBSpline3*>(&curve)) {
    if (spline->invalid())
      return 0;
    trace(curve, int(std::min<size_t>(4000, 24 * spline->control_points().size() + 16)), ops, 1);
  } else if (auto* on = dynamic_cast<const velCurveOnSurf3*>(&curve)) {
    auto* plane = dynamic_cast<const velPlane*>(on->surface().pointer());
    const giXform3* placement = on->placement().identity() ? nullptr : &on->placement();
    if (!plane || !curve2_on_plane(on->curve(), plane, placement, ops, 1))
      trace(curve, 256, ops, 1);
  } else {
    trace(curve, 256, ops, 1);
  }
  return !ops.empty() && plot_finite(ops);
}

int plot_fill_area(const annFillArea& fill, std::vector<plotOp>& ops) {
  auto boundary = [&](const annCurveannPtr& curve) {
    if (curve.invalid() || !curve2_on_plane(curve->curve(), nullptr, nullptr, ops, 1))
      return 0;
    ops.push_back({plotOpKind::CLOSE, 0, 0, 0, 0, 0});
    return 1;
  };
  if (!boundary(fill.outer_boundary()))
    return 0;
  for (const annCurveannPtr& inner : fill.inner_boundaries())
    boundary(inner);
  return plot_finite(ops);
}

int plot_triblock(const giTriBlock& block, int filled, std::vector<plotOp>& ops) {
  const giNodeXYZ* nodes = block.find_feature<giNodeXYZ>();
  const giTriArr* triangles = block.find_feature<giTriArr>();
  if (!nodes || !triangles)
    return 0;
  const int n = int(nodes->size());
  // A four-cornered face made of two triangles shows its four edges only.
  if (!filled && n == 4 && triangles->size() == 2 && (*triangles)[0].a == 0 &&
      (*triangles)[0].b == 1 && (*triangles)[0].c == 2 && (*triangles)[1].a == 0 &&
      (*triangles)[1].b == 2 && (*triangles)[1].c == 3) {
    for (int i = 0; i < 4; ++i)
      line_to(ops, (*nodes)[size_t(i)], i == 0);
    ops.push_back({plotOpKind::CLOSE, 0, 0, 0, 0, 0});
    return plot_finite(ops);
  }
  for (size_t i = 0; i < triangles->size(); ++i) {
    const giTriangle& t = (*triangles)[i];
    if (t.a < 0 || t.b < 0 || t.c < 0 || t.a >= n || t.b >= n || t.c >= n)
      return 0;
    // Two triangles where the second begins where the first ends and ends
    // where it began, (a, b, c) then (c, d, a), are the halves of a
    // four-cornered face: its four edges show, not the diagonal between.
    if (!filled && i + 1 < triangles->size()) {
      const giTriangle& u = (*triangles)[i + 1];
      if (u.a == t.c && u.c == t.a && u.b >= 0 && u.b < n) {
        const int corners[4] = {t.a, t.b, t.c, u.b};
        for (int k = 0; k < 4; ++k)
          line_to(ops, (*nodes)[size_t(corners[k])], k == 0);
        ops.push_back({plotOpKind::CLOSE, 0, 0, 0, 0, 0});
        ++i;
        continue;
      }
    }
    const giPoint3 &a = (*nodes)[size_t(t.a)], &b = (*nodes)[size_t(t.b)],
                   &c = (*nodes)[size_t(t.c)];
    const double area = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    const giPoint3& second = filled && area < 0 ? c : b;
    const giPoint3& third = filled && area < 0 ? b : c;
    line_to(ops, a, 1);
    line_to(ops, second, 0);
    line_to(ops, third, 0);
    ops.push_back({plotOpKind::CLOSE, 0, 0, 0, 0, 0});
  }
  return !ops.empty() && plot_finite(ops);
}

int plot_text(const annTextGeometry& text, plotStyles& styles, plotText& out) {
  if (text.text().invalid() || text.font().invalid() || text.lcs().invalid())
    return 0;
  const giWorkplane3& frame = text.lcs()->workplane();
  const annTextFont& font = *text.font();
  out.text = text.text()->text().c_str();
  out.x = frame.origin().x;
  out.y = frame.origin().y;
  out.ux = frame.u_vector().x;
  out.uy = frame.u_vector().y;
  out.vx = frame.v_vector().x;
  out.vy = frame.v_vector().y;
  out.height = font.height();
  out.width = text.width();
  const std::string name = text.name().c_str();
  out.mtext = name.compare(0, 5, "MTEXT") == 0 || out.text.find('\n') != std::string::npos;
  plotFont face;
  face.family = font.family_name().c_str();
  if (face.family.empty())
    face.family = font.font_file().c_str();
  face.bold = font.bold();
  face.italic = font.italic();
  out.font = styles.font(face);
  return std::isfinite(out.x) && std::isfinite(out.y) && std::isfinite(out.height) &&
         std::isfinite(out.width) && std::isfinite(out.ux) && std::isfinite(out.uy) &&
         std::isfinite(out.vx) && std::isfinite(out.vy) && !frame.invalid();
}

namespace {

// The byte at which character number count of a UTF-8 text starts; the
// text's size when it has no more characters.
size_t byte_of_character(const std::string& text, size_t count) {
  size_t at = 0;
  for (; at < text.size(); ++at)
    if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80 && count-- == 0)
      return at;
  return text.size();
}

// A colour word of the text-layout properties: 1 for "#RRGGBB" (into red,
// green and blue), 2 for "foreground", 0 for anything else.
int read_colour(const std::string& word, double& red, double& green, double& blue) {
  if (word == "foreground")
    return 2;
  if (word.size() != 7 || word[0] != '#' ||
      word.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos)
    return 0;
  const unsigned long rgb = std::strtoul(word.c_str() + 1, nullptr, 16);
  red = double((rgb >> 16) & 0xFF) / 255;
  green = double((rgb >> 8) & 0xFF) / 255;
  blue = double(rgb & 0xFF) / 255;
  return 1;
}

// One "FIRST COUNT|key=value..." run into run (bytes of text); 0 when it
// does not read.
int read_run(const std::string& field, plotStyles& styles, const plotText& text, plotTextRun& run) {
  char* end = nullptr;
  const unsigned long first = std::strtoul(field.c_str(), &end, 10);
  const unsigned long count = std::strtoul(end, &end, 10);
  if (count == 0 || (*end && *end != '|'))
    return 0;
  const size_t begin = byte_of_character(text.text, first);
  const size_t stop = byte_of_character(text.text, first + count);
  if (begin >= stop)
    return 0;
  run.first = std::uint32_t(begin);
  run.count = std::uint32_t(stop - begin);
  plotFont face = styles.font_at(text.font);
  bool face_changed = false;
  for (size_t at = size_t(end - field.c_str()); at < field.size();) {
    const size_t next = std::min(field.find('|', at + 1), field.size());
    const std::string pair = field.substr(at + 1, next - at - 1);
    at = next;
    const size_t equals = pair.find('=');
    if (equals == std::string::npos)
      continue;
    const std::string key = pair.substr(0, equals), value = pair.substr(equals + 1);
    if (key == "height") {
      const double height = std::atof(value.c_str());
      if (height > 0 && height < 1e3)
        run.height = height;
    } else if (key == "font") {
      face.family = value, face_changed = true;
    } else if (key == "bold" || key == "italic") {
      (key == "bold" ? face.bold : face.italic) = value == "1";
      face_changed = true;
    } else if (key == "oblique") {
      run.oblique = std::atof(value.c_str()) != 0;
    } else if (key == "rise") {
      const double rise = std::atof(value.c_str());
      if (std::fabs(rise) < 1e3)
        run.rise = rise;
    } else if (key == "colour") {
      run.coloured = read_colour(value, run.red, run.green, run.blue);
    } else if (key == "underline" || key == "overline" || key == "strike") {
      (key == "underline"  ? run.underline
       : key == "overline" ? run.overline
                           : run.strike) = value == "1";
    }
  }
  if (face_changed)
    run.font = styles.font(face);
  return 1;
}

// The runs of a "runs" property; those that do not read, or reach beyond the
// text, are left out.
void read_runs(const std::string& value, plotStyles& styles, plotText& text) {
  size_t last_end = 0;
  for (size_t at = 0; at < value.size();) {
    size_t next = value.find("; ", at);
    if (next == std::string::npos)
      next = value.size();
    plotTextRun run;
    if (read_run(value.substr(at, next - at), styles, text, run) && run.first >= last_end) {
      text.runs.push_back(run);
      last_end = run.first + run.count;
    }
    at = next + 2;
  }
}

// The fill of a "background" property, on the text's layer.
void read_background(const std::string& value, plotStyles& styles, int layer, plotText& text) {
  const size_t space = value.find(' ');
  if (space == std::string::npos)
    return;
  const std::string colour = value.substr(0, space);
  const double gap = std::atof(value.c_str() + space);
  plotLook look;
  look.layer = layer;
  if (colour == "canvas") {
    look.foreground = 2;
  } else {
    const int read = read_colour(colour, look.red, look.green, look.blue);
    if (!read)
      return;
    look.foreground = read == 2;
  }
  if (!(gap >= 0 && gap < 1e3))
    return;
  text.background = styles.look(look);
  text.background_gap = gap;
}

} // namespace

void plot_text_layout(const std::map<std::string, std::string>& layout, plotStyles& styles,
                      int layer, plotText& text) {
  auto value = [&layout](const char* title) {
    const auto found = layout.find(title);
    return found == layout.end() ? std::string() : found->second;
  };
  auto number = [&value](const char* title) { return std::atof(value(title).c_str()); };
  // Where the text sits on its anchor: "<horizontal> <vertical>".
  const std::string alignment = value("alignment");
  if (!alignment.empty()) {
    text.halign = alignment.compare(0, 6, "center") == 0  ? 1
                  : alignment.compare(0, 5, "right") == 0 ? 2
                                                          : 0;
    const std::string up = alignment.substr(alignment.find(' ') + 1);
    text.valign = up == "top" ? 3 : up == "middle" ? 2 : up == "bottom" ? 1 : 0;
    // fit stretches the characters to the length, aligned scales them whole.
    const int whole = alignment.compare(0, 7, "aligned") == 0;
    const double length = number("fit length");
    if ((whole || alignment.compare(0, 3, "fit") == 0) && length > 0 && std::isfinite(length)) {
      text.fit = length;
      text.fit_whole = whole;
    }
  }
  if (value("paragraph") == "wrap")
    text.mtext = 1;
  read_runs(value("runs"), styles, text);
  const double spacing = number("line spacing");
  if (spacing > 0 && spacing < 100)
    text.line_spacing = spacing;
  text.oblique = number("oblique") != 0;
  const std::string frame = value("frame");
  const double gap = std::atof(frame.c_str());
  if (!frame.empty() && gap >= 0 && gap < 1e3)
    text.frame = gap;
  read_background(value("background"), styles, layer, text);
}

namespace {

// The band of a straight segment from (x0, y0) to (x1, y1).
void straight_band(double x0, double y0, double x1, double y1, double start, double end,
                   std::vector<plotOp>& band) {
  const double length = std::hypot(x1 - x0, y1 - y0);
  if (!(length > 0))
    return;
  const double nx = -(y1 - y0) / length, ny = (x1 - x0) / length;
  band = {{plotOpKind::MOVE, x0 + nx * start / 2, y0 + ny * start / 2, 0, 0, 0},
          {plotOpKind::LINE, x1 + nx * end / 2, y1 + ny * end / 2, 0, 0, 0},
          {plotOpKind::LINE, x1 - nx * end / 2, y1 - ny * end / 2, 0, 0, 0},
          {plotOpKind::LINE, x0 - nx * start / 2, y0 - ny * start / 2, 0, 0, 0},
          {plotOpKind::CLOSE, 0, 0, 0, 0, 0}};
}

// The band of an arc: between the circles half the width inside and outside.
void arc_band(const plotOp& arc, double width, std::vector<plotOp>& band) {
  const double outer = arc.r + width / 2, inner = std::max(0.0, arc.r - width / 2);
  const plotOpKind back = arc.kind == plotOpKind::ARC ? plotOpKind::ARC_NEGATIVE : plotOpKind::ARC;
  band = {{plotOpKind::MOVE, arc.x + outer * std::cos(arc.a0), arc.y + outer * std::sin(arc.a0), 0,
           0, 0},
          {arc.kind, arc.x, arc.y, outer, arc.a0, arc.a1},
          {back, arc.x, arc.y, inner, arc.a1, arc.a0},
          {plotOpKind::CLOSE, 0, 0, 0, 0, 0}};
}

} // namespace

int plot_wide_path(const std::vector<plotOp>& path,
                   const std::vector<std::pair<double, double>>& widths,
                   std::vector<std::vector<plotOp>>& bands) {
  if (path.empty() || path[0].kind != plotOpKind::MOVE || widths.empty())
    return 0;
  size_t segments = 0;
  for (size_t i = 1; i < path.size(); ++i)
    segments += path[i].kind != plotOpKind::MOVE;
  if (widths.size() != 1 && widths.size() != segments)
    return 0;
  double x = path[0].x, y = path[0].y;
  const double first_x = x, first_y = y;
  size_t segment = 0;
  for (size_t i = 1; i < path.size(); ++i) {
    const plotOp& op = path[i];
    if (op.kind == plotOpKind::MOVE)
      return 0; // one polyline is one run
    const auto& w = widths[widths.size() == 1 ? 0 : segment++];
    std::vector<plotOp> band;
    switch (op.kind) {
    case plotOpKind::LINE:
      straight_band(x, y, op.x, op.y, w.first, w.second, band);
      x = op.x, y = op.y;
      break;
    case plotOpKind::CLOSE:
      straight_band(x, y, first_x, first_y, w.first, w.second, band);
      x = first_x, y = first_y;
      break;
    default: // an arc: it begins where the last op ended
      arc_band(op, (w.first + w.second) / 2, band);
      x = op.x + op.r * std::cos(op.a1), y = op.y + op.r * std::sin(op.a1);
      break;
    }
    if (!band.empty())
      bands.push_back(std::move(band));
  }
  return 1;
}
