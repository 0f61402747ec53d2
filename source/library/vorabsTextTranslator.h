// vorabsTextTranslator.h - the translator of a text entity.
//
// A format library supplies the text's characters, font, width and the
// workplane it is laid out in. Under a transform that does not preserve
// shape the text stays upright and unsheared: its frame is turned to follow
// the transformed text direction and moved with its origin, and the width
// and height take the stretch along x and y. The text, its font, its frame
// and the placed text are items of the context's document.
#pragma once

#include "vorabs_export.h"

#include "kapFontInformation.h"
#include "vorabsAnnotationTranslator.h"

#include "ann/ann.h"
#include "gi.h"

class VORABS_API vorabsTextTranslator : public vorabsAnnotationTranslator {
public:
  explicit vorabsTextTranslator(const vorabsContext& context)
      : vorabsAnnotationTranslator(context) {}
  ~vorabsTextTranslator() override;
  int non_spts_supported() const override;

protected:
  vorabsTranslationStatus create_annotation(const vorabsAttributeSet& attributes,
                                            const giXform3& transform,
                                            annGeometryItemannPtr& item) override;
  // The characters of the text.
  virtual utString text_string() = 0;
  // The font height and name; a name with a dot is a font file, one
  // without a family. Both arrive preset to 0 and empty.
  virtual void font_details(double& height, utString& font_name) = 0;
  // Bold, italic, names or height beyond font_details; nothing by default.
  virtual void font_details_ex(kapFontInformation& information) const;
  virtual double text_width() = 0;
  virtual void text_workplane(giWorkplane3& workplane) = 0;

private:
  // 1 when a font named after name was made into font.
  int make_font(annTextFontannPtr& font, annDocument* document, const utString& name,
                const giXform3& transform);
  // Leaves lcs invalid when the workplane or its moved origin is unset.
  void make_lcs(annLCSannPtr& lcs, annDocument* document, const utString& name,
                const giXform3& transform);
};
