// plotScene.cpp - the display list of a plot and its placement under groups.
#include "plotScene.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <iterator>
#include <tuple>

namespace {

constexpr double pi = 3.14159265358979323846;

// A placed arc: the centre moves, the radius scales, the angles turn; a
// mirror runs the arc the other way round.
plotOp placed_arc(const plotOp& arc, const plotAffine& m) {
  plotOp out = arc;
  m.apply(out.x, out.y);
  const double scale = std::sqrt(std::fabs(m.determinant()));
  const double turn = std::atan2(m.b, m.a);
  out.r = arc.r * scale;
  if (m.determinant() >= 0) {
    out.a0 = arc.a0 + turn;
    out.a1 = arc.a1 + turn;
    return out;
  }
  out.kind = arc.kind == plotOpKind::ARC ? plotOpKind::ARC_NEGATIVE : plotOpKind::ARC;
  out.a0 = turn - arc.a0;
  out.a1 = turn - arc.a1;
  return out;
}

// A text's box, estimated: its longest line at 0.8 of the capital height
// per character (a paragraph text wrapped at its width, but never inside a
// word), its lines 5/3 of the height apart.
void add_text_bounds(const plotText& t, plotBox& box) {
  size_t longest = 0, lines = 1, length = 0, longest_word = 0, word = 0;
  for (char c : t.text) {
    if (c == '\n') {
      ++lines, length = word = 0;
      continue;
    }
    if ((static_cast<unsigned char>(c) & 0xC0) == 0x80)
      continue; // count characters, not bytes
    longest = std::max(longest, ++length);
    word = c == ' ' ? 0 : word + 1;
    longest_word = std::max(longest_word, word);
  }
  double across = 0.8 * t.height * double(longest) * (!t.mtext && t.width > 0 ? t.width : 1);
  if (t.mtext && t.width > 0)
    across = std::min(across, std::max(t.width, 0.8 * t.height * double(longest_word)));
  const double up = t.mtext ? -t.height * (5.0 / 3.0 * double(lines - 1) + 1) : t.height;
  for (double a : {0.0, across})
    for (double b : {0.0, up})
      box.add(t.x + t.ux * a + t.vx * b, t.y + t.uy * a + t.vy * b);
}

// An arc's box: its ends, and the points where it crosses the axes
// through its centre.
void add_arc_bounds(const plotOp& arc, plotBox& box) {
  // As a counter-clockwise sweep from start to end.
  double start = arc.kind == plotOpKind::ARC ? arc.a0 : arc.a1;
  double end = arc.kind == plotOpKind::ARC ? arc.a1 : arc.a0;
  if (end < start)
    end += 2 * pi * std::ceil((start - end) / (2 * pi));
  box.add(arc.x + arc.r * std::cos(start), arc.y + arc.r * std::sin(start));
  box.add(arc.x + arc.r * std::cos(end), arc.y + arc.r * std::sin(end));
  if (end - start >= 2 * pi) {
    box.add(arc.x - arc.r, arc.y - arc.r);
    box.add(arc.x + arc.r, arc.y + arc.r);
    return;
  }
  for (double quarter = std::ceil(start / (pi / 2)) * (pi / 2); quarter <= end; quarter += pi / 2)
    box.add(arc.x + arc.r * std::cos(quarter), arc.y + arc.r * std::sin(quarter));
}

} // namespace

int plotAffine::similarity() const {
  const double scale = std::fabs(a * a + b * b) + 1e-300;
  return std::fabs(a * a + b * b - (c * c + d * d)) <= 1e-9 * scale &&
         std::fabs(a * c + b * d) <= 1e-9 * scale;
}

plotAffine plotAffine::after(const plotAffine& first) const {
  plotAffine m;
  m.a = a * first.a + c * first.b;
  m.b = b * first.a + d * first.b;
  m.c = a * first.c + c * first.d;
  m.d = b * first.c + d * first.d;
  m.e = a * first.e + c * first.f + e;
  m.f = b * first.e + d * first.f + f;
  return m;
}

bool operator==(const plotLook& x, const plotLook& y) {
  return std::tie(x.red, x.green, x.blue, x.foreground, x.width_mm, x.dashes, x.layer) ==
         std::tie(y.red, y.green, y.blue, y.foreground, y.width_mm, y.dashes, y.layer);
}

size_t plotLook::Hash::operator()(const plotLook& look) const {
  size_t h = std::hash<int>()(look.foreground * 65599 + look.layer);
  auto mix = [&h](double value) { h = h * 1099511628211u ^ std::hash<double>()(value); };
  for (double value : {look.red, look.green, look.blue, look.width_mm})
    mix(value);
  for (double dash : look.dashes)
    mix(dash);
  return h;
}

plotStyles::plotStyles() {
  layer("0");
  font(plotFont());
}

int plotStyles::look(const plotLook& look) {
  auto found = look_index_.find(look);
  if (found != look_index_.end())
    return found->second;
  looks_.push_back(look);
  return look_index_[look] = int(looks_.size()) - 1;
}

int plotStyles::layer(const std::string& name) {
  auto found = layer_index_.find(name);
  if (found != layer_index_.end())
    return found->second;
  layers_.push_back(name);
  return layer_index_[name] = int(layers_.size()) - 1;
}

int plotStyles::font(const plotFont& font) {
  auto found = font_index_.find(font);
  if (found != font_index_.end())
    return found->second;
  fonts_.push_back(font);
  return font_index_[font] = int(fonts_.size()) - 1;
}

void plotBox::add(double x, double y) {
  if (empty()) {
    x0 = x1 = x;
    y0 = y1 = y;
    return;
  }
  x0 = std::min(x0, x);
  x1 = std::max(x1, x);
  y0 = std::min(y0, y);
  y1 = std::max(y1, y);
}

void plotBox::add(const plotBox& other) {
  if (other.empty())
    return;
  add(other.x0, other.y0);
  add(other.x1, other.y1);
}

namespace {

// The numbers an op of each kind keeps when packed.
int numbers_of(plotOpKind kind) {
  switch (kind) {
  case plotOpKind::MOVE:
  case plotOpKind::LINE:
    return 2;
  case plotOpKind::ARC:
  case plotOpKind::ARC_NEGATIVE:
    return 5;
  default:
    return 0;
  }
}

} // namespace

std::uint32_t plotScene::add_ops(const plotOp* ops, std::uint32_t count) {
  size_t bytes = 0;
  for (std::uint32_t i = 0; i < count; ++i)
    bytes += 1 + sizeof(double) * size_t(numbers_of(ops[i].kind));
  const std::uint32_t smallest = 256, largest = 1 << 20;
  if (chunks_.empty() || chunks_.back().size - chunks_.back().used < bytes) {
    const std::uint32_t next =
        chunks_.empty() ? smallest : std::min(largest, 2 * chunks_.back().size);
    const std::uint32_t start = chunks_.empty() ? 0 : chunks_.back().first + chunks_.back().used;
    const std::uint32_t size = std::max(next, std::uint32_t(bytes));
    chunks_.push_back({start, size, 0, std::unique_ptr<unsigned char[]>(new unsigned char[size])});
  }
  OpChunk& chunk = chunks_.back();
  const std::uint32_t first = chunk.first + chunk.used;
  unsigned char* at = &chunk.bytes[chunk.used];
  for (std::uint32_t i = 0; i < count; ++i) {
    const plotOp& op = ops[i];
    *at++ = static_cast<unsigned char>(op.kind);
    const double numbers[] = {op.x, op.y, op.r, op.a0, op.a1};
    const size_t length = sizeof(double) * size_t(numbers_of(op.kind));
    std::memcpy(at, numbers, length);
    at += length;
  }
  chunk.used += std::uint32_t(bytes);
  return first;
}

const plotOp* plotScene::ops(const plotItem& item, std::vector<plotOp>& scratch) const {
  auto after = std::upper_bound(
      chunks_.begin(), chunks_.end(), item.first,
      [](std::uint32_t first, const OpChunk& chunk) { return first < chunk.first; });
  const OpChunk& chunk = *std::prev(after);
  const unsigned char* at = &chunk.bytes[item.first - chunk.first];
  scratch.resize(item.count);
  for (plotOp& op : scratch) {
    op.kind = static_cast<plotOpKind>(*at++);
    double numbers[5] = {0, 0, 0, 0, 0};
    const size_t length = sizeof(double) * size_t(numbers_of(op.kind));
    std::memcpy(numbers, at, length);
    at += length;
    op.x = numbers[0], op.y = numbers[1], op.r = numbers[2], op.a0 = numbers[3];
    op.a1 = numbers[4];
  }
  return scratch.data();
}

void plotScene::release_before(size_t item) {
  // Paths and texts lie in the order of their items: those before the
  // next item's are the ones to go.
  const std::uint64_t none = std::numeric_limits<std::uint64_t>::max();
  std::uint64_t path = none, text = none;
  for (size_t i = item; i < size() && (path == none || text == none); ++i) {
    std::uint64_t& first = this->item(i).kind == plotItem::TEXT ? text : path;
    if (first == none)
      first = this->item(i).first;
  }
  for (OpChunk& chunk : chunks_)
    if (std::uint64_t(chunk.first) + chunk.used <= path)
      chunk.bytes.reset();
  while (!texts_.empty() && texts_gone_ < text) {
    texts_.pop_front();
    ++texts_gone_;
  }
  for (; items_gone_ < item && !items_.empty(); ++items_gone_)
    items_.pop_front();
}

void plotScene::path(plotItem::kind_t kind, int look, const std::vector<plotOp>& ops) {
  if (ops.empty())
    return;
  const std::uint32_t first = add_ops(ops.data(), std::uint32_t(ops.size()));
  items_.push_back({kind, look, first, std::uint32_t(ops.size())});
}

void plotScene::text(int look, plotText text) {
  items_.push_back({plotItem::TEXT, look, texts_gone_ + std::uint32_t(texts_.size()), 0});
  texts_.push_back(std::move(text));
}

void plotScene::dot(int look, double x, double y) {
  const plotOp dot{plotOpKind::MOVE, x, y, 0, 0, 0};
  items_.push_back({plotItem::DOT, look, add_ops(&dot, 1), 1});
}

void plot_flatten_arc(const plotOp& arc, std::vector<plotOp>& out) {
  double sweep = arc.a1 - arc.a0;
  if (arc.kind == plotOpKind::ARC && sweep < 0)
    sweep += 2 * pi * std::ceil(-sweep / (2 * pi));
  if (arc.kind == plotOpKind::ARC_NEGATIVE && sweep > 0)
    sweep -= 2 * pi * std::ceil(sweep / (2 * pi));
  const int steps = std::max(4, int(std::ceil(std::fabs(sweep) / (pi / 90))));
  for (int i = 0; i <= steps; ++i) {
    const double t = arc.a0 + sweep * i / steps;
    out.push_back(
        {plotOpKind::LINE, arc.x + arc.r * std::cos(t), arc.y + arc.r * std::sin(t), 0, 0, 0});
  }
}

void plotScene::append(const plotScene& other, const plotAffine& m) {
  const bool circular = m.similarity();
  std::vector<plotOp> flat, placed, read;
  for (const plotItem& item : other.items_) {
    if (item.kind == plotItem::TEXT) {
      plotText text = other.text_of(item);
      m.apply(text.x, text.y);
      const double ux = text.ux, uy = text.uy, vx = text.vx, vy = text.vy;
      text.ux = m.a * ux + m.c * uy;
      text.uy = m.b * ux + m.d * uy;
      text.vx = m.a * vx + m.c * vy;
      text.vy = m.b * vx + m.d * vy;
      items_.push_back({plotItem::TEXT, item.look, texts_gone_ + std::uint32_t(texts_.size()), 0});
      texts_.push_back(std::move(text));
      continue;
    }
    placed.clear();
    const plotOp* ops = other.ops(item, read);
    for (std::uint32_t i = 0; i < item.count; ++i) {
      const plotOp& op = ops[i];
      if (op.kind != plotOpKind::ARC && op.kind != plotOpKind::ARC_NEGATIVE) {
        plotOp moved = op;
        m.apply(moved.x, moved.y);
        placed.push_back(moved);
      } else if (circular) {
        placed.push_back(placed_arc(op, m));
      } else {
        flat.clear();
        plot_flatten_arc(op, flat);
        for (plotOp& p : flat) {
          m.apply(p.x, p.y);
          placed.push_back(p);
        }
      }
    }
    const std::uint32_t first = add_ops(placed.data(), std::uint32_t(placed.size()));
    items_.push_back({item.kind, item.look, first, std::uint32_t(placed.size())});
  }
}

plotBox plotScene::bounds() const {
  plotBox box;
  std::vector<plotOp> read;
  for (const plotItem& item : items_) {
    if (item.kind == plotItem::TEXT) {
      add_text_bounds(text_of(item), box);
      continue;
    }
    const plotOp* ops = this->ops(item, read);
    for (std::uint32_t i = 0; i < item.count; ++i) {
      const plotOp& op = ops[i];
      if (op.kind == plotOpKind::ARC || op.kind == plotOpKind::ARC_NEGATIVE)
        add_arc_bounds(op, box);
      else if (op.kind != plotOpKind::CLOSE) {
        box.add(op.x, op.y);
      }
    }
  }
  return box;
}
