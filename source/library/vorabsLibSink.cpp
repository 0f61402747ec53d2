// vorabsLibSink.cpp - the base of every sink.
#include "vorabsLibSink.h"

#include "vorabsAttributePtr.h"

#include "vorabsOutput.h"

vorabsLibSink::~vorabsLibSink() = default;

vorabsTranslationStatus vorabsLibSink::refuse(const char* named_format,
                                              const char* anonymous_format,
                                              const vorabsAttributeSet& attributes) const {
  // A host that set no error channel loses the message, not the process.
  if (error_) {
    vorabsNamevorabsAttributePtr name;
    if (attributes.get(vorabsNAME, name))
      error_->tprintf("vorabs", named_format, name->string().c_str());
    else
      error_->tprintf("vorabs", anonymous_format);
  }
  return vorabsSTATUS_FAILED;
}

vorabsTranslationStatus vorabsLibSink::curve3(const velCurvePtr3&,
                                              const vorabsAttributeSet& attributes) {
  return refuse("Entity %s has failed: Curves not supported by output format.\n",
                "An entity has failed: Curves not supported by output format.\n", attributes);
}

vorabsTranslationStatus vorabsLibSink::surface(const velSurfPtr&,
                                               const vorabsAttributeSet& attributes) {
  return refuse("Entity %s has failed: Surfaces not supported by output format.\n",
                "An entity has failed: Surfaces not supported by output format.\n", attributes);
}

vorabsTranslationStatus vorabsLibSink::topology(const topTopologyPtr&,
                                                const vorabsAttributeSet& attributes) {
  return refuse("Entity %s has failed: Topologies not supported by output format.\n",
                "An entity has failed: Topologies not supported by output format.\n", attributes);
}

vorabsTranslationStatus vorabsLibSink::workplane3(const giWorkplane3&,
                                                  const vorabsAttributeSet& attributes) {
  return refuse("Entity %s has failed: Workplanes not supported by output format.\n",
                "An entity has failed: Workplanes not supported by output format.\n", attributes);
}

vorabsTranslationStatus vorabsLibSink::point3(const giPoint3&,
                                              const vorabsAttributeSet& attributes) {
  return refuse("Entity %s has failed: Points not supported by output format.\n",
                "An entity has failed: Points not supported by output format.\n", attributes);
}

vorabsTranslationStatus vorabsLibSink::triblock(const giTriBlock&,
                                                const vorabsAttributeSet& attributes) {
  return refuse("Entity %s has failed: Triangle blocks not supported by output format.\n",
                "An entity has failed: Triangle blocks not supported by output format.\n",
                attributes);
}

vorabsTranslationStatus vorabsLibSink::annotation(const annNamedItemPtr&,
                                                  const vorabsAttributeSet& attributes) {
  return refuse("Entity %s has failed: Annotation not supported by output format.\n",
                "An entity has failed: Annotation not supported by output format.\n", attributes);
}

vorabsTranslationStatus vorabsLibSink::body(const aqtIBodycoPrf&,
                                            const vorabsAttributeSet& attributes) {
  return refuse("Entity %s has failed: Bodies not supported by output format.\n",
                "An entity has failed: Bodies not supported by output format.\n", attributes);
}

annNamedItemPtr vorabsLibSink::current_annotation() {
  return annNamedItemPtr();
}

int vorabsLibSink::valid_units(vorLengthUnit& unit) const {
  if (unit == vorLENGTH_METRE)
    return 1;
  unit = vorLENGTH_METRE;
  return 0;
}

int vorabsLibSink::invalid() const {
  return 0;
}

int vorabsLibSink::supported(const vorabsAttributeSet&) const {
  return 0;
}
