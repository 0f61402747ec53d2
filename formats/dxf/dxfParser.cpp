// dxfParser.cpp - tokenizer and section parsers of ASCII DXF.
#include "dxfParser.h"

#include "dxfKinds.h"
#include "dxfNumbers.h"

#include <cmath>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z')
      c = char(c - 'a' + 'A');
  return out;
}

// One group: its code, its value line without the line end, and the line
// number of the code.
struct Pair {
  int code = -1;
  std::string_view value;
  int line = 0;
};

// Splits the bytes into pairs. A fault sets failed and a diagnostic and
// makes every later read answer the end.
class Tokens {
public:
  Tokens(const char* data, size_t size, dxfFile& file) : p_(data), end_(data + size), file_(file) {}

  // The next pair, or false at the end of the data or after a fault.
  bool next(Pair& pair) {
    if (has_peek_) {
      has_peek_ = false;
      pair = peeked_;
    } else if (!read(pair)) {
      return false;
    }
    last_ = pair;
    return true;
  }
  // The pair taken last.
  const Pair& last() const { return last_; }
  // The next pair without taking it.
  bool peek(Pair& pair) {
    if (!has_peek_) {
      if (!read(peeked_))
        return false;
      has_peek_ = true;
    }
    pair = peeked_;
    return true;
  }
  bool failed() const { return failed_; }
  int line() const { return line_; }
  void fail(int line, const std::string& text, dxfParseStatus status) {
    if (failed_)
      return;
    failed_ = true;
    file_.status = status;
    file_.diagnostics.push_back({1, line, text});
  }

  double number(const Pair& pair) {
    std::string_view v = trim(pair.value);
    double value = 0.0;
    auto result = std::from_chars(v.data(), v.data() + v.size(), value);
    if (result.ec != std::errc() || result.ptr != v.data() + v.size() || v.empty())
      bad_number(pair);
    return value;
  }
  // The value of an integer group within [low, high]. Some writers put a
  // real where an integer belongs: it is truncated. A value outside the
  // range gives fallback, with a warning naming its line; one that is not
  // a number ends the parse.
  int int32(const Pair& pair, int low = dxf_int_min, int high = dxf_int_max, int fallback = 0) {
    std::string_view v = trim(pair.value);
    if (!v.empty() && v[0] == '+')
      v.remove_prefix(1);
    long long whole = 0;
    auto result = std::from_chars(v.data(), v.data() + v.size(), whole);
    int value = fallback;
    bool inside = false;
    if (result.ec == std::errc() && result.ptr == v.data() + v.size() && !v.empty()) {
      inside = dxf_checked_int(whole, low, high, fallback, value);
    } else {
      double real = number(pair);
      if (failed_)
        return fallback;
      inside = dxf_checked_int(real, low, high, fallback, value);
    }
    if (!inside)
      out_of_range(pair, low, high, fallback);
    return value;
  }
  long long integer(const Pair& pair) { return int32(pair); }
  // A count: from 0 up. One outside says nothing of the data: as many as
  // the data holds are read.
  int count(const Pair& pair) { return int32(pair, 0, dxf_int_max, dxf_int_max); }
  // A 24-bit colour (420): -1, no colour, when outside.
  int32_t true_colour(const Pair& pair) { return int32(pair, 0, 0xFFFFFF, -1); }
  // An ACI colour number (62) of an entity or, negative when it is off, of a layer.
  int colour(const Pair& pair, int fallback) { return int32(pair, -257, 257, fallback); }
  // A lineweight (370) in 1/100 mm, or -1 BYLAYER, -2 BYBLOCK, -3 default.
  int lineweight(const Pair& pair, int fallback) { return int32(pair, -3, 211, fallback); }
  // A spline degree: CAD programs stay far below the limit, which bounds
  // the work of drawing one.
  int degree(const Pair& pair) { return int32(pair, 1, 31, 3); }
  uint64_t hex(const Pair& pair) {
    std::string_view v = trim(pair.value);
    uint64_t value = 0;
    std::from_chars(v.data(), v.data() + v.size(), value, 16);
    return value;
  }
  // A value read leniently, for groups that tell nothing essential: one that
  // is no number leaves value as it was, without a fault.
  template <class T> static T lenient(const Pair& pair, T value) {
    const std::string_view v = trim(pair.value);
    std::from_chars(v.data(), v.data() + v.size(), value);
    return value;
  }
  static std::string_view trim(std::string_view v) {
    while (!v.empty() && (v.front() == ' ' || v.front() == '\t'))
      v.remove_prefix(1);
    while (!v.empty() && (v.back() == ' ' || v.back() == '\t' || v.back() == '\r'))
      v.remove_suffix(1);
    return v;
  }

private:
  bool read_line(std::string_view& text) {
    if (p_ >= end_)
      return false;
    const char* start = p_;
    const char* nl = static_cast<const char*>(memchr(p_, '\n', size_t(end_ - p_)));
    const char* stop = nl ? nl : end_;
    p_ = nl ? nl + 1 : end_;
    if (stop > start && stop[-1] == '\r')
      --stop;
    text = std::string_view(start, size_t(stop - start));
    ++line_;
    return true;
  }
  bool read(Pair& pair) {
    if (failed_)
      return false;
    if (releasing_ && size_t(p_ - released_) >= 2 * release_step)
      release_passed();
    std::string_view code_text;
    if (!read_line(code_text))
      return false;
    pair.line = line_;
    std::string_view v = trim(code_text);
    int code = 0;
    auto result = std::from_chars(v.data(), v.data() + v.size(), code);
    if (v.empty() || result.ec != std::errc() || result.ptr != v.data() + v.size() || code < 0) {
      if (v.empty() && p_ >= end_)
        return false; // a final empty line
      fail(line_, "group code '" + std::string(v.substr(0, 40)) + "' is not a number",
           dxfPARSE_MALFORMED);
      return false;
    }
    if (!read_line(pair.value)) {
      fail(line_, "the file ends after a group code, without its value (odd number of lines)",
           dxfPARSE_TRUNCATED);
      return false;
    }
    pair.code = code;
    return true;
  }
  void out_of_range(const Pair& pair, int low, int high, int fallback) {
    // A hostile file may hold millions; the first few tell the user enough.
    const int reported = 20;
    if (++out_of_range_ > reported)
      return;
    std::string text = "value '" + std::string(trim(pair.value).substr(0, 40)) +
                       "' of group code " + std::to_string(pair.code) + " is outside " +
                       std::to_string(low) + " to " + std::to_string(high) + "; " +
                       std::to_string(fallback) + " is used";
    if (out_of_range_ == reported)
      text += " (further values out of range are not reported)";
    file_.diagnostics.push_back({0, pair.line + 1, text});
  }
  void bad_number(const Pair& pair) {
    fail(pair.line + 1,
         "value '" + std::string(trim(pair.value).substr(0, 40)) + "' of group code " +
             std::to_string(pair.code) + " is not a number",
         dxfPARSE_MALFORMED);
  }

  // Pages of a file mapping that lie a step or more behind: what was read
  // from them is copied into the records, and the pairs still held lie
  // within the last step. Were one touched again, the system would read it
  // from the file anew.
  void release_passed() {
    static const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t upto = (reinterpret_cast<uintptr_t>(p_) - release_step) & ~(page - 1);
    const uintptr_t from = reinterpret_cast<uintptr_t>(released_);
    if (upto <= from)
      return;
    madvise(reinterpret_cast<void*>(from), upto - from, MADV_DONTNEED);
    released_ = reinterpret_cast<const char*>(upto);
  }

public:
  // Lets the pages of a file mapping (data, page-aligned) go back to the
  // system as the parse passes them, so that a long file is not held whole
  // beside its records.
  void release_passed_pages() {
    releasing_ = true;
    released_ = p_;
  }

private:
  static constexpr size_t release_step = size_t(4) << 20;
  bool releasing_ = false;
  const char* released_ = nullptr;
  const char* p_;
  const char* end_;
  dxfFile& file_;
  int line_ = 0;
  bool failed_ = false;
  int out_of_range_ = 0;
  bool has_peek_ = false;
  Pair peeked_;
  Pair last_;
};

bool is(const Pair& pair, int code, const char* word) {
  return pair.code == code && Tokens::trim(pair.value) == word;
}

// A value that names something: without the blanks around it.
std::string word(const Pair& pair) {
  return std::string(Tokens::trim(pair.value));
}

class Parser {
public:
  Parser(const char* data, size_t size, dxfFile& file) : t_(data, size, file), f_(file) {}
  void release_passed_pages() { t_.release_passed_pages(); }

  void run() {
    Pair pair;
    bool eof = false;
    while (t_.next(pair)) {
      if (pair.code == 999)
        continue;
      if (is(pair, 0, "EOF")) {
        eof = true;
        break;
      }
      if (is(pair, 0, "SECTION"))
        section();
      else
        f_.skipped_group_codes++;
    }
    f_.num_lines = t_.line();
    // Programs that write only what they know often stop after the last
    // section: when that section is complete, nothing is missing.
    if (!eof && !t_.failed() && is(t_.last(), 0, "ENDSEC"))
      f_.diagnostics.push_back({0, t_.line(), "the file ends without its EOF marker"});
    else if (!eof && !t_.failed())
      t_.fail(t_.line(), "the file ends before its EOF marker", dxfPARSE_TRUNCATED);
  }

private:
  // Skips pairs up to (not including) the next code 0.
  void skip_to_zero() {
    Pair pair;
    while (t_.peek(pair) && pair.code != 0) {
      t_.next(pair);
      f_.skipped_group_codes++;
    }
  }

  void section() {
    Pair pair;
    if (!t_.next(pair))
      return;
    std::string_view name = Tokens::trim(pair.value);
    if (pair.code != 2) {
      f_.skipped["SECTION"]++;
      name = "";
    }
    if (name == "HEADER")
      header();
    else if (name == "TABLES")
      tables();
    else if (name == "BLOCKS")
      blocks();
    else if (name == "ENTITIES")
      entities(f_.entities, f_.counts, "ENDSEC");
    else if (name == "OBJECTS")
      objects();
    else {
      // CLASSES, THUMBNAILIMAGE and ACDSDATA hold nothing a drawing needs.
      if (!name.empty() && name != "CLASSES" && name != "THUMBNAILIMAGE" && name != "ACDSDATA")
        f_.skipped[std::string(name) + " section"]++;
      skip_section();
    }
  }

  void skip_section() {
    Pair pair;
    while (t_.next(pair))
      if (is(pair, 0, "ENDSEC"))
        return;
  }

  void header() {
    Pair pair;
    std::string_view var;
    while (t_.next(pair)) {
      if (pair.code == 0)
        return; // ENDSEC
      if (pair.code == 9) {
        var = Tokens::trim(pair.value);
        continue;
      }
      if (var == "$ACADVER" && pair.code == 1)
        f_.version = std::string(Tokens::trim(pair.value));
      else if (var == "$DWGCODEPAGE" && pair.code == 3)
        f_.code_page = std::string(Tokens::trim(pair.value));
      else if (var == "$INSUNITS" && pair.code == 70)
        f_.units = t_.int32(pair, 0, 24, 0);
      else if (var == "$LTSCALE" && pair.code == 40)
        f_.linetype_scale = linetype_scale(pair, f_.linetype_scale);
      else if (var == "$EXTMIN" || var == "$EXTMAX") {
        dxfPoint& point = var == "$EXTMIN" ? f_.extent_min : f_.extent_max;
        coordinate(point, pair.code - 10, pair);
        f_.has_extent = 1;
      }
    }
  }

  // A width kept as a float: 0 (none) for what a float cannot hold.
  static float as_width(double width) {
    return std::isfinite(width) && std::fabs(width) < 1e30 ? float(width) : 0.0f;
  }

  // A linetype scale: positive and within float's range, else the fallback.
  double linetype_scale(const Pair& pair, double fallback) {
    const double scale = t_.number(pair);
    return scale > 1e-30 && scale < 1e30 ? scale : fallback;
  }

  void coordinate(dxfPoint& point, int axis, const Pair& pair) {
    double v = t_.number(pair);
    if (axis == 0)
      point.x = v;
    else if (axis == 10)
      point.y = v;
    else if (axis == 20)
      point.z = v;
  }

  void tables() {
    Pair pair;
    while (t_.next(pair)) {
      if (is(pair, 0, "ENDSEC"))
        return;
      if (is(pair, 0, "TABLE") || is(pair, 0, "ENDTAB")) {
        skip_to_zero();
        continue;
      }
      if (pair.code != 0)
        continue;
      std::string_view type = Tokens::trim(pair.value);
      if (type == "LAYER")
        layer();
      else if (type == "LTYPE")
        linetype();
      else if (type == "STYLE")
        style();
      else if (type == "BLOCK_RECORD")
        block_record();
      else if (type == "DIMSTYLE")
        dimension_style();
      else
        skip_to_zero();
    }
  }

  // Calls handle(pair) for every pair of the current record, up to the next code 0.
  template <class Handle> void record(Handle handle) {
    Pair pair;
    while (t_.peek(pair) && pair.code != 0) {
      t_.next(pair);
      if (!handle(pair))
        f_.skipped_group_codes++;
    }
  }

  void layer() {
    dxfLayer layer;
    std::string linetype;
    record([&](const Pair& p) {
      switch (p.code) {
      case 2:
        layer.name = word(p);
        return true;
      case 62:
        layer.colour = t_.colour(p, 7);
        return true;
      case 420:
        layer.true_colour = t_.true_colour(p);
        return true;
      case 6:
        linetype = word(p);
        return true;
      case 370:
        layer.lineweight = t_.lineweight(p, -3);
        return true;
      case 70:
        layer.flags = t_.int32(p);
        return true;
      default:
        return p.code == 5 || p.code == 100 || p.code == 330 || p.code == 390 || p.code == 290 ||
               p.code == 347 || p.code == 348 || p.code == 102;
      }
    });
    layer.linetype = f_.linetype_index(linetype.data(), linetype.size());
    int index = f_.layer_index(layer.name.data(), layer.name.size());
    dxfLayer& stored = f_.layers[size_t(index)];
    layer.name = stored.name;
    stored = layer;
  }

  void linetype() {
    dxfLinetype type;
    record([&](const Pair& p) {
      switch (p.code) {
      case 2:
        type.name = word(p);
        return true;
      case 3:
        type.description = std::string(p.value);
        return true;
      case 49:
        type.elements.push_back(t_.number(p));
        return true;
      default:
        return p.code == 5 || p.code == 100 || p.code == 330 || p.code == 70 || p.code == 72 ||
               p.code == 73 || p.code == 40 || p.code == 74 || p.code == 102;
      }
    });
    f_.linetypes.push_back(std::move(type));
  }

  void dimension_style() {
    dxfDimensionStyle style;
    record([&](const Pair& p) {
      if (p.code == 2)
        style.name = word(p);
      else if (p.code == 41)
        style.arrow_size = t_.number(p);
      else if (p.code == 40)
        style.scale = t_.number(p);
      else if (p.code == 341)
        style.leader_arrow = t_.hex(p);
      else if (p.code == 147)
        style.gap = t_.number(p);
      else if (p.code == 77)
        style.text_above = t_.int32(p);
      return true;
    });
    f_.dimension_styles.push_back(std::move(style));
  }

  void style() {
    dxfStyle style;
    bool acad = false;
    record([&](const Pair& p) {
      switch (p.code) {
      case 2:
        style.name = word(p);
        return true;
      case 3:
        style.font_file = word(p);
        return true;
      case 40:
        style.height = t_.number(p);
        return true;
      case 41:
        style.width_factor = t_.number(p);
        return true;
      case 1001:
        acad = Tokens::trim(p.value) == "ACAD";
        return true;
      case 1000:
        if (acad && style.family.empty())
          style.family = std::string(p.value);
        return true;
      case 1071:
        if (acad && style.font_flags < 0)
          style.font_flags = t_.int32(p) & 0x7FFFFFFF;
        return true;
      default:
        return true;
      }
    });
    f_.styles.push_back(std::move(style));
  }

  void block_record() {
    uint64_t handle = 0;
    std::string name;
    record([&](const Pair& p) {
      if (p.code == 5)
        handle = t_.hex(p);
      else if (p.code == 2)
        name = word(p);
      return true;
    });
    if (handle)
      f_.block_records[handle] = name;
  }

  void blocks() {
    Pair pair;
    while (t_.next(pair)) {
      if (is(pair, 0, "ENDSEC"))
        return;
      if (!is(pair, 0, "BLOCK")) {
        if (pair.code == 0)
          skip_to_zero();
        continue;
      }
      dxfBlock block;
      block.line = pair.line;
      record([&](const Pair& p) {
        switch (p.code) {
        case 2:
          block.name = word(p);
          return true;
        case 70:
          block.flags = t_.int32(p);
          return true;
        case 10:
          block.base.x = t_.number(p);
          return true;
        case 20:
          block.base.y = t_.number(p);
          return true;
        case 30:
          block.base.z = t_.number(p);
          return true;
        case 330:
          block.record = t_.hex(p);
          return true;
        default:
          return true;
        }
      });
      entities(block.entities, f_.block_counts, "ENDBLK");
      skip_to_zero(); // the ENDBLK record
      if (!t_.failed() || !block.entities.empty())
        f_.blocks.push_back(std::move(block));
    }
  }

  void objects() {
    Pair pair;
    while (t_.next(pair)) {
      if (is(pair, 0, "ENDSEC"))
        return;
      if (is(pair, 0, "LAYOUT"))
        layout();
      else if (is(pair, 0, "IMAGEDEF"))
        image_definition();
      else if (is(pair, 0, "MLINESTYLE"))
        mline_style();
      else if (is(pair, 0, "SORTENTSTABLE"))
        draw_order();
      else if (pair.code == 0)
        skip_to_zero();
    }
  }

  void image_definition() {
    uint64_t handle = 0;
    std::string file;
    record([&](const Pair& p) {
      if (p.code == 5)
        handle = t_.hex(p);
      else if (p.code == 1)
        file = std::string(p.value);
      return true;
    });
    f_.image_files[handle] = file;
  }

  // A space's draw order: after the subclass marker, the block record (330),
  // then pairs of an entity (331) and the handle it is drawn as (5).
  void draw_order() {
    bool table = false;
    uint64_t space = 0, entity = 0;
    bool have_space = false, have_entity = false;
    std::map<uint64_t, uint64_t> order;
    record([&](const Pair& p) {
      if (p.code == 100)
        table = Tokens::trim(p.value) == "AcDbSortentsTable";
      else if (table && p.code == 330 && !have_space)
        space = t_.hex(p), have_space = true;
      else if (table && p.code == 331)
        entity = t_.hex(p), have_entity = true;
      else if (table && p.code == 5 && have_entity)
        order[entity] = t_.hex(p), have_entity = false;
      return true;
    });
    if (have_space && !order.empty())
      f_.draw_orders[space] = std::move(order);
  }

  void mline_style() {
    dxfMlineStyle style;
    record([&](const Pair& p) {
      switch (p.code) {
      case 5:
        style.handle = t_.hex(p);
        break;
      case 2:
        style.name = word(p);
        break;
      case 70:
        style.flags = t_.int32(p);
        break;
      case 49:
        style.elements.emplace_back();
        style.elements.back().offset = t_.number(p);
        break;
      case 62:
        if (!style.elements.empty())
          style.elements.back().colour = t_.int32(p);
        break;
      case 6:
        if (!style.elements.empty())
          style.elements.back().linetype = word(p);
        break;
      default:
        break;
      }
      return true;
    });
    f_.mline_styles.push_back(std::move(style));
  }

  void layout() {
    dxfLayout layout;
    record([&](const Pair& p) {
      switch (p.code) {
      case 1:
        layout.name = word(p);
        return true;
      case 44:
        layout.paper_width = t_.number(p);
        return true;
      case 45:
        layout.paper_height = t_.number(p);
        return true;
      case 71:
        layout.tab_order = t_.int32(p);
        return true;
      case 330:
        layout.block_record = t_.hex(p);
        return true; // the last one is the block record
      default:
        return true;
      }
    });
    f_.layouts.push_back(std::move(layout));
  }

  // Entities up to the record whose type word is end (not taken), into a
  // block's vector or the spaces' list.
  template <class List>
  void entities(List& out, std::map<std::string, int>& counts, const char* end) {
    Pair pair;
    while (t_.peek(pair)) {
      if (pair.code != 0) {
        t_.next(pair);
        f_.skipped_group_codes++;
        continue;
      }
      std::string_view type = Tokens::trim(pair.value);
      if (type == end || type == "ENDSEC" || type == "EOF") {
        if (type == end)
          t_.next(pair);
        return;
      }
      t_.next(pair);
      const dxfKindDeclaration* declared = dxf_kind_declaration(type);
      dxfKind kind = declared ? declared->kind : dxfKind::UNKNOWN;
      if (kind == dxfKind::SEQEND && !out.empty() && out.back().kind == dxfKind::INSERT &&
          (!out.back().extra || out.back().extra->children.empty())) {
        skip_to_zero(); // closes an insert that has no attributes: nothing lost
        continue;
      }
      if (kind == dxfKind::UNKNOWN || kind == dxfKind::VERTEX || kind == dxfKind::SEQEND ||
          kind == dxfKind::ATTRIB) {
        f_.skipped[std::string(type)]++;
        skip_to_zero();
        continue;
      }
      dxfEntity entity;
      entity.kind = kind;
      entity.line = pair.line;
      if (!entity_body(entity, declared->decoder))
        return; // a fault inside the entity: it is not delivered
      if (kind == dxfKind::POLYLINE || (kind == dxfKind::INSERT && followed())) {
        sequence(entity, counts);
        entity.vertices.shrink_to_fit();
      }
      if (t_.failed())
        return;
      counts[type == "MLEADER" ? "MULTILEADER" : std::string(type)]++;
      out.push_back(std::move(entity));
    }
  }

  // Nonzero when the next record is an ATTRIB (an insert with attributes).
  bool followed() {
    Pair pair;
    return t_.peek(pair) && is(pair, 0, "ATTRIB");
  }

  // The VERTEX or ATTRIB records after a POLYLINE or INSERT, up to SEQEND.
  void sequence(dxfEntity& owner, std::map<std::string, int>& counts) {
    Pair pair;
    while (t_.peek(pair) && pair.code == 0) {
      std::string_view type = Tokens::trim(pair.value);
      if (type == "SEQEND") {
        t_.next(pair);
        skip_to_zero();
        return;
      }
      if (type != "VERTEX" && type != "ATTRIB")
        return; // a missing SEQEND: the sequence ends here
      t_.next(pair);
      dxfEntity part;
      part.kind = type == "VERTEX" ? dxfKind::VERTEX : dxfKind::ATTRIB;
      part.line = pair.line;
      if (!entity_body(part))
        return;
      if (part.kind == dxfKind::VERTEX) {
        dxfVertex v;
        v.x = part.p[0].x;
        v.y = part.p[0].y;
        v.z = part.p[0].z;
        v.bulge = part.d42;
        v.flags = part.i70;
        // A vertex that gives no widths takes the polyline's own (40, 41).
        const bool widths = part.d40 != 0.0 || part.d41 != 0.0;
        v.start_width = as_width(widths ? part.d40 : owner.d40);
        v.end_width = as_width(widths ? part.d41 : owner.d41);
        v.index[0] = part.i71;
        v.index[1] = part.i72;
        v.index[2] = part.i73;
        v.index[3] = part.i74;
        owner.vertices.push_back(v);
      } else {
        counts["ATTRIB"]++;
        owner.more().children.push_back(std::move(part));
      }
    }
  }

  // Reads the groups of one entity. A kind with a decoder gets the groups
  // that are not common to all entities as tags, decoded at the end.
  bool entity_body(dxfEntity& e, dxfDecoder decoder = nullptr) {
    Pair pair;
    tags_.clear();
    embedded_object_ = false;
    column_type_ = 0;
    column_width_ = 0.0;
    while (t_.peek(pair) && pair.code != 0) {
      t_.next(pair);
      if (common(e, pair))
        continue;
      if (decoder)
        tags_.push_back({pair.code, pair.value, pair.line});
      else if (!specific(e, pair))
        f_.skipped_group_codes++;
      if (t_.failed())
        return false;
    }
    if (t_.failed())
      return false;
    if (decoder)
      decoder(tags_, e, f_);
    // A paragraph set in columns wraps at the width of a column, not of all.
    if (e.kind == dxfKind::MTEXT && column_type_ != 0 && column_width_ > 0.0 &&
        std::isfinite(column_width_) && (e.d41 <= 0.0 || column_width_ < e.d41)) {
      e.d41 = column_width_;
      e.scale_given |= 1;
    }
    // The records stand until walked: no room kept for vertices that never
    // came (a count of 90 that overstates, or growth by doubling).
    if (e.vertices.capacity() > e.vertices.size())
      e.vertices.shrink_to_fit();
    return true;
  }

  bool common(dxfEntity& e, const Pair& p) {
    switch (p.code) {
    case 5:
      e.handle = t_.hex(p);
      e.has_handle = 1;
      return true;
    case 8: {
      std::string_view name = Tokens::trim(p.value);
      if (name != last_layer_name_) {
        last_layer_ = f_.layer_index(name.data(), name.size());
        last_layer_name_ = f_.layers[size_t(last_layer_)].name;
      }
      e.layer = last_layer_;
      return true;
    }
    case 6: {
      std::string_view name = Tokens::trim(p.value);
      std::string up = upper(name);
      e.linetype = up == "BYLAYER"   ? -1
                   : up == "BYBLOCK" ? -2
                                     : f_.linetype_index(name.data(), name.size());
      return true;
    }
    case 62:
      e.colour = t_.colour(p, 256);
      return true;
    case 48:
      e.linetype_scale = float(linetype_scale(p, 1.0));
      return true;
    case 420:
      e.true_colour = t_.true_colour(p);
      return true;
    case 370:
      e.lineweight = t_.lineweight(p, -1);
      return true;
    case 60:
      e.invisible = t_.int32(p) != 0;
      return true;
    case 67:
      e.paper_space = t_.int32(p) != 0;
      return true;
    case 410:
      e.more().layout = word(p);
      return true;
    case 100:
    case 102:
    case 330:
    case 360:
    case 5005:
      return true;
    case 210:
      e.extrusion.x = t_.number(p);
      return true;
    case 220:
      e.extrusion.y = t_.number(p);
      return true;
    case 230:
      e.extrusion.z = t_.number(p);
      return true;
    default:
      return p.code >= 1000 && xdata(e, p);
    }
  }

  bool xdata(dxfEntity& e, const Pair& p) {
    std::string_view value = Tokens::trim(p.value);
    if (p.code == 1001) {
      e.more().xdata.emplace_back(std::string(value), std::string());
      return true;
    }
    if (!e.extra || e.extra->xdata.empty() || p.code == 1002)
      return true; // braces structure the values; they carry none
    std::string& values = e.extra->xdata.back().second;
    if (!values.empty())
      values += "; ";
    values.append(value.data(), value.size());
    return true;
  }

  bool specific(dxfEntity& e, const Pair& p) {
    switch (e.kind) {
    case dxfKind::LWPOLYLINE:
      return lwpolyline(e, p);
    case dxfKind::SPLINE:
      return spline(e, p);
    case dxfKind::HATCH:
      return hatch(e, p);
    case dxfKind::MTEXT:
      // An R2018 embedded object (101) repeats 10, 11, 40 ... for its
      // columns: they must not replace the entity's own.
      if (p.code == 101 || embedded_object_) {
        // Its column type (71) and width (44); read leniently, as the rest
        // of the object is skipped: a value that is no number is no column.
        if (embedded_object_ && p.code == 71)
          column_type_ = Tokens::lenient(p, column_type_);
        else if (embedded_object_ && p.code == 44)
          column_width_ = Tokens::lenient(p, column_width_);
        return embedded_object_ = true;
      }
      if (p.code == 3) {
        e.text.append(p.value);
        return true;
      }
      if (p.code == 1) {
        e.text.append(p.value);
        return true;
      }
      if (p.code == 90) {
        // The background flags: 16 frames the text, 1 and 2 fill behind
        // it. Not a number: neither.
        const int flags = Tokens::lenient(p, 0);
        if (flags & 16)
          e.more().text_frame = 1;
        if (flags & 3)
          e.more().text_fill = flags & 2 ? 2 : 1;
        return true;
      }
      if (p.code == 63) {
        e.more().fill_colour = Tokens::lenient(p, 0);
        return true;
      }
      if (p.code == 421) {
        const int32_t rgb = Tokens::lenient(p, int32_t(-1));
        e.more().fill_true_colour = rgb < 0 ? -1 : rgb & 0xFFFFFF;
        return true;
      }
      break;
    default:
      break;
    }
    return scalar(e, p);
  }

  bool scalar(dxfEntity& e, const Pair& p) {
    int c = p.code;
    if (c >= 10 && c <= 36 && c % 10 <= 6) {
      if (c == 11)
        e.scale_given |= 8;
      dxfPoint& point = c % 10 < 4 ? e.p[c % 10] : e.more().p[c % 10 - 4];
      (c < 20 ? point.x : c < 30 ? point.y : point.z) = t_.number(p);
      return true;
    }
    switch (c) {
    case 1:
      e.text = std::string(p.value);
      return true;
    case 2:
      e.name = word(p);
      return true;
    case 3:
    case 7:
      e.more().style = word(p);
      return true;
    case 39:
      return true; // thickness
    case 40:
      e.d40 = t_.number(p);
      return true;
    case 41:
      e.d41 = t_.number(p);
      e.scale_given |= 1;
      return true;
    case 42:
      e.d42 = t_.number(p);
      e.scale_given |= 2;
      return true;
    case 43:
      e.d43 = t_.number(p);
      e.scale_given |= 4;
      return true;
    case 44:
      e.d44 = t_.number(p);
      return true;
    case 45:
      e.d45 = t_.number(p);
      return true;
    case 50:
      e.a50 = t_.number(p);
      return true;
    case 51:
      e.a51 = t_.number(p);
      return true;
    case 66:
      return true;
    case 68:
      e.i68 = t_.int32(p);
      return true;
    case 69:
      e.i69 = t_.int32(p);
      return true;
    case 70:
      e.i70 = t_.int32(p);
      return true;
    case 71:
      e.i71 = t_.int32(p);
      return true;
    case 72:
      e.i72 = t_.int32(p);
      return true;
    case 73:
      e.i73 = t_.int32(p);
      return true;
    case 74:
      e.i74 = t_.int32(p);
      return true;
    default:
      return false;
    }
  }

  bool lwpolyline(dxfEntity& e, const Pair& p) {
    switch (p.code) {
    case 10:
      e.vertices.emplace_back();
      e.vertices.back().x = t_.number(p);
      return true;
    case 20:
    case 42:
      if (e.vertices.empty())
        return false;
      (p.code == 20 ? e.vertices.back().y : e.vertices.back().bulge) = t_.number(p);
      return true;
    case 38:
      e.p[0].z = t_.number(p);
      return true; // elevation
    case 40:
    case 41:
      if (!e.vertices.empty())
        (p.code == 40 ? e.vertices.back().start_width : e.vertices.back().end_width) =
            as_width(t_.number(p));
      return true;
    case 43:
      e.d43 = t_.number(p); // the constant width
      return true;
    case 90:
      // The vertex count comes first: room for them at once, within reason
      // whatever the file says (what is not used is given back at the end).
      // A count that is not a number is let be, as the vertices tell.
      if (e.vertices.empty()) {
        const long long count = Tokens::lenient(p, 0LL);
        if (count > 0)
          e.vertices.reserve(size_t(std::min(count, 4096LL)));
      }
      return true;
    case 91:
      return true;
    default:
      return scalar(e, p);
    }
  }

  bool spline(dxfEntity& e, const Pair& p) {
    switch (p.code) {
    case 10:
    case 11:
      // Control points, then fit points (flagged 1).
      e.vertices.emplace_back();
      e.vertices.back().x = t_.number(p);
      e.vertices.back().flags = p.code == 11;
      return true;
    case 20:
    case 21:
    case 30:
    case 31:
      if (e.vertices.empty())
        return false;
      (p.code < 30 ? e.vertices.back().y : e.vertices.back().z) = t_.number(p);
      return true;
    case 40:
      e.more().knots.push_back(t_.number(p));
      return true;
    case 41:
      e.more().weights.push_back(t_.number(p));
      return true;
    case 71:
      e.i71 = t_.degree(p);
      return true;
    case 70:
      e.i70 = t_.int32(p);
      return true;
    case 72:
    case 73:
    case 74:
    case 42:
    case 43:
    case 44:
      return true;
    default:
      return scalar(e, p);
    }
  }

  bool hatch(dxfEntity& e, const Pair& p) {
    dxfHatch& h = e.more().hatch;
    switch (p.code) {
    case 2:
      h.pattern = word(p);
      return true;
    case 70:
      h.solid = t_.int32(p);
      return true;
    case 75:
      h.style = t_.int32(p);
      return true;
    case 91:
      paths(h, t_.count(p));
      return true;
    case 76:
      h.pattern_kind = t_.int32(p);
      return true;
    case 52:
      h.pattern_angle = t_.number(p);
      return true;
    case 41:
      h.pattern_scale = t_.number(p);
      return true;
    case 77:
      h.pattern_double = t_.int32(p);
      return true;
    case 78:
      pattern_lines(h);
      return true;
    default:
      return scalar(e, p);
    }
  }

  // The definition lines of a hatch pattern: each starts at its angle (53).
  void pattern_lines(dxfHatch& h) {
    record_while({53, 43, 44, 45, 46, 79, 49}, [&](const Pair& p) {
      if (p.code == 53) {
        h.pattern_lines.emplace_back();
        h.pattern_lines.back().angle = t_.number(p);
        return;
      }
      if (h.pattern_lines.empty())
        return;
      dxfPatternLine& line = h.pattern_lines.back();
      double v = t_.number(p);
      switch (p.code) {
      case 43:
        line.x = v;
        break;
      case 44:
        line.y = v;
        break;
      case 45:
        line.dx = v;
        break;
      case 46:
        line.dy = v;
        break;
      case 49:
        line.dashes.push_back(v);
        break;
      default:
        break;
      }
    });
  }

  // Reads count boundary paths; a count larger than the data ends with the data.
  void paths(dxfHatch& h, long long count) {
    Pair pair;
    for (long long i = 0; i < count && t_.peek(pair) && pair.code == 92; ++i) {
      t_.next(pair);
      dxfHatchPath path;
      path.flags = t_.int32(pair);
      if (path.flags & 2)
        polyline_path(path);
      else
        edge_path(path);
      source_handles();
      h.paths.push_back(std::move(path));
    }
  }

  void polyline_path(dxfHatchPath& path) {
    record_while({72, 73, 93, 10, 20, 42}, [&](const Pair& p) {
      if (p.code == 73)
        path.closed = t_.int32(p);
      else if (p.code == 10) {
        path.vertices.emplace_back();
        path.vertices.back().x = t_.number(p);
      } else if (p.code == 20 && !path.vertices.empty())
        path.vertices.back().y = t_.number(p);
      else if (p.code == 42 && !path.vertices.empty())
        path.vertices.back().bulge = t_.number(p);
    });
  }

  void edge_path(dxfHatchPath& path) {
    Pair pair;
    if (!t_.peek(pair) || pair.code != 93)
      return;
    t_.next(pair);
    long long count = t_.count(pair);
    for (long long i = 0; i < count && t_.peek(pair) && pair.code == 72; ++i) {
      t_.next(pair);
      dxfHatchEdge edge;
      edge.type = t_.int32(pair);
      edge_fields(edge);
      path.edges.push_back(std::move(edge));
    }
  }

  void edge_fields(dxfHatchEdge& e) {
    record_while({10, 20, 11, 21, 40, 50, 51, 73, 94, 74, 95, 96, 42, 97, 12, 22, 13, 23},
                 [&](const Pair& p) {
                   double v = t_.number(p);
                   switch (p.code) {
                   case 10:
                     if (e.type == 4) {
                       e.control.emplace_back();
                       e.control.back().x = v;
                       e.control.back().bulge = 1.0;
                     } else
                       e.p0.x = v;
                     break;
                   case 20:
                     if (e.type == 4) {
                       if (!e.control.empty())
                         e.control.back().y = v;
                     } else
                       e.p0.y = v;
                     break;
                   case 11:
                     if (e.type != 4)
                       e.p1.x = v;
                     break;
                   case 21:
                     if (e.type != 4)
                       e.p1.y = v;
                     break;
                   case 40:
                     if (e.type == 4)
                       e.knots.push_back(v);
                     else
                       e.r = v;
                     break;
                   case 50:
                     e.a0 = v;
                     break;
                   case 51:
                     e.a1 = v;
                     break;
                   case 73:
                     e.ccw = t_.int32(p, dxf_int_min, dxf_int_max, 1);
                     break;
                   case 94:
                     e.degree = t_.degree(p);
                     break;
                   case 42:
                     if (weight_index_ < e.control.size())
                       e.control[weight_index_++].bulge = v;
                     break;
                   default:
                     break;
                   }
                 });
    weight_index_ = 0;
  }

  void source_handles() {
    record_while({97, 330}, [](const Pair&) {});
  }

  // Takes pairs while their code is one of codes.
  template <class Handle> void record_while(std::initializer_list<int> codes, Handle handle) {
    Pair pair;
    while (t_.peek(pair) && std::find(codes.begin(), codes.end(), pair.code) != codes.end()) {
      t_.next(pair);
      handle(pair);
      if (t_.failed())
        return;
    }
  }

  Tokens t_;
  dxfFile& f_;
  dxfTags tags_;                 // the current entity's groups, for a kind with a decoder
  bool embedded_object_ = false; // inside an MTEXT's 101 embedded object
  int column_type_ = 0;          // its columns (71): 0 none
  double column_width_ = 0.0;    // and their width (44)
  std::string last_layer_name_ = std::string(1, '\0');
  int last_layer_ = 0;
  size_t weight_index_ = 0;
};

const char binary_sentinel[] = "AutoCAD Binary DXF\r\n\x1a";

} // namespace

dxfEntityExtra& dxfEntity::more() {
  if (!extra)
    extra.reset(new dxfEntityExtra());
  return *extra;
}

const dxfPoint& dxfEntity::point(int i) const {
  static const dxfPoint origin;
  if (i < 4)
    return p[i];
  return extra ? extra->p[i - 4] : origin;
}

const char* dxf_dimension_kind(const dxfEntity& dimension) {
  static const char* const names[] = {"linear", "aligned",         "angular",  "diameter",
                                      "radial", "angular 3-point", "ordinate", "linear"};
  return names[dimension.i70 & 7];
}

dxfFile::dxfFile() {
  layer_index("0", 1);
}
dxfFile::~dxfFile() = default;

int dxfFile::layer_index(const char* name, size_t length) {
  std::string key = upper(std::string_view(name, length));
  auto found = layer_names_.find(key);
  if (found != layer_names_.end())
    return found->second;
  int index = int(layers.size());
  layers.emplace_back();
  layers.back().name = std::string(name, length);
  layer_names_.emplace(std::move(key), index);
  return index;
}

int dxfFile::linetype_index(const char* name, size_t length) const {
  std::string key = upper(std::string_view(name, length));
  for (size_t i = 0; i < linetypes.size(); ++i)
    if (upper(linetypes[i].name) == key)
      return int(i);
  return -1;
}

const dxfBlock* dxfFile::find_block(const std::string& name) const {
  auto found = block_names_.find(upper(name));
  return found == block_names_.end() ? nullptr : &blocks[size_t(found->second)];
}

void dxfParser::parse_bytes(const char* data, size_t size, dxfFile& file, int mapped) {
  if (size == 0) {
    file.status = dxfPARSE_EMPTY;
    file.diagnostics.push_back({1, 0, "the file is empty"});
    return;
  }
  if (size >= sizeof(binary_sentinel) - 1 &&
      memcmp(data, binary_sentinel, sizeof(binary_sentinel) - 1) == 0) {
    file.status = dxfPARSE_BINARY;
    file.diagnostics.push_back(
        {1, 0, "binary DXF is not supported; save the drawing as ASCII DXF"});
    return;
  }
  if (size >= 6 && memcmp(data, "AC1", 3) == 0 && data[3] >= '0' && data[3] <= '9') {
    file.status = dxfPARSE_DWG;
    file.diagnostics.push_back(
        {1, 0, "this is a DWG file (" + std::string(data, 6) + "), not DXF"});
    return;
  }
  Parser parser(data, size, file);
  if (mapped)
    parser.release_passed_pages();
  parser.run();
  if (file.version.empty())
    file.version = "AC1009";
  for (size_t i = 0; i < file.blocks.size(); ++i)
    file.block_names_.emplace(upper(file.blocks[i].name), int(i));
}

void dxfParser::parse(const char* data, size_t size, dxfFile& file) {
  parse_bytes(data, size, file, 0);
}

void dxfParser::parse_file(const char* path, dxfFile& file) {
  auto unreadable = [&](const std::string& why) {
    file.status = dxfPARSE_UNREADABLE;
    file.diagnostics.push_back({1, 0, std::string("cannot read ") + path + ": " + why});
  };
  int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return unreadable(strerror(errno));
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return unreadable(S_ISDIR(info.st_mode) ? "it is a directory" : "it is not a regular file");
  }
  size_t size = size_t(info.st_size);
  if (size == 0) {
    close(fd);
    return parse(nullptr, 0, file);
  }
  void* map = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  close(fd);
  if (map == MAP_FAILED)
    return unreadable(strerror(errno));
  madvise(map, size, MADV_SEQUENTIAL);
  parse_bytes(static_cast<const char*>(map), size, file, 1);
  munmap(map, size);
}
