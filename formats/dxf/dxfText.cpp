// dxfText.cpp - code pages, UTF-8 detection, escapes and MTEXT formatting.
#include "dxfText.h"

#include "kapString.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// Gives the format library the framework's code-page constructor.
class dxfCodePageString : public kapString {
public:
  dxfCodePageString(unsigned int code_page, std::string_view raw)
      : kapString(kapSTRING_CP, &code_page, reinterpret_cast<const unsigned char*>(raw.data()),
                  raw.size()) {}
  static int valid(unsigned int code_page) {
    unsigned int found = 0;
    return recognize_code_page(utString() << code_page, &found) && found == code_page;
  }
};

bool ascii(std::string_view raw) {
  for (char c : raw)
    if (static_cast<unsigned char>(c) >= 0x80)
      return false;
  return true;
}

} // namespace

bool dxf_valid_utf8(std::string_view raw) {
  size_t i = 0;
  while (i < raw.size()) {
    unsigned char b = static_cast<unsigned char>(raw[i]);
    size_t n = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : 9;
    if (n == 9 || (n == 1 && b < 0xC2) || (n > 0 && i + n >= raw.size()))
      return false;
    for (size_t k = 1; k <= n; ++k)
      if ((static_cast<unsigned char>(raw[i + k]) & 0xC0) != 0x80)
        return false;
    i += n + 1;
  }
  return true;
}

namespace {

int hex_digit(char c) {
  return c >= '0' && c <= '9'   ? c - '0'
         : c >= 'a' && c <= 'f' ? c - 'a' + 10
         : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                : -1;
}

// The value of the count hexadecimal digits at raw[at], or -1.
long hex_value(std::string_view raw, size_t at, size_t count) {
  if (at + count > raw.size())
    return -1;
  long value = 0;
  for (size_t i = 0; i < count; ++i) {
    int d = hex_digit(raw[at + i]);
    if (d < 0)
      return -1;
    value = value * 16 + d;
  }
  return value;
}

// The character of a \U+XXXX escape at raw[at] into code, and the bytes it
// takes; 0 when none starts there. A character above the BMP is written as
// the escapes of its surrogate pair, which make one character again.
size_t unicode_escape(std::string_view raw, size_t at, unsigned int& code) {
  auto starts = [&](size_t i) {
    return i + 2 < raw.size() && raw[i] == '\\' && (raw[i + 1] == 'U' || raw[i + 1] == 'u') &&
           raw[i + 2] == '+';
  };
  long value = starts(at) ? hex_value(raw, at + 3, 4) : -1;
  if (value < 0)
    return 0;
  code = unsigned(value);
  if (value >= 0xD800 && value <= 0xDBFF && starts(at + 7)) {
    long low = hex_value(raw, at + 10, 4);
    if (low >= 0xDC00 && low <= 0xDFFF) {
      code = 0x10000 + ((unsigned(value) - 0xD800) << 10) + (unsigned(low) - 0xDC00);
      return 14;
    }
  }
  return 7;
}

// The code pages of \M+N escapes.
unsigned int mbcs_code_page(char n) {
  switch (n) {
  case '1':
    return 932;
  case '2':
    return 950;
  case '3':
    return 949;
  case '4':
    return 1361;
  case '5':
    return 936;
  default:
    return 0;
  }
}

struct NamedPage {
  const char* name;
  unsigned int page;
};
const NamedPage named_pages[] = {
    {"ASCII", 1252}, {"ISO8859-1", 1252},  {"88591", 1252}, {"88592", 1250},  {"88595", 1251},
    {"88597", 1253}, {"88599", 1254},      {"BIG5", 950},   {"GB2312", 936},  {"KSC5601", 949},
    {"JOHAB", 1361}, {"MACINTOSH", 10000}, {"UTF8", 65001}, {"UTF-8", 65001},
};

} // namespace

unsigned int dxfTextDecoder::code_page_of(const std::string& name) {
  std::string key;
  for (char c : name)
    if (c != ' ' && c != '_' && c != '-')
      key += char(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  for (const NamedPage& named : named_pages) {
    std::string n;
    for (const char* p = named.name; *p; ++p)
      if (*p != '-')
        n += *p;
    if (key == n)
      return named.page;
  }
  size_t digits = key.find_first_of("0123456789");
  if (digits == std::string::npos)
    return 0;
  std::string prefix = key.substr(0, digits);
  if (prefix != "ANSI" && prefix != "DOS" && prefix != "CP" && prefix != "")
    return 0;
  unsigned long number = std::strtoul(key.c_str() + digits, nullptr, 10);
  return number > 0 && number < 100000 ? unsigned(number) : 0;
}

dxfTextDecoder::dxfTextDecoder(const std::string& version, const std::string& code_page) {
  utf8_ = version.compare("AC1021") >= 0 && version.size() == 6;
  if (utf8_)
    return;
  unsigned int page = code_page.empty() ? 1252 : code_page_of(code_page);
  if (page == 65001) {
    utf8_ = 1;
    return;
  }
  if (page == 0 || !dxfCodePageString::valid(page)) {
    warnings_.push_back("unknown code page '" + code_page + "', texts are read as ANSI_1252");
    page = 1252;
  }
  code_page_ = page;
}

void dxfTextDecoder::warn_once(int& flag, const std::string& text) const {
  if (!flag)
    warnings_.push_back(text);
  flag = 1;
}

utString dxfTextDecoder::from_code_page(unsigned int code_page, std::string_view raw) const {
  return dxfCodePageString(code_page, raw).string();
}

utString dxfTextDecoder::decode(std::string_view raw) const {
  size_t at = raw.find('\\');
  if (at == std::string_view::npos)
    return decode_plain(raw);
  // Names and values hold \U+XXXX escapes for what the code page lacks.
  utString out("");
  size_t start = 0;
  for (; at != std::string_view::npos; at = raw.find('\\', at)) {
    unsigned int code = 0;
    size_t used = unicode_escape(raw, at, code);
    if (used == 0) {
      ++at;
      continue;
    }
    out += decode_plain(raw.substr(start, at - start));
    out += code < 0x80 ? utString(std::string(1, char(code)).c_str()) : from_code(code);
    start = at += used;
  }
  out += decode_plain(raw.substr(start));
  return out;
}

utString dxfTextDecoder::decode_plain(std::string_view raw) const {
  if (ascii(raw))
    return utString(raw.data(), raw.size());
  if (!utf8_ && dxf_valid_utf8(raw))
    warn_once(warned_utf8_, "texts are valid UTF-8 although the file declares a code page; "
                            "they are read as UTF-8");
  if (utf8_ || dxf_valid_utf8(raw))
    return kapString(kapSTRING_UTF8, reinterpret_cast<const unsigned char*>(raw.data()), raw.size())
        .string();
  return from_code_page(code_page_, raw);
}

utString dxfTextDecoder::from_code(unsigned int code) const {
  unsigned char units[4];
  size_t size = 2;
  if (code >= 0x10000) {
    unsigned int v = code - 0x10000;
    unsigned int high = 0xD800 | (v >> 10), low = 0xDC00 | (v & 0x3FF);
    units[0] = (unsigned char)(high & 0xFF);
    units[1] = (unsigned char)(high >> 8);
    units[2] = (unsigned char)(low & 0xFF);
    units[3] = (unsigned char)(low >> 8);
    size = 4;
  } else {
    units[0] = (unsigned char)(code & 0xFF);
    units[1] = (unsigned char)(code >> 8);
  }
  return kapString(kapSTRING_UTF16, units, size).string();
}

namespace {

// Walks an entity text, handing plain runs and decoded characters to the
// decoder, and formatting to style: an MTEXT code letter with its argument,
// a group's brace, or a line's %%u, %%o or %%k as '%' with its letter.
class TextWalker {
public:
  TextWalker(std::string_view raw, int mtext) : raw_(raw), mtext_(mtext) {}

  template <class Plain, class Code, class Bytes, class Style>
  void run(Plain plain, Code code, Bytes bytes, Style style) {
    size_t start = 0;
    size_t i = 0;
    auto flush = [&](size_t end) {
      if (end > start)
        plain(raw_.substr(start, end - start));
    };
    while (i < raw_.size()) {
      char c = raw_[i];
      if (c != '\\' && c != '%' && c != '{' && c != '}' && c != '^') {
        ++i;
        continue;
      }
      // What comes before a possible escape is plain text; an escape
      // emits what it stands for.
      flush(i);
      start = i;
      size_t used = 0;
      if (c == '\\')
        used = escape(i, code, bytes, style);
      else if (c == '%' && i + 2 < raw_.size() && raw_[i + 1] == '%')
        used = special(i, code, style);
      else if (mtext_ && (c == '{' || c == '}'))
        style(c, std::string_view()), used = 1;
      else if (mtext_ && c == '^' && i + 1 < raw_.size())
        used = caret(i, code);
      if (used == 0)
        ++i;
      else
        start = i = i + used;
    }
    flush(raw_.size());
  }

private:
  template <class Code, class Bytes, class Style>
  size_t escape(size_t i, Code code, Bytes bytes, Style style) {
    if (i + 1 >= raw_.size())
      return 0;
    char e = raw_[i + 1];
    if ((e == 'U' || e == 'u') && i + 2 < raw_.size() && raw_[i + 2] == '+') {
      unsigned int character = 0;
      size_t used = unicode_escape(raw_, i, character);
      if (used)
        code(character);
      return used;
    }
    if ((e == 'M' || e == 'm') && i + 2 < raw_.size() && raw_[i + 2] == '+' &&
        i + 3 < raw_.size()) {
      unsigned int page = mbcs_code_page(raw_[i + 3]);
      long value = hex_value(raw_, i + 4, 4);
      if (page && value >= 0) {
        char two[2] = {char(value >> 8), char(value & 0xFF)};
        bytes(page, std::string_view(two, 2));
        return 8;
      }
      return 0;
    }
    if (!mtext_)
      return 0;
    switch (e) {
    case 'P':
    case 'X':
    case 'N':
      code('\n');
      return 2;
    case '~':
      code(' ');
      return 2;
    case '\\':
    case '{':
    case '}':
      code(unsigned(e));
      return 2;
    case 'L':
    case 'l':
    case 'O':
    case 'o':
    case 'K':
    case 'k':
      style(e, std::string_view());
      return 2;
    case 'S':
      return stacked(i, code, style);
    case 'f':
    case 'F':
    case 'H':
    case 'C':
    case 'c':
    case 'Q': {
      size_t semicolon = raw_.find(';', i + 2);
      size_t end = semicolon == std::string_view::npos ? raw_.size() : semicolon;
      style(e, raw_.substr(i + 2, end - i - 2));
      return (semicolon == std::string_view::npos ? end : end + 1) - i;
    }
    case 'h':
    case 'W':
    case 'w':
    case 'q':
    case 'T':
    case 't':
    case 'A':
    case 'a':
    case 'p': {
      size_t semicolon = raw_.find(';', i + 2);
      return semicolon == std::string_view::npos ? raw_.size() - i : semicolon + 1 - i;
    }
    default:
      return 0;
    }
  }

  // \Sup^down; or \Sup/down; or \Sup#down;: written as up/down (the
  // blank that programs put after a tolerance stack's ^ goes). Style hears
  // 'S' with "up" before the upper part, "down" before the lower one and
  // "end" after it.
  template <class Code, class Style> size_t stacked(size_t i, Code code, Style style) {
    size_t semicolon = raw_.find(';', i + 2);
    size_t end = semicolon == std::string_view::npos ? raw_.size() : semicolon;
    int split = 0;
    style('S', "up");
    for (size_t k = i + 2; k < end; ++k) {
      char c = raw_[k];
      if (c == ' ' && split == 1)
        continue;
      const int divides = c == '^' || c == '#' || c == '/';
      if (divides && !split)
        style('S', "between");
      split = divides ? split + 1 : split ? 2 : 0;
      code(unsigned(static_cast<unsigned char>(c == '^' || c == '#' ? '/' : c)));
      if (divides && split == 1)
        style('S', "down");
    }
    style('S', "end");
    return (semicolon == std::string_view::npos ? end : end + 1) - i;
  }

  template <class Code, class Style> size_t special(size_t i, Code code, Style style) {
    char s = raw_[i + 2];
    switch (s) {
    case 'd':
    case 'D':
      code(0xB0);
      return 3;
    case 'p':
    case 'P':
      code(0xB1);
      return 3;
    case 'c':
    case 'C':
      code(0x2300);
      return 3;
    case '%':
      code('%');
      return 3;
    case 'u':
    case 'U':
    case 'o':
    case 'O':
    case 'k':
    case 'K':
      style('%', raw_.substr(i + 2, 1)); // underline, overline, strike on or off
      return 3;
    default:
      return 0;
    }
  }

  template <class Code> size_t caret(size_t i, Code code) {
    char s = raw_[i + 1];
    if (s == 'I')
      code('\t');
    else if (s == 'J')
      code('\n');
    else if (s == ' ')
      code('^');
    else
      return 0;
    return 2;
  }

  std::string_view raw_;
  int mtext_;
};

} // namespace

namespace {

// Follows a text's formatting as it is walked: an MTEXT's groups keep the
// format in force when they open and bring it back when they close.
class FormatTracker {
public:
  FormatTracker(std::vector<dxfTextRun>& runs, double height) : runs_(runs), height_(height) {}

  // Characters of plain text written so far.
  void wrote(const utString& piece) {
    for (const char* c = piece.c_str(); *c; ++c)
      written_ += (static_cast<unsigned char>(*c) & 0xC0) != 0x80;
  }
  void wrote_one() { ++written_; }

  void code(char letter, std::string_view value) {
    if (letter == '{') {
      stack_.push_back(current_);
      return;
    }
    if (letter == 'S') {
      stacked(value);
      return;
    }
    dxfTextFormat next = current_;
    if (letter == '}') {
      if (stack_.empty())
        return;
      next = stack_.back();
      stack_.pop_back();
    } else {
      apply(letter, value, next);
    }
    change(next);
  }

  void finish() { change(dxfTextFormat()); }

private:
  // A stacked fraction's parts are smaller, the upper one raised and the
  // lower one sunk, so that the fraction is about as tall as the line.
  void stacked(std::string_view part) {
    if (part == "up")
      unstacked_ = current_;
    dxfTextFormat next = unstacked_;
    if (part == "up" || part == "down") {
      next.height *= 0.7;
      next.rise = (part == "up" ? 0.45 : -0.25) * unstacked_.height;
    }
    change(next);
  }

  void apply(char letter, std::string_view value, dxfTextFormat& format) const {
    const std::string text(value);
    switch (letter) {
    case 'H': {
      char* end = nullptr;
      const double number = std::strtod(text.c_str(), &end);
      if (!(number > 0.0) || !std::isfinite(number) || end == text.c_str())
        return;
      if (*end == 'x' || *end == 'X')
        format.height *= number;
      else if (height_ > 0.0)
        format.height = number / height_;
      return;
    }
    case 'f':
    case 'F': {
      const size_t bar = text.find('|');
      format.font = text.substr(0, bar);
      format.bold = format.italic = -1;
      for (size_t at = bar; at != std::string::npos && at + 2 < text.size();
           at = text.find('|', at + 1)) {
        if (text[at + 1] == 'b')
          format.bold = text[at + 2] == '1';
        else if (text[at + 1] == 'i')
          format.italic = text[at + 2] == '1';
      }
      return;
    }
    case 'Q': {
      const double angle = std::strtod(text.c_str(), nullptr);
      if (std::fabs(angle) < 85.0)
        format.oblique = angle;
      return;
    }
    case 'C': {
      const long aci = std::strtol(text.c_str(), nullptr, 10);
      format.aci = aci >= 1 && aci <= 255 ? int(aci) : -1; // 0 and 256: the entity's own
      format.rgb = -1;
      return;
    }
    case 'c': {
      // The bytes are blue, green, red from the top: red is the lowest.
      const long value = std::strtol(text.c_str(), nullptr, 10) & 0xFFFFFF;
      format.rgb = ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
      format.aci = -1;
      return;
    }
    default:
      break;
    }
    if (letter == '%') { // %%u, %%o, %%k turn their line on or off
      const char which = value.empty() ? ' ' : char(value[0] | 0x20);
      int& line = which == 'u' ? format.underline : which == 'o' ? format.overline : format.strike;
      line = !line;
      return;
    }
    const int on = letter >= 'A' && letter <= 'Z';
    if (letter == 'L' || letter == 'l')
      format.underline = on;
    else if (letter == 'O' || letter == 'o')
      format.overline = on;
    else if (letter == 'K' || letter == 'k')
      format.strike = on;
  }

  // Closes the stretch in the format so far and opens one in next.
  void change(const dxfTextFormat& next) {
    if (next == current_)
      return;
    if (written_ > start_ && !current_.plain()) {
      if (!runs_.empty() && runs_.back().format == current_ &&
          runs_.back().first + runs_.back().count == start_)
        runs_.back().count = written_ - runs_.back().first;
      else
        runs_.push_back({start_, written_ - start_, current_});
    }
    current_ = next;
    start_ = written_;
  }

  std::vector<dxfTextRun>& runs_;
  double height_;
  dxfTextFormat current_;
  std::vector<dxfTextFormat> stack_;
  dxfTextFormat unstacked_; // the format around the stacked fraction being walked
  size_t written_ = 0, start_ = 0;
};

} // namespace

bool operator==(const dxfTextFormat& a, const dxfTextFormat& b) {
  return a.height == b.height && a.font == b.font && a.bold == b.bold && a.italic == b.italic &&
         a.aci == b.aci && a.rgb == b.rgb && a.underline == b.underline &&
         a.overline == b.overline && a.strike == b.strike && a.rise == b.rise &&
         a.oblique == b.oblique;
}

utString dxfTextDecoder::decode_text(std::string_view raw, int mtext, std::vector<dxfTextRun>* runs,
                                     double height) const {
  if (runs)
    runs->clear();
  if (raw.find_first_of(mtext ? "\\{}^%" : "\\%") == std::string_view::npos)
    return decode(raw);
  std::vector<dxfTextRun> unused;
  FormatTracker formats(runs ? *runs : unused, height);
  utString out("");
  TextWalker(raw, mtext)
      .run(
          [&](std::string_view plain) {
            const utString piece = decode(plain);
            formats.wrote(piece);
            out += piece;
          },
          [&](unsigned int code) {
            formats.wrote_one();
            if (code < 0x80)
              out += char(code);
            else
              out += from_code(code);
          },
          [&](unsigned int page, std::string_view two) {
            const utString piece = from_code_page(page, two);
            formats.wrote(piece);
            out += piece;
          },
          [&](char letter, std::string_view value) { formats.code(letter, value); });
  formats.finish();
  return out;
}
