// dxfText.h - decoding the texts of a DXF file into the framework's native strings.
//
// Files before AC1021 carry their texts in the code page named by
// $DWGCODEPAGE, later ones in UTF-8; both go through the framework's
// code-page strings (kapString). Real files break the rules: a code-page name
// outside the usual list is mapped when it can be (8859_1, lower case, a
// missing underscore) and otherwise falls back to ANSI_1252; an older file
// whose text is valid UTF-8 is read as UTF-8. Each of these is reported
// once, as a warning, through the warnings list that the owner prints.
// Entity texts may also hold \U+XXXX and \M+NXXXX escapes and the %%
// specials (%%d, %%c, %%p ...) of TEXT and MTEXT alike; decode_text resolves
// them, and for MTEXT strips the inline formatting to its plain text with \P
// as a line break and a stacked fraction as a/b.
#pragma once

#include "dxf_export.h"

#include "ut.h"

#include <string>
#include <string_view>
#include <vector>

// Nonzero when raw is well-formed UTF-8. Texts of files that declare a code
// page are read as UTF-8 when they are (real files mislabel their encoding),
// so a writer must not leave code-page bytes that happen to be.
DXF_API bool dxf_valid_utf8(std::string_view raw);

// The inline formatting an MTEXT gives a stretch of its characters, where
// it differs from the entity's own.
struct DXF_API dxfTextFormat {
  double height = 1.0;        // \H: times the entity's height
  std::string font;           // \f family or \F font file (raw); empty: the entity's
  int bold = -1, italic = -1; // with \f: 0 or 1; -1: the entity's
  int aci = -1;               // \C: 1 to 255; -1: the entity's colour
  long rgb = -1;              // \c: 0xRRGGBB; -1: none
  int underline = 0, overline = 0, strike = 0; // \L \O \K, or %%u %%o %%k
  // A part of a stacked fraction (\S): its baseline this many of the
  // entity's heights above the line's (below when negative).
  double rise = 0.0;
  double oblique = 0.0; // \Q: the characters' slant, in degrees
  int plain() const { return *this == dxfTextFormat(); }
  friend bool operator==(const dxfTextFormat& a, const dxfTextFormat& b);
};

// A stretch of an MTEXT's plain text, in characters (code points).
struct DXF_API dxfTextRun {
  size_t first = 0, count = 0;
  dxfTextFormat format;
};

class DXF_API dxfTextDecoder {
public:
  // version: $ACADVER; code_page: $DWGCODEPAGE (may be empty).
  dxfTextDecoder(const std::string& version, const std::string& code_page);

  // A name or a plain value in the file's encoding, with its \U+XXXX escapes.
  utString decode(std::string_view raw) const;
  // An entity text: escapes, and MTEXT formatting when mtext is nonzero;
  // then runs, when given, receives the stretches formatted apart from the
  // entity (height given: the entity's, for absolute \H heights). A TEXT's
  // runs are the stretches its %%u, %%o and %%k codes underline, overline
  // and strike through.
  utString decode_text(std::string_view raw, int mtext, std::vector<dxfTextRun>* runs = nullptr,
                       double height = 0.0) const;

  int utf8() const { return utf8_; }
  unsigned int code_page() const { return code_page_; }
  // Remarks made so far (each at most once), for the owner to print.
  const std::vector<std::string>& warnings() const { return warnings_; }

  // The code page of a $DWGCODEPAGE name, 0 when the name is not known.
  static unsigned int code_page_of(const std::string& name);

private:
  // A name or value without escapes.
  utString decode_plain(std::string_view raw) const;
  utString from_code_page(unsigned int code_page, std::string_view raw) const;
  utString from_code(unsigned int code) const;
  void warn_once(int& flag, const std::string& text) const;

  int utf8_ = 0;
  unsigned int code_page_ = 1252;
  mutable int warned_utf8_ = 0;
  mutable std::vector<std::string> warnings_;
};
