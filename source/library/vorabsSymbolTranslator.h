// vorabsSymbolTranslator.h - the translator of a point symbol: geometry placed as one symbol.
//
// A symbol with children is a group translator whose group is an
// annPointSymbolInstance. A symbol without children is sent as an empty
// instance placed by its own transform after the incoming one; a symbol
// cannot be stretched, so then any transform that does not preserve shape
// fails it. The document owns the instance; the translator keeps a handle.
// Format libraries supply create_name_mangler.
#pragma once

#include "vorabs_export.h"

#include "vorabsGroupTranslator.h"

class VORABS_API vorabsSymbolTranslator : public vorabsGroupTranslator {
public:
  vorabsSymbolTranslator(const giXform3& own_transform, const vorabsContext& context);
  ~vorabsSymbolTranslator() override;

protected:
  vorabsTranslationStatus create_item(const vorabsAttributeSet& attributes,
                                      const giXform3& transform, vorabsInterface& receiver,
                                      vorabsLibSink& sink) override;
  void handle_spt_transform(const giXform3& transform, const utString& name) override;
  // "symbol".
  utString type_name() const override;
  // The compound's combination; an instance already made is then placed
  // at the world frame, its placement having gone into the children.
  void handle_conversion_transform(const giXform3& own, const giXform3& incoming,
                                   giXform3& result) const override;
};
