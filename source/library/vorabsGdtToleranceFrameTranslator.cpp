// vorabsGdtToleranceFrameTranslator.cpp - a GD&T tolerance frame and its reference blocks.
#include "vorabsGdtToleranceFrameTranslator.h"

vorabsGdtToleranceSpecTranslator::vorabsGdtToleranceSpecTranslator(const giXform3& transform,
                                                                   const vorabsContext& context)
    : vorabsGroupTranslator(sto_class_gdtToleranceSpec(), transform, context) {}

vorabsGdtToleranceSpecTranslator::~vorabsGdtToleranceSpecTranslator() = default;

void vorabsGdtToleranceSpecTranslator::add_geometry(const annGeometryItemannPtr& item) {
  gdtReferenceBlock* block = gdtReferenceBlock::sto_dynamic_cast(item.pointer());
  if (!block) {
    vorabsGroupTranslator::add_geometry(item);
    return;
  }
  if (gdtToleranceSpec* frame = gdtToleranceSpec::sto_dynamic_cast(group().pointer()))
    frame->add_reference_block(gdtReferenceBlockannPtr(block->name(), block));
}

utString vorabsGdtToleranceSpecTranslator::type_name() const {
  return utString("gdt_tolerance_spec");
}
