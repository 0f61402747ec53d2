// vorabsTopologyTranslator.h - the translator of a topology entity.
//
// A format library supplies create_topology, which receives the transform
// and returns the topology already placed (a copy when the transform is not
// the identity, so a stored topology never changes). When the sink makes a
// surface item for it, two hooks may give that item a render mesh and
// sub-surfaces.
#pragma once

#include "vorabsTranslator.h"

#include "ann/annGeometry.h"
#include "top.h"

class VORABS_API vorabsTopologyTranslator : public vorabsTranslator {
public:
  explicit vorabsTopologyTranslator(const vorabsContext& context) : vorabsTranslator(context) {}
  ~vorabsTopologyTranslator() override;
  void attributes(vorabsAttributeSet& set) const override;

protected:
  vorabsTranslationStatus create_item(const vorabsAttributeSet& attributes,
                                      const giXform3& transform, vorabsInterface& receiver,
                                      vorabsLibSink& sink) override;
  virtual vorabsTranslationStatus create_topology(const giXform3& transform,
                                                  topTopologyPtr& topology) = 0;
  // Sets supplied and fills mesh when the entity has a render mesh of its
  // own; nonzero unless it failed. The default supplies none.
  virtual int get_render_mesh(annRenderMeshannPtr& mesh, int& supplied);
  // Adds sub-surfaces to the surface item made for the entity. The default
  // adds none and answers 0.
  virtual int add_sub_surfaces(annSurfaceBaseannPtr& surface);
};
