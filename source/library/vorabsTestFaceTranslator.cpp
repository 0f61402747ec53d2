// vorabsTestFaceTranslator.cpp - a face translator that delivers a stored topology.
#include "vorabsTestFaceTranslator.h"

#include "vorabsAttributePtr.h"

vorabsTestFaceTranslator::~vorabsTestFaceTranslator() = default;

void vorabsTestFaceTranslator::attributes(vorabsAttributeSet& set) const {
  vorabsFaceTranslator::attributes(set);
  vorabsNamevorabsAttributePtr name;
  set.check_out(vorabsNAME, name);
  *name = vorabsName(name_, 0);
}

vorabsTranslationStatus vorabsTestFaceTranslator::create_topology(const giXform3& transform,
                                                                  topTopologyPtr& topology) {
  if (transform.identity() || topology_.invalid()) {
    topology = topology_;
    return vorabsSTATUS_OK;
  }
  topTopologyPtr placed(new topTopology(*topology_));
  if (!placed->transform(transform))
    return vorabsSTATUS_FAILED;
  topology = placed;
  return vorabsSTATUS_OK;
}
