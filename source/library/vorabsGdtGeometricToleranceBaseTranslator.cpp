// vorabsGdtGeometricToleranceBaseTranslator.cpp - a tolerance frame of no special kind.
#include "vorabsGdtGeometricToleranceBaseTranslator.h"

vorabsGdtGeometricToleranceBaseTranslator::vorabsGdtGeometricToleranceBaseTranslator(
    const giXform3& transform, const vorabsContext& context)
    : vorabsGdtGtolBaseTranslator(sto_class_gdtGeometricToleranceBase(), transform, context) {}

vorabsGdtGeometricToleranceBaseTranslator::~vorabsGdtGeometricToleranceBaseTranslator() = default;
