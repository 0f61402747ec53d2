// vorabsGdtDatumTargetTranslator.h - a GD&T datum target: where on a part a datum is taken.
//
// The compound object is a gdtDatumTarget group made in the context's
// document, given the target's size and label and, when one was given, the
// name of the datum it establishes. The document owns the group. Format
// libraries supply attributes and create_name_mangler.
#pragma once

#include "vorabs_export.h"

#include "vorabsGroupTranslator.h"

class VORABS_API vorabsGdtDatumTargetTranslator : public vorabsGroupTranslator {
public:
  // An empty datum name leaves the target without one.
  vorabsGdtDatumTargetTranslator(const gdtDatumTargetSize& size, const utString& label,
                                 const utString& datum_name, const giXform3& transform,
                                 const vorabsContext& context);
  ~vorabsGdtDatumTargetTranslator() override;

  const gdtDatumTargetSize& size() const { return size_; }
  const utString& label() const { return label_; }
  const utString& datum_name() const { return datum_name_; }

protected:
  annNamedItemPtr make_compound_object(const utString& name) override;
  // "gdt_datum_target".
  utString type_name() const override;

private:
  gdtDatumTargetSize size_;
  utString label_;
  utString datum_name_ = utString("");
};
