// vorabsGdtGeometricToleranceTranslator.h - a geometric tolerance frame.
//
// Its group is a gdtGeometricTolerance; everything else is that of
// vorabsGdtGtolBaseTranslator: associated geometry, attached annotation and
// plain members sorted by child.
#pragma once

#include "vorabs_export.h"

#include "vorabsGdtGtolBaseTranslator.h"

class VORABS_API vorabsGdtGeometricToleranceTranslator : public vorabsGdtGtolBaseTranslator {
public:
  vorabsGdtGeometricToleranceTranslator(const giXform3& transform, const vorabsContext& context);
  ~vorabsGdtGeometricToleranceTranslator() override;
};
