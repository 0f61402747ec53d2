// vorabsAnnotationTranslator.h - the base of translators that build an annotation item themselves.
//
// A derived translator builds its item in the context's document through
// create_annotation. Under a shape-preserving placement the item is built
// in place and, unless the placement is the identity, wrapped in a group
// that the placement moves; under any other placement a translator that
// accepts such transforms builds the item already transformed. The item
// goes to the sink's annotation operation; the document owns it, and
// nothing is sent when the build failed.
#pragma once

#include "vorabs_export.h"

#include "vorabsTranslator.h"

#include "ann/ann.h"
#include "gi.h"

class VORABS_API vorabsAnnotationTranslator : public vorabsTranslator {
public:
  explicit vorabsAnnotationTranslator(const vorabsContext& context) : vorabsTranslator(context) {}
  ~vorabsAnnotationTranslator() override;
  // Marks the entity as annotation.
  void attributes(vorabsAttributeSet& set) const override;

protected:
  vorabsTranslationStatus create_item(const vorabsAttributeSet& attributes,
                                      const giXform3& transform, vorabsInterface& receiver,
                                      vorabsLibSink& sink) override;
  // Builds the item under transform in the context's document and stores
  // it in item; vorabsSTATUS_OK or vorabsSTATUS_FAILED.
  virtual vorabsTranslationStatus create_annotation(const vorabsAttributeSet& attributes,
                                                    const giXform3& transform,
                                                    annGeometryItemannPtr& item) = 0;
  // The item itself under the identity (or when it is empty); otherwise a
  // new group holding it, with its style and level, placed by transform.
  annGeometryItemannPtr wrap_annotation(const vorabsAttributeSet& attributes,
                                        const giXform3& transform,
                                        const annGeometryItemannPtr& item);
  // The display string of the entity's name; empty when it has none.
  static utString entity_name(const vorabsAttributeSet& attributes);
};
