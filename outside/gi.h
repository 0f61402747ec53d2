// gi.h - the geometry library: points, vectors, angles, boxes, transforms, workplanes, tri blocks.
//
// All values here are plain copyable values that own what they hold. A point,
// an angle, a box, a transform and a workplane have an unset state, the state
// of a default-made value: a point whose x is +DBL_MAX or -DBL_MAX, or whose y
// or z is DBL_MAX, is unset; an angle of DBL_MAX is unset; a box is unset
// while it holds no point; a transform is unset while its code is 0; a
// workplane is unset while its origin is. Vectors have no unset state (the
// default vector is the zero vector). A triangle block owns its features; a
// feature pointer it hands out lives as long as the block.
#pragma once

#include "co.h"
#include "vorout_export.h"

#include <cfloat>
#include <cstdint>
#include <memory>
#include <vector>

// --- vectors and points -------------------------------------------------------
class VOROUT_API giVector3 {
public:
  giVector3() = default;
  giVector3(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}

  double length() const;
  // This vector scaled to length 1; the zero vector stays zero.
  giVector3 normalised() const;
  double dot(const giVector3& other) const { return x * other.x + y * other.y + z * other.z; }
  giVector3 cross(const giVector3& other) const {
    return giVector3(y * other.z - z * other.y, z * other.x - x * other.z,
                     x * other.y - y * other.x);
  }

  giVector3 operator-() const { return giVector3(-x, -y, -z); }
  giVector3& operator+=(const giVector3& other) {
    x += other.x;
    y += other.y;
    z += other.z;
    return *this;
  }
  giVector3& operator-=(const giVector3& other) { return *this += -other; }
  giVector3& operator*=(double factor) {
    x *= factor;
    y *= factor;
    z *= factor;
    return *this;
  }
  friend giVector3 operator+(giVector3 a, const giVector3& b) { return a += b; }
  friend giVector3 operator-(giVector3 a, const giVector3& b) { return a -= b; }
  friend giVector3 operator*(giVector3 a, double factor) { return a *= factor; }
  friend giVector3 operator*(double factor, giVector3 a) { return a *= factor; }
  // Exact comparison of the components.
  friend int operator==(const giVector3& a, const giVector3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
  }
  friend int operator!=(const giVector3& a, const giVector3& b) { return !(a == b); }

  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

class VOROUT_API giPoint3 {
public:
  giPoint3() = default; // unset
  giPoint3(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}

  // Unset: x is +DBL_MAX or -DBL_MAX, or y or z is DBL_MAX.
  int invalid() const { return x == DBL_MAX || x == -DBL_MAX || y == DBL_MAX || z == DBL_MAX; }
  void set_invalid() { *this = giPoint3(); }

  giPoint3& operator+=(const giVector3& v) {
    x += v.x;
    y += v.y;
    z += v.z;
    return *this;
  }
  giPoint3& operator-=(const giVector3& v) { return *this += -v; }
  friend giPoint3 operator+(giPoint3 p, const giVector3& v) { return p += v; }
  friend giPoint3 operator-(giPoint3 p, const giVector3& v) { return p -= v; }
  friend giVector3 operator-(const giPoint3& a, const giPoint3& b) {
    return giVector3(a.x - b.x, a.y - b.y, a.z - b.z);
  }
  // The vector from the origin to this point.
  giVector3 position() const { return giVector3(x, y, z); }
  // Exact comparison of the coordinates.
  friend int operator==(const giPoint3& a, const giPoint3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
  }
  friend int operator!=(const giPoint3& a, const giPoint3& b) { return !(a == b); }

  double x = DBL_MAX;
  double y = 0.0;
  double z = 0.0;
};

// An angle in radians; DBL_MAX (the default) is unset.
class VOROUT_API giAngle {
public:
  giAngle() = default;
  explicit giAngle(double radians) : value_(radians) {}

  double value() const { return value_; }
  int invalid() const { return value_ == DBL_MAX; }
  friend int operator==(const giAngle& a, const giAngle& b) { return a.value_ == b.value_; }
  friend int operator!=(const giAngle& a, const giAngle& b) { return !(a == b); }

private:
  double value_ = DBL_MAX;
};

// Paged arrays of geometry values.
using giPoint3coPageArr = coPageArr<giPoint3>;
using giVector3coPageArr = coPageArr<giVector3>;

// --- boxes --------------------------------------------------------------------
// An axis-aligned box. Empty (unset) until a point is added: then min() and
// max() are unset points (min x is DBL_MAX, max x is -DBL_MAX).
class VOROUT_API giBox3 {
public:
  giBox3() = default; // empty
  // The smallest box holding both corners; empty when either is unset.
  giBox3(const giPoint3& a, const giPoint3& b);

  int invalid() const { return min_.x > max_.x; }
  void set_invalid() { *this = giBox3(); }
  // Grows the box to hold the point; an unset point is ignored.
  void add(const giPoint3& p);
  // Grows the box to hold the other box; an empty box is ignored.
  void add(const giBox3& other);
  const giPoint3& min() const { return min_; }
  const giPoint3& max() const { return max_; }

private:
  giPoint3 min_ = giPoint3(DBL_MAX, DBL_MAX, DBL_MAX);
  giPoint3 max_ = giPoint3(-DBL_MAX, -DBL_MAX, -DBL_MAX);
};

// --- transforms ---------------------------------------------------------------
class giWorkplane3;

// Construction tags.
enum giXformIdentityMarker { giXformIdentity };
enum giXformTranslateMarker { giXformTranslate };
enum giXformRotateMarker { giXformRotate };

// The classification codes of a transform. Rigid kinds are 1 to 7, kinds
// that do not preserve shape are 8 to 12, shape-preserving kinds that are
// not rigid are 13 and 14. "Planar" means the xy plane is carried onto
// itself: the rotation, if any, is about the z direction and the
// translation has no z part.
enum giXformCode : int32_t {
  giXFORM_UNSET = 0,                // no transform (default-made, failed construction)
  giXFORM_IDENTITY = 1,             // leaves every point where it is
  giXFORM_PLANAR_TRANSLATION = 2,   // translation in the xy plane
  giXFORM_PLANAR_ROTATION = 3,      // rotation about the z axis through the origin
  giXFORM_PLANAR_MOTION = 4,        // rotation about a z-parallel axis, translation in xy
  giXFORM_TRANSLATION = 5,          // translation with a z part
  giXFORM_ROTATION = 6,             // rotation about another axis through the origin
  giXFORM_MOTION = 7,               // any other rotation plus translation
  giXFORM_AXIAL_SCALE = 8,          // unequal scales along x, y, z (plus translation)
  giXFORM_AFFINE = 9,               // other regular affine map: shear, skew, oblique scale
  giXFORM_SINGULAR_AFFINE = 10,     // affine map collapsing space onto a plane, line or point
  giXFORM_PROJECTIVE = 11,          // regular perspective (bottom row not 0 0 0 w)
  giXFORM_SINGULAR_PROJECTIVE = 12, // singular 4x4 matrix that is not affine
  giXFORM_SIMILARITY = 13,          // uniform scale other than 1, with rotation/translation
  giXFORM_REFLECTION = 14           // orientation-reversing: a mirror, possibly scaled
};

// A 3D transform: a 4x4 matrix of doubles stored row by row, acting on
// column vectors (p' = M p, translation in the last column), and the
// classification code computed from the matrix whenever it is built or
// changed. An affine matrix is kept with the bottom row exactly 0 0 0 1.
// Classification allows a relative tolerance of classify_tolerance on the
// linear part and the same absolute tolerance on the translation.
class VOROUT_API giXform3 {
public:
  static constexpr double classify_tolerance = 1e-12;

  giXform3(); // unset
  explicit giXform3(giXformIdentityMarker);
  giXform3(giXformTranslateMarker, const giVector3& offset);
  // The rotation about an axis through centre that turns the direction of
  // from onto the direction of to (the axis is perpendicular to both; the
  // angle is the one between them, below pi). Equal directions give the
  // identity. error is set to 0 on success; otherwise the transform is
  // unset and error is 1 (from is zero), 2 (to is zero), 3 (from and to are
  // opposed, so the axis is not defined) or 4 (centre is unset).
  giXform3(giXformRotateMarker, const giPoint3& centre, const giVector3& from, const giVector3& to,
           int& error);
  // The right-handed rotation by angle about the axis through centre.
  // error as above: 1 the axis is zero, 2 the angle is unset, 4 centre unset.
  giXform3(giXformRotateMarker, const giPoint3& centre, const giVector3& axis, const giAngle& angle,
           int& error);
  // From a full matrix, row by row. An affine matrix (bottom row 0 0 0 w,
  // w nonzero) is divided by w; a matrix with non-finite entries is unset.
  explicit giXform3(const double (&matrix)[4][4]);

  void become(const giXform3& other) { *this = other; }

  int code() const { return code_; }
  int invalid() const { return code_ == giXFORM_UNSET; }
  int identity() const { return code_ == giXFORM_IDENTITY; }
  int rigid() const { return code_ >= giXFORM_IDENTITY && code_ <= giXFORM_MOTION; }
  int shape_preserving() const {
    return rigid() || code_ == giXFORM_SIMILARITY || code_ == giXFORM_REFLECTION;
  }
  // The uniform scale factor of a shape-preserving transform (1 for a rigid
  // one). For any other transform, the cube root of the absolute
  // determinant of the linear part: the mean scale of volumes. 0 when unset.
  double magnification() const;
  // Determinant of the upper-left 3x3 block; negative for a reflection.
  double determinant() const;

  // This becomes "apply this first, then other": afterwards it maps p to
  // other(this(p)), i.e. its matrix is other's matrix times this matrix.
  // An unset operand makes the result unset.
  void premultiply(const giXform3& other);

  // The transformed point, divided through by the homogeneous weight. An
  // unset point, an unset transform or a point sent to infinity gives an
  // unset point.
  giPoint3 operator*(const giPoint3& p) const;
  // The vector under the upper-left 3x3 block alone (no translation). An
  // unset transform gives the zero vector.
  giVector3 operator*(const giVector3& v) const;

  // This becomes the transform carrying workplane in onto workplane out:
  // in's origin to out's origin, its u, v and normal onto out's. Nonzero on
  // success; when either workplane is unset, this becomes unset and 0 is
  // returned.
  int transform(const giWorkplane3& in, const giWorkplane3& out);

  // Nonzero when both are unset, or both are set and every matrix entry
  // differs by at most tolerance (0 asks for exact equality).
  friend VOROUT_API int equal(const giXform3& a, const giXform3& b, double tolerance);

private:
  friend class giXform3Acc;
  void set_matrix(const double (&matrix)[4][4]);
  void make_unset();

  double matrix_[4][4];
  int32_t code_;
};

VOROUT_API int equal(const giXform3& a, const giXform3& b, double tolerance);

// Read access to a transform's matrix, either through an accessor made on a
// transform (which it refers to, not owns, and must not outlive) or through
// the static form. Rows and columns run from 0 to 3; others read 0.
class VOROUT_API giXform3Acc {
public:
  explicit giXform3Acc(const giXform3& xform) : xform_(&xform) {}
  double matrix_value(int row, int column) const { return matrix_value(*xform_, row, column); }
  // Inline: hashing a transform reads nine entries.
  static double matrix_value(const giXform3& xform, int row, int column) {
    if (row < 0 || row > 3 || column < 0 || column > 3)
      return 0.0;
    return xform.matrix_[row][column];
  }

private:
  const giXform3* xform_;
};

// --- workplanes ---------------------------------------------------------------
enum giWorkplaneWorldMarker { giWorkplaneWorld };

// A placed coordinate frame: an origin and three unit axes, u and v at right
// angles and the normal at right angles to both. The normal is u x v for a
// right-handed workplane and -(u x v) for one that has been mirrored.
class VOROUT_API giWorkplane3 {
public:
  giWorkplane3() = default; // unset origin, world axes
  explicit giWorkplane3(giWorkplaneWorldMarker) : origin_(0.0, 0.0, 0.0) {}
  // u is normalised, v is made perpendicular to u and normalised, the
  // normal is u x v. A zero u, or a v parallel to u, leaves it unset.
  giWorkplane3(const giPoint3& origin, const giVector3& u, const giVector3& v);

  const giPoint3& origin() const { return origin_; }
  const giVector3& u_vector() const { return u_; }
  const giVector3& v_vector() const { return v_; }
  const giVector3& normal() const { return normal_; }
  int invalid() const { return origin_.invalid(); }
  void become(const giWorkplane3& other) { *this = other; }

  // Moves the workplane in place by xform and returns the transform's
  // magnification. The axes are transformed as vectors and made unit and
  // perpendicular again (u keeps its direction, v is straightened against
  // it); the normal follows the sign of the transform's determinant.
  // An unset transform or workplane leaves the workplane as it is and
  // returns 0; a singular transform makes it unset and returns 0.
  double transform(const giXform3& xform);

private:
  giPoint3 origin_;
  giVector3 u_ = giVector3(1.0, 0.0, 0.0);
  giVector3 v_ = giVector3(0.0, 1.0, 0.0);
  giVector3 normal_ = giVector3(0.0, 0.0, 1.0);
};

// --- triangle blocks ----------------------------------------------------------
// One kind of data of a triangle block. Each kind names itself with a
// static type id so that a block finds its features without C++ RTTI.
class VOROUT_API giTriFeature {
public:
  virtual ~giTriFeature();
  virtual const utTypeID& feature_type() const = 0;
  virtual std::unique_ptr<giTriFeature> clone() const = 0;
  // Moves the data with the block; the default leaves it alone.
  virtual void transform(const giXform3& xform);
};

// Three node indices per triangle, counter-clockwise seen from the outside.
struct giTriangle {
  int a = 0;
  int b = 0;
  int c = 0;
};

class VOROUT_API giTriArr final : public giTriFeature {
public:
  static const utTypeID& type_id();
  const utTypeID& feature_type() const override { return type_id(); }
  std::unique_ptr<giTriFeature> clone() const override;
  // A reflection reverses the winding of every triangle, so that it stays
  // counter-clockwise seen from the (mirrored) outside.
  void transform(const giXform3& xform) override;

  void append(const giTriangle& t) { triangles_.push_back(t); }
  void append(int a, int b, int c) { triangles_.push_back(giTriangle{a, b, c}); }
  const giTriangle& operator[](size_t i) const { return triangles_[i]; }
  size_t size() const { return triangles_.size(); }
  void clear() { triangles_.clear(); }

private:
  std::vector<giTriangle> triangles_;
};

// Node positions with a bounding box that is kept while nodes are only
// appended and worked out afresh after a node is replaced.
class VOROUT_API giNodeXYZ final : public giTriFeature {
public:
  static const utTypeID& type_id();
  const utTypeID& feature_type() const override { return type_id(); }
  std::unique_ptr<giTriFeature> clone() const override;
  void transform(const giXform3& xform) override;

  void append(const giPoint3& p);
  // Replaces node i; i past the end grows the array with unset points.
  void set(size_t i, const giPoint3& p);
  const giPoint3& operator[](size_t i) const { return nodes_[i]; }
  size_t size() const { return nodes_.size(); }
  // The box of all set nodes; empty when there are none.
  const giBox3& box() const;

private:
  std::vector<giPoint3> nodes_;
  mutable giBox3 box_;
  mutable int box_valid_ = 1;
};

// Unit normals, one per node.
class VOROUT_API giNormArr final : public giTriFeature {
public:
  static const utTypeID& type_id();
  const utTypeID& feature_type() const override { return type_id(); }
  std::unique_ptr<giTriFeature> clone() const override;
  // Normals go through the vector transform and are made unit again; this
  // is exact for shape-preserving transforms.
  void transform(const giXform3& xform) override;

  void append(const giVector3& n) { normals_.push_back(n); }
  // Replaces normal i; i past the end grows the array with zero vectors.
  void set(size_t i, const giVector3& n);
  const giVector3& operator[](size_t i) const { return normals_[i]; }
  size_t size() const { return normals_.size(); }

private:
  std::vector<giVector3> normals_;
};

// A block of triangles made of features, at most one of each kind, found by
// kind. The block owns its features; copies are deep.
class VOROUT_API giTriBlock {
public:
  giTriBlock() = default;
  giTriBlock(const giTriBlock& other);
  giTriBlock& operator=(const giTriBlock& other);
  giTriBlock(giTriBlock&&) noexcept = default;
  giTriBlock& operator=(giTriBlock&&) noexcept = default;
  ~giTriBlock();

  // The feature of kind F, or null when the block has none.
  template <class F> F* find_feature() { return static_cast<F*>(find(F::type_id())); }
  template <class F> const F* find_feature() const {
    return static_cast<const F*>(find(F::type_id()));
  }
  // The feature of kind F, added empty when the block has none.
  template <class F> F* add_feature() {
    if (F* existing = find_feature<F>())
      return existing;
    F* made = new F();
    features_.emplace_back(made);
    return made;
  }
  size_t feature_count() const { return features_.size(); }

  // Moves every feature by xform (positions as points, normals as vectors).
  void transform(const giXform3& xform);

private:
  giTriFeature* find(const utTypeID& type) const;
  std::vector<std::unique_ptr<giTriFeature>> features_;
};
