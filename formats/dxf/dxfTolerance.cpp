// dxfTolerance.cpp - feature control frames: their text read, laid out and translated as GD&T
// items.
#include "dxfTolerance.h"

#include "dxfAnnotationTranslators.h"

#include "kapProperty.h"
#include "vorabsDefaultNameMangler.h"
#include "vorabsGdtDatumRefTranslator.h"
#include "vorabsGdtDatumTranslator.h"
#include "vorabsGdtGeometricToleranceTranslator.h"
#include "vorabsGdtToleranceFrameTranslator.h"
#include "vorabsGdtToleranceTranslator.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <utility>

namespace {

// A letter of the GDT font: the characteristic or modifier it draws and
// its Unicode character.
struct Symbol {
  char letter;
  const char* characteristic; // null for a modifier
  int modifier;
  unsigned code;
};

const Symbol symbols[] = {
    {'a', "angularity", 0, 0x2220},
    {'b', "perpendicularity", 0, 0x27C2},
    {'c', "flatness", 0, 0x23E5},
    {'d', "profile of a surface", 0, 0x2313},
    {'e', "circularity", 0, 0x25CB},
    {'f', "parallelism", 0, 0x2225},
    {'g', "cylindricity", 0, 0x232D},
    {'h', "circular runout", 0, 0x2197},
    {'i', "symmetry", 0, 0x232F},
    {'j', "position", 0, 0x2316},
    {'k', "profile of a line", 0, 0x2312},
    {'r', "concentricity", 0, 0x25CE},
    {'t', "total runout", 0, 0x2330},
    {'u', "straightness", 0, 0x23E4},
    {'n', nullptr, dxfGDT_DIAMETER, 0x2300},
    {'m', nullptr, dxfGDT_MMC, 0x24C2},
    {'l', nullptr, dxfGDT_LMC, 0x24C1},
    {'s', nullptr, dxfGDT_RFS, 0x24C8},
    {'p', nullptr, dxfGDT_PROJECTED_ZONE, 0x24C5},
    {'f', nullptr, dxfGDT_FREE_STATE, 0x24BB},
    {'t', nullptr, dxfGDT_TANGENT_PLANE, 0x24C9},
};

const Symbol* characteristic_of(char letter) {
  for (const Symbol& s : symbols)
    if (s.letter == letter && s.characteristic)
      return &s;
  return nullptr;
}

const Symbol* modifier_of(int modifier) {
  for (const Symbol& s : symbols)
    if (!s.characteristic && s.modifier == modifier)
      return &s;
  return nullptr;
}

// The modifier a GDT letter stands for after a value; 0 for none. The
// free state (f) and tangent plane (t) share letters with characteristics.
int modifier_letter(char letter) {
  for (const Symbol& s : symbols)
    if (s.letter == letter && !s.characteristic)
      return s.modifier;
  return 0;
}

std::vector<std::string_view> split(std::string_view text, std::string_view by) {
  std::vector<std::string_view> parts;
  for (size_t at = text.find(by);; at = text.find(by)) {
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos)
      return parts;
    text.remove_prefix(at + by.size());
  }
}

std::string trimmed(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\r'))
    text.pop_back();
  size_t start = text.find_first_not_of(' ');
  return start == std::string::npos ? std::string() : text.substr(start);
}

// A cell's plain text and its GDT letters, in order: {\Fgdt;x} groups give
// letters, other braces and font switches are dropped, %%c is a diameter.
void read_cell(std::string_view raw, std::string& plain, std::string& letters) {
  bool gdt = false;
  for (size_t i = 0; i < raw.size(); ++i) {
    char c = raw[i];
    if (c == '{' || c == '}') {
      gdt = false;
    } else if (c == '\\' && i + 1 < raw.size() && (raw[i + 1] == 'F' || raw[i + 1] == 'f')) {
      size_t end = raw.find(';', i);
      if (end == std::string_view::npos)
        break;
      std::string_view font = raw.substr(i + 2, end - i - 2);
      gdt = font.size() >= 3 && (font[0] == 'g' || font[0] == 'G') &&
            (font[1] == 'd' || font[1] == 'D') && (font[2] == 't' || font[2] == 'T');
      i = end;
    } else if (raw.substr(i, 3) == "%%c" || raw.substr(i, 3) == "%%C") {
      letters += 'n';
      i += 2;
    } else if (gdt) {
      letters += char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    } else {
      plain += c;
    }
  }
  plain = trimmed(plain);
}

dxfToleranceCell cell(std::string_view raw, int row, int column, int& cells) {
  dxfToleranceCell made;
  made.row = row;
  made.column = column;
  std::string letters;
  read_cell(raw, made.text, letters);
  for (char letter : letters) {
    int modifier = modifier_letter(letter);
    if (column == 0 && characteristic_of(letter))
      made.text = std::string(1, letter); // the characteristic's letter
    else if (modifier)
      made.modifiers.push_back(modifier);
  }
  if (!made.text.empty() || !made.modifiers.empty())
    made.graphic = cells++;
  return made;
}

double number(const std::string& text) {
  double value = DBL_MAX;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(value))
    return DBL_MAX;
  return value;
}

std::string escape(unsigned code) {
  char out[16];
  std::snprintf(out, sizeof out, "\\U+%04X", code);
  return out;
}

// The height of a frame's texts: the usual dimension text height of the
// drawing's units (the dimension style is not read).
double text_height(const dxfFile& file) {
  return file.units >= 4 && file.units <= 7 ? 2.5 : 0.18;
}

// A record drawn for the entity, with its look.
dxfEntity piece(const dxfEntity& owner, dxfKind kind) {
  dxfEntity e;
  e.kind = kind;
  e.graphics = 1;
  e.has_handle = owner.has_handle;
  e.handle = owner.handle;
  e.line = owner.line;
  e.layer = owner.layer;
  e.linetype = owner.linetype;
  e.colour = owner.colour;
  e.true_colour = owner.true_colour;
  e.lineweight = owner.lineweight;
  e.paper_space = owner.paper_space;
  return e;
}

// The closed outline of a cell from x0 to x1, y0 to y1.
dxfEntity box(const dxfEntity& owner, double x0, double x1, double y0, double y1) {
  dxfEntity e = piece(owner, dxfKind::POLYLINE);
  e.i70 = 8 | 1;
  for (const auto& corner : {std::make_pair(x0, y0), std::make_pair(x1, y0), std::make_pair(x1, y1),
                             std::make_pair(x0, y1)}) {
    dxfVertex v;
    v.x = corner.first;
    v.y = corner.second;
    v.flags = 32;
    e.vertices.push_back(v);
  }
  return e;
}

// Lays the cells out in the frame's own coordinates (the insertion point
// at the origin, the direction along x): a row's cells side by side in
// boxes two texts high, the second row below the first, the lines below
// the rows as texts alone. The texts come first, in the order of their
// graphics indices, then the boxes.
void lay_out(const dxfToleranceFrame& frame, dxfEntity& entity, double height) {
  std::vector<dxfEntity>& graphics = entity.more().graphics;
  graphics.resize(size_t(frame.cells));
  std::vector<dxfEntity> boxes;
  std::vector<double> advance(3, 0.0);
  auto place = [&](const dxfToleranceCell& c, const std::string& characteristic) {
    if (c.graphic < 0)
      return;
    double x0 = advance[size_t(c.row)];
    double x1 = x0 + (double(c.text.size() + c.modifiers.size()) + 1.5) * height;
    double baseline = -(2.0 * c.row + 1.0) * height;
    advance[size_t(c.row)] = x1;
    dxfEntity& e = graphics[size_t(c.graphic)];
    e = piece(entity, dxfKind::TEXT);
    e.p[0] = {x0 + 0.5 * height, baseline, 0.0};
    e.d40 = height;
    e.text = dxf_tolerance_cell_text(c, c.column, characteristic);
    if (c.row < 2)
      boxes.push_back(box(entity, x0, x1, baseline - 0.5 * height, baseline + 1.5 * height));
  };
  for (const dxfToleranceRow& row : frame.rows) {
    place(row.symbol, row.characteristic);
    for (const dxfToleranceCell& c : row.tolerances)
      place(c, row.characteristic);
    for (const dxfToleranceCell& c : row.datums)
      place(c, row.characteristic);
  }
  place(frame.projected_height, std::string());
  place(frame.datum_identifier, std::string());
  for (dxfEntity& b : boxes)
    graphics.push_back(std::move(b));
}

// A GD&T translator of the framework that carries the TOLERANCE entity's
// look under a name of its own ("TOLERANCE 1F tolerance 1.1").
template <class Base> class dxfGdtTranslator final : public Base {
public:
  template <class... Args>
  dxfGdtTranslator(dxfTablesPtr tables, const dxfEntity& entity, const dxfLook& look,
                   const utString& name, Args&&... base_arguments)
      : Base(std::forward<Args>(base_arguments)...), tables_(std::move(tables)), entity_(&entity),
        look_(look), name_(name) {}
  void attributes(vorabsAttributeSet& set) const override {
    Base::attributes(set);
    tables_->add_attributes(*entity_, look_, set);
    dxfTables::add_name(name_, set);
  }

protected:
  vorabsNameMangler* create_name_mangler(utPtrRelease) const override {
    return new vorabsDefaultNameMangler(name_);
  }

private:
  dxfTablesPtr tables_;
  const dxfEntity* entity_;
  dxfLook look_;
  utString name_;
};

// Where a frame stands: the insertion point (10, world coordinates), its
// direction (11) along x, its normal (210) along z.
giXform3 placement(const dxfEntity& e) {
  double ux = e.p[1].x, uy = e.p[1].y, uz = e.p[1].z;
  double nx = e.extrusion.x, ny = e.extrusion.y, nz = e.extrusion.z;
  double n = std::sqrt(nx * nx + ny * ny + nz * nz);
  if (!(n > 0.0) || !std::isfinite(n))
    nx = 0.0, ny = 0.0, nz = 1.0, n = 1.0;
  nx /= n, ny /= n, nz /= n;
  double along = ux * nx + uy * ny + uz * nz; // keep the direction in the plane
  ux -= along * nx, uy -= along * ny, uz -= along * nz;
  double u = std::sqrt(ux * ux + uy * uy + uz * uz);
  if (!(u > 1e-12) || !std::isfinite(u)) {
    // No usable direction: the x axis of the plane by the arbitrary-axis rule.
    bool near_z = std::fabs(nx) < 1.0 / 64 && std::fabs(ny) < 1.0 / 64;
    double ax = 0.0, ay = near_z ? 1.0 : 0.0, az = near_z ? 0.0 : 1.0;
    ux = ay * nz - az * ny, uy = az * nx - ax * nz, uz = ax * ny - ay * nx;
    u = std::sqrt(ux * ux + uy * uy + uz * uz);
  }
  ux /= u, uy /= u, uz /= u;
  double vx = ny * uz - nz * uy, vy = nz * ux - nx * uz, vz = nx * uy - ny * ux;
  const double m[4][4] = {
      {ux, vx, nx, e.p[0].x}, {uy, vy, ny, e.p[0].y}, {uz, vz, nz, e.p[0].z}, {0.0, 0.0, 0.0, 1.0}};
  return giXform3(m);
}

// Builds the translators of one frame.
class FrameBuilder {
public:
  FrameBuilder(const vorabsContext& context, const dxfTablesPtr& tables, const dxfEntity& entity,
               const dxfLook& look)
      : context_(context), tables_(tables), entity_(entity), look_(look),
        name_(dxfTables::entity_name(entity)) {}

  vorabsTranslatorcoPrf build(const dxfToleranceFrame& frame) {
    auto top = std::make_shared<dxfGdtTranslator<vorabsGdtGeometricToleranceTranslator>>(
        tables_, entity_, look_, name_, placement(entity_), context_);
    std::string characteristics;
    for (size_t i = 0; i < frame.rows.size(); ++i) {
      const dxfToleranceRow& row = frame.rows[i];
      top->add_translator(row_item(row, int(i) + 1));
      if (!row.characteristic.empty())
        characteristics += (characteristics.empty() ? "" : "; ") + row.characteristic;
    }
    if (!characteristics.empty())
      top->add_property(property("characteristic", characteristics));
    for (size_t i = size_t(frame.cells); i < entity_.extra->graphics.size(); ++i)
      top->add_translator(vorabsTranslatorcoPrf(
          new dxfCurveEntityTranslator(context_, tables_, entity_.extra->graphics[i], look_)));
    if (frame.projected_height.graphic >= 0) {
      top->add_translator(text(frame.projected_height));
      top->add_property(property("projected tolerance zone", frame.projected_height.text));
    }
    const dxfToleranceCell& identifier = frame.datum_identifier;
    if (identifier.graphic >= 0) {
      auto datum =
          make<vorabsGdtDatumTranslator>(named(" datum identifier"), decoded(identifier.text));
      datum->add_translator(text(identifier));
      top->add_translator(vorabsTranslatorcoPrf(datum));
    }
    return vorabsTranslatorcoPrf(top);
  }

private:
  vorabsTranslatorcoPrf row_item(const dxfToleranceRow& row, int number) {
    std::string prefix = " frame " + std::to_string(number);
    auto made = make<vorabsGdtToleranceSpecTranslator>(named(prefix));
    if (!row.characteristic.empty())
      made->add_property(property("characteristic", row.characteristic));
    if (row.symbol.graphic >= 0)
      made->add_translator(text(row.symbol));
    int index = 0;
    for (const dxfToleranceCell& c : row.tolerances) {
      auto tolerance = make<vorabsGdtToleranceTranslator>(
          named(prefix + " tolerance " + std::to_string(++index)), number_of(c.text), modifiers(c));
      tolerance->add_translator(text(c));
      made->add_translator(vorabsTranslatorcoPrf(tolerance));
    }
    for (const dxfToleranceCell& c : row.datums) {
      utString label = decoded(c.text);
      auto datum = make<vorabsGdtDatumRefTranslator>(named(prefix + " datum " + c.text), label,
                                                     modifiers(c), label);
      datum->add_translator(text(c));
      made->add_translator(vorabsTranslatorcoPrf(datum));
    }
    return vorabsTranslatorcoPrf(made);
  }

  template <class Base, class... Args>
  std::shared_ptr<dxfGdtTranslator<Base>> make(const utString& name, Args&&... args) {
    return std::make_shared<dxfGdtTranslator<Base>>(tables_, entity_, look_, name,
                                                    std::forward<Args>(args)...,
                                                    giXform3(giXformIdentity), context_);
  }

  vorabsTranslatorcoPrf text(const dxfToleranceCell& c) {
    const dxfEntity& record = entity_.extra->graphics[size_t(c.graphic)];
    return vorabsTranslatorcoPrf(new dxfTextEntityTranslator(context_, tables_, record, look_));
  }

  kapPropertycoPrf property(const char* title, const std::string& value) {
    kapProperty* made = new kapProperty(context_);
    made->set_title(utString(title));
    made->set_type(utString("GD&T"));
    made->set_value(decoded(value));
    return kapPropertycoPrf(made);
  }

  utString named(const std::string& suffix) const { return utString(name_) << suffix.c_str(); }
  utString decoded(const std::string& text) const { return tables_->decoder().decode(text); }
  static double number_of(const std::string& text) { return number(text); }
  static intcoSet modifiers(const dxfToleranceCell& c) {
    intcoSet set;
    for (int m : c.modifiers)
      set.add(m);
    return set;
  }

  vorabsContext context_;
  dxfTablesPtr tables_;
  const dxfEntity& entity_;
  dxfLook look_;
  utString name_;
};

} // namespace

dxfToleranceFrame dxf_tolerance_frame(std::string_view text) {
  dxfToleranceFrame frame;
  int lines_below = 0;
  for (std::string_view line : split(text, "^J")) {
    std::vector<std::string_view> cells = split(line, "%%v");
    if (cells.size() < 2) {
      // Not a row: the projected zone's height, then the datum identifier.
      int row = 2;
      dxfToleranceCell made = cell(line, row, 1, frame.cells);
      if (made.graphic < 0)
        continue;
      (lines_below++ == 0 && number(made.text) != DBL_MAX ? frame.projected_height
                                                          : frame.datum_identifier) = made;
      continue;
    }
    if (frame.rows.size() == 2)
      continue; // a frame has two rows at most
    int r = int(frame.rows.size());
    dxfToleranceRow row;
    row.symbol = cell(cells[0], r, 0, frame.cells);
    if (const Symbol* s =
            row.symbol.text.size() == 1 ? characteristic_of(row.symbol.text[0]) : nullptr)
      row.characteristic = s->characteristic;
    for (size_t i = 1; i < cells.size() && i <= 5; ++i) {
      dxfToleranceCell c = cell(cells[i], r, int(i), frame.cells);
      if (c.graphic >= 0)
        (i <= 2 ? row.tolerances : row.datums).push_back(c);
    }
    frame.rows.push_back(row);
  }
  return frame;
}

std::string dxf_tolerance_cell_text(const dxfToleranceCell& cell, int column,
                                    const std::string& characteristic) {
  std::string out;
  if (column == 0) {
    for (const Symbol& s : symbols)
      if (s.characteristic && characteristic == s.characteristic)
        return escape(s.code);
    return cell.text;
  }
  bool diameter = false;
  for (int m : cell.modifiers)
    diameter = diameter || m == dxfGDT_DIAMETER;
  if (diameter)
    out += escape(0x2300);
  out += cell.text;
  for (int m : cell.modifiers)
    if (m != dxfGDT_DIAMETER)
      if (const Symbol* s = modifier_of(m))
        out += escape(s->code);
  return out;
}

void dxf_decode_tolerance(const dxfTags& tags, dxfEntity& entity, dxfFile& file) {
  for (const dxfTag& tag : tags) {
    switch (tag.code) {
    case 1:
      entity.text = std::string(tag.value);
      break;
    case 3:
      entity.more().style = trimmed(std::string(tag.value));
      break;
    case 10:
    case 20:
    case 30:
    case 11:
    case 21:
    case 31: {
      dxfPoint& p = entity.p[tag.code % 10];
      (tag.code < 20 ? p.x : tag.code < 30 ? p.y : p.z) = dxf_tag_number(tag);
      break;
    }
    default:
      break;
    }
  }
  dxfToleranceFrame frame = dxf_tolerance_frame(entity.text);
  if (frame.cells > 0)
    lay_out(frame, entity, text_height(file));
}

vorabsTranslatorcoPrf dxf_tolerance_translator(const vorabsContext& context,
                                               const dxfTablesPtr& tables, const dxfEntity& entity,
                                               const dxfLook& look) {
  dxfToleranceFrame frame = dxf_tolerance_frame(entity.text);
  if (frame.cells == 0 || !entity.extra || entity.extra->graphics.size() < size_t(frame.cells))
    return vorabsTranslatorcoPrf();
  return FrameBuilder(context, tables, entity, look).build(frame);
}
