// vorabsGdtGeometricToleranceBaseTranslator.h - a tolerance frame of no special kind.
//
// Its group is a gdtGeometricToleranceBase; everything else is that of
// vorabsGdtGtolBaseTranslator: associated geometry, attached annotation and
// plain members sorted by child.
#pragma once

#include "vorabs_export.h"

#include "vorabsGdtGtolBaseTranslator.h"

class VORABS_API vorabsGdtGeometricToleranceBaseTranslator : public vorabsGdtGtolBaseTranslator {
public:
  vorabsGdtGeometricToleranceBaseTranslator(const giXform3& transform,
                                            const vorabsContext& context);
  ~vorabsGdtGeometricToleranceBaseTranslator() override;
};
