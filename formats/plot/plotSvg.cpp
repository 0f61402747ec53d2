// plotSvg.cpp - a page as SVG: one Inkscape layer per drawing layer, texts as <text>.
//
// cairo draws each layer's geometry onto an SVG surface of its own; the
// pieces are joined into one document, their ids made unique per layer,
// each inside a <g> that Inkscape and laser-cutter software take for a
// layer. Texts are not drawn as glyph outlines but written as <text>
// elements, so that they can be searched and selected.
#include "plotPage.h"

#include <algorithm>
#include <cairo-svg.h>

#include <cstdio>
#include <functional>
#include <string>

namespace {

class TextLines final : public plotTextSink {
public:
  void line(const plotTextLine& line) override { lines.push_back(line); }
  std::vector<plotTextLine> lines;
};

std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
    case '&':
      out += "&amp;";
      break;
    case '<':
      out += "&lt;";
      break;
    case '>':
      out += "&gt;";
      break;
    case '"':
      out += "&quot;";
      break;
    default:
      // XML has no place for the other control characters.
      if (static_cast<unsigned char>(c) >= 0x20 || c == '\t')
        out += c;
    }
  }
  return out;
}

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

// Hands one layer's SVG document, as cairo writes it, on to the file: the
// document's own start tag and end are left out, and every id and every
// reference to one gets the layer's prefix, so that layers joined in one
// document keep theirs apart. Only a few bytes are held at a time (a marker
// may be split between two of cairo's writes): a layer of a large drawing
// would be the largest thing a plot holds.
class LayerFilter {
public:
  LayerFilter(const plotWrite& write, std::string prefix) : write_(write), prefix_(prefix) {}

  static cairo_status_t take(void* closure, const unsigned char* data, unsigned int length) {
    auto* filter = static_cast<LayerFilter*>(closure);
    filter->held_.append(reinterpret_cast<const char*>(data), length);
    return filter->pass(false) ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
  }
  // Passes on the rest once cairo has finished: 0 when the file failed or
  // cairo wrote no whole SVG document.
  int finish() { return pass(true); }
  int write_failed() const { return write_failed_; }
  // The document's start tag, once it has passed.
  const std::string& start_tag() const { return start_tag_; }
  // Called once the start tag has passed, before any of the body.
  std::function<int()> on_start;

private:
  // Passes on what can be: all of the body but the last few bytes, or at
  // the end, everything before the document's end tag.
  bool pass(bool end) {
    if (start_tag_.empty()) {
      const size_t open = held_.find("<svg"), open_end = held_.find('>', open);
      if (open == std::string::npos || open_end == std::string::npos)
        return !end;
      start_tag_ = held_.substr(open, open_end + 1 - open);
      held_.erase(0, open_end + 1);
      if (on_start && !on_start())
        return !(write_failed_ = true);
    }
    const size_t markers_longest = 7;
    size_t to = held_.size() > markers_longest ? held_.size() - markers_longest : 0;
    if (end && (to = held_.rfind("</svg>")) == std::string::npos)
      return false;
    static const std::string markers[] = {"id=\"", "url(#", "href=\"#"};
    size_t from = 0;
    for (;;) {
      size_t at = std::string::npos;
      int k = 0;
      for (int m = 0; m < 3; ++m) {
        const size_t found = held_.find(markers[m], from);
        if (found < at)
          at = found, k = m;
      }
      if (at == std::string::npos || at >= to)
        break;
      const size_t after = at + markers[k].size();
      if (!put(held_.data() + from, after - from) || !put(prefix_.data(), prefix_.size()))
        return false;
      from = after;
    }
    if (from < to && !put(held_.data() + from, to - from))
      return false;
    held_.erase(0, std::max(from, to));
    return true;
  }
  bool put(const char* data, size_t size) {
    if (!write_failed_ && !write_(data, size))
      write_failed_ = true;
    return !write_failed_;
  }

  const plotWrite& write_;
  const std::string prefix_;
  std::string held_;
  std::string start_tag_;
  bool write_failed_ = false;
};

std::string rgb(double red, double green, double blue) {
  char colour[32];
  std::snprintf(colour, sizeof colour, "rgb(%d,%d,%d)", int(red * 255 + 0.5),
                int(green * 255 + 0.5), int(blue * 255 + 0.5));
  return colour;
}

// A stretch of a line formatted apart, continuing where the text before it ends.
std::string span_element(const plotTextLine& line, const plotTextSpan& span) {
  std::string out = "<tspan font-family=\"" + escaped(span.family) + "\" font-size=\"" +
                    number(span.font_size) + "\" font-weight=\"" + (span.bold ? "bold" : "normal") +
                    "\" font-style=\"" +
                    (span.italic    ? "italic"
                     : span.oblique ? "oblique"
                                    : "normal") +
                    "\"";
  if (span.coloured)
    out += " fill=\"" + rgb(span.red, span.green, span.blue) + "\"";
  if (span.rise != 0)
    out += " baseline-shift=\"" + number(span.rise) + "\"";
  std::string decoration = span.underline ? "underline" : "";
  if (span.overline)
    decoration += decoration.empty() ? "overline" : " overline";
  if (span.strike)
    decoration += decoration.empty() ? "line-through" : " line-through";
  if (!decoration.empty())
    out += " text-decoration=\"" + decoration + "\"";
  return out + ">" + escaped(line.text.substr(span.first, span.count)) + "</tspan>";
}

std::string text_element(const plotTextLine& line) {
  const cairo_matrix_t& f = line.frame;
  std::string out = "<text xml:space=\"preserve\" transform=\"matrix(" + number(f.xx) + " " +
                    number(f.yx) + " " + number(f.xy) + " " + number(f.yy) + " " + number(f.x0) +
                    " " + number(f.y0) + ")\" font-family=\"" + escaped(line.family) +
                    "\" font-size=\"" + number(line.font_size) + "\" fill=\"" +
                    rgb(line.red, line.green, line.blue) + "\"";
  if (line.bold)
    out += " font-weight=\"bold\"";
  if (line.italic || line.oblique)
    out += std::string(" font-style=\"") + (line.italic ? "italic" : "oblique") + "\"";
  out += "><tspan x=\"0\" y=\"" + number(line.baseline) + "\">";
  // The line's own characters and its runs in turn, each where the last ends.
  size_t at = 0;
  for (const plotTextSpan& span : line.spans) {
    out += escaped(line.text.substr(at, span.first - at)) + span_element(line, span);
    at = span.first + span.count;
  }
  return out + escaped(line.text.substr(std::min(at, line.text.size()))) + "</tspan></text>\n";
}

// The layers the page draws, in the order they first appear.
std::vector<int> layers_of(const plotPage& page, const plotStyles& styles) {
  std::vector<int> layers;
  std::vector<char> seen(styles.layers().size(), 0);
  for (const plotPlacedScene& placed : page.scenes)
    for (const plotItem& item : placed.scene->items()) {
      const int layer = styles.look_at(item.look).layer;
      if (!seen[size_t(layer)])
        seen[size_t(layer)] = 1, layers.push_back(layer);
    }
  return layers;
}

} // namespace

int plot_encode_svg(const plotPage& page, const plotStyles& styles,
                    const plotEncodeOptions& options, const plotWrite& write,
                    plotReplacedFonts& replaced, std::string& why) {
  // The document's user unit is the millimetre: cairo labels the surface's
  // units with it and writes the sizes as given.
  const double width = page.width_mm, height = page.height_mm;
  const std::vector<int> used = layers_of(page, styles);
  auto put = [&write](const std::string& text) { return write(text.data(), text.size()); };
  // With no layer at all, one empty piece still gives the document's frame.
  const size_t pieces = used.empty() ? 1 : used.size();
  for (size_t n = 0; n < pieces; ++n) {
    // With no layer, the piece gives the document's head and nothing more.
    const plotWrite nowhere = [](const char*, size_t) { return 1; };
    LayerFilter layer(used.empty() ? nowhere : write, "L" + std::to_string(n) + "-");
    layer.on_start = [&]() {
      if (n == 0) { // the document's head, from the first piece's own
        std::string start_tag = layer.start_tag();
        start_tag.insert(4, " xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\"");
        const char* shade = options.black_background ? "#000000" : "#ffffff";
        if (!put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + start_tag +
                 "\n<rect x=\"0\" y=\"0\" width=\"" + number(width) + "\" height=\"" +
                 number(height) + "\" fill=\"" + shade + "\"/>\n"))
          return 0;
      }
      return used.empty() ? 1
                          : put("<g inkscape:groupmode=\"layer\" id=\"layer" +
                                std::to_string(n + 1) + "\" inkscape:label=\"" +
                                escaped(styles.layers()[size_t(used[n])]) + "\">\n");
    };
    cairo_surface_t* surface =
        cairo_svg_surface_create_for_stream(LayerFilter::take, &layer, width, height);
    cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_MM);
    cairo_t* cr = cairo_create(surface);
    TextLines texts;
    {
      plotRenderOptions render;
      render.black_background = options.black_background;
      render.device_per_mm = 1;
      render.minimum_width = 0.035; // a tenth of a point
      plotRenderer renderer(cr, styles, render);
      renderer.set_text_sink(&texts);
      if (!used.empty())
        plot_draw_page(renderer, cr, page, width, height, used[n]);
      replaced.insert(renderer.replaced_fonts().begin(), renderer.replaced_fonts().end());
    }
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const cairo_status_t status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    const int passed = layer.finish();
    if (layer.write_failed())
      return why = "the file could not take it", 0;
    if (status != CAIRO_STATUS_SUCCESS)
      return why = cairo_status_to_string(status), 0;
    if (!passed)
      return why = "cairo wrote no SVG document", 0;
    if (used.empty())
      break;
    bool written = true;
    for (const plotTextLine& line : texts.lines)
      written = written && put(text_element(line));
    if (!written || !put("</g>\n"))
      return why = "the file could not take it", 0;
  }
  if (options.drawn)
    options.drawn();
  if (!put("</svg>\n"))
    return why = "the file could not take it", 0;
  return 1;
}
