// annText.h - text items of the annotation model: strings, fonts, local frames, placed text.
//
// A placed text (annTextGeometry) is made of three items it shares through
// handles: the characters (annText), the font (annTextFont) and the local
// coordinate system the text is laid out in (annLCS), plus the width the
// text is fitted to. The document owns all four like any other item; the
// document prints the three parts under the text that uses them.
#pragma once

#include "annGeometry.h"
#include "annItem.h"
#include "gi.h"

// The characters of a text; never empty.
class VOROUT_API annText final : public annNamedItem {
  ANN_ITEM_KIND(annText)
public:
  ~annText() override;
  const utString& text() const { return text_; }
  void set_text(const utString& text) { text_ = text; }
  // " text "...."".
  void print_details(std::ostream& out) const override;

private:
  utString text_;
};

// A font: a height (never negative), a family or a font file (both null
// until set) and the bold and italic flags.
class VOROUT_API annTextFont final : public annNamedItem {
  ANN_ITEM_KIND(annTextFont)
public:
  ~annTextFont() override;
  double height() const { return height_; }
  // Nonzero when taken: a negative or non-finite height is refused.
  int set_height(double height);
  const utString& family_name() const { return family_; }
  void set_family_name(const utString& family) { family_ = family; }
  const utString& font_file() const { return file_; }
  void set_font_file(const utString& file) { file_ = file; }
  int bold() const { return bold_; }
  void set_bold(int bold) { bold_ = bold != 0; }
  int italic() const { return italic_; }
  void set_italic(int italic) { italic_ = italic != 0; }
  // " family "..."" and " file "..."" when set, " height h", then " bold"
  // and " italic" when set.
  void print_details(std::ostream& out) const override;

private:
  double height_ = 0.0;
  utString family_;
  utString file_;
  int bold_ = 0;
  int italic_ = 0;
};

// The frame a text is laid out in: the text runs along u, v is up.
class VOROUT_API annLCS final : public annNamedItem {
  ANN_ITEM_KIND(annLCS)
public:
  ~annLCS() override;
  const giWorkplane3& workplane() const { return workplane_; }
  void set_workplane(const giWorkplane3& workplane) { workplane_ = workplane; }
  // " origin x y z u x y z".
  void print_details(std::ostream& out) const override;

private:
  giWorkplane3 workplane_;
};

using annTextannPtr = annPtr<annText>;
using annTextFontannPtr = annPtr<annTextFont>;
using annLCSannPtr = annPtr<annLCS>;

// A text placed in the drawing. Its parts are valid handles when it was
// made from parts, invalid when it was made from a description.
class VOROUT_API annTextGeometry final : public annGeometryItem {
  ANN_ITEM_KIND(annTextGeometry)
public:
  ~annTextGeometry() override;
  const annTextannPtr& text() const { return text_; }
  const annTextFontannPtr& font() const { return font_; }
  const annLCSannPtr& lcs() const { return lcs_; }
  double width() const { return width_; }
  void set(const annTextannPtr& text, const annTextFontannPtr& font, const annLCSannPtr& lcs,
           double width);
  // The description when there is one, then " width w" for a text made of parts.
  void print_details(std::ostream& out) const override;
  // The text, the font and the frame, in this order, when set. They are
  // not removed from the text that uses them.
  size_t num_members() const override;
  annNamedItem* member(size_t i) const override;

private:
  annTextannPtr text_;
  annTextFontannPtr font_;
  annLCSannPtr lcs_;
  double width_ = 0.0;
};

using annTextGeometryannPtr = annPtr<annTextGeometry>;

inline const stoClass* sto_class_annText() {
  return annText::sto_static_class();
}
inline const stoClass* sto_class_annTextFont() {
  return annTextFont::sto_static_class();
}
inline const stoClass* sto_class_annLCS() {
  return annLCS::sto_static_class();
}
inline const stoClass* sto_class_annTextGeometry() {
  return annTextGeometry::sto_static_class();
}

// Factories, each owned by the owner's document and invalid without one.
// An empty (or null) text, a negative or non-finite height and an unset
// workplane are refused with an invalid handle.
VOROUT_API annTextannPtr make_annText(annEntity* owner, const utString& text, const utString& name);
VOROUT_API annTextFontannPtr make_annTextFont(annEntity* owner, double height,
                                              const utString& name);
VOROUT_API annLCSannPtr make_annLCS(annEntity* owner, const giWorkplane3& workplane,
                                    const utString& name);
// Invalid when a part is invalid or the width is negative or not finite.
VOROUT_API annTextGeometryannPtr make_annTextGeometry(annEntity* owner, const annTextannPtr& text,
                                                      const annTextFontannPtr& font,
                                                      const annLCSannPtr& lcs, double width,
                                                      const utString& name);
// A text known only by a description of what it was made from.
VOROUT_API annTextGeometryannPtr make_annTextGeometry(annEntity* owner, const utString& description,
                                                      const utString& name);
