// vorabsGdtDatumRefTranslator.h - a GD&T datum reference in a tolerance frame.
//
// The compound object is a gdtDatumRef group made in the context's
// document, given the reference's label and modifiers and, when one was
// given, the name of the datum it refers to. The document owns the group.
// Format libraries supply attributes and create_name_mangler.
#pragma once

#include "vorabs_export.h"

#include "vorabsGroupTranslator.h"

class VORABS_API vorabsGdtDatumRefTranslator : public vorabsGroupTranslator {
public:
  // An empty datum name leaves the reference without one.
  vorabsGdtDatumRefTranslator(const utString& label, const intcoSet& modifiers,
                              const utString& datum_name, const giXform3& transform,
                              const vorabsContext& context);
  ~vorabsGdtDatumRefTranslator() override;

  const utString& label() const { return label_; }
  const intcoSet& modifiers() const { return modifiers_; }
  const utString& datum_name() const { return datum_name_; }

protected:
  annNamedItemPtr make_compound_object(const utString& name) override;
  // "gdt_datum_ref".
  utString type_name() const override;

private:
  utString label_;
  intcoSet modifiers_;
  utString datum_name_ = utString("");
};
