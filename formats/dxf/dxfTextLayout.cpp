// dxfTextLayout.cpp - TEXT alignment and MTEXT attachment to and from text-layout properties.
#include "dxfTextLayout.h"

#include "dxfAttributes.h"
#include "dxfText.h"

#include "kapProperty.h"
#include "kapPropertyPtrArray.h"
#include "vorabsAttributeKey.h"
#include "vorabsAttributePtr.h"
#include "vorabsAttributeSet.h"
#include "vorabsTranslator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* const horizontal_words[] = {"left", "center", "right", "fit", "aligned"};
const char* const vertical_words[] = {"baseline", "bottom", "middle", "top"};
const char* const layout_type = "text layout";

int word_index(const std::string& word, const char* const* words, int count) {
  for (int i = 0; i < count; ++i)
    if (word == words[i])
      return i;
  return -1;
}

std::string number_text(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.12g", value);
  return text;
}

void add(vorabsTranslator& translator, const char* title, const utString& value) {
  kapProperty* made = new kapProperty(translator.context());
  made->set_title(utString(title));
  made->set_type(utString(layout_type));
  made->set_value(value);
  translator.add_property(kapPropertycoPrf(made));
}

// Formatting that the plain text loses: groups, and codes other than line
// breaks, spaces and character escapes.
bool has_markup(const std::string& raw) {
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '{')
      return true;
    if (raw[i] == '\\' && i + 1 < raw.size() && std::strchr("PNX~\\Uu{}", raw[i + 1]) == nullptr)
      return true;
    if (raw[i] == '\\')
      ++i;
  }
  return false;
}

// A colour as the properties give it: "#RRGGBB", or "foreground" for ACI 7,
// which shows against the background as CAD programs draw it. rgb (0xRRGGBB)
// when not negative, else aci (1 to 255).
std::string colour_word(int aci, long rgb) {
  if (rgb < 0 && aci == 7)
    return "foreground";
  if (rgb < 0) {
    double red = 0, green = 0, blue = 0;
    dxfTables::aci_rgb(aci, red, green, blue);
    rgb =
        (std::lround(red * 255) << 16) | (std::lround(green * 255) << 8) | std::lround(blue * 255);
  }
  char colour[16];
  std::snprintf(colour, sizeof colour, "#%06lX", rgb & 0xFFFFFF);
  return colour;
}

// Whether a "background" colour reads: a word or "#RRGGBB".
bool colour_known(const std::string& colour) {
  if (colour == "canvas" || colour == "foreground")
    return true;
  return colour.size() == 7 && colour[0] == '#' &&
         colour.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos;
}

// The "background" colour of an MTEXT's fill: its own, else the drawing's.
std::string fill_word(const dxfEntityExtra& x) {
  if (x.text_fill == 1 && (x.fill_true_colour >= 0 || (x.fill_colour >= 1 && x.fill_colour <= 255)))
    return colour_word(x.fill_colour, x.fill_true_colour);
  return "canvas";
}

// The "runs" property of a text's formatted stretches.
std::string runs_text(const std::vector<dxfTextRun>& runs, const dxfTextDecoder& decoder) {
  std::string text;
  for (const dxfTextRun& run : runs) {
    const dxfTextFormat& f = run.format;
    text +=
        (text.empty() ? "" : "; ") + std::to_string(run.first) + " " + std::to_string(run.count);
    if (f.height != 1.0 && f.height > 0.0 && std::isfinite(f.height))
      text += "|height=" + number_text(f.height);
    if (!f.font.empty())
      text += std::string("|font=") + decoder.decode(f.font).c_str();
    if (f.bold >= 0)
      text += "|bold=" + std::to_string(f.bold);
    if (f.italic >= 0)
      text += "|italic=" + std::to_string(f.italic);
    if (f.aci > 0 || f.rgb >= 0)
      text += "|colour=" + colour_word(f.aci, f.rgb);
    if (f.oblique != 0.0)
      text += "|oblique=" + number_text(f.oblique);
    if (f.rise != 0.0 && std::isfinite(f.rise))
      text += "|rise=" + number_text(f.rise);
    for (const auto& [on, key] : {std::pair<int, const char*>{f.underline, "underline"},
                                  {f.overline, "overline"},
                                  {f.strike, "strike"}})
      if (on)
        text += std::string("|") + key + "=1";
  }
  return text;
}

// Whether the run "FIRST COUNT|key=value..." has key=1.
bool run_has(const std::string& run, const char* key) {
  return run.find(std::string("|") + key + "=1") != std::string::npos;
}

// The vertical alignment: 74 for an attribute (its 73 is the field length).
int vertical_code(const dxfEntity& e) {
  return e.kind == dxfKind::ATTRIB || e.kind == dxfKind::ATTDEF ? e.i74 : e.i73;
}

} // namespace

const dxfPoint& dxf_text_anchor(const dxfEntity& e) {
  bool from_start = (e.i72 == 0 && vertical_code(e) == 0) || e.i72 == 3 || e.i72 == 5;
  return !from_start && (e.scale_given & 8) ? e.p[1] : e.p[0];
}

dxfTextLayout dxfTextLayout::of_entity(const dxfEntity& e, double height,
                                       const dxfTextDecoder& decoder) {
  dxfTextLayout layout;
  if (e.kind == dxfKind::MTEXT) {
    int attachment = e.i71 >= 1 && e.i71 <= 9 ? e.i71 : 1;
    layout.horizontal = (attachment - 1) % 3;
    layout.vertical = attachment <= 3 ? TOP : attachment <= 6 ? MIDDLE : BOTTOM;
    layout.paragraph = 1;
    if (e.d44 > 0.0 && std::isfinite(e.d44))
      layout.line_spacing = e.d44;
    if (has_markup(e.text)) {
      layout.markup = decoder.decode(e.text);
      std::vector<dxfTextRun> runs;
      decoder.decode_text(e.text, 1, &runs, height);
      layout.runs = runs_text(runs, decoder);
    }
    // The background's box reaches (scale - 1) heights past the lines
    // (45, 1.5 by default); a frame follows it unless the file gives its gap.
    const double scale = e.d45 >= 1.0 && std::isfinite(e.d45) ? e.d45 : 1.5;
    if (e.extra && e.extra->text_frame && height > 0.0) {
      const double gap = e.extra->frame_gap >= 0.0 ? e.extra->frame_gap / height : scale - 1.0;
      layout.frame = std::isfinite(gap) ? gap : 0.0;
    }
    if (e.extra && e.extra->text_fill) {
      layout.background = fill_word(*e.extra);
      layout.background_gap = scale - 1.0;
    }
    return layout;
  }
  if (std::isfinite(e.a51) && std::fabs(e.a51) < 85.0)
    layout.oblique = e.a51;
  // A line's %%u, %%o and %%k codes (an attribute definition shows its tag).
  const std::string& raw = e.kind == dxfKind::ATTDEF ? e.name : e.text;
  if (raw.find("%%") != std::string::npos) {
    std::vector<dxfTextRun> runs;
    decoder.decode_text(raw, 0, &runs, height);
    layout.runs = runs_text(runs, decoder);
  }
  if (!(e.scale_given & 8))
    return layout; // no alignment point: placed at its start, as the file says
  switch (e.i72) {
  case 1:
  case 2:
    layout.horizontal = e.i72;
    break;
  case 4:
    layout.horizontal = CENTER;
    layout.vertical = MIDDLE;
    return layout;
  case 3:
  case 5: {
    double length = std::hypot(e.p[1].x - e.p[0].x, e.p[1].y - e.p[0].y);
    if (length > 0.0 && height > 0.0 && std::isfinite(length / height)) {
      layout.horizontal = e.i72 == 3 ? ALIGNED : FIT;
      layout.fit_length = length / height;
    }
    return layout;
  }
  default:
    break;
  }
  int vertical = vertical_code(e);
  if (vertical >= 1 && vertical <= 3)
    layout.vertical = vertical;
  return layout;
}

std::vector<std::pair<std::string, std::string>>
dxfTextLayout::line_pieces(const std::string& text) const {
  // Per character, the lines the runs draw under, over and through it.
  const char* const codes[] = {"%%u", "%%o", "%%k"};
  const char* const keys[] = {"underline", "overline", "strike"};
  std::vector<int> lines;
  for (size_t at = 0; at < runs.size();) {
    const size_t end = std::min(runs.find("; ", at), runs.size());
    const std::string run = runs.substr(at, end - at);
    at = end + 2;
    char* rest = nullptr;
    const unsigned long first = std::strtoul(run.c_str(), &rest, 10);
    const unsigned long count = std::strtoul(rest, nullptr, 10);
    if (count > text.size() || first > text.size())
      continue; // more characters than the text has bytes: not this text's
    if (lines.size() < first + count)
      lines.resize(first + count, 0);
    for (int k = 0; k < 3; ++k)
      if (run_has(run, keys[k]))
        for (size_t i = first; i < first + count; ++i)
          lines[i] |= 1 << k;
  }
  std::vector<std::pair<std::string, std::string>> pieces(1);
  int on = 0;
  size_t character = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    const bool starts = i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    const int wanted = starts && i < text.size() && character < lines.size() ? lines[character]
                       : starts                                              ? 0
                                                                             : on;
    if (wanted != on) {
      pieces.emplace_back();
      for (int k = 0; k < 3; ++k)
        if ((wanted ^ on) & (1 << k))
          pieces.back().first += codes[k];
      on = wanted;
    }
    if (i < text.size()) {
      pieces.back().second += text[i];
      character += starts;
    }
  }
  return pieces;
}

void dxfTextLayout::add_properties(vorabsTranslator& translator) const {
  if (horizontal != LEFT || vertical != BASELINE || paragraph)
    add(translator, "alignment",
        utString(horizontal_words[horizontal]) << " " << vertical_words[vertical]);
  if (horizontal == FIT || horizontal == ALIGNED)
    add(translator, "fit length", utString(number_text(fit_length).c_str()));
  if (paragraph)
    add(translator, "paragraph", utString("wrap"));
  if (line_spacing != 1.0)
    add(translator, "line spacing", utString(number_text(line_spacing).c_str()));
  if (oblique != 0.0)
    add(translator, "oblique", utString(number_text(oblique).c_str()));
  if (frame >= 0.0)
    add(translator, "frame", utString(number_text(frame).c_str()));
  if (!background.empty())
    add(translator, "background",
        utString((background + " " + number_text(background_gap)).c_str()));
  if (!markup.is_null() && !markup.empty())
    add(translator, "markup", markup);
  if (!runs.empty())
    add(translator, "runs", utString(runs.c_str()));
}

dxfTextLayout dxfTextLayout::of_attributes(const vorabsAttributeSet& attributes) {
  dxfTextLayout layout;
  kapPropertiesvorabsAttributePtr given;
  if (!attributes.get(vorabsPROPERTIES, given) || given.invalid() || given->invalid())
    return layout;
  const kapPropertyPtrArray& properties = *given->properties();
  for (int i = 0; i < properties.num_properties(); ++i) {
    kapPropertycoPrf property = properties.read(i);
    if (property.invalid() || property->type() != utString(layout_type))
      continue;
    std::string title = property->title().c_str();
    std::string value = property->value().c_str();
    if (title == "alignment") {
      size_t space = value.find(' ');
      int h = word_index(value.substr(0, space), horizontal_words, 5);
      int v =
          space == std::string::npos ? -1 : word_index(value.substr(space + 1), vertical_words, 4);
      if (h >= 0 && v >= 0)
        layout.horizontal = h, layout.vertical = v;
    } else if (title == "fit length") {
      layout.fit_length = std::strtod(value.c_str(), nullptr);
    } else if (title == "paragraph") {
      layout.paragraph = value == "wrap";
    } else if (title == "line spacing") {
      double spacing = std::strtod(value.c_str(), nullptr);
      layout.line_spacing = spacing > 0.0 && std::isfinite(spacing) ? spacing : 1.0;
    } else if (title == "oblique") {
      const double angle = std::strtod(value.c_str(), nullptr);
      layout.oblique = std::fabs(angle) < 85.0 ? angle : 0.0;
    } else if (title == "frame") {
      const double gap = std::strtod(value.c_str(), nullptr);
      layout.frame = gap >= 0.0 && std::isfinite(gap) ? gap : -1.0;
    } else if (title == "background") {
      const size_t space = value.find(' ');
      const double gap = space == std::string::npos ? -1.0 : std::strtod(&value[space], nullptr);
      const std::string colour = value.substr(0, space);
      if (gap >= 0.0 && std::isfinite(gap) && colour_known(colour))
        layout.background = colour, layout.background_gap = gap;
    } else if (title == "markup") {
      layout.markup = property->value();
    } else if (title == "runs") {
      layout.runs = value;
    }
  }
  if ((layout.horizontal == FIT || layout.horizontal == ALIGNED) &&
      !(layout.fit_length > 0.0 && std::isfinite(layout.fit_length)))
    layout.horizontal = LEFT;
  return layout;
}

int dxfTextLayout::text_72() const {
  switch (horizontal) {
  case FIT:
    return 5;
  case ALIGNED:
    return 3;
  default:
    return horizontal;
  }
}

int dxfTextLayout::text_73() const {
  return horizontal == FIT || horizontal == ALIGNED ? 0 : vertical;
}

int dxfTextLayout::mtext_attachment() const {
  int column = horizontal <= RIGHT ? horizontal : LEFT;
  int row = vertical == TOP ? 0 : vertical == MIDDLE ? 1 : 2;
  return row * 3 + column + 1;
}
