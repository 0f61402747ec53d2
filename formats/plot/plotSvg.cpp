// plotSvg.cpp - a page as SVG: one Inkscape layer per drawing layer, texts as <text>.
//
// cairo draws each layer's geometry onto an SVG surface of its own; the
// pieces are joined into one document, their ids made unique per layer,
// each inside a <g> that Inkscape and laser-cutter software take for a
// layer. Texts are not drawn as glyph outlines but written as <text>
// elements, so that they can be searched and selected.
#include "plotPage.h"

#include <cairo-svg.h>

#include <cstdio>

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

// Every id of one layer's piece, and every reference to one, gets the prefix.
std::string with_prefixed_ids(std::string body, const std::string& prefix) {
  for (const char* marker : {"id=\"", "url(#", "href=\"#"}) {
    const std::string m(marker);
    for (size_t at = body.find(m); at != std::string::npos; at = body.find(m, at + m.size()))
      body.insert(at + m.size(), prefix), at += prefix.size();
  }
  return body;
}

std::string text_element(const plotTextLine& line) {
  const cairo_matrix_t& f = line.frame;
  char colour[32];
  std::snprintf(colour, sizeof colour, "rgb(%d,%d,%d)", int(line.red * 255 + 0.5),
                int(line.green * 255 + 0.5), int(line.blue * 255 + 0.5));
  std::string out = "<text xml:space=\"preserve\" transform=\"matrix(" + number(f.xx) + " " +
                    number(f.yx) + " " + number(f.xy) + " " + number(f.yy) + " " + number(f.x0) +
                    " " + number(f.y0) + ")\" font-family=\"" + escaped(line.family) +
                    "\" font-size=\"" + number(line.font_size) + "\" fill=\"" + colour + "\"";
  if (line.bold)
    out += " font-weight=\"bold\"";
  if (line.italic)
    out += " font-style=\"italic\"";
  return out + "><tspan x=\"0\" y=\"" + number(line.baseline) + "\">" + escaped(line.text) +
         "</tspan></text>\n";
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
    std::string piece;
    cairo_surface_t* surface =
        cairo_svg_surface_create_for_stream(plot_append_bytes, &piece, width, height);
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
    if (status != CAIRO_STATUS_SUCCESS)
      return why = cairo_status_to_string(status), 0;
    const size_t open = piece.find("<svg"), open_end = piece.find('>', open),
                 close = piece.rfind("</svg>");
    if (open == std::string::npos || open_end == std::string::npos || close == std::string::npos)
      return why = "cairo wrote no SVG document", 0;
    // The document's head, from the first piece's own, before any layer:
    // each layer is written as soon as it is drawn.
    if (n == 0) {
      std::string start_tag = piece.substr(open, open_end + 1 - open);
      start_tag.insert(4, " xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\"");
      const char* shade = options.black_background ? "#000000" : "#ffffff";
      if (!put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + start_tag +
               "\n<rect x=\"0\" y=\"0\" width=\"" + number(width) + "\" height=\"" +
               number(height) + "\" fill=\"" + shade + "\"/>\n"))
        return why = "the file could not take it", 0;
    }
    if (used.empty())
      break;
    const std::string prefix = "L" + std::to_string(n) + "-";
    const std::string name = escaped(styles.layers()[size_t(used[n])]);
    std::string layer = "<g inkscape:groupmode=\"layer\" id=\"layer" + std::to_string(n + 1) +
                        "\" inkscape:label=\"" + name + "\">\n" +
                        with_prefixed_ids(piece.substr(open_end + 1, close - open_end - 1), prefix);
    std::string().swap(piece);
    for (const plotTextLine& line : texts.lines)
      layer += text_element(line);
    layer += "</g>\n";
    if (!put(layer))
      return why = "the file could not take it", 0;
  }
  if (!put("</svg>\n"))
    return why = "the file could not take it", 0;
  return 1;
}
