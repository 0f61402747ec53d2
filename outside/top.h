// top.h - the topology library: faces, topologies, bodies and turning bodies into topologies.
//
// A topology owns its faces; a face refers to its surface through a shared
// handle, so faces added from the same handle, and the caller who made it,
// share one surface object. Transforming a topology moves each of its
// surfaces once, in place. A deep copy (copy construction, assignment,
// become) gives the copy surfaces of its own, keeping faces that shared a
// surface sharing its copy, so that transforming the copy never moves the
// original.
//
// A body owns deep copies of its shells. Bodies are passed around through
// aqtIBodycoPrf, a shared reference that may be empty and may own the body
// or only refer to it. topFaceIT made from a handle keeps the topology
// alive; made from a reference it only refers to it.
#pragma once

#include "co.h"
#include "gi.h"
#include "vel.h"
#include "vorout_export.h"

#include <vector>

// --- faces --------------------------------------------------------------------
// A face lying on a surface. sense is 1 when the face's outside is the side
// the surface's normal points to, -1 when it is the other side.
class VOROUT_API topFace {
public:
  explicit topFace(const velSurfPtr& surface, int sense = 1) : surface_(surface), sense_(sense) {}

  const velSurfPtr& surface() const { return surface_; }
  int sense() const { return sense_; }
  // The same face on a copy of its surface.
  topFace copy() const;

private:
  velSurfPtr surface_;
  int sense_;
};

// --- topologies ---------------------------------------------------------------
class VOROUT_API topTopology {
public:
  topTopology() = default; // no faces
  topTopology(const topTopology& other) { become(other); }
  topTopology& operator=(const topTopology& other) {
    become(other);
    return *this;
  }
  ~topTopology();

  // Adds the face as given: its surface is shared, not copied.
  void add_face(const topFace& face) { faces_.push_back(face); }
  int num_faces() const { return int(faces_.size()); }
  const topFace& face(int i) const { return faces_[size_t(i)]; }

  // This becomes a deep copy of other (see above).
  void become(const topTopology& other);
  // Nonzero when xform is set and every surface accepts it.
  int accepts_transform(const giXform3& xform) const;
  // Moves every surface by xform, in place; nonzero on success. 0, with
  // nothing moved, for a transform that accepts_transform refuses. The
  // identity succeeds without being applied.
  int transform(const giXform3& xform);

private:
  std::vector<topFace> faces_;
};

class VOROUT_API topTopologyPtr : public velHandle<topTopology> {
public:
  using velHandle::velHandle;
};

// Walks the faces of a topology in order. The first ++ steps onto the first
// face; ++ answers 0 once no face is left (at once for an empty or missing
// topology). face() is the face stepped onto, and only meaningful while the
// last ++ answered nonzero; otherwise it is a face without a surface.
class VOROUT_API topFaceIT {
public:
  explicit topFaceIT(const topTopologyPtr& topology)
      : held_(topology), topology_(topology.pointer()) {}
  explicit topFaceIT(const topTopology& topology) : topology_(&topology) {}

  int operator++();
  const topFace& face() const;

private:
  topTopologyPtr held_;
  const topTopology* topology_;
  int index_ = -1;
};

// --- bodies -------------------------------------------------------------------
// A solid or sheet body: shells of faces, each shell a topology.
class VOROUT_API aqtIBody {
public:
  aqtIBody() = default; // no shells
  ~aqtIBody();

  // Adds a deep copy of the shell.
  void add_shell(const topTopology& shell) { shells_.push_back(shell); }
  int num_shells() const { return int(shells_.size()); }
  const topTopology& shell(int i) const { return shells_[size_t(i)]; }
  // The faces of all shells together.
  int num_faces() const;
  // Moves every shell in place; nonzero on success, and 0 with nothing
  // moved when some shell refuses (as topTopology::transform).
  int transform(const giXform3& xform);

private:
  std::vector<topTopology> shells_;
};

using aqtIBodycoPrf = coPrf<aqtIBody>;

// One face of a body as a caller picks it out: the face (sharing its
// surface) and the position of the shell it lies in.
class VOROUT_API aqtIFace {
public:
  aqtIFace(const topFace& face, int shell) : face_(face), shell_(shell) {}
  const topFace& face() const { return face_; }
  int shell() const { return shell_; }

private:
  topFace face_;
  int shell_;
};

using aqtIFacecoPrf = coPrf<aqtIFace>;

// Builds topologies out of bodies. Both operations make a new topology
// holding deep copies of the body's faces, put it behind topology and
// answer nonzero; they answer 0 and leave topology as it was for an empty
// reference or a body without faces.
class VOROUT_API uqtAQTBodyToTopology {
public:
  // Every face of every shell, shell by shell, in order.
  static int convert_shell(const aqtIBodycoPrf& body, topTopologyPtr& topology);
  // The first face of the first shell that has one.
  static int convert_face(const aqtIBodycoPrf& body, topTopologyPtr& topology);
};
