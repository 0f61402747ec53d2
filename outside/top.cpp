// top.cpp - the topology library: deep copies, transforms, face walks and body conversion.
#include "top.h"

#include <unordered_map>
#include <unordered_set>

// --- faces --------------------------------------------------------------------
topFace topFace::copy() const {
  return topFace(surface_.invalid() ? surface_ : surface_->copy(), sense_);
}

// --- topologies ---------------------------------------------------------------
topTopology::~topTopology() = default;

void topTopology::become(const topTopology& other) {
  if (this == &other)
    return;
  std::unordered_map<const velSurf*, velSurfPtr> copies;
  std::vector<topFace> faces;
  faces.reserve(other.faces_.size());
  for (const topFace& face : other.faces_) {
    const velSurfPtr& surface = face.surface();
    if (surface.invalid()) {
      faces.push_back(face);
      continue;
    }
    velSurfPtr& copy = copies[surface.pointer()];
    if (copy.invalid())
      copy = surface->copy();
    faces.push_back(topFace(copy, face.sense()));
  }
  faces_.swap(faces);
}

int topTopology::accepts_transform(const giXform3& xform) const {
  if (xform.invalid())
    return 0;
  for (const topFace& face : faces_)
    if (!face.surface().invalid() && !face.surface()->accepts_transform(xform))
      return 0;
  return 1;
}

int topTopology::transform(const giXform3& xform) {
  if (!accepts_transform(xform))
    return 0;
  if (xform.identity())
    return 1;
  // A surface shared by several faces moves once.
  std::unordered_set<velSurf*> moved;
  for (const topFace& face : faces_) {
    velSurf* surface = face.surface().pointer();
    if (surface && moved.insert(surface).second)
      surface->transform_in_place(xform);
  }
  return 1;
}

// --- face walks ---------------------------------------------------------------
int topFaceIT::operator++() {
  if (!topology_ || index_ >= topology_->num_faces())
    return 0;
  ++index_;
  return index_ < topology_->num_faces();
}

const topFace& topFaceIT::face() const {
  static const topFace none{velSurfPtr()};
  if (!topology_ || index_ < 0 || index_ >= topology_->num_faces())
    return none;
  return topology_->face(index_);
}

// --- bodies -------------------------------------------------------------------
aqtIBody::~aqtIBody() = default;

int aqtIBody::num_faces() const {
  int count = 0;
  for (const topTopology& shell : shells_)
    count += shell.num_faces();
  return count;
}

int aqtIBody::transform(const giXform3& xform) {
  if (xform.invalid())
    return 0;
  for (const topTopology& shell : shells_)
    if (!shell.accepts_transform(xform))
      return 0;
  // Shells are copies of their own, so no surface is shared between two.
  for (topTopology& shell : shells_)
    shell.transform(xform);
  return 1;
}

int uqtAQTBodyToTopology::convert_shell(const aqtIBodycoPrf& body, topTopologyPtr& topology) {
  if (body.invalid() || body->num_faces() == 0)
    return 0;
  // Gathered with shared surfaces first, so that the copy keeps faces that
  // shared a surface sharing one copy.
  topTopology gathered;
  for (int s = 0; s < body->num_shells(); ++s)
    for (int f = 0; f < body->shell(s).num_faces(); ++f)
      gathered.add_face(body->shell(s).face(f));
  topology = topTopologyPtr(new topTopology(gathered));
  return 1;
}

int uqtAQTBodyToTopology::convert_face(const aqtIBodycoPrf& body, topTopologyPtr& topology) {
  if (body.invalid())
    return 0;
  for (int s = 0; s < body->num_shells(); ++s) {
    if (body->shell(s).num_faces() == 0)
      continue;
    topTopology* made = new topTopology();
    made->add_face(body->shell(s).face(0).copy());
    topology = topTopologyPtr(made);
    return 1;
  }
  return 0;
}
