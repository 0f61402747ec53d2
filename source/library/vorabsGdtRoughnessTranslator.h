// vorabsGdtRoughnessTranslator.h - a surface roughness symbol.
//
// The compound object is a gdtRoughness group made in the context's
// document, given how the surface is obtained, what the roughness applies
// to and the lay, in that order. The document owns the group. Format
// libraries supply attributes and create_name_mangler.
#pragma once

#include "vorabs_export.h"

#include "vorabsGroupTranslator.h"

class VORABS_API vorabsGdtRoughnessTranslator : public vorabsGroupTranslator {
public:
  vorabsGdtRoughnessTranslator(gdtRoughnessObtentionType obtention_type,
                               gdtRoughnessApplyTo apply_to, gdtRoughnessMode mode,
                               const giXform3& transform, const vorabsContext& context);
  ~vorabsGdtRoughnessTranslator() override;

  gdtRoughnessObtentionType obtention_type() const { return obtention_type_; }
  gdtRoughnessApplyTo apply_to() const { return apply_to_; }
  gdtRoughnessMode mode() const { return mode_; }

protected:
  annNamedItemPtr make_compound_object(const utString& name) override;
  // "gdt_roughness".
  utString type_name() const override;

private:
  gdtRoughnessObtentionType obtention_type_;
  gdtRoughnessApplyTo apply_to_;
  gdtRoughnessMode mode_;
};
