// plotRenderer.cpp - a scene's paths, fills, dots and texts through cairo and pango.
#include "plotRenderer.h"

#include "plotBatches.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>
#include <tuple>
#include <utility>

namespace {

constexpr double default_width_mm = 0.25;

// The run's bytes that fall within the text's bytes [begin, end): none
// when the first is not below the second.
std::pair<size_t, size_t> within(const plotTextRun& run, size_t begin, size_t end) {
  return {std::max<size_t>(run.first, begin), std::min<size_t>(run.first + run.count, end)};
}

// The device length of one drawing unit.
double scale_of(const cairo_matrix_t& to_device) {
  return std::sqrt(std::fabs(to_device.xx * to_device.yy - to_device.xy * to_device.yx));
}

std::string lower(std::string text) {
  for (char& c : text)
    c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool ends_with(const std::string& text, const char* end) {
  const std::string tail(end);
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The family to ask fontconfig for: a TrueType file by its name, a CAD
// stroke font (which has no outline font) and no font at all by a plain sans.
std::string family_asked(const std::string& given) {
  static const char* const stroke_fonts[] = {"txt",     "simplex", "romans",  "romand",  "romanc",
                                             "isocp",   "isoct",   "complex", "italic",  "monotxt",
                                             "gothice", "scripts", "greeks",  "standard"};
  const std::string name = lower(given);
  if (name.empty() || ends_with(name, ".shx"))
    return "DejaVu Sans";
  for (const char* stroke : stroke_fonts)
    if (name == stroke)
      return "DejaVu Sans";
  for (const char* extension : {".ttf", ".otf", ".ttc", ".pfb"})
    if (ends_with(name, extension))
      return given.substr(0, given.size() - std::string(extension).size());
  return given;
}

// The ratio of a face's capital height to its em size, measured on "H".
double cap_ratio(PangoLayout* layout, const std::string& family) {
  static const double fallback = 0.73;
  std::unique_ptr<PangoFontDescription, void (*)(PangoFontDescription*)> desc(
      pango_font_description_new(), pango_font_description_free);
  pango_font_description_set_family(desc.get(), family.c_str());
  pango_font_description_set_absolute_size(desc.get(), 1000.0 * PANGO_SCALE);
  pango_layout_set_font_description(layout, desc.get());
  pango_layout_set_width(layout, -1);
  pango_layout_set_text(layout, "H", 1);
  PangoRectangle ink;
  pango_layout_get_pixel_extents(layout, &ink, nullptr);
  const double ratio = ink.height / 1000.0;
  return ratio > 0.3 && ratio < 1.2 ? ratio : fallback;
}

} // namespace

plotTextSink::~plotTextSink() = default;

plotRenderer::plotRenderer(cairo_t* cr, const plotStyles& styles, const plotRenderOptions& options)
    : cr_(cr), styles_(styles), options_(options) {
  // A font map of the renderer's own, released with it, so that the fonts
  // it loaded go with it.
  font_map_ = pango_cairo_font_map_new();
  PangoContext* context = pango_font_map_create_context(font_map_);
  pango_cairo_update_context(cr_, context);
  layout_ = pango_layout_new(context);
  g_object_unref(context);
  // Unhinted metrics: a text scales with the drawing, whatever its size.
  cairo_font_options_t* fonts = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(fonts, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(fonts, CAIRO_HINT_STYLE_NONE);
  pango_cairo_context_set_font_options(pango_layout_get_context(layout_), fonts);
  cairo_font_options_destroy(fonts);
  pango_layout_context_changed(layout_);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
}

plotRenderer::~plotRenderer() {
  g_object_unref(layout_);
  g_object_unref(font_map_);
}

void plotRenderer::paint_background() {
  const double shade = options_.black_background ? 0.0 : 1.0;
  cairo_save(cr_);
  cairo_identity_matrix(cr_);
  cairo_set_source_rgb(cr_, shade, shade, shade);
  cairo_paint(cr_);
  cairo_restore(cr_);
}

void plotRenderer::set_colour(const plotLook& look) {
  if (look.foreground) {
    // Colour 7 shows against the background; a wipeout is the background.
    const int white = (look.foreground == 1) == (options_.black_background != 0);
    cairo_set_source_rgb(cr_, white, white, white);
    return;
  }
  cairo_set_source_rgb(cr_, look.red, look.green, look.blue);
}

// The item's ops, read into ops_, and the box of their points on the
// device, arcs whole; false when the item lies wholly outside the visible
// part, and is left out.
bool plotRenderer::place(const plotScene& scene, const plotItem& item,
                         const cairo_matrix_t& to_device, plotBox& box) {
  const plotOp* ops = scene.ops(item, ops_);
  const double scale = scale_of(to_device);
  box = plotBox();
  for (std::uint32_t i = 0; i < item.count; ++i) {
    double x = ops[i].x, y = ops[i].y;
    if (ops[i].kind == plotOpKind::CLOSE)
      continue;
    cairo_matrix_transform_point(&to_device, &x, &y);
    const double r =
        ops[i].kind == plotOpKind::MOVE || ops[i].kind == plotOpKind::LINE ? 0.0 : ops[i].r * scale;
    box.add(x - r, y - r);
    box.add(x + r, y + r);
  }
  const double margin = 50;
  return !box.empty() && box.x1 >= visible_.x0 - margin && box.x0 <= visible_.x1 + margin &&
         box.y1 >= visible_.y0 - margin && box.y0 <= visible_.y1 + margin;
}

// Adds the item's path on the device to cairo's. Items reaching far beyond
// the visible part (a zoomed window) are traced and cut to it here, since
// cairo's fixed-point coordinates would overflow.
bool plotRenderer::build_path(const plotScene& scene, const plotItem& item,
                              const cairo_matrix_t& to_device) {
  plotBox box;
  if (!place(scene, item, to_device, box))
    return false;
  const double limit = 1e6;
  if (box.x0 > -limit && box.x1 < limit && box.y0 > -limit && box.y1 < limit) {
    cairo_set_matrix(cr_, &to_device);
    add_ops(ops_.data(), item.count);
    cairo_identity_matrix(cr_);
    return true;
  }
  add_far_ops(ops_.data(), item.count, to_device, item.kind == plotItem::FILL);
  return true;
}

void plotRenderer::add_ops(const plotOp* ops, std::uint32_t count) {
  for (std::uint32_t i = 0; i < count; ++i) {
    const plotOp& op = ops[i];
    switch (op.kind) {
    case plotOpKind::MOVE:
      cairo_move_to(cr_, op.x, op.y);
      break;
    case plotOpKind::LINE:
      cairo_line_to(cr_, op.x, op.y);
      break;
    case plotOpKind::ARC:
      cairo_arc(cr_, op.x, op.y, op.r, op.a0, op.a1);
      break;
    case plotOpKind::ARC_NEGATIVE:
      cairo_arc_negative(cr_, op.x, op.y, op.r, op.a0, op.a1);
      break;
    case plotOpKind::CLOSE:
      cairo_close_path(cr_);
      break;
    }
  }
}

void plotRenderer::add_far_ops(const plotOp* ops, std::uint32_t count,
                               const cairo_matrix_t& to_device, bool fill) {
  // The visible part with room for the widest line.
  const double x0 = visible_.x0 - 100, y0 = visible_.y0 - 100;
  const double x1 = visible_.x1 + 100, y1 = visible_.y1 + 100;
  std::vector<plotOp> line;
  double px = 0, py = 0, sx = 0, sy = 0;
  bool have = false, drawing = false;
  auto segment = [&](double ax, double ay, double bx, double by) {
    if (fill) { // a filled outline keeps its shape when pulled into the box
      cairo_line_to(cr_, std::clamp(bx, x0, x1), std::clamp(by, y0, y1));
      return;
    }
    // Liang-Barsky: the part of the segment inside the box.
    double t0 = 0, t1 = 1;
    const double dx = bx - ax, dy = by - ay;
    for (const auto& [p, q] :
         {std::pair<double, double>{-dx, ax - x0}, {dx, x1 - ax}, {-dy, ay - y0}, {dy, y1 - ay}}) {
      if (p == 0) {
        if (q < 0)
          t0 = 2; // parallel and outside
        continue;
      }
      const double t = q / p;
      if (p < 0)
        t0 = std::max(t0, t);
      else
        t1 = std::min(t1, t);
    }
    if (t0 > t1) {
      drawing = false;
      return;
    }
    if (!drawing || t0 > 0)
      cairo_move_to(cr_, ax + t0 * dx, ay + t0 * dy);
    cairo_line_to(cr_, ax + t1 * dx, ay + t1 * dy);
    drawing = t1 >= 1;
  };
  auto point = [&](double x, double y, bool move) {
    cairo_matrix_transform_point(&to_device, &x, &y);
    if (move || !have) {
      if (fill)
        cairo_move_to(cr_, std::clamp(x, x0, x1), std::clamp(y, y0, y1));
      sx = x, sy = y, drawing = false;
    } else {
      segment(px, py, x, y);
    }
    px = x, py = y, have = true;
  };
  for (std::uint32_t i = 0; i < count; ++i) {
    const plotOp& op = ops[i];
    if (op.kind == plotOpKind::MOVE || op.kind == plotOpKind::LINE) {
      point(op.x, op.y, op.kind == plotOpKind::MOVE);
    } else if (op.kind == plotOpKind::CLOSE) {
      if (have)
        segment(px, py, sx, sy), px = sx, py = sy;
    } else {
      line.clear();
      plot_flatten_arc(op, line);
      for (const plotOp& p : line)
        point(p.x, p.y, false);
    }
  }
}

double plotRenderer::line_width(const plotLook& look) const {
  const double width = look.width_mm < 0 ? default_width_mm : look.width_mm;
  return std::max(options_.minimum_width, width * options_.device_per_mm);
}

// A pattern finer than a millimetre of paper would only grey the line: it
// is drawn solid. scale is the device length of one drawing unit.
bool plotRenderer::dashed(const plotLook& look, double scale) const {
  double period = 0;
  for (double d : look.dashes)
    period += d * scale;
  return period >= options_.device_per_mm && look.dashes.size() >= 2;
}

// Strokes the path built so far in device units.
void plotRenderer::stroke_path(const plotLook& look, double scale) {
  cairo_set_line_width(cr_, line_width(look));
  if (dashed(look, scale)) {
    std::vector<double> dashes;
    for (double d : look.dashes)
      dashes.push_back(d * scale);
    cairo_set_dash(cr_, dashes.data(), int(dashes.size()), 0);
  }
  set_colour(look);
  cairo_stroke(cr_);
  cairo_set_dash(cr_, nullptr, 0, 0);
}

void plotRenderer::draw(const plotScene& scene, const cairo_matrix_t& to_device, int layer) {
  draw_items(scene, to_device, layer, nullptr);
}

void plotRenderer::draw_last(plotScene& scene, const cairo_matrix_t& to_device) {
  draw_items(scene, to_device, -1, &scene);
}

void plotRenderer::draw_items(const plotScene& scene, const cairo_matrix_t& to_device, int layer,
                              plotScene* spent) {
  // Every so many items the batches are drawn, so that a spent scene's
  // paths and texts can go: the page's commands grow as the scene shrinks.
  const size_t period = 16384;
  cairo_save(cr_);
  cairo_identity_matrix(cr_);
  cairo_clip_extents(cr_, &visible_.x0, &visible_.y0, &visible_.x1, &visible_.y1);
  plotBatches batches(visible_, options_.reorder);
  if (options_.reorder)
    find_inks(scale_of(to_device));
  for (size_t i = scene.released(); i < scene.size(); ++i) {
    const plotItem& item = scene.item(i);
    if (layer >= 0 && styles_.look_at(item.look).layer != layer)
      continue;
    if (item.kind == plotItem::TEXT) {
      if (text_shows(scene.text_of(item), to_device)) {
        draw_batches(scene, batches, to_device);
        draw_text(scene.text_of(item), styles_.look_at(item.look), to_device);
      }
    } else if (item.kind == plotItem::CLIP) {
      // The clip holds for the one item after it, drawn at once.
      draw_batches(scene, batches, to_device);
      cairo_save(cr_);
      build_path(scene, item, to_device);
      cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
      cairo_clip(cr_);
      if (++i < scene.size())
        batch(scene, scene.item(i), std::uint32_t(i), to_device, batches);
      draw_batches(scene, batches, to_device);
      cairo_restore(cr_);
    } else {
      batch(scene, item, std::uint32_t(i), to_device, batches);
    }
    if (spent && i % period == period - 1) {
      draw_batches(scene, batches, to_device);
      spent->release_before(i + 1);
    }
  }
  draw_batches(scene, batches, to_device);
  if (spent)
    spent->release_before(scene.size());
  cairo_restore(cr_);
}

// Looks that differ only where a page does not show it (the layer, dashes
// too fine to draw) share an ink, and their strokes one command.
void plotRenderer::find_inks(double scale) {
  using Ink = std::tuple<int, double, double, double, double, std::vector<double>>;
  std::map<Ink, int> numbers;
  inks_.resize(styles_.look_count());
  for (size_t i = 0; i < inks_.size(); ++i) {
    const plotLook& look = styles_.look_at(int(i));
    Ink ink{look.foreground,
            look.foreground ? 0.0 : look.red,
            look.foreground ? 0.0 : look.green,
            look.foreground ? 0.0 : look.blue,
            line_width(look),
            dashed(look, scale) ? look.dashes : std::vector<double>()};
    inks_[i] = numbers.emplace(std::move(ink), int(numbers.size())).first->second;
  }
}

// Gives a stroke, fill or dot to the batches with the box it may ink.
void plotRenderer::batch(const plotScene& scene, const plotItem& item, std::uint32_t number,
                         const cairo_matrix_t& to_device, plotBatches& batches) {
  const plotLook& look = styles_.look_at(item.look);
  plotBox box;
  if (item.kind == plotItem::TEXT) { // a clipped text (none is made) stands alone
    box = visible_;
  } else if (!place(scene, item, to_device, box)) {
    return;
  }
  // Room for half the line (a dot's radius) and the edge's smoothing.
  const double reach = (item.kind == plotItem::FILL ? 0.0 : line_width(look)) + 1.0;
  box.x0 -= reach, box.y0 -= reach, box.x1 += reach, box.y1 += reach;
  // Strokes of one look (when reordering, of one ink) share a command.
  // When reordering, dots of one ink do too, apart from its strokes: they
  // are drawn twice as wide.
  const int ink = options_.reorder ? inks_[size_t(item.look)] : item.look;
  int key = -1;
  if (item.kind == plotItem::STROKE)
    key = 2 * ink;
  else if (item.kind == plotItem::DOT && options_.reorder)
    key = 2 * ink + 1;
  // In the given order, only the newest batch can grow: the others are
  // drawn at once, so that they wait in no list.
  if (!options_.reorder && !batches.joins(key, box, item.count))
    draw_batches(scene, batches, to_device);
  batches.add(number, key, box, item.count);
}

void plotRenderer::draw_batches(const plotScene& scene, plotBatches& batches,
                                const cairo_matrix_t& to_device) {
  const double scale = scale_of(to_device);
  for (const plotBatches::Batch& batch : batches.batches()) {
    const plotItem& first = scene.item(batch.items.front());
    const plotLook& look = styles_.look_at(first.look);
    switch (first.kind) {
    case plotItem::STROKE:
      for (std::uint32_t i : batch.items)
        build_path(scene, scene.item(i), to_device);
      stroke_path(look, scale);
      break;
    case plotItem::FILL:
      build_path(scene, first, to_device);
      cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
      set_colour(look);
      cairo_fill(cr_);
      break;
    case plotItem::DOT:
      draw_dots(scene, batch.items, look, to_device);
      break;
    case plotItem::TEXT:
      draw_text(scene.text_of(first), look, to_device);
      break;
    case plotItem::CLIP:
      break;
    }
  }
  batches.clear();
}

void plotRenderer::draw_dots(const plotScene& scene, const std::vector<std::uint32_t>& items,
                             const plotLook& look, const cairo_matrix_t& to_device) {
  const double radius = line_width(look);
  for (std::uint32_t i : items) {
    const plotOp* dot = scene.ops(scene.item(i), ops_);
    double x = dot->x, y = dot->y;
    cairo_matrix_transform_point(&to_device, &x, &y);
    cairo_new_sub_path(cr_);
    if (options_.dot_strokes) { // round caps make a line of no length a disc
      cairo_move_to(cr_, x, y);
      cairo_line_to(cr_, x, y);
    } else {
      cairo_arc(cr_, x, y, radius, 0, 2 * 3.14159265358979323846);
    }
  }
  set_colour(look);
  if (options_.dot_strokes) {
    cairo_set_line_width(cr_, 2 * radius);
    cairo_stroke(cr_);
  } else {
    cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_WINDING);
    cairo_fill(cr_);
  }
}

const std::string& plotRenderer::face_of(const plotFont& font) {
  auto found = faces_.find(font.family);
  if (found != faces_.end())
    return found->second;
  const std::string asked = family_asked(font.family);
  PangoFontDescription* desc = pango_font_description_from_string(asked.c_str());
  pango_font_description_set_family(desc, asked.c_str());
  PangoContext* context = pango_layout_get_context(layout_);
  PangoFont* chosen = pango_font_map_load_font(pango_context_get_font_map(context), context, desc);
  std::string used = asked;
  if (chosen) {
    PangoFontDescription* real = pango_font_describe(chosen);
    if (const char* family = pango_font_description_get_family(real))
      used = family;
    pango_font_description_free(real);
    g_object_unref(chosen);
  }
  pango_font_description_free(desc);
  if (lower(used) != lower(asked))
    replaced_.insert({font.family, used});
  return faces_[font.family] = used;
}

void plotRenderer::box_text(const plotText& text, const cairo_matrix_t& frame,
                            const std::vector<TextLine>& lines, double top, double bottom,
                            double width, double cap, const plotLook& look) {
  if (lines.empty() || (text.frame < 0 && text.background < 0))
    return;
  // The box holds every line and a paragraph's width, anchored as the
  // lines are.
  double left = HUGE_VAL, right = -HUGE_VAL;
  auto hold = [&](double length) {
    const double start = -length * 0.5 * text.halign;
    left = std::min(left, start), right = std::max(right, start + length);
  };
  if (width > 0)
    hold(width);
  for (const TextLine& line : lines)
    hold(line.width);
  cairo_matrix_t device;
  cairo_get_matrix(cr_, &device);
  auto rectangle = [&](double gap) {
    cairo_set_matrix(cr_, &frame);
    cairo_rectangle(cr_, left - gap, top - gap, right - left + 2 * gap, bottom - top + 2 * gap);
    cairo_set_matrix(cr_, &device);
  };
  if (text.background >= 0) {
    rectangle(text.background_gap * cap);
    set_colour(styles_.look_at(text.background));
    cairo_fill(cr_);
  }
  if (text.frame >= 0) {
    rectangle(text.frame * cap);
    stroke_path(look, 1.0);
  }
}

void plotRenderer::run_colour(const plotTextRun& run, double& red, double& green,
                              double& blue) const {
  red = run.red, green = run.green, blue = run.blue;
  if (run.coloured == 2)
    red = green = blue = options_.black_background ? 1.0 : 0.0;
}

// Measured on a layout of its own: the renderer's may be in the middle of
// laying a text out.
double plotRenderer::cap_ratio_of(const std::string& family) {
  static thread_local std::map<std::string, double> ratios;
  auto ratio = ratios.find(family);
  if (ratio == ratios.end()) {
    PangoLayout* scratch = pango_layout_new(pango_layout_get_context(layout_));
    ratio = ratios.emplace(family, cap_ratio(scratch, family)).first;
    g_object_unref(scratch);
  }
  return ratio->second;
}

// The attributes of the text's runs over its bytes [begin, end), placed
// from begin; null when no run falls there. cap: the text's capital height.
PangoAttrList* plotRenderer::run_attributes(const plotText& text, size_t begin, size_t end,
                                            double cap) {
  PangoAttrList* list = nullptr;
  auto add = [&](PangoAttribute* attribute, size_t from, size_t to) {
    attribute->start_index = guint(from - begin);
    attribute->end_index = guint(to - begin);
    if (!list)
      list = pango_attr_list_new();
    pango_attr_list_insert(list, attribute);
  };
  for (const plotTextRun& run : text.runs) {
    const auto [from, to] = within(run, begin, end);
    if (from >= to)
      continue;
    const plotFont& font = styles_.font_at(run.font >= 0 ? run.font : text.font);
    if (run.font >= 0 || run.height != 1) {
      const std::string& family = face_of(font);
      const double size = cap * run.height / cap_ratio_of(family) * PANGO_SCALE;
      add(pango_attr_size_new_absolute(int(std::min(size, 1e9))), from, to);
      add(pango_attr_family_new(family.c_str()), from, to);
      add(pango_attr_weight_new(font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL), from, to);
    }
    if (run.font >= 0 || run.height != 1 || run.oblique)
      add(pango_attr_style_new(font.italic                   ? PANGO_STYLE_ITALIC
                               : run.oblique || text.oblique ? PANGO_STYLE_OBLIQUE
                                                             : PANGO_STYLE_NORMAL),
          from, to);
    if (run.coloured) {
      double red, green, blue;
      run_colour(run, red, green, blue);
      add(pango_attr_foreground_new(guint16(red * 65535), guint16(green * 65535),
                                    guint16(blue * 65535)),
          from, to);
    }
    if (run.rise != 0)
      add(pango_attr_rise_new(int(std::max(-1e9, std::min(cap * run.rise * PANGO_SCALE, 1e9)))),
          from, to);
    if (run.underline)
      add(pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), from, to);
    if (run.overline)
      add(pango_attr_overline_new(PANGO_OVERLINE_SINGLE), from, to);
    if (run.strike)
      add(pango_attr_strikethrough_new(TRUE), from, to);
  }
  return list;
}

// The runs of a text over one of its lines, for a text sink.
std::vector<plotTextSpan> plotRenderer::spans(const plotText& text, const TextLine& line,
                                              double cap) {
  std::vector<plotTextSpan> out;
  const size_t end = line.begin + line.text.size();
  for (const plotTextRun& run : text.runs) {
    const auto [from, to] = within(run, line.begin, end);
    if (from >= to)
      continue;
    const plotFont& font = styles_.font_at(run.font >= 0 ? run.font : text.font);
    plotTextSpan span;
    span.first = from - line.begin;
    span.count = to - from;
    span.family = face_of(font);
    span.font_size = cap * run.height / cap_ratio_of(span.family);
    span.bold = font.bold, span.italic = font.italic;
    span.oblique = !font.italic && (run.oblique || text.oblique);
    span.coloured = run.coloured != 0;
    run_colour(run, span.red, span.green, span.blue);
    span.underline = run.underline, span.overline = run.overline, span.strike = run.strike;
    span.rise = cap * run.rise;
    out.push_back(std::move(span));
  }
  return out;
}

namespace {

// The height of the tallest characters among the text's bytes [begin,
// end), in heights of the text.
double line_height(const plotText& text, size_t begin, size_t end) {
  double tallest = 0;
  size_t covered = 0;
  for (const plotTextRun& run : text.runs) {
    const auto [from, to] = within(run, begin, end);
    if (from < to)
      tallest = std::max(tallest, run.height), covered += to - from;
  }
  return covered < end - begin || end == begin ? std::max(tallest, 1.0) : tallest;
}

} // namespace

// A text too small to read, or degenerate, is left out.
bool plotRenderer::text_shows(const plotText& text, const cairo_matrix_t& to_device) const {
  double ux = text.ux, uy = text.uy, vx = text.vx, vy = text.vy;
  cairo_matrix_transform_distance(&to_device, &ux, &uy);
  cairo_matrix_transform_distance(&to_device, &vx, &vy);
  const double cap = text.height * std::hypot(vx, vy);
  return cap >= 0.5 && std::hypot(ux, uy) > 0 && std::isfinite(cap) && cap <= 1e6;
}

// The text's lines as pango breaks them, the paragraph's runs applied:
// each measured in the text's pixels of the current font description.
std::vector<plotRenderer::TextLine> plotRenderer::lay_out(const plotText& text, double cap) {
  std::vector<TextLine> lines;
  // A line broken at blanks keeps them at its end, where they would push a
  // centred or right-aligned line off its place: they go, and the line is
  // measured again without them.
  std::vector<size_t> trimmed;
  size_t start = 0;
  while (start <= text.text.size()) {
    size_t end = text.text.find('\n', start);
    if (end == std::string::npos)
      end = text.text.size();
    pango_layout_set_text(layout_, text.text.data() + start, int(end - start));
    PangoAttrList* runs = run_attributes(text, start, end, cap);
    pango_layout_set_attributes(layout_, runs);
    for (GSList* l = pango_layout_get_lines_readonly(layout_); l; l = l->next) {
      PangoLayoutLine* part = static_cast<PangoLayoutLine*>(l->data);
      PangoRectangle logical;
      pango_layout_line_get_extents(part, nullptr, &logical);
      TextLine line{text.text.substr(start + size_t(part->start_index), size_t(part->length)),
                    double(logical.width) / PANGO_SCALE, start + size_t(part->start_index), 1};
      const size_t kept = line.text.find_last_not_of(' ') + 1; // 0 when all blank
      if (l->next && kept < line.text.size()) {
        line.text.resize(kept);
        trimmed.push_back(lines.size());
      }
      line.height = line_height(text, line.begin, line.begin + line.text.size());
      lines.push_back(std::move(line));
    }
    pango_layout_set_attributes(layout_, nullptr);
    if (runs)
      pango_attr_list_unref(runs);
    start = end + 1;
  }
  pango_layout_set_width(layout_, -1);
  for (size_t i : trimmed)
    lines[i].width = set_line(text, lines[i], cap);
  return lines;
}

// Puts one line, with its runs, into the layout; answers its width.
double plotRenderer::set_line(const plotText& text, const TextLine& line, double cap) {
  pango_layout_set_width(layout_, -1);
  pango_layout_set_text(layout_, line.text.data(), int(line.text.size()));
  PangoAttrList* runs = run_attributes(text, line.begin, line.begin + line.text.size(), cap);
  pango_layout_set_attributes(layout_, runs);
  if (runs)
    pango_attr_list_unref(runs);
  PangoRectangle logical;
  pango_layout_get_extents(layout_, nullptr, &logical);
  return double(logical.width) / PANGO_SCALE;
}

void plotRenderer::draw_text(const plotText& text, const plotLook& look,
                             const cairo_matrix_t& to_device) {
  // The text's frame on the device: the baseline direction and the up direction.
  double x = text.x, y = text.y, ux = text.ux, uy = text.uy, vx = text.vx, vy = text.vy;
  cairo_matrix_transform_point(&to_device, &x, &y);
  cairo_matrix_transform_distance(&to_device, &ux, &uy);
  cairo_matrix_transform_distance(&to_device, &vx, &vy);
  const double u_length = std::hypot(ux, uy), v_length = std::hypot(vx, vy);
  const double cap = text.height * v_length;
  if (!text_shows(text, to_device))
    return;
  const std::string& family = face_of(styles_.font_at(text.font));
  const double em = cap / cap_ratio_of(family);
  const double factor = !text.mtext && text.width > 0 ? text.width : 1.0;

  PangoFontDescription* desc = pango_font_description_new();
  pango_font_description_set_family(desc, family.c_str());
  pango_font_description_set_absolute_size(desc, em * PANGO_SCALE);
  pango_font_description_set_weight(desc, styles_.font_at(text.font).bold ? PANGO_WEIGHT_BOLD
                                                                          : PANGO_WEIGHT_NORMAL);
  const int italic = styles_.font_at(text.font).italic;
  pango_font_description_set_style(desc, italic         ? PANGO_STYLE_ITALIC
                                         : text.oblique ? PANGO_STYLE_OBLIQUE
                                                        : PANGO_STYLE_NORMAL);
  pango_layout_set_font_description(layout_, desc);
  pango_font_description_free(desc);
  const double wrap = text.mtext && text.width > 0 ? text.width * u_length : -1;
  pango_layout_set_width(layout_, wrap > 0 && wrap < 1e7 ? int(wrap * PANGO_SCALE) : -1);
  // A paragraph text breaks between words only: a word longer than the
  // width stands whole on its line, as CAD programs show it.
  pango_layout_set_wrap(layout_, PANGO_WRAP_WORD);
  // The lines first: the text's anchor depends on how many there are and
  // how long each is.
  const std::vector<TextLine> lines = lay_out(text, cap);

  plotTextLine line;
  line.font_size = em;
  line.family = family;
  line.bold = styles_.font_at(text.font).bold;
  line.italic = italic;
  line.oblique = !italic && text.oblique;
  line.layer = look.layer;
  // A fitted line is stretched (or, fitted whole, scaled) to its length.
  double stretch = factor, scale = 1.0;
  if (text.fit > 0 && lines.size() == 1 && lines[0].width > 0) {
    const double length = text.fit * text.height * u_length / lines[0].width;
    if (text.fit_whole)
      stretch = scale = length;
    else
      stretch = length;
  }
  cairo_matrix_init(&line.frame, ux / u_length * stretch, uy / u_length * stretch,
                    -vx / v_length * scale, -vy / v_length * scale, x, y);
  // Baselines are 5/3 of their line's capital height apart (a line as tall
  // as its tallest characters), times the text's line spacing; a paragraph
  // text hangs from its top, a line of text stands on its baseline. Where
  // the first baseline lies below the anchor (y down, the text's pixels):
  const double spacing = cap * 5.0 / 3.0 * text.line_spacing;
  double block = 0; // from the first baseline to the last
  for (size_t i = 1; i < lines.size(); ++i)
    block += spacing * lines[i].height;
  const double first = cap * lines.front().height, descent = 0.3 * cap * lines.back().height;
  const int valign = text.valign >= 0 ? text.valign : text.mtext ? 3 : 0;
  double baseline = valign == 3   ? first
                    : valign == 2 ? first - (first + block + (text.mtext ? descent : 0)) / 2
                    : valign == 1 ? -descent - block
                                  : -block * (text.mtext ? 1 : 0);
  if (valign == 0 && !text.mtext)
    baseline = 0;
  cairo_save(cr_);
  const cairo_matrix_t frame = line.frame;
  // The box runs from the top of the capitals of the first line to the
  // descenders of the last.
  box_text(text, frame, lines, baseline - first, baseline + block + descent,
           wrap > 0 && wrap < 1e7 ? wrap : 0, cap, look);
  set_colour(look);
  cairo_pattern_t* source = cairo_get_source(cr_);
  cairo_pattern_get_rgba(source, &line.red, &line.green, &line.blue, nullptr);
  for (size_t i = 0; i < lines.size(); ++i) {
    baseline += i ? spacing * lines[i].height : 0;
    line.text = lines[i].text;
    line.baseline = baseline;
    line.frame = frame;
    cairo_matrix_translate(&line.frame, -lines[i].width * 0.5 * text.halign, 0);
    if (text_sink_) {
      line.spans = spans(text, lines[i], cap);
      text_sink_->line(line);
    } else {
      set_line(text, lines[i], cap);
      cairo_set_matrix(cr_, &line.frame);
      cairo_move_to(cr_, 0, baseline);
      pango_cairo_show_layout_line(cr_, pango_layout_get_line_readonly(layout_, 0));
    }
  }
  cairo_restore(cr_);
}
