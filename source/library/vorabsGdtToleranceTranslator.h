// vorabsGdtToleranceTranslator.h - a GD&T tolerance value with its modifiers.
//
// The compound object is a gdtTolerance group made in the context's
// document, given the tolerance value and modifiers. The document owns the
// group. Format libraries supply attributes and create_name_mangler.
#pragma once

#include "vorabs_export.h"

#include "vorabsGroupTranslator.h"

class VORABS_API vorabsGdtToleranceTranslator : public vorabsGroupTranslator {
public:
  vorabsGdtToleranceTranslator(double tolerance_value, const intcoSet& modifiers,
                               const giXform3& transform, const vorabsContext& context);
  ~vorabsGdtToleranceTranslator() override;

  double tolerance_value() const { return tolerance_value_; }
  const intcoSet& modifiers() const { return modifiers_; }

protected:
  annNamedItemPtr make_compound_object(const utString& name) override;
  // "gdt_tolerance".
  utString type_name() const override;

private:
  double tolerance_value_;
  intcoSet modifiers_;
};
