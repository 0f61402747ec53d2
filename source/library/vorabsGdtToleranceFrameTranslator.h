// vorabsGdtToleranceFrameTranslator.h - a GD&T tolerance frame and its reference blocks.
// The class is vorabsGdtToleranceSpecTranslator, named for the frame it makes.
//
// The compound object is a gdtToleranceSpec group made in the context's
// document. A child's item that is a reference block (gdtReferenceBlock) is
// added to the frame as a reference block, never as a member;
// every other item becomes a plain member of the group. The document owns
// the group and the blocks. Format libraries supply attributes and
// create_name_mangler.
#pragma once

#include "vorabs_export.h"

#include "vorabsGroupTranslator.h"

class VORABS_API vorabsGdtToleranceSpecTranslator : public vorabsGroupTranslator {
public:
  vorabsGdtToleranceSpecTranslator(const giXform3& transform, const vorabsContext& context);
  ~vorabsGdtToleranceSpecTranslator() override;

protected:
  void add_geometry(const annGeometryItemannPtr& item) override;
  // "gdt_tolerance_spec".
  utString type_name() const override;
};
