// vorabsTopologyTranslator.cpp - the translator of a topology entity.
#include "vorabsTopologyTranslator.h"

#include "vorabsLibSink.h"

vorabsTopologyTranslator::~vorabsTopologyTranslator() = default;

void vorabsTopologyTranslator::attributes(vorabsAttributeSet& set) const {
  mark_kind(set, vorabsTOPOLOGY);
}

int vorabsTopologyTranslator::get_render_mesh(annRenderMeshannPtr&, int& supplied) {
  supplied = 0;
  return 1;
}

int vorabsTopologyTranslator::add_sub_surfaces(annSurfaceBaseannPtr&) {
  return 0;
}

vorabsTranslationStatus vorabsTopologyTranslator::create_item(const vorabsAttributeSet& attributes,
                                                              const giXform3& transform,
                                                              vorabsInterface&,
                                                              vorabsLibSink& sink) {
  vorabsAttributeSet own(utCopy, attributes);
  set_attributes(own);
  topTopologyPtr topology;
  vorabsTranslationStatus status = create_topology(transform, topology);
  if (status != vorabsSTATUS_OK)
    return status;
  if (topology.invalid())
    return vorabsSTATUS_FAILED;
  add_parent_suffix(own);
  status = sink.topology(topology, own);
  if (status != vorabsSTATUS_OK)
    return status;

  annNamedItemPtr item = sink.current_annotation();
  annSurfaceBaseannPtr surface = annSurfaceBaseannPtr::cast(item);
  if (surface.invalid())
    return status;
  annRenderMeshannPtr mesh;
  int supplied = 0;
  if (get_render_mesh(mesh, supplied) && supplied)
    surface->set_render_mesh(mesh);
  add_sub_surfaces(surface);
  return status;
}
