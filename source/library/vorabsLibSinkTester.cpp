// vorabsLibSinkTester.cpp - a sink that records every geometric entity it receives.
#include "vorabsLibSinkTester.h"

#include "vorabsAttributePtr.h"

vorabsLibSinkTester::~vorabsLibSinkTester() = default;

utString vorabsLibSinkTester::entity_name(const vorabsAttributeSet& attributes) {
  vorabsNamevorabsAttributePtr name;
  return attributes.get(vorabsNAME, name) ? name->string() : utString("");
}

vorabsTranslationStatus vorabsLibSinkTester::topology(const topTopologyPtr& topology,
                                                      const vorabsAttributeSet& attributes) {
  topologies_.add(topology, entity_name(attributes));
  return vorabsSTATUS_OK;
}

vorabsTranslationStatus vorabsLibSinkTester::curve3(const velCurvePtr3& curve,
                                                    const vorabsAttributeSet& attributes) {
  curves3_.add(curve, entity_name(attributes));
  return vorabsSTATUS_OK;
}

vorabsTranslationStatus vorabsLibSinkTester::surface(const velSurfPtr& surface,
                                                     const vorabsAttributeSet& attributes) {
  surfaces_.add(surface, entity_name(attributes));
  return vorabsSTATUS_OK;
}

vorabsTranslationStatus vorabsLibSinkTester::point3(const giPoint3& point,
                                                    const vorabsAttributeSet& attributes) {
  points3_.add(point, entity_name(attributes));
  return vorabsSTATUS_OK;
}

vorabsTranslationStatus vorabsLibSinkTester::triblock(const giTriBlock& block,
                                                      const vorabsAttributeSet& attributes) {
  triblocks_.add(block, entity_name(attributes));
  return vorabsSTATUS_OK;
}

vorabsTranslationStatus vorabsLibSinkTester::workplane3(const giWorkplane3& workplane,
                                                        const vorabsAttributeSet& attributes) {
  workplanes3_.add(workplane, entity_name(attributes));
  return vorabsSTATUS_OK;
}

vorabsTranslationStatus vorabsLibSinkTester::body(const aqtIBodycoPrf& body,
                                                  const vorabsAttributeSet& attributes) {
  utString name = entity_name(attributes);
  bodies_.add(body, name);
  topTopologyPtr topology;
  int converted = 0;
  if (attributes.member(vorabsFACE))
    converted = uqtAQTBodyToTopology::convert_face(body, topology);
  else if (attributes.member(vorabsTOPOLOGY))
    converted = uqtAQTBodyToTopology::convert_shell(body, topology);
  if (!converted)
    return vorabsSTATUS_FAILED;
  topologies_.add(topology, name);
  return vorabsSTATUS_OK;
}
