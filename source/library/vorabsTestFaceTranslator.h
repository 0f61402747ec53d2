// vorabsTestFaceTranslator.h - a face translator that delivers a stored topology under a stored
// name.
//
// Shares the stored topology; a transform other than the identity is
// applied to a deep copy, so the stored topology never changes.
#pragma once

#include "vorabsFaceTranslator.h"

class VORABS_API vorabsTestFaceTranslator : public vorabsFaceTranslator {
public:
  vorabsTestFaceTranslator(const vorabsContext& context, const utString& name,
                           const topTopologyPtr& topology)
      : vorabsFaceTranslator(context), name_(name), topology_(topology) {}
  ~vorabsTestFaceTranslator() override;
  void attributes(vorabsAttributeSet& set) const override;

protected:
  vorabsTranslationStatus create_topology(const giXform3& transform,
                                          topTopologyPtr& topology) override;

private:
  utString name_;
  topTopologyPtr topology_;
};
