// kapExternalContext.cpp - the external context of a translation: its two message channels.
#include "kapExternalContext.h"

#include "kapExternalConverterWithStreams.h"

kapExternalContext::~kapExternalContext() = default;

topTopologyPtr
kapExternalContext::face_topology(int id, const kapExternalConverterWithStreams& converter) const {
  return converter.make_face_topology(id, output_, error_);
}

topTopologyPtr
kapExternalContext::body_topology(int id, const kapExternalConverterWithStreams& converter) const {
  return converter.make_body_topology(id, output_, error_);
}
