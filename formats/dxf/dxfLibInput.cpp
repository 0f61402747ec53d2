// dxfLibInput.cpp - from parsed records to the translator trees of a DXF drawing.
#include "dxfLibInput.h"

#include "dxfAnnotationTranslators.h"
#include "dxfAttributes.h"
#include "dxfGeometry.h"
#include "dxfLight.h"
#include "dxfGeometryTranslators.h"
#include "dxfHatchPattern.h"
#include "dxfImage.h"
#include "dxfMline.h"
#include "dxfParser.h"
#include "dxfPolylineWidth.h"
#include "dxfTolerance.h"
#include "dxfTranslators.h"

#include "kapProperty.h"
#include "vorabsIfStream.h"
#include "vorabsOutput.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <tuple>
#include <vector>

namespace {

const int max_block_depth = 32;
const long max_insert_cells = 10000;
// What one insert may expand to, nested blocks and arrays multiplied out:
// a bound on the work of translating it, whatever the memo can save.
const double max_expanded_entities = 1e7;

std::string upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z')
      c = char(c - 'a' + 'A');
  return text;
}

// Builds the translators of one file; block definitions are made once per
// block and inherited look.
class Builder {
public:
  Builder(const vorabsContext& context, dxfTablesPtr tables, vorabsOutput* error,
          const char* file_name, std::map<std::string, int>& unbuilt)
      : context_(context), tables_(std::move(tables)), error_(error), file_name_(file_name),
        unbuilt_(unbuilt) {}

  // The translator of an entity placed by an insert of look outer (null at
  // the top level); empty for entities not translated. size becomes the
  // number of entities it expands to.
  vorabsTranslatorcoPrf entity(const dxfEntity& e, const dxfLook* outer, int depth, double& size) {
    vorabsTranslatorcoPrf made = translator(e, outer, depth, size);
    if (!made.invalid() && e.extra)
      for (const auto& group : e.extra->xdata)
        made->add_property(property(group.first, group.second));
    if (!made.invalid() && (e.kind == dxfKind::LWPOLYLINE || e.kind == dxfKind::POLYLINE))
      dxf_add_width_property(*made, context_, dxf_polyline_widths(e));
    if (!made.invalid() && e.kind == dxfKind::HATCH && e.extra)
      dxf_add_pattern_properties(*made, context_, e.extra->hatch,
                                 tables_->decoder().decode(e.extra->hatch.pattern));
    return made;
  }

  // Whether a translator was made for the block (something places it).
  bool built(const dxfBlock& block) const { return built_.count(&block) != 0; }

  vorabsTranslatorcoPrf viewport(const dxfEntity& e) {
    return vorabsTranslatorcoPrf(
        new dxfViewportTranslator(context_, tables_, e, tables_->resolve(e, nullptr)));
  }

private:
  // The extended data of one application: titled by its name, its values
  // in file order.
  kapPropertycoPrf property(const std::string& application, const std::string& values) {
    kapProperty* made = new kapProperty(context_);
    made->set_title(tables_->decoder().decode(application));
    made->set_type(utString(dxf_extended_data_type));
    made->set_value(tables_->decoder().decode(values));
    return kapPropertycoPrf(made);
  }

  vorabsTranslatorcoPrf translator(const dxfEntity& e, const dxfLook* outer, int depth,
                                   double& size) {
    size = 1.0;
    dxfLook look = tables_->resolve(e, outer);
    switch (e.kind) {
    case dxfKind::LINE:
    case dxfKind::ARC:
    case dxfKind::CIRCLE:
    case dxfKind::ELLIPSE:
    case dxfKind::LWPOLYLINE:
    case dxfKind::SPLINE:
      return make<dxfCurveEntityTranslator>(e, look);
    case dxfKind::POLYLINE:
      if (dxf_polyline_is_mesh(e))
        return dxf_mesh_translator(context_, tables_, e, look);
      return make<dxfCurveEntityTranslator>(e, look);
    case dxfKind::POINT:
      return make<dxfPointEntityTranslator>(e, look);
    case dxfKind::FACE3D:
    case dxfKind::SOLID:
    case dxfKind::TRACE:
    case dxfKind::MESH:
      return make<dxfMeshEntityTranslator>(e, look);
    case dxfKind::IMAGE:
    case dxfKind::WIPEOUT:
      return dxf_image_translator(context_, tables_, e, look);
    case dxfKind::MLINE:
      return dxf_mline_translator(context_, tables_, e, look);
    case dxfKind::HELIX:
    case dxfKind::RAY:
    case dxfKind::XLINE:
      return make<dxfCurveEntityTranslator>(e, look);
    case dxfKind::INSERT:
      return insert(e, look, depth, size);
    case dxfKind::TEXT:
    case dxfKind::MTEXT:
    case dxfKind::ATTRIB:
      return make<dxfTextEntityTranslator>(e, look);
    case dxfKind::ATTDEF:
      // In a block, the template of its inserts' attributes (ignored there).
      if (outer)
        return vorabsTranslatorcoPrf();
      return make<dxfTextEntityTranslator>(e, look);
    case dxfKind::HATCH:
      return make<dxfHatchEntityTranslator>(e, look);
    case dxfKind::DIMENSION:
    case dxfKind::ARC_DIMENSION:
    case dxfKind::LARGE_RADIAL_DIMENSION:
      return dimension(e, look, depth, size);
    case dxfKind::ACAD_TABLE:
      return insert(e, look, depth, size);
    case dxfKind::ACAD_PROXY_ENTITY:
      return graphics(e, look, depth, size);
    case dxfKind::TOLERANCE:
      return dxf_tolerance_translator(context_, tables_, e, look);
    case dxfKind::LIGHT:
      return make<dxfLightEntityTranslator>(e, look);
    case dxfKind::LEADER:
    case dxfKind::MULTILEADER:
      return leader(e, look, outer, depth, size);
    default:
      return vorabsTranslatorcoPrf();
    }
  }

  template <class T> vorabsTranslatorcoPrf make(const dxfEntity& e, const dxfLook& look) {
    return vorabsTranslatorcoPrf(new T(context_, tables_, e, look));
  }

  // The group of the framework's class Base that stands for e.
  template <class Base, class... Args>
  std::shared_ptr<dxfAnnotationGroupTranslator<Base>> group(const dxfEntity& e, const dxfLook& look,
                                                            Args&&... args) {
    return std::make_shared<dxfAnnotationGroupTranslator<Base>>(
        tables_, e, look, std::forward<Args>(args)..., giXform3(giXformIdentity), context_);
  }

  // A dimension of its kind, the translator of its block its child.
  vorabsTranslatorcoPrf dimension(const dxfEntity& e, const dxfLook& look, int depth,
                                  double& size) {
    double radius = 0.0;
    giPoint3 at = dxf_dimension_point(e, radius);
    if (e.kind == dxfKind::LARGE_RADIAL_DIMENSION) // a jogged radius: 10 is the centre
      at = giPoint3(e.p[0].x, e.p[0].y, e.p[0].z);
    std::shared_ptr<vorabsGroupTranslator> made;
    switch (e.kind == dxfKind::ARC_DIMENSION            ? 0
            : e.kind == dxfKind::LARGE_RADIAL_DIMENSION ? 4
                                                        : e.i70 & 7) {
    case 2:
    case 5:
      made = group<vorabsAngularDimensionTranslator>(e, look, at, radius);
      break;
    case 3:
      made = group<vorabsDiametricDimensionTranslator>(e, look, at);
      break;
    case 4:
      made = group<vorabsRadialDimensionTranslator>(e, look, at);
      break;
    case 6:
      made = group<vorabsOrdinateDimensionTranslator>(e, look, at);
      break;
    default:
      made = group<vorabsGroupTranslator>(e, look, sto_class_annDimension());
      break;
    }
    const dxfBlock* block = tables_->file().find_block(e.name);
    if (block && depth < max_block_depth && !building_.count(block)) {
      double block_size = 0.0;
      made->add_translator(this->block(*block, look, depth + 1, block_size));
      size += block_size;
    }
    return vorabsTranslatorcoPrf(made);
  }

  // A group of what an entity's proxy graphics draw, in world coordinates.
  vorabsTranslatorcoPrf graphics(const dxfEntity& e, const dxfLook& look, int depth, double& size) {
    auto made = group<vorabsGroupTranslator>(e, look, sto_class_annGroup());
    if (e.extra)
      for (const dxfEntity& part : e.extra->graphics) {
        double part_size = 0.0;
        vorabsTranslatorcoPrf child = entity(part, &look, depth, part_size);
        if (!child.invalid())
          made->add_translator(child);
        size += part_size;
      }
    return vorabsTranslatorcoPrf(made);
  }

  // A group of the parts of a leader or multileader (dxfLeaders.h): its
  // lines, arrowheads, text and block.
  vorabsTranslatorcoPrf leader(const dxfEntity& e, const dxfLook& look, const dxfLook* outer,
                               int depth, double& size) {
    auto made = group<vorabsGroupTranslator>(e, look, sto_class_annGroup());
    if (e.extra)
      for (const dxfEntity& part : e.extra->children) {
        double part_size = 0.0;
        vorabsTranslatorcoPrf t = translator(part, outer, depth, part_size);
        if (t.invalid())
          continue;
        made->add_translator(t);
        size += part_size;
      }
    return vorabsTranslatorcoPrf(made);
  }

  // The texts of an insert's attributes, added to its group; an invisible
  // attribute (70 bit 1) is kept hidden.
  void attributes(const dxfEntity& e, const dxfLook& look, vorabsGroupTranslator& group) {
    if (!e.extra)
      return;
    for (const dxfEntity& attribute : e.extra->children) {
      dxfLook own = tables_->resolve(attribute, &look);
      if (attribute.i70 & 1)
        own.visible = 0;
      group.add_translator(make<dxfTextEntityTranslator>(attribute, own));
    }
  }

  void fail(const dxfEntity& e, const std::string& why) {
    unbuilt_[dxf_kind_name(e.kind)]++;
    if (error_)
      error_->tprintf("vorabs_dxf", "Error : %s, line %d: %s: %s.\n", file_name_, e.line,
                      dxfTables::entity_name(e).c_str(), why.c_str());
  }

  vorabsTranslatorcoPrf insert(const dxfEntity& e, const dxfLook& look, int depth, double& size) {
    const dxfBlock* block = tables_->file().find_block(e.name);
    if (!block) {
      fail(e, "block '" + e.name + "' is not defined");
      return vorabsTranslatorcoPrf();
    }
    if (depth >= max_block_depth) {
      fail(e, "blocks nest deeper than 32 levels");
      return vorabsTranslatorcoPrf();
    }
    if (building_.count(block)) {
      fail(e, "block '" + e.name + "' inserts itself");
      return vorabsTranslatorcoPrf();
    }
    double block_size = 0.0;
    vorabsTranslatorcoPrf definition = this->block(*block, look, depth + 1, block_size);
    long columns = std::max(1, e.i70), rows = std::max(1, e.i71);
    size = 1.0 + double(columns) * double(rows) * block_size;
    if (size > max_expanded_entities) {
      fail(e,
           "it expands to more than " + std::to_string(long(max_expanded_entities)) + " entities");
      return vorabsTranslatorcoPrf();
    }
    utString name = dxfTables::entity_name(e);
    int attributed = e.extra && !e.extra->children.empty();
    if (columns * rows == 1 && !attributed) {
      auto group = std::make_shared<dxfGroupEntityTranslator>(
          context_, tables_, name, dxf_insert_xform(e, block->base, 0, 0), &e, look);
      group->add_translator(definition);
      return vorabsTranslatorcoPrf(group);
    }
    if (columns * rows > max_insert_cells) {
      fail(e, "an array of " + std::to_string(columns) + " by " + std::to_string(rows) +
                  " inserts is more than " + std::to_string(max_insert_cells));
      return vorabsTranslatorcoPrf();
    }
    auto array = std::make_shared<dxfGroupEntityTranslator>(context_, tables_, name,
                                                            giXform3(giXformIdentity), &e, look);
    for (long r = 0; r < rows; ++r)
      for (long c = 0; c < columns; ++c) {
        auto cell = std::make_shared<dxfGroupEntityTranslator>(
            context_, tables_, utString(name) << " " << int(c) << "," << int(r),
            dxf_insert_xform(e, block->base, int(c), int(r)), nullptr, look);
        cell->add_translator(definition);
        array->add_translator(vorabsTranslatorcoPrf(cell));
      }
    attributes(e, look, *array);
    return vorabsTranslatorcoPrf(array);
  }

  // Whether the entities of a block take anything from the insert that places it.
  bool inherits(const dxfBlock& block, int depth) {
    auto known = inherits_.find(&block);
    if (known != inherits_.end())
      return known->second;
    bool result = depth > max_block_depth;
    for (const dxfEntity& e : block.entities) {
      result = result || e.layer == 0 || e.colour == 0 || e.linetype == -2 || e.lineweight == -2;
      if (!result && e.kind == dxfKind::INSERT) {
        const dxfBlock* inner = tables_->file().find_block(e.name);
        result = inner && inherits(*inner, depth + 1);
      }
    }
    inherits_[&block] = result;
    return result;
  }

  vorabsTranslatorcoPrf block(const dxfBlock& block, const dxfLook& outer, int depth,
                              double& size) {
    dxfLook key_look = inherits(block, 0) ? outer : dxfLook();
    auto key = std::make_tuple(&block, key_look.layer, key_look.aci, key_look.rgb,
                               key_look.linetype, key_look.lineweight, key_look.frozen);
    auto found = blocks_.find(key);
    if (found != blocks_.end()) {
      size = found->second.second;
      return found->second.first;
    }
    auto group = std::make_shared<dxfGroupEntityTranslator>(
        context_, tables_, tables_->decoder().decode(block.name), giXform3(giXformIdentity),
        nullptr, outer);
    vorabsTranslatorcoPrf made(group);
    building_.insert(&block);
    built_.insert(&block);
    size = 1.0;
    for (const dxfEntity& e : block.entities) {
      double child_size = 0.0;
      vorabsTranslatorcoPrf child = entity(e, &outer, depth, child_size);
      if (child.invalid())
        continue;
      group->add_translator(child);
      size += child_size;
    }
    building_.erase(&block);
    blocks_.emplace(key, std::make_pair(made, size));
    return made;
  }

  vorabsContext context_;
  dxfTablesPtr tables_;
  vorabsOutput* error_;
  const char* file_name_;
  std::map<std::string, int>& unbuilt_;
  // Block translators by block and inherited look, with what they expand to.
  std::map<std::tuple<const dxfBlock*, int, int, int32_t, int, int, uint8_t>,
           std::pair<vorabsTranslatorcoPrf, double>>
      blocks_;
  std::set<const dxfBlock*> building_; // blocks whose translators are being made
  std::set<const dxfBlock*> built_;
  std::map<const dxfBlock*, bool> inherits_;
};

// Whether the reader makes translators for entities of this type.
bool translated(const std::string& type) {
  for (const char* known : {"LINE",          "ARC",
                            "CIRCLE",        "ELLIPSE",
                            "LWPOLYLINE",    "POLYLINE",
                            "SPLINE",        "POINT",
                            "3DFACE",        "SOLID",
                            "INSERT",        "VIEWPORT",
                            "TEXT",          "MTEXT",
                            "ATTRIB",        "ATTDEF",
                            "HATCH",         "DIMENSION",
                            "LEADER",        "MULTILEADER",
                            "ARC_DIMENSION", "LARGE_RADIAL_DIMENSION",
                            "ACAD_TABLE",    "TOLERANCE",
                            "LIGHT",         "ACAD_PROXY_ENTITY",
                            "TRACE",         "HELIX",
                            "RAY",           "XLINE",
                            "MESH",          "IMAGE",
                            "WIPEOUT",       "MLINE"})
    if (type == known)
      return true;
  return false;
}

bool is_paper_block(const std::string& name) {
  return upper(name).rfind("*PAPER_SPACE", 0) == 0;
}

// Kinds whose translator is a leaf made from the record alone, without a
// message or a block: made again at no cost but the making.
bool made_again_freely(dxfKind kind) {
  switch (kind) {
  case dxfKind::LINE:
  case dxfKind::ARC:
  case dxfKind::CIRCLE:
  case dxfKind::ELLIPSE:
  case dxfKind::LWPOLYLINE:
  case dxfKind::SPLINE:
  case dxfKind::POINT:
  case dxfKind::TEXT:
  case dxfKind::MTEXT:
  case dxfKind::SOLID:
  case dxfKind::FACE3D:
  case dxfKind::TRACE:
    return true;
  default:
    return false;
  }
}

// The records whose translators are made again as the walk reaches them
// wait for it packed; the others are held for the translators made from
// them when the file is read.
bool waits_packed(const dxfEntity& e) {
  return !e.paper_space && made_again_freely(e.kind);
}

// Whether a layout may show model space through a viewport (whose view
// then holds the model's translators): any viewport on paper that is not a
// sheet's own or switched off.
bool may_show_model(const dxfEntityList& entities, const dxfFile& f) {
  auto view = [](const dxfEntity& e) {
    return e.kind == dxfKind::VIEWPORT && e.i69 != 1 && e.i68 != 0;
  };
  for (size_t i = 0; i < entities.size(); ++i) {
    if (entities.packed(i / dxfEntityList::chunk_size)) { // plain model entities only
      i += dxfEntityList::chunk_size - 1;
      continue;
    }
    if (entities[i].paper_space && view(entities[i]))
      return true;
  }
  for (const dxfBlock& block : f.blocks)
    if (is_paper_block(block.name))
      for (const dxfEntity& e : block.entities)
        if (view(e))
          return true;
  return false;
}

// The handle a record is drawn as under a draw order (SORTENTSTABLE): its
// own when not listed; a record without a handle keeps the one of the
// record before it.
uint64_t drawn_as(const std::map<uint64_t, uint64_t>& listed, const dxfEntity& e, uint64_t before) {
  if (!e.has_handle)
    return before;
  auto moved = listed.find(e.handle);
  return moved != listed.end() ? moved->second : e.handle;
}

// The positions of the keys sorted by key, ties in their order.
std::vector<size_t> by_key(std::vector<std::pair<uint64_t, size_t>>& keys) {
  std::stable_sort(keys.begin(), keys.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<size_t> order;
  order.reserve(keys.size());
  for (const auto& key : keys)
    order.push_back(key.second);
  return order;
}

// The draw order of the space whose block record has that name; null when none.
const std::map<uint64_t, uint64_t>* space_draw_order(const dxfFile& f, const char* name) {
  for (const auto& [handle, record] : f.block_records) {
    auto found = f.draw_orders.find(handle);
    if (found != f.draw_orders.end() && upper(record) == name)
      return &found->second;
  }
  return nullptr;
}

// The order the records are drawn in when a space has a draw order: by
// the handle each is drawn as (its own when not listed), ties in file
// order; empty when the file order stands. Each space is ordered by its own
// table, or kept in file order without one; where a model record falls
// among paper records does not matter, as only the model's translators are
// made in this order.
std::vector<size_t> model_draw_order(const dxfEntityList& entities, const dxfFile& f) {
  const std::map<uint64_t, uint64_t>* model = space_draw_order(f, "*MODEL_SPACE");
  const std::map<uint64_t, uint64_t>* paper = space_draw_order(f, "*PAPER_SPACE");
  if (!model && !paper)
    return {};
  std::vector<std::pair<uint64_t, size_t>> keys;
  keys.reserve(entities.size());
  uint64_t before[2] = {0, 0}; // of the paper space, of the model space
  dxfEntity scratch;
  for (size_t i = 0; i < entities.size(); ++i) {
    const dxfEntity& e = entities.read(i, scratch);
    const std::map<uint64_t, uint64_t>* listed = e.paper_space ? paper : model;
    uint64_t& key = before[e.paper_space ? 0 : 1];
    if (listed)
      key = drawn_as(*listed, e, key);
    keys.emplace_back(key, i);
  }
  return by_key(keys);
}

// Puts each block's entities in the draw order of its block record, where
// it has one: what a block draws on top is drawn last.
void order_blocks(dxfFile& f) {
  for (dxfBlock& block : f.blocks) {
    auto found = f.draw_orders.find(block.record);
    if (block.record == 0 || found == f.draw_orders.end())
      continue;
    std::vector<std::pair<uint64_t, size_t>> keys;
    uint64_t before = 0;
    for (size_t i = 0; i < block.entities.size(); ++i) {
      before = drawn_as(found->second, block.entities[i], before);
      keys.emplace_back(before, i);
    }
    std::vector<dxfEntity> ordered;
    ordered.reserve(block.entities.size());
    for (size_t i : by_key(keys))
      ordered.push_back(std::move(block.entities[i]));
    block.entities = std::move(ordered);
  }
}

} // namespace

dxfLibInput::dxfLibInput(const vorabsAppInfo* app) : vorabsLibInput(app) {}

dxfLibInput::~dxfLibInput() = default;

void dxfLibInput::add_file_types(intcoSet& types) const {
  types.add(database_number());
}

void dxfLibInput::add_extensions(utStringcoSet& extensions) const {
  extensions.add(utString("dxf"));
}

const dxfFile* dxfLibInput::file() const {
  return tables_ ? &tables_->file() : nullptr;
}

int dxfLibInput::length_unit(vorLengthUnit& unit) const {
  if (!tables_)
    return 0;
  switch (tables_->file().units) {
  case 1:
    unit = vorLENGTH_INCH;
    return 1;
  case 2:
    unit = vorLENGTH_FOOT;
    return 1;
  case 3:
    unit = vorLENGTH_MILE;
    return 1;
  case 4:
    unit = vorLENGTH_MILLIMETRE;
    return 1;
  case 5:
    unit = vorLENGTH_CENTIMETRE;
    return 1;
  case 6:
    unit = vorLENGTH_METRE;
    return 1;
  case 7:
    unit = vorLENGTH_KILOMETRE;
    return 1;
  case 10:
    unit = vorLENGTH_YARD;
    return 1;
  case 13:
    unit = vorLENGTH_MICROMETRE;
    return 1;
  default:
    return 0;
  }
}

void dxfLibInput::add_translator(vorabsTranslatorcoPrf translator) {
  translator->set_error(error());
  translator->set_output(output());
  total_ += translator->num_translators();
  translators_.push_back(std::move(translator));
}

int dxfLibInput::operator++() {
  if (cursor_ != 0 && release_walked_) {
    translators_[cursor_ - 1].reset();
    if (cursor_ - 1 < remade_.size())
      remade_[cursor_ - 1] = held; // a released walk is not made again
    release_records(cursor_ - 1);
  }
  // Past the last, the walk is back where it began; a further step starts again.
  cursor_ = cursor_ < translators_.size() ? cursor_ + 1 : 0;
  if (cursor_ == 0 && release_walked_) { // nothing is left to walk: the lists go too
    translators_ = std::vector<vorabsTranslatorcoPrf>();
    remade_ = std::vector<size_t>();
    chunk_needs_ = std::vector<std::pair<size_t, size_t>>();
    next_release_ = 0;
  }
  if (cursor_ != 0)
    remake(cursor_ - 1);
  return cursor_ != 0;
}

void dxfLibInput::remake(size_t position) {
  if (position >= remade_.size() || remade_[position] == held || !translators_[position].invalid())
    return;
  double size = 0.0;
  Builder build(remake_context_, tables_, error(), remake_name_.c_str(), unbuilt_);
  vorabsTranslatorcoPrf made = build.entity(entities_[remade_[position]], nullptr, 0, size);
  if (made.invalid())
    return;
  made->set_error(error());
  made->set_output(output());
  translators_[position] = std::move(made);
}

void dxfLibInput::release_records(size_t position) {
  for (; next_release_ < chunk_needs_.size() && chunk_needs_[next_release_].first <= position;
       ++next_release_)
    entities_.release_chunk(chunk_needs_[next_release_].second);
}

void dxfLibInput::attributes(vorabsAttributeSet& attributes) const {
  if (cursor_ != 0 && !translators_[cursor_ - 1].invalid())
    translators_[cursor_ - 1]->current_translator()->attributes(attributes);
}

vorabsTranslationStatus dxfLibInput::send_to(const vorabsAttributeSet& attributes,
                                             vorabsInterface& receiver, vorabsLibSink& sink) const {
  if (cursor_ == 0 || translators_[cursor_ - 1].invalid())
    return vorabsSTATUS_FAILED;
  return translators_[cursor_ - 1]->current_translator()->process(attributes, receiver, sink);
}

int dxfLibInput::read_input(const vorabsContext& context, vorabsIfStream& stream) {
  std::unique_ptr<dxfFile> file(new dxfFile());
  file->entities.set_packing(waits_packed);
  dxfParser::parse_file(stream.file_name().c_str(), *file);
  return finish(context, std::move(file), stream.file_name().c_str());
}

int dxfLibInput::read_buffer(const vorabsContext& context, const char* data, size_t size,
                             const char* name) {
  std::unique_ptr<dxfFile> file(new dxfFile());
  file->entities.set_packing(waits_packed);
  dxfParser::parse(data, size, *file);
  return finish(context, std::move(file), name);
}

void dxfLibInput::report(const dxfFile& file, const char* name) const {
  vorabsOutput* error = this->error();
  vorabsOutput* output = this->output();
  for (const dxfDiagnostic& d : file.diagnostics) {
    if (!error)
      break;
    if (d.line > 0)
      error->tprintf("vorabs_dxf", "%s : %s, line %d: %s.\n", d.error ? "Error" : "Warning", name,
                     d.line, d.text.c_str());
    else
      error->tprintf("vorabs_dxf", "%s : %s: %s.\n", d.error ? "Error" : "Warning", name,
                     d.text.c_str());
  }
  if (error)
    for (const std::string& warning : tables_->decoder().warnings())
      error->tprintf("vorabs_dxf", "Warning : %s: %s.\n", name, warning.c_str());
  if (output)
    for (const auto& skipped : file.skipped)
      output->tprintf("vorabs_dxf", "Skipped %d %s (not supported).\n", skipped.second,
                      skipped.first.c_str());
}

int dxfLibInput::finish(const vorabsContext& context, std::unique_ptr<dxfFile> file,
                        const char* name) {
  // A file read before is made whole while its tables and context are at hand.
  for (size_t position = 0; position < remade_.size(); ++position)
    remake(position);
  remade_.clear();
  status_ = file->status;
  if (!entities_.empty()) { // a file read before: its translators still need its records
    earlier_entities_.push_back(std::move(entities_));
    chunk_needs_.clear();
    next_release_ = 0;
  }
  entities_ = std::move(file->entities);
  order_blocks(*file);
  tables_ = std::make_shared<dxfTables>(std::move(file));
  const dxfFile& f = tables_->file();
  report(f, name);
  if (status_ == dxfPARSE_EMPTY || status_ == dxfPARSE_BINARY || status_ == dxfPARSE_DWG ||
      status_ == dxfPARSE_UNREADABLE)
    return 0;
  // Faulty from its first group on, the file is not DXF at all: nothing is read.
  if (status_ == dxfPARSE_MALFORMED && !f.diagnostics.empty() && f.diagnostics.back().line <= 2)
    return 0;

  for (const auto* counts : {&f.counts, &f.block_counts})
    for (const auto& count : *counts)
      if (!translated(count.first))
        untranslated_[count.first] += count.second;
  for (const dxfBlock& block : f.blocks)
    if (!is_paper_block(block.name))
      for (const dxfEntity& e : block.entities)
        if (e.kind == dxfKind::ATTDEF)
          ignored_in_blocks_["ATTDEF"]++;
  Builder build(context, tables_, error(), name, unbuilt_);
  remake_context_ = context;
  remake_name_ = name;
  const bool views = may_show_model(entities_, f);
  if (views) // the views hold the model's translators, made from the records
    for (size_t i = 0; i < entities_.size(); i += dxfEntityList::chunk_size)
      entities_[i];
  // One translator at most per record, and one per layout: the lists are
  // made to measure instead of doubling past it.
  translators_.reserve(translators_.size() + entities_.size() + f.layouts.size() + 1);
  if (!views)
    remade_.reserve(translators_.size() + entities_.size());
  std::vector<vorabsTranslatorcoPrf> model;
  std::map<std::string, std::vector<const dxfEntity*>> paper;
  // For each chunk of records, the last position whose translator is made
  // from it; the paper space's are kept to the end, for the layouts.
  const size_t to_the_end = size_t(-1);
  std::vector<size_t> needed(entities_.num_chunks(), 0);
  const std::vector<size_t> order = model_draw_order(entities_, f);
  dxfEntity scratch; // a packed record: a plain entity whose translator is made again
  for (size_t position = 0; position < entities_.size(); ++position) {
    const size_t index = order.empty() ? position : order[position];
    const dxfEntity& e = entities_.read(index, scratch);
    const size_t chunk = index / dxfEntityList::chunk_size;
    if (e.paper_space) {
      paper["*PAPER_SPACE"].push_back(&e);
      needed[chunk] = to_the_end;
      continue;
    }
    if (e.kind == dxfKind::VIEWPORT) {
      ignored_["VIEWPORT"]++; // a view of a layout, not part of the model
      continue;
    }
    double size = 0.0;
    vorabsTranslatorcoPrf t = build.entity(e, nullptr, 0, size);
    if (t.invalid())
      continue;
    needed[chunk] = std::max(needed[chunk], translators_.size());
    if (!views && made_again_freely(e.kind)) {
      total_ += t->num_translators();
      remade_.resize(translators_.size() + 1, held);
      remade_.back() = index;
      translators_.emplace_back(); // made again when the walk reaches it
      continue;
    }
    add_translator(t);
    model.push_back(t);
  }
  for (const dxfBlock& block : f.blocks)
    if (is_paper_block(block.name) && upper(block.name) != "*PAPER_SPACE")
      for (const dxfEntity& e : block.entities)
        paper[upper(block.name)].push_back(&e);

  std::vector<const dxfLayout*> layouts;
  for (const dxfLayout& layout : f.layouts)
    if (upper(layout.name) != "MODEL")
      layouts.push_back(&layout);
  std::stable_sort(layouts.begin(), layouts.end(), [](const dxfLayout* a, const dxfLayout* b) {
    return a->tab_order < b->tab_order;
  });
  dxfLayout no_layout;
  no_layout.name = "Paper space";
  if (layouts.empty() && !paper.empty())
    layouts.push_back(&no_layout);

  for (const dxfLayout* layout : layouts) {
    auto record = f.block_records.find(layout->block_record);
    std::string key = layout == &no_layout              ? "*PAPER_SPACE"
                      : record == f.block_records.end() ? std::string()
                                                        : upper(record->second);
    auto drawing =
        std::make_shared<dxfLayoutTranslator>(context, tables_->decoder().decode(layout->name));
    if (layout->paper_width > 0.0 && layout->paper_height > 0.0)
      drawing->set_paper_size(layout->paper_width, layout->paper_height);
    for (const dxfEntity* e : paper[key]) {
      if (e->kind == dxfKind::VIEWPORT) {
        // The sheet's own viewport, and one switched off (as all of a
        // layout never opened are), show nothing on the sheet.
        if (e->i69 == 1 || e->i68 == 0) {
          ignored_["VIEWPORT"]++;
          continue;
        }
        std::fill(needed.begin(), needed.end(), to_the_end); // the view shows them all
        vorabsTranslatorcoPrf view = build.viewport(*e);
        auto* as_view = static_cast<dxfViewportTranslator*>(view.get());
        for (const vorabsTranslatorcoPrf& shown : model)
          as_view->add_translator(shown);
        drawing->add_translator(view);
        continue;
      }
      double size = 0.0;
      vorabsTranslatorcoPrf t = build.entity(*e, nullptr, 0, size);
      if (!t.invalid())
        drawing->add_translator(t);
    }
    add_translator(vorabsTranslatorcoPrf(drawing));
  }
  for (size_t chunk = 0; chunk < needed.size(); ++chunk)
    if (needed[chunk] != to_the_end)
      chunk_needs_.emplace_back(needed[chunk], chunk);
  std::sort(chunk_needs_.begin(), chunk_needs_.end());
  // A block that nothing places draws nothing: its entities are ignored.
  for (const dxfBlock& block : f.blocks)
    if (!is_paper_block(block.name) && !build.built(block))
      for (const dxfEntity& e : block.entities)
        if (e.kind != dxfKind::ATTDEF && translated(dxf_kind_name(e.kind))) {
          ignored_in_blocks_[dxf_kind_name(e.kind)]++;
          if (e.extra && e.kind == dxfKind::INSERT)
            ignored_in_blocks_["ATTRIB"] += int(e.extra->children.size());
        }
  return 1;
}
