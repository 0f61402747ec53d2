// vorabsEnvironmentTranslator.h - the translator of a rendering environment.
//
// A compound whose object is an annotation environment: light children are
// added to it and a background child becomes its background; it is never a
// structure and holds no geometry.
#pragma once

#include "vorabsCompoundTranslator.h"

#include "ann/annPresentation.h"

class VORABS_API vorabsEnvironmentTranslator : public vorabsCompoundTranslator {
public:
  explicit vorabsEnvironmentTranslator(const vorabsContext& context);
  ~vorabsEnvironmentTranslator() override;
  void attributes(vorabsAttributeSet& set) const override;

protected:
  annNamedItemPtr make_compound_object(const utString& name) override;
  void handle_spt_transform(const giXform3& transform, const utString& name) override;
  void add_geometry(const annGeometryItemannPtr& item) override;
  // A light is added; a background is set; anything else is skipped.
  void add_named_item(const annNamedItemPtr& item) override;
  utString type_name() const override;
  void item_was_rejected() override;
  const stoClass* compound_object_type() const override;

private:
  annEnvironmentannPtr environment_;
};
