// dxfDrawingWriter.cpp - the structure of an R2000-and-later drawing around the entities.
#include "dxfDrawingWriter.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace {

// Fixed-layout records whose values no reader of ours depends on, but which
// other programs expect to find.
void write_active_viewport(dxfTagWriter& out) {
  out.tag(100, "AcDbSymbolTableRecord");
  out.tag(100, "AcDbViewportTableRecord");
  out.tag(2, "*Active");
  out.integer(70, 0);
  out.point2(10, 0, 0);
  out.point2(11, 1, 1);
  out.point2(12, 0, 0);
  out.point2(13, 0, 0);
  out.point2(14, 10, 10);
  out.point2(15, 10, 10);
  out.point(16, 0, 0, 1);
  out.point(17, 0, 0, 0);
  out.real(40, 100);
  out.real(41, 1.5);
  out.real(42, 50);
  out.real(43, 0);
  out.real(44, 0);
  out.real(50, 0);
  out.real(51, 0);
  for (int code : {71, 72, 73, 74, 75, 76, 77, 78})
    out.integer(code, code == 72 ? 100 : code == 73 ? 1 : code == 74 ? 3 : 0);
}

void write_linetype_body(dxfTagWriter& out, const dxfLinetypeRecord& linetype) {
  out.tag(100, "AcDbSymbolTableRecord");
  out.tag(100, "AcDbLinetypeTableRecord");
  out.tag(2, linetype.name);
  out.integer(70, 0);
  out.tag(3, linetype.description);
  out.integer(72, 65);
  out.integer(73, static_cast<long long>(linetype.pattern.size()));
  double total = 0;
  for (double dash : linetype.pattern)
    total += dash < 0 ? -dash : dash;
  out.real(40, total);
  for (double dash : linetype.pattern) {
    out.real(49, dash);
    out.integer(74, 0);
  }
}

std::string upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  return text;
}

} // namespace

dxfDrawingWriter::dxfDrawingWriter(std::string version, std::string code_page)
    : version_(std::move(version)),
      code_page_(std::move(code_page)), extents_{DBL_MAX,  DBL_MAX,  DBL_MAX,
                                                 -DBL_MAX, -DBL_MAX, -DBL_MAX} {
  table* tables[] = {&vport_, &ltype_, &layer_, &style_, &view_, &ucs_, &appid_, &dimstyle_};
  const char* names[] = {"VPORT", "LTYPE", "LAYER", "STYLE", "VIEW", "UCS", "APPID", "DIMSTYLE"};
  for (int i = 0; i < 8; ++i) {
    tables[i]->name = names[i];
    tables[i]->handle = new_handle();
  }
  block_record_table_ = new_handle();
  root_dictionary_ = new_handle();
  group_dictionary_ = new_handle();
  layout_dictionary_ = new_handle();

  dxfTagWriter vport;
  write_active_viewport(vport);
  add_record(vport_, std::move(vport));
  add_linetype({"ByBlock", "", {}});
  add_linetype({"ByLayer", "", {}});
  add_linetype({"Continuous", "Solid line", {}});
  dxfLayerRecord zero;
  zero.name = "0";
  zero.order = -1;
  add_layer(zero);
  add_text_style({"Standard", "txt", "", 0, 0});
  add_appid("ACAD");
  dxfTagWriter dimstyle;
  dimstyle.tag(100, "AcDbSymbolTableRecord");
  dimstyle.tag(100, "AcDbDimStyleTableRecord");
  dimstyle.tag(2, "Standard");
  dimstyle.integer(70, 0);
  add_record(dimstyle_, std::move(dimstyle));

  new_space(MODEL, "Model", "*Model_Space");
}

void dxfDrawingWriter::add_record(table& into, dxfTagWriter&& body, int order) {
  into.records.push_back({new_handle(), order, std::move(body)});
}

int dxfDrawingWriter::add_layer(const dxfLayerRecord& layer) {
  // Layer names compare without case in every CAD program.
  if (!layers_.emplace(upper(layer.name), 1).second)
    return 0;
  dxfTagWriter body;
  body.tag(100, "AcDbSymbolTableRecord");
  body.tag(100, "AcDbLayerTableRecord");
  body.tag(2, layer.name);
  body.integer(70, layer.frozen ? 1 : 0);
  int colour = layer.colour >= 1 && layer.colour <= 255 ? layer.colour : 7;
  body.integer(62, layer.off ? -colour : colour);
  if (layer.true_colour >= 0)
    body.integer(420, layer.true_colour);
  body.tag(6, layer.linetype.empty() ? "Continuous" : layer.linetype);
  body.integer(370, layer.lineweight);
  add_record(layer_, std::move(body), layer.order);
  return 1;
}

int dxfDrawingWriter::has_linetype(const std::string& name) const {
  return linetypes_.count(upper(name)) != 0;
}

const std::vector<double>* dxfDrawingWriter::linetype_pattern(const std::string& name) const {
  auto found = linetypes_.find(upper(name));
  return found == linetypes_.end() ? nullptr : &found->second;
}

int dxfDrawingWriter::add_linetype(const dxfLinetypeRecord& linetype) {
  if (!linetypes_.emplace(upper(linetype.name), linetype.pattern).second)
    return 0;
  dxfTagWriter body;
  write_linetype_body(body, linetype);
  add_record(ltype_, std::move(body));
  return 1;
}

int dxfDrawingWriter::add_text_style(const dxfTextStyleRecord& style) {
  if (!styles_.emplace(upper(style.name), 1).second)
    return 0;
  dxfTagWriter body;
  body.tag(100, "AcDbSymbolTableRecord");
  body.tag(100, "AcDbTextStyleTableRecord");
  body.tag(2, style.name);
  body.integer(70, 0);
  body.real(40, 0);
  body.real(41, 1);
  body.real(50, 0);
  body.integer(71, 0);
  body.real(42, 2.5);
  body.tag(3, style.font_file.empty() ? "txt" : style.font_file);
  body.tag(4, "");
  if (!style.family.empty()) {
    body.tag(1001, "ACAD");
    body.tag(1000, style.family);
    long flags = (style.italic ? 0x1000000L : 0) | (style.bold ? 0x2000000L : 0);
    body.integer(1071, flags);
  }
  add_record(style_, std::move(body));
  return 1;
}

int dxfDrawingWriter::add_ucs(const std::string& name, const double origin[3],
                              const double x_axis[3], const double y_axis[3]) {
  if (!ucss_.emplace(upper(name), 1).second)
    return 0;
  dxfTagWriter body;
  body.tag(100, "AcDbSymbolTableRecord");
  body.tag(100, "AcDbUCSTableRecord");
  body.tag(2, name);
  body.integer(70, 0);
  body.point(10, origin[0], origin[1], origin[2]);
  body.point(11, x_axis[0], x_axis[1], x_axis[2]);
  body.point(12, y_axis[0], y_axis[1], y_axis[2]);
  body.integer(79, 0);
  body.real(146, 0);
  add_record(ucs_, std::move(body));
  return 1;
}

dxfDrawingWriter::space_id dxfDrawingWriter::new_space(space_kind kind, const std::string& name,
                                                       const std::string& block_name) {
  space s;
  s.kind = kind;
  s.name = name;
  s.block_name = block_name;
  s.record = new_handle();
  s.begin = new_handle();
  s.end = new_handle();
  s.layout = kind == BLOCK ? 0 : new_handle();
  spaces_.push_back(std::move(s));
  return static_cast<space_id>(spaces_.size() - 1);
}

dxfDrawingWriter::space_id dxfDrawingWriter::add_block(const std::string& name, double x, double y,
                                                       double z) {
  auto found = blocks_.find(upper(name));
  if (found != blocks_.end())
    return found->second;
  space_id id = new_space(BLOCK, name, name);
  spaces_[id].base[0] = x;
  spaces_[id].base[1] = y;
  spaces_[id].base[2] = z;
  blocks_.emplace(upper(name), id);
  return id;
}

dxfDrawingWriter::space_id dxfDrawingWriter::find_block(const std::string& name) const {
  auto found = blocks_.find(upper(name));
  return found == blocks_.end() ? -1 : found->second;
}

dxfDrawingWriter::space_id dxfDrawingWriter::add_layout(const std::string& name, double width,
                                                        double height) {
  std::string block = "*Paper_Space";
  if (paper_count_ > 0)
    block += std::to_string(paper_count_ - 1);
  ++paper_count_;
  space_id id = new_space(PAPER, name, block);
  spaces_[id].paper[0] = width;
  spaces_[id].paper[1] = height;
  return id;
}

void dxfDrawingWriter::write_common(dxfTagWriter& out, const char* type, std::uint64_t handle,
                                    std::uint64_t owner, const space& in,
                                    const dxfEntityProperties& properties) {
  out.tag(0, type);
  out.handle(5, handle);
  out.handle(330, owner);
  out.tag(100, "AcDbEntity");
  if (in.kind == PAPER)
    out.integer(67, 1);
  out.tag(8, properties.layer.empty() ? "0" : properties.layer);
  if (!properties.linetype.empty())
    out.tag(6, properties.linetype);
  if (properties.linetype_scale != 1.0)
    out.real(48, properties.linetype_scale);
  if (properties.colour != 256)
    out.integer(62, properties.colour);
  if (properties.true_colour >= 0)
    out.integer(420, properties.true_colour);
  if (properties.lineweight != -1)
    out.integer(370, properties.lineweight);
  if (properties.invisible)
    out.integer(60, 1);
}

std::uint64_t dxfDrawingWriter::begin_entity(space_id id, const char* type,
                                             const dxfEntityProperties& properties) {
  space& s = spaces_[id];
  end_entity(s);
  std::uint64_t handle = new_handle();
  write_common(s.entities, type, handle, s.record, s, properties);
  s.xdata = properties.xdata;
  return handle;
}

void dxfDrawingWriter::add_appid(const std::string& name) {
  // Names of applications, like all symbol names, ignore case.
  std::string key = name;
  for (char& c : key)
    if (c >= 'a' && c <= 'z')
      c = char(c - 'a' + 'A');
  if (!appids_.emplace(key, 0).second)
    return;
  dxfTagWriter appid;
  appid.tag(100, "AcDbSymbolTableRecord");
  appid.tag(100, "AcDbRegAppTableRecord");
  appid.tag(2, name);
  appid.integer(70, 0);
  add_record(appid_, std::move(appid));
}

namespace {

// A value of extended data under the code it reads as: a 16-bit integer
// (1070), a 32-bit one (1071), a real (1040), or a string (1000) in pieces
// of at most 255 bytes, as readers accept them.
void write_xdata_value(dxfTagWriter& out, const std::string& value) {
  const char* begin = value.data();
  const char* end = begin + value.size();
  long long whole = 0;
  auto integer = std::from_chars(begin, end, whole);
  if (!value.empty() && integer.ec == std::errc() && integer.ptr == end && whole >= INT32_MIN &&
      whole <= INT32_MAX) {
    out.integer(whole >= -32768 && whole <= 32767 ? 1070 : 1071, whole);
    return;
  }
  double real = 0.0;
  auto number = std::from_chars(begin, end, real);
  if (!value.empty() && number.ec == std::errc() && number.ptr == end && std::isfinite(real)) {
    out.real(1040, real);
    return;
  }
  size_t at = 0;
  do {
    size_t piece = std::min<size_t>(255, value.size() - at);
    // A piece ends between characters, not inside one.
    while (at + piece < value.size() && piece > 1 &&
           (static_cast<unsigned char>(value[at + piece]) & 0xC0) == 0x80)
      --piece;
    out.tag(1000, std::string_view(value).substr(at, piece));
    at += piece;
  } while (at < value.size());
}

} // namespace

void dxfDrawingWriter::end_entity(space& s) {
  for (const dxfExtendedData& data : s.xdata) {
    add_appid(data.application);
    s.entities.tag(1001, data.application);
    for (const std::string& value : data.values)
      write_xdata_value(s.entities, value);
  }
  s.xdata.clear();
}

std::uint64_t dxfDrawingWriter::begin_child(space_id id, const char* type, std::uint64_t owner,
                                            const dxfEntityProperties& properties) {
  space& s = spaces_[id];
  end_entity(s);
  std::uint64_t handle = new_handle();
  write_common(s.entities, type, handle, owner, s, properties);
  return handle;
}

void dxfDrawingWriter::extend(double x, double y, double z) {
  const double p[3] = {x, y, z};
  for (int i = 0; i < 3; ++i) {
    if (p[i] < extents_[i])
      extents_[i] = p[i];
    if (p[i] > extents_[i + 3])
      extents_[i + 3] = p[i];
  }
}

void dxfDrawingWriter::write_header(dxfTagWriter& out) const {
  out.tag(0, "SECTION");
  out.tag(2, "HEADER");
  out.tag(9, "$ACADVER");
  out.tag(1, version_);
  out.tag(9, "$DWGCODEPAGE");
  out.tag(3, code_page_);
  out.tag(9, "$INSBASE");
  out.point(10, 0, 0, 0);
  int empty = extents_[0] > extents_[3];
  out.tag(9, "$EXTMIN");
  out.point(10, empty ? 0 : extents_[0], empty ? 0 : extents_[1], empty ? 0 : extents_[2]);
  out.tag(9, "$EXTMAX");
  out.point(10, empty ? 0 : extents_[3], empty ? 0 : extents_[4], empty ? 0 : extents_[5]);
  out.tag(9, "$INSUNITS");
  out.integer(70, units_);
  out.tag(9, "$HANDSEED");
  out.handle(5, next_handle_);
  out.tag(0, "ENDSEC");
}

void dxfDrawingWriter::write_table(dxfTagWriter& out, const table& t, const char* subclass) const {
  out.tag(0, "TABLE");
  out.tag(2, t.name);
  out.handle(5, t.handle);
  out.handle(330, 0);
  out.tag(100, "AcDbSymbolTable");
  out.integer(70, static_cast<long long>(t.records.size()));
  if (subclass) {
    out.tag(100, subclass);
    out.integer(71, 0);
  }
  // Dimension styles alone carry their handle under 105.
  int handle_code = subclass ? 105 : 5;
  for (const table_record& record : t.records) {
    out.tag(0, t.name);
    out.handle(handle_code, record.handle);
    out.handle(330, t.handle);
    out.append(record.body);
  }
  out.tag(0, "ENDTAB");
}

void dxfDrawingWriter::write_tables(dxfTagWriter& out) {
  out.tag(0, "SECTION");
  out.tag(2, "TABLES");
  std::stable_sort(layer_.records.begin(), layer_.records.end(),
                   [](const table_record& a, const table_record& b) { return a.order < b.order; });
  for (const table* t : {&vport_, &ltype_, &layer_, &style_, &view_, &ucs_, &appid_})
    write_table(out, *t, nullptr);
  write_table(out, dimstyle_, "AcDbDimStyleTable");

  table records{"BLOCK_RECORD", block_record_table_, {}};
  for (const space& s : spaces_) {
    dxfTagWriter body;
    body.tag(100, "AcDbSymbolTableRecord");
    body.tag(100, "AcDbBlockTableRecord");
    body.tag(2, s.block_name);
    body.handle(340, s.layout);
    records.records.push_back({s.record, 0, std::move(body)});
  }
  write_table(out, records, nullptr);
  out.tag(0, "ENDSEC");
}

void dxfDrawingWriter::write_block(dxfTagWriter& out, const space& s) const {
  out.tag(0, "BLOCK");
  out.handle(5, s.begin);
  out.handle(330, s.record);
  out.tag(100, "AcDbEntity");
  if (s.kind == PAPER)
    out.integer(67, 1);
  out.tag(8, "0");
  out.tag(100, "AcDbBlockBegin");
  out.tag(2, s.block_name);
  int anonymous = s.kind == BLOCK && !s.block_name.empty() && s.block_name[0] == '*';
  out.integer(70, anonymous ? 1 : 0);
  out.point(10, s.base[0], s.base[1], s.base[2]);
  out.tag(3, s.block_name);
  out.tag(1, "");
  // The model space and the active paper space keep their entities in the
  // ENTITIES section; every other space inside its block.
  if (s.kind == BLOCK || (s.kind == PAPER && s.block_name != "*Paper_Space"))
    out.append(s.entities);
  out.tag(0, "ENDBLK");
  out.handle(5, s.end);
  out.handle(330, s.record);
  out.tag(100, "AcDbEntity");
  if (s.kind == PAPER)
    out.integer(67, 1);
  out.tag(8, "0");
  out.tag(100, "AcDbBlockEnd");
}

void dxfDrawingWriter::write_layout(dxfTagWriter& out, const space& s, int order) const {
  out.tag(0, "LAYOUT");
  out.handle(5, s.layout);
  out.handle(330, layout_dictionary_);
  out.tag(100, "AcDbPlotSettings");
  out.tag(1, "");
  out.tag(2, "");
  out.tag(4, "");
  out.tag(6, "");
  for (int code : {40, 41, 42, 43})
    out.real(code, 0);
  out.real(44, s.paper[0]);
  out.real(45, s.paper[1]);
  for (int code : {46, 47, 48, 49, 140, 141})
    out.real(code, 0);
  out.real(142, 1);
  out.real(143, 1);
  out.integer(70, 688);
  out.integer(72, 1); // paper units: millimetres
  out.integer(73, 0);
  out.integer(74, 5);
  out.tag(7, "");
  out.integer(75, 16);
  out.real(147, 1);
  out.real(148, 0);
  out.real(149, 0);
  out.tag(100, "AcDbLayout");
  out.tag(1, s.name);
  out.integer(70, 1);
  out.integer(71, order);
  out.point2(10, 0, 0);
  out.point2(11, s.paper[0], s.paper[1]);
  out.point(12, 0, 0, 0);
  out.point(14, 0, 0, 0);
  out.point(15, s.paper[0], s.paper[1], 0);
  out.real(146, 0);
  out.point(13, 0, 0, 0);
  out.point(16, 1, 0, 0);
  out.point(17, 0, 1, 0);
  out.integer(76, 0);
  out.handle(330, s.record);
}

void dxfDrawingWriter::write_objects(dxfTagWriter& out) const {
  out.tag(0, "SECTION");
  out.tag(2, "OBJECTS");
  out.tag(0, "DICTIONARY");
  out.handle(5, root_dictionary_);
  out.handle(330, 0);
  out.tag(100, "AcDbDictionary");
  out.integer(281, 1);
  out.tag(3, "ACAD_GROUP");
  out.handle(350, group_dictionary_);
  out.tag(3, "ACAD_LAYOUT");
  out.handle(350, layout_dictionary_);

  out.tag(0, "DICTIONARY");
  out.handle(5, group_dictionary_);
  out.handle(330, root_dictionary_);
  out.tag(100, "AcDbDictionary");
  out.integer(281, 1);

  out.tag(0, "DICTIONARY");
  out.handle(5, layout_dictionary_);
  out.handle(330, root_dictionary_);
  out.tag(100, "AcDbDictionary");
  out.integer(281, 1);
  for (const space& s : spaces_)
    if (s.kind != BLOCK) {
      out.tag(3, s.name);
      out.handle(350, s.layout);
    }
  int order = 0;
  for (const space& s : spaces_)
    if (s.kind != BLOCK)
      write_layout(out, s, order++);
  out.tag(0, "ENDSEC");
}

int dxfDrawingWriter::finish(const std::function<int(const char*, size_t)>& write) {
  if (paper_count_ == 0)
    add_layout("Layout1", 420, 297);
  for (space& s : spaces_)
    end_entity(s);
  dxfTagWriter out;
  // Handles are all given out before the header writes the seed.
  dxfTagWriter tables, blocks, objects;
  write_tables(tables);
  blocks.tag(0, "SECTION");
  blocks.tag(2, "BLOCKS");
  for (const space& s : spaces_)
    write_block(blocks, s);
  blocks.tag(0, "ENDSEC");
  write_objects(objects);

  write_header(out);
  out.tag(0, "SECTION");
  out.tag(2, "CLASSES");
  out.tag(0, "ENDSEC");
  out.append(tables);
  tables.clear();
  out.append(blocks);
  blocks.clear();
  out.tag(0, "SECTION");
  out.tag(2, "ENTITIES");
  if (!out.write(write))
    return 0;
  for (space& s : spaces_)
    if (s.kind == MODEL || (s.kind == PAPER && s.block_name == "*Paper_Space")) {
      if (!s.entities.write(write))
        return 0;
      s.entities.clear();
    }
  dxfTagWriter end;
  end.tag(0, "ENDSEC");
  end.append(objects);
  end.tag(0, "EOF");
  return end.write(write);
}
