// vorabsGdtGeometricToleranceTranslator.cpp - a geometric tolerance frame.
#include "vorabsGdtGeometricToleranceTranslator.h"

vorabsGdtGeometricToleranceTranslator::vorabsGdtGeometricToleranceTranslator(
    const giXform3& transform, const vorabsContext& context)
    : vorabsGdtGtolBaseTranslator(sto_class_gdtGeometricTolerance(), transform, context) {}

vorabsGdtGeometricToleranceTranslator::~vorabsGdtGeometricToleranceTranslator() = default;
