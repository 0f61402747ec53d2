// plotLibOutput.cpp - entities received as drawing items, and the pages written from them.
#include "plotLibOutput.h"

#include "plotGeometry.h"
#include "plotPage.h"
#include "plotPattern.h"

#include "kapProperties.h"
#include "kapProperty.h"
#include "kapPropertyPtrArray.h"
#include "vorabsAttributePtr.h"
#include "vorabsColour.h"
#include "vorabsCurveFont.h"
#include "vorabsLayer.h"
#include "vorabsName.h"
#include "vorabsObjectType.h"
#include "vorabsOutput.h"

#include "ann/ann.h"
#include "gi.h"
#include "vorabsOfStream.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <unordered_map>

namespace {

constexpr double long_side_mm = 420; // model space is fitted to an A3 sheet

utString entity_name(const vorabsAttributeSet& attributes) {
  vorabsNamevorabsAttributePtr name;
  return attributes.get(vorabsNAME, name) ? name->string() : utString();
}

std::string lower(std::string text) {
  for (char& c : text)
    c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Calls visit(title, value) for each of the entity's user properties of
// this type, in order, until it answers false.
template <class Visit>
void visit_properties(const vorabsAttributeSet& attributes, const char* type, Visit visit) {
  vorabsAttributePtr<kapProperties> properties;
  if (!attributes.get(vorabsPROPERTIES, properties) || properties.invalid() ||
      properties->invalid())
    return;
  const kapPropertyPtrArray& array = *properties->properties();
  for (int i = 0; i < array.num_properties(); ++i) {
    kapPropertycoPrf property = array.read(i);
    if (!property.invalid() && std::strcmp(property->type().c_str(), type) == 0 &&
        !visit(property->title().c_str(), property->value().c_str()))
      return;
  }
}

// The value of the entity's user property of this type and title; empty
// when it has none.
std::string property_value(const vorabsAttributeSet& attributes, const char* type,
                           const char* title) {
  std::string found;
  visit_properties(attributes, type, [&](const char* name, const char* value) {
    if (std::strcmp(name, title) != 0)
      return true;
    found = value;
    return false;
  });
  return found;
}

// The properties of that type, title to value (the first of a title): a
// text's layout reads many.
std::map<std::string, std::string> properties_of(const vorabsAttributeSet& attributes,
                                                 const char* type) {
  std::map<std::string, std::string> values;
  visit_properties(attributes, type, [&](const char* name, const char* value) {
    values.emplace(name, value);
    return true;
  });
  return values;
}

// The widths of a band a polyline is drawn as: "start end" pairs in
// drawing units, separated by "; " (a "polyline width" property); none
// when it is drawn as a line or the text does not read.
std::vector<std::pair<double, double>> band_widths(const vorabsAttributeSet& attributes) {
  std::vector<std::pair<double, double>> widths;
  const std::string text = property_value(attributes, "polyline width", "widths");
  const char* at = text.c_str();
  while (*at) {
    char* end = nullptr;
    const double start = std::strtod(at, &end);
    if (end == at)
      return {};
    at = end;
    const double stop = std::strtod(at, &end);
    if (end == at || !std::isfinite(start) || !std::isfinite(stop) || start < 0 || stop < 0)
      return {};
    widths.emplace_back(start, stop);
    at = *end == ';' ? end + 1 : end;
    if (at == end && *end)
      return {};
  }
  return widths;
}

// The placement of a group on the drawing's plane.
plotAffine affine_of(const annSPT& spt) {
  const giXform3 xform = spt.xform();
  plotAffine m;
  if (xform.invalid())
    return m;
  m.a = giXform3Acc::matrix_value(xform, 0, 0);
  m.c = giXform3Acc::matrix_value(xform, 0, 1);
  m.e = giXform3Acc::matrix_value(xform, 0, 3);
  m.b = giXform3Acc::matrix_value(xform, 1, 0);
  m.d = giXform3Acc::matrix_value(xform, 1, 1);
  m.f = giXform3Acc::matrix_value(xform, 1, 3);
  return m;
}

bool finite_affine(const plotAffine& m) {
  return std::isfinite(m.a) && std::isfinite(m.b) && std::isfinite(m.c) && std::isfinite(m.d) &&
         std::isfinite(m.e) && std::isfinite(m.f);
}

// The annotation kinds drawn from their own geometry.
bool drawn_kind(const annGeometryItemannPtr& item) {
  const stoObject* object = item.pointer();
  return annTextGeometry::sto_dynamic_cast(object) || annFillArea::sto_dynamic_cast(object) ||
         annPointCloud::sto_dynamic_cast(object) || annGroup::sto_dynamic_cast(object);
}

// A layout's name made safe for a file name.
std::string file_part(const std::string& name) {
  std::string out = name.empty() ? "Layout" : name;
  for (char& c : out)
    if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20)
      c = '_';
  return out;
}

// A window the page can be drawn at: finite, not too far out for double
// precision, with room inside it.
bool drawable(const plotBox& box) {
  const double far = 1e150;
  for (double v : {box.x0, box.y0, box.x1, box.y1})
    if (!std::isfinite(v) || std::fabs(v) > far)
      return false;
  const double reach =
      std::max({std::fabs(box.x0), std::fabs(box.x1), std::fabs(box.y0), std::fabs(box.y1)});
  return box.x1 - box.x0 > reach * 1e-12 && box.y1 - box.y0 > reach * 1e-12;
}

} // namespace

struct plotLibOutput::layout {
  std::string name;
  double paper_width = 0, paper_height = 0;
  plotScene paper;
  struct view {
    plotAffine to_sheet;
    plotBox box;
  };
  std::vector<view> views;
};

struct plotLibOutput::state {
  plotStyles styles;
  plotScene model;
  // Stand-ins for the children that are not annotation items.
  annDocument document;
  // The items of each child, in its own coordinates, by the item standing for it.
  std::unordered_map<const annNamedItem*, plotScene> children;
  std::vector<annNamedItemPtr> kept; // keeps the keys of children alive
  std::deque<layout> layouts; // a deque: a scene is moved, never copied, and may not be moved
                              // safely in a growing vector
  annNamedItemPtr current;
  int drawn = 0; // what was received has been drawn and let go
};

plotLibOutput::plotLibOutput(vorabsOfStream* stream, const vorabsAppInfo* app)
    : vorabsLibOutput(stream, app), state_(std::make_unique<state>()) {}

plotLibOutput::~plotLibOutput() = default;

const plotScene& plotLibOutput::model_space() const {
  return state_->model;
}

const plotStyles& plotLibOutput::styles() const {
  return state_->styles;
}

void plotLibOutput::add_file_types(intcoSet& types) const {
  types.add(90);
}

void plotLibOutput::add_extensions(utStringcoSet& extensions) const {
  for (const char* extension : {"pdf", "svg", "png"})
    extensions.add(utString(extension));
}

int plotLibOutput::format_of(const std::string& path, plotFormat& format) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return 0;
  const std::string extension = lower(path.substr(dot + 1));
  if (extension == "pdf")
    format = plotFormat::PDF;
  else if (extension == "svg")
    format = plotFormat::SVG;
  else if (extension == "png")
    format = plotFormat::PNG;
  else
    return 0;
  return 1;
}

void plotLibOutput::set_units(const vorLengthUnit& unit) {
  static const double millimetres[] = {1, 10, 1000, 25.4, 304.8, 0.001, 1e6, 1609344, 914.4};
  millimetres_per_unit_ = unit >= 0 && unit <= vorLENGTH_YARD ? millimetres[unit] : 0;
}

annNamedItemPtr plotLibOutput::current_annotation() {
  return state_->current;
}

int plotLibOutput::valid_units(vorLengthUnit&) const {
  return 1;
}

int plotLibOutput::supported(const vorabsAttributeSet& attributes) const {
  if (attributes.member(vorabsCURVE) || attributes.member(vorabsPOINT) ||
      attributes.member(vorabsTRIANGLEBLOCK) || attributes.member(vorabsWORKPLANE))
    return 1;
  if (!attributes.member(vorabsANNOTATION))
    return 0;
  // Groups of every kind, drawings and views, texts, fill areas and point
  // clouds; not environments, lights or backgrounds, which a plot does not
  // show. An annotation entity that does not say its kind is one of those.
  vorabsObjectTypevorabsAttributePtr type;
  if (!attributes.get(vorabsOBJECTTYPE, type) || type->invalid())
    return 1;
  for (const stoClass* kind :
       {sto_class_annGroup(), sto_class_annPresentation(), sto_class_annTextGeometry(),
        sto_class_annFillArea(), sto_class_annPointCloud()})
    if (type->type()->is_kind_of(kind))
      return 1;
  return 0;
}

void plotLibOutput::error_message(const std::string& text) const {
  if (vorabsOutput* channel = error())
    channel->tprintf("vorabs", "%s\n", text.c_str());
}

vorabsTranslationStatus plotLibOutput::fail(const vorabsAttributeSet& attributes, const char* why) {
  ++failed_;
  utString name = entity_name(attributes);
  if (vorabsOutput* channel = error())
    channel->tprintf("vorabs", "Error : Entity %s has failed: %s.\n",
                     name.empty() ? "without a name" : name.c_str(), why);
  return vorabsTranslationStatus(vorabsSTATUS_FAILED);
}

int plotLibOutput::look_of(const vorabsAttributeSet& attributes, int background) {
  plotLook look;
  vorabsColourvorabsAttributePtr colour;
  if (attributes.get(vorabsCOLOUR, colour)) {
    look.red = colour->red();
    look.green = colour->green();
    look.blue = colour->blue();
    look.foreground = std::string(colour->name().c_str()) == "ACI 7";
  } else {
    look.foreground = 1;
  }
  if (background)
    look.foreground = 2;
  doublevorabsAttributePtr width;
  if (attributes.get(vorabsLINEWIDTH, width) && std::isfinite(*width) && *width >= 0)
    look.width_mm = std::min(*width, 10.0);
  vorabsCurveFontvorabsAttributePtr font;
  if (attributes.get(vorabsCURVEFONT, font) && !font->invalid() && font->num_segments() > 1) {
    // Drawn first: a pattern that starts with a gap moves it to the end.
    std::vector<double> dashes;
    dashes.reserve(size_t(font->num_segments()) + 1);
    for (int i = 0; i < font->num_segments(); ++i)
      dashes.push_back(std::fabs(font->segment_length(i)));
    if (!font->first_visible())
      std::rotate(dashes.begin(), dashes.begin() + 1, dashes.end());
    if (dashes.size() % 2)
      dashes.push_back(0); // ends drawn: no gap before the next round
    bool usable = true;
    for (double d : dashes)
      usable = usable && std::isfinite(d);
    if (usable)
      look.dashes = dashes;
  }
  vorabsLayervorabsAttributePtr layer;
  if (attributes.get(vorabsLAYER, layer) && !layer->invalid()) {
    std::string name = layer->name().c_str();
    look.layer = state_->styles.layer(name.empty() ? std::to_string(layer->layer()) : name);
  }
  return state_->styles.look(look);
}

vorabsTranslationStatus plotLibOutput::accept(plotScene&& scene, const annNamedItemPtr& item,
                                              const vorabsAttributeSet& attributes) {
  ++drawn_;
  if (!attributes.member(vorabsCHILDITEM)) {
    state_->model.append(scene, plotAffine());
    state_->current = annNamedItemPtr();
    return vorabsTranslationStatus(vorabsSTATUS_OK);
  }
  // The compound being built holds a stand-in; the items go with it.
  annNamedItemPtr stand_in =
      item.invalid() ? annNamedItemPtr(make_annCurveItem(&state_->document, utString("plot"),
                                                         entity_name(attributes)))
                     : item;
  state_->children[stand_in.pointer()] = std::move(scene);
  state_->kept.push_back(stand_in);
  state_->current = stand_in;
  return vorabsTranslationStatus(vorabsSTATUS_OK);
}

// Whether the entity shows: hidden entities (off or frozen layers too) and
// the layer of definition points are left out, as a plot leaves them out.
static int shown(const vorabsAttributeSet& attributes) {
  utBoolvorabsAttributePtr visible;
  if (attributes.get(vorabsVISIBLE, visible) && !*visible)
    return 0;
  vorabsLayervorabsAttributePtr layer;
  return !(attributes.get(vorabsLAYER, layer) && lower(layer->name().c_str()) == "defpoints");
}

vorabsTranslationStatus plotLibOutput::curve3(const velCurvePtr3& curve,
                                              const vorabsAttributeSet& attributes) {
  std::vector<plotOp> ops;
  if (!plot_curve(curve, ops))
    return fail(attributes,
                ops.empty() ? "the curve has nothing to draw" : "its coordinates are not finite");
  plotScene scene;
  std::vector<std::vector<plotOp>> bands;
  const std::vector<std::pair<double, double>> widths = band_widths(attributes);
  const bool thin = std::any_of(widths.begin(), widths.end(),
                                [](const auto& w) { return w.first == 0 && w.second == 0; });
  if (!shown(attributes))
    ;
  else if (plot_wide_path(ops, widths, bands)) {
    // A wide polyline is filled; its segments of no width show as lines.
    for (const std::vector<plotOp>& band : bands)
      scene.fill(look_of(attributes), band);
    if (thin)
      scene.stroke(look_of(attributes), ops);
  } else {
    scene.stroke(look_of(attributes), ops);
  }
  return accept(std::move(scene), annNamedItemPtr(), attributes);
}

vorabsTranslationStatus plotLibOutput::point3(const giPoint3& point,
                                              const vorabsAttributeSet& attributes) {
  if (point.invalid() || !std::isfinite(point.x) || !std::isfinite(point.y))
    return fail(attributes, "its coordinates are not finite");
  plotScene scene;
  if (shown(attributes))
    scene.dot(look_of(attributes), point.x, point.y);
  return accept(std::move(scene), annNamedItemPtr(), attributes);
}

vorabsTranslationStatus plotLibOutput::workplane3(const giWorkplane3&,
                                                  const vorabsAttributeSet& attributes) {
  // A coordinate system is not drawn.
  return accept(plotScene(), annNamedItemPtr(), attributes);
}

vorabsTranslationStatus plotLibOutput::triblock(const giTriBlock& block,
                                                const vorabsAttributeSet& attributes) {
  // Solids and traces are filled; 3D faces and meshes show their edges,
  // as a CAD program shows them from above.
  const std::string kind = entity_name(attributes).c_str();
  const int filled = kind.compare(0, 5, "SOLID") == 0 || kind.compare(0, 5, "TRACE") == 0;
  std::vector<plotOp> ops;
  if (!plot_triblock(block, filled, ops))
    return fail(attributes, ops.empty() ? "the triangle block has nothing to draw"
                                        : "its coordinates are not finite");
  plotScene scene;
  if (!shown(attributes))
    ;
  else if (filled)
    scene.fill(look_of(attributes), ops);
  else
    scene.stroke(look_of(attributes), ops);
  return accept(std::move(scene), annNamedItemPtr(), attributes);
}

int plotLibOutput::scene_of_item(const annNamedItemPtr& item, int look, plotScene& scene,
                                 const vorabsAttributeSet& attributes) {
  if (auto* text = annTextGeometry::sto_dynamic_cast(item.pointer())) {
    plotText placed;
    if (!plot_text(*text, state_->styles, placed))
      return fail(attributes, "the text cannot be placed: its frame is not finite"), 0;
    plot_text_layout(properties_of(attributes, "text layout"), state_->styles,
                     state_->styles.look_at(look).layer, placed);
    scene.text(look, std::move(placed));
    return 1;
  }
  if (auto* fill = annFillArea::sto_dynamic_cast(item.pointer())) {
    std::vector<plotOp> ops;
    if (!plot_fill_area(*fill, ops))
      return fail(attributes, "its boundary cannot be drawn"), 0;
    // A patterned hatch strokes its pattern's lines inside its boundary;
    // one too dense to show is filled.
    plotScene area;
    area.fill(look, ops);
    std::vector<plotOp> lines;
    const std::string pattern = property_value(attributes, "fill pattern", "pattern lines");
    if (!pattern.empty() && plot_pattern_lines(pattern, area.bounds(), lines))
      scene.clipped_stroke(look, ops, lines);
    else
      scene.fill(look, ops);
    return 1;
  }
  if (auto* cloud = annPointCloud::sto_dynamic_cast(item.pointer())) {
    const giNodeXYZ* nodes = cloud->data() ? cloud->data()->find_feature<giNodeXYZ>() : nullptr;
    if (!nodes)
      return fail(attributes, "the point cloud has no points"), 0;
    for (size_t i = 0; i < nodes->size(); ++i)
      if (std::isfinite((*nodes)[i].x) && std::isfinite((*nodes)[i].y) && !(*nodes)[i].invalid())
        scene.dot(look, (*nodes)[i].x, (*nodes)[i].y);
    return 1;
  }
  if (auto* group = annGroup::sto_dynamic_cast(item.pointer())) {
    const plotAffine placement =
        group->transform().invalid() ? plotAffine() : affine_of(*group->transform());
    if (!finite_affine(placement))
      return fail(attributes, "its placement is not finite"), 0;
    plotScene members;
    for (const annGeometryItemannPtr& member : group->get_group_geometry()) {
      auto child = state_->children.find(member.pointer());
      if (child != state_->children.end())
        members.append(child->second, plotAffine());
      else if (drawn_kind(member))
        // A member the sink never received on its own (a fill area placed
        // by the group its translator made) is drawn in the group's look.
        scene_of_item(annNamedItemPtr(member), look, members, attributes);
    }
    scene.append(members, placement);
    return 1;
  }
  return fail(attributes, "annotation of this kind is not drawn in a plot"), 0;
}

void plotLibOutput::keep_drawing(const annPresentation& sheet) {
  layout kept;
  kept.name = sheet.name().c_str();
  kept.paper_width = sheet.paper_width();
  kept.paper_height = sheet.paper_height();
  for (size_t i = 0; i < sheet.num_geometry(); ++i) {
    auto child = state_->children.find(sheet.member(i));
    if (child != state_->children.end())
      kept.paper.append(child->second, plotAffine());
  }
  for (size_t i = 0; i < sheet.num_presentations(); ++i) {
    const annView* view = annView::sto_dynamic_cast(sheet.presentation(i).pointer());
    const annSPT* spt = view ? annSPT::sto_dynamic_cast(view->transform().pointer()) : nullptr;
    if (!spt || view->box().invalid())
      continue;
    layout::view shown;
    shown.to_sheet = affine_of(*spt);
    shown.box.add(view->box().min().x, view->box().min().y);
    shown.box.add(view->box().max().x, view->box().max().y);
    if (finite_affine(shown.to_sheet) && drawable(shown.box))
      kept.views.push_back(shown);
  }
  state_->layouts.push_back(std::move(kept));
}

vorabsTranslationStatus plotLibOutput::annotation(const annNamedItemPtr& item,
                                                  const vorabsAttributeSet& attributes) {
  if (item.invalid())
    return fail(attributes, "the annotation item is empty");
  if (const annPresentation* sheet = annPresentation::sto_dynamic_cast(item.pointer())) {
    // A view is drawn as part of the drawing that holds it.
    if (annView::sto_dynamic_cast(item.pointer())) {
      if (!attributes.member(vorabsCHILDITEM))
        return fail(attributes, "a view is drawn only as part of its drawing");
      return accept(plotScene(), item, attributes);
    }
    keep_drawing(*sheet);
    ++drawn_;
    state_->current = annNamedItemPtr();
    return vorabsTranslationStatus(vorabsSTATUS_OK);
  }
  plotScene scene;
  const std::string name = entity_name(attributes).c_str();
  // A wipeout masks what lies under it with the paper.
  const int wipeout = property_value(attributes, "fill mask", "mask") == "1";
  const int look = look_of(attributes, wipeout);
  if (!scene_of_item(item, look, scene, attributes))
    return vorabsTranslationStatus(vorabsSTATUS_FAILED);
  // A hidden group still stands for its members, which are hidden with it.
  if (!shown(attributes))
    scene = plotScene();
  return accept(std::move(scene), item, attributes);
}

void plotLibOutput::size_png(plotPage& page) const {
  const double across = page.window.x1 - page.window.x0, up = page.window.y1 - page.window.y0;
  page.width_px = options_.width_px > 0
                      ? options_.width_px
                      : std::max(1, int(std::lround(page.width_mm / 25.4 * options_.dpi)));
  page.height_px = std::max(1L, std::lround(page.width_px * up / across));
}

int plotLibOutput::model_page(plotPage& page) {
  page.name = "Model";
  // The model page is the model space's only use: drawn once (not layer
  // by layer, as an SVG is), its paths may go as they are drawn.
  page.scenes.push_back({&state_->model, plotAffine(), plotBox(),
                         options_.format == plotFormat::SVG ? nullptr : &state_->model});
  if (options_.has_window) {
    page.window.add(options_.window[0], options_.window[1]);
    page.window.add(options_.window[2], options_.window[3]);
  } else {
    const plotBox extents = state_->model.bounds();
    if (extents.empty()) {
      error_message("Error : The drawing has nothing to plot: its model space is empty.");
      return 0;
    }
    const double across = extents.x1 - extents.x0, up = extents.y1 - extents.y0;
    const double size = std::max(across, up), margin = 0.03 * size;
    if (!(size > 0) && std::isfinite(size)) {
      error_message("Error : The drawing has no extents: everything in it lies at one point.");
      return 0;
    }
    // A drawing that is only a line along x or y gets a square window.
    const double cx = (extents.x0 + extents.x1) / 2, cy = (extents.y0 + extents.y1) / 2;
    const double half_x = std::max(across, size * 0.02) / 2 + margin;
    const double half_y = std::max(up, size * 0.02) / 2 + margin;
    page.window.add(cx - half_x, cy - half_y);
    page.window.add(cx + half_x, cy + half_y);
  }
  if (!drawable(page.window)) {
    char text[200];
    std::snprintf(text, sizeof text,
                  "Error : The drawing's extents (%g, %g to %g, %g) are too large to plot.",
                  page.window.x0, page.window.y0, page.window.x1, page.window.y1);
    error_message(text);
    return 0;
  }
  const double across = page.window.x1 - page.window.x0, up = page.window.y1 - page.window.y0;
  const double mm = millimetres_per_unit_;
  if (options_.format == plotFormat::SVG && mm > 0 && across * mm <= 1e4 && up * mm <= 1e4 &&
      across * mm >= 1 && up * mm >= 1) {
    page.width_mm = across * mm;
    page.height_mm = up * mm;
    return 1;
  }
  const double aspect = up / across;
  page.width_mm = aspect <= 1 ? long_side_mm : std::max(0.1, long_side_mm / aspect);
  page.height_mm = aspect <= 1 ? std::max(0.1, long_side_mm * aspect) : long_side_mm;
  return 1;
}

int plotLibOutput::layout_page(const layout& sheet, plotPage& page) {
  page.name = sheet.name;
  page.scenes.push_back({&sheet.paper, plotAffine(), plotBox()});
  plotBox content = sheet.paper.bounds();
  for (const layout::view& view : sheet.views) {
    page.scenes.push_back({&state_->model, view.to_sheet, view.box});
    content.add(view.box);
  }
  double width = sheet.paper_width, height = sheet.paper_height;
  if (!(width > 0 && height > 0 && std::isfinite(width) && std::isfinite(height))) {
    if (content.empty() || !drawable(content)) {
      error_message("Error : Layout " + sheet.name +
                    " has neither a paper size nor anything to plot.");
      return 0;
    }
    width = (content.x1 - content.x0) * 1.06;
    height = (content.y1 - content.y0) * 1.06;
  }
  // The paper's corner is the sheet's origin, unless the content lies
  // elsewhere: then it sits in the middle of the paper.
  const bool on_paper = content.empty() || (content.x0 >= 0 && content.y0 >= 0 &&
                                            content.x1 <= width && content.y1 <= height);
  const double cx = on_paper ? width / 2 : (content.x0 + content.x1) / 2;
  const double cy = on_paper ? height / 2 : (content.y0 + content.y1) / 2;
  page.window.add(cx - width / 2, cy - height / 2);
  page.window.add(cx + width / 2, cy + height / 2);
  if (!drawable(page.window)) {
    error_message("Error : Layout " + sheet.name + " is too large to plot.");
    return 0;
  }
  page.width_mm = width;
  page.height_mm = height;
  return 1;
}

int plotLibOutput::pages(std::vector<plotPage>& out) {
  if (options_.layout.empty()) {
    out.emplace_back();
    if (!model_page(out.back()))
      return 0;
  } else {
    std::vector<const layout*> chosen;
    for (const layout& sheet : state_->layouts)
      if (options_.layout == "all" || sheet.name == options_.layout)
        chosen.push_back(&sheet);
    if (chosen.empty())
      for (const layout& sheet : state_->layouts)
        if (lower(sheet.name) == lower(options_.layout))
          chosen.push_back(&sheet);
    if (chosen.empty()) {
      std::string names;
      for (const layout& sheet : state_->layouts)
        names += (names.empty() ? "" : ", ") + sheet.name;
      error_message(options_.layout == "all"
                        ? "Error : The drawing has no paper-space layouts."
                        : "Error : Layout " + options_.layout + " does not exist; " +
                              (names.empty()
                                   ? std::string("the drawing has no paper-space layouts.")
                                   : "the drawing's layouts are: " + names + "."));
      return 0;
    }
    for (const layout* sheet : chosen) {
      out.emplace_back();
      if (!layout_page(*sheet, out.back()))
        return 0;
    }
  }
  if (options_.format == plotFormat::PNG)
    for (plotPage& page : out) {
      size_png(page);
      if (page.width_px > 32767 || page.height_px > 32767 ||
          double(page.width_px) * page.height_px > 2.5e8) {
        error_message("Error : An image of " + std::to_string(page.width_px) + " x " +
                      std::to_string(page.height_px) + " pixels is too large to write.");
        return 0;
      }
    }
  return 1;
}

int plotLibOutput::write_file(const std::vector<plotPage>& pages, size_t first, size_t count,
                              vorabsOfStream& out, int last) {
  auto cannot_write = [&]() {
    error_message(std::string("Error : Cannot write ") + out.path().c_str() + ": " +
                  out.error().c_str() + ".");
    out.discard();
    return 0;
  };
  if (!out.open())
    return cannot_write();
  const plotWrite write = [&out](const char* data, size_t size) { return out.write(data, size); };
  plotEncodeOptions encoding;
  encoding.black_background = options_.black_background;
  encoding.dpi = options_.dpi;
  // Once the last file is drawn, what was received has served: the scenes
  // go before the file is finished, which may take memory of its own.
  if (last)
    encoding.drawn = [this]() {
      state_->drawn = 1;
      state_->model = plotScene();
      state_->children.clear();
      state_->kept.clear();
      for (layout& sheet : state_->layouts)
        sheet.paper = plotScene();
    };
  plotReplacedFonts replaced;
  std::string why;
  int done = 0;
  switch (options_.format) {
  case plotFormat::PDF:
    done = plot_encode_pdf(
        std::vector<plotPage>(pages.begin() + long(first), pages.begin() + long(first + count)),
        state_->styles, encoding, write, replaced, why);
    break;
  case plotFormat::SVG:
    done = plot_encode_svg(pages[first], state_->styles, encoding, write, replaced, why);
    break;
  case plotFormat::PNG:
    done = plot_encode_png(pages[first], state_->styles, encoding, write, replaced, why);
    break;
  }
  for (const auto& font : replaced)
    error_message("Warning : Font " + font.first + " was not found; its texts are drawn in " +
                  font.second + ".");
  if (!done && !out.error().empty())
    return cannot_write();
  if (!done) {
    error_message("Error : The plot could not be drawn: " + why + ".");
    out.discard();
    return 0;
  }
  return out.commit() ? 1 : cannot_write();
}

int plotLibOutput::write() {
  vorabsOfStream* out = stream();
  if (!out) {
    error_message("Error : No output file was given.");
    return 0;
  }
  if (state_->drawn) {
    error_message("Error : The plot was drawn already; a writer draws what it received once.");
    out->discard();
    return 0;
  }
  std::vector<plotPage> all;
  if (!pages(all)) {
    out->discard();
    return 0;
  }
  if (options_.format == plotFormat::PDF || all.size() == 1)
    return write_file(all, 0, options_.format == plotFormat::PDF ? all.size() : 1, *out, 1);
  // One layout per file, named after it beside the file asked for.
  const std::string path = out->path().c_str();
  const size_t dot = path.rfind('.');
  out->discard();
  for (size_t i = 0; i < all.size(); ++i) {
    const std::string named = path.substr(0, dot) + "-" + file_part(all[i].name) + path.substr(dot);
    vorabsOfStream file{utString(named.c_str())};
    if (!write_file(all, i, 1, file, i + 1 == all.size()))
      return 0;
    if (vorabsOutput* channel = output())
      channel->tprintf("vorabs", "Layout %s written to %s.\n", all[i].name.c_str(), named.c_str());
  }
  return 1;
}
