// vorabsTestLibOutput.cpp - an output endpoint of fixed identity that accepts everything.
#include "vorabsTestLibOutput.h"

vorabsTestLibOutput::~vorabsTestLibOutput() = default;

vorabsTranslationStatus vorabsTestLibOutput::curve3(const velCurvePtr3&,
                                                    const vorabsAttributeSet&) {
  return vorabsSTATUS_OK;
}
vorabsTranslationStatus vorabsTestLibOutput::surface(const velSurfPtr&, const vorabsAttributeSet&) {
  return vorabsSTATUS_OK;
}
vorabsTranslationStatus vorabsTestLibOutput::topology(const topTopologyPtr&,
                                                      const vorabsAttributeSet&) {
  return vorabsSTATUS_OK;
}
vorabsTranslationStatus vorabsTestLibOutput::workplane3(const giWorkplane3&,
                                                        const vorabsAttributeSet&) {
  return vorabsSTATUS_OK;
}
vorabsTranslationStatus vorabsTestLibOutput::point3(const giPoint3&, const vorabsAttributeSet&) {
  return vorabsSTATUS_OK;
}
vorabsTranslationStatus vorabsTestLibOutput::triblock(const giTriBlock&,
                                                      const vorabsAttributeSet&) {
  return vorabsSTATUS_OK;
}
vorabsTranslationStatus vorabsTestLibOutput::annotation(const annNamedItemPtr&,
                                                        const vorabsAttributeSet&) {
  return vorabsSTATUS_OK;
}
