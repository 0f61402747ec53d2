// gi.cpp - the geometry library: vector arithmetic, transforms, workplanes, triangle blocks.
#include "gi.h"

#include <algorithm>
#include <cmath>
#include <utility>

double giVector3::length() const {
  return std::sqrt(dot(*this));
}

giVector3 giVector3::normalised() const {
  double l = length();
  return l > 0.0 ? giVector3(x / l, y / l, z / l) : giVector3();
}

// --- boxes --------------------------------------------------------------------
giBox3::giBox3(const giPoint3& a, const giPoint3& b) {
  if (a.invalid() || b.invalid())
    return;
  add(a);
  add(b);
}

void giBox3::add(const giPoint3& p) {
  if (p.invalid())
    return;
  min_ = giPoint3(std::min(min_.x, p.x), std::min(min_.y, p.y), std::min(min_.z, p.z));
  max_ = giPoint3(std::max(max_.x, p.x), std::max(max_.y, p.y), std::max(max_.z, p.z));
}

void giBox3::add(const giBox3& other) {
  if (other.invalid())
    return;
  add(other.min_);
  add(other.max_);
}

// --- transforms ---------------------------------------------------------------
namespace {

using Matrix = double[4][4];

double det3(const double l[3][3]) {
  return l[0][0] * (l[1][1] * l[2][2] - l[1][2] * l[2][1]) -
         l[0][1] * (l[1][0] * l[2][2] - l[1][2] * l[2][0]) +
         l[0][2] * (l[1][0] * l[2][1] - l[1][1] * l[2][0]);
}

// The 3x3 minor of m without row r and column c.
double minor4(const Matrix& m, int r, int c) {
  double l[3][3];
  for (int i = 0, li = 0; i < 4; ++i) {
    if (i == r)
      continue;
    for (int j = 0, lj = 0; j < 4; ++j) {
      if (j == c)
        continue;
      l[li][lj++] = m[i][j];
    }
    ++li;
  }
  return det3(l);
}

double det4(const Matrix& m) {
  double d = 0.0;
  for (int c = 0; c < 4; ++c)
    d += (c % 2 ? -1.0 : 1.0) * m[0][c] * minor4(m, 0, c);
  return d;
}

void linear_part(const Matrix& m, double l[3][3]) {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      l[i][j] = m[i][j];
}

void set_identity(Matrix& m) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      m[i][j] = i == j ? 1.0 : 0.0;
}

// The rotation by the angle with cosine c and sine s about the unit axis k
// through centre (Rodrigues' formula).
void set_rotation(Matrix& m, const giPoint3& centre, const giVector3& k, double c, double s) {
  double t = 1.0 - c;
  double r[3][3] = {{c + t * k.x * k.x, t * k.x * k.y - s * k.z, t * k.x * k.z + s * k.y},
                    {t * k.y * k.x + s * k.z, c + t * k.y * k.y, t * k.y * k.z - s * k.x},
                    {t * k.z * k.x - s * k.y, t * k.z * k.y + s * k.x, c + t * k.z * k.z}};
  set_identity(m);
  double p[3] = {centre.x, centre.y, centre.z};
  for (int i = 0; i < 3; ++i) {
    double moved = 0.0;
    for (int j = 0; j < 3; ++j) {
      m[i][j] = r[i][j];
      moved += r[i][j] * p[j];
    }
    m[i][3] = p[i] - moved; // the centre stays where it is
  }
}

// The code of an affine or projective matrix; an affine one has already been
// brought to a bottom row of 0 0 0 1.
int classify(const Matrix& m) {
  const double tol = giXform3::classify_tolerance;
  double norm = 0.0;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      if (!std::isfinite(m[i][j]))
        return giXFORM_UNSET;
      norm = std::max(norm, std::fabs(m[i][j]));
    }
  if (m[3][0] != 0.0 || m[3][1] != 0.0 || m[3][2] != 0.0 || m[3][3] != 1.0) {
    double scale = norm * norm * norm * norm;
    return std::fabs(det4(m)) <= tol * scale ? giXFORM_SINGULAR_PROJECTIVE : giXFORM_PROJECTIVE;
  }

  double l[3][3];
  linear_part(m, l);
  // Shape is preserved when the columns are perpendicular and equally long,
  // that is when the transpose times the matrix is s^2 times the identity.
  double g[3][3];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      g[i][j] = l[0][i] * l[0][j] + l[1][i] * l[1][j] + l[2][i] * l[2][j];
  double s2 = (g[0][0] + g[1][1] + g[2][2]) / 3.0;
  if (s2 == 0.0)
    return giXFORM_SINGULAR_AFFINE;
  int conformal = 1;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      if (std::fabs(g[i][j] - (i == j ? s2 : 0.0)) > tol * s2)
        conformal = 0;
  double det = det3(l);

  if (!conformal) {
    double s = std::sqrt(s2);
    if (std::fabs(det) <= tol * s2 * s)
      return giXFORM_SINGULAR_AFFINE;
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j)
        if (i != j && std::fabs(l[i][j]) > tol * s)
          return giXFORM_AFFINE;
    return giXFORM_AXIAL_SCALE;
  }
  if (det < 0.0)
    return giXFORM_REFLECTION;
  if (std::fabs(std::sqrt(s2) - 1.0) > tol)
    return giXFORM_SIMILARITY;

  int no_turn = 1;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      if (std::fabs(l[i][j] - (i == j ? 1.0 : 0.0)) > tol)
        no_turn = 0;
  int about_z = std::fabs(l[2][2] - 1.0) <= tol;
  int flat_move = std::fabs(m[2][3]) <= tol;
  int no_move = flat_move && std::fabs(m[0][3]) <= tol && std::fabs(m[1][3]) <= tol;
  if (no_turn)
    return no_move     ? giXFORM_IDENTITY
           : flat_move ? giXFORM_PLANAR_TRANSLATION
                       : giXFORM_TRANSLATION;
  if (about_z)
    return no_move ? giXFORM_PLANAR_ROTATION : flat_move ? giXFORM_PLANAR_MOTION : giXFORM_MOTION;
  return no_move ? giXFORM_ROTATION : giXFORM_MOTION;
}

} // namespace

giXform3::giXform3() {
  make_unset();
}

giXform3::giXform3(giXformIdentityMarker) {
  set_identity(matrix_);
  code_ = giXFORM_IDENTITY;
}

giXform3::giXform3(giXformTranslateMarker, const giVector3& offset) {
  Matrix m;
  set_identity(m);
  m[0][3] = offset.x;
  m[1][3] = offset.y;
  m[2][3] = offset.z;
  set_matrix(m);
}

giXform3::giXform3(giXformRotateMarker, const giPoint3& centre, const giVector3& from,
                   const giVector3& to, int& error) {
  make_unset();
  giVector3 f = from.normalised();
  giVector3 t = to.normalised();
  if (f.length() == 0.0)
    error = 1;
  else if (t.length() == 0.0)
    error = 2;
  else if (centre.invalid())
    error = 4;
  else {
    giVector3 axis = f.cross(t);
    double s = axis.length();
    double c = f.dot(t);
    if (s <= classify_tolerance && c < 0.0) {
      error = 3;
      return;
    }
    error = 0;
    Matrix m;
    if (s <= classify_tolerance)
      set_identity(m);
    else
      set_rotation(m, centre, axis * (1.0 / s), c, s);
    set_matrix(m);
  }
}

giXform3::giXform3(giXformRotateMarker, const giPoint3& centre, const giVector3& axis,
                   const giAngle& angle, int& error) {
  make_unset();
  giVector3 k = axis.normalised();
  if (k.length() == 0.0)
    error = 1;
  else if (angle.invalid() || !std::isfinite(angle.value()))
    error = 2;
  else if (centre.invalid())
    error = 4;
  else {
    error = 0;
    Matrix m;
    set_rotation(m, centre, k, std::cos(angle.value()), std::sin(angle.value()));
    set_matrix(m);
  }
}

giXform3::giXform3(const double (&matrix)[4][4]) {
  set_matrix(matrix);
}

void giXform3::make_unset() {
  for (auto& row : matrix_)
    for (double& value : row)
      value = 0.0;
  code_ = giXFORM_UNSET;
}

void giXform3::set_matrix(const double (&matrix)[4][4]) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      matrix_[i][j] = matrix[i][j];
  double w = matrix_[3][3];
  if (matrix_[3][0] == 0.0 && matrix_[3][1] == 0.0 && matrix_[3][2] == 0.0 && w != 0.0 &&
      w != 1.0 && std::isfinite(w)) {
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 4; ++j)
        matrix_[i][j] /= w;
    matrix_[3][3] = 1.0;
  }
  code_ = classify(matrix_);
  if (code_ == giXFORM_UNSET)
    make_unset();
}

double giXform3::determinant() const {
  double l[3][3];
  linear_part(matrix_, l);
  return det3(l);
}

double giXform3::magnification() const {
  if (invalid())
    return 0.0;
  if (rigid())
    return 1.0;
  if (shape_preserving()) {
    double sum = 0.0;
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j)
        sum += matrix_[i][j] * matrix_[i][j];
    return std::sqrt(sum / 3.0);
  }
  return std::cbrt(std::fabs(determinant()));
}

void giXform3::premultiply(const giXform3& other) {
  if (invalid() || other.invalid()) {
    make_unset();
    return;
  }
  Matrix product;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k)
        sum += other.matrix_[i][k] * matrix_[k][j];
      product[i][j] = sum;
    }
  set_matrix(product);
}

giPoint3 giXform3::operator*(const giPoint3& p) const {
  if (invalid() || p.invalid())
    return giPoint3();
  double in[4] = {p.x, p.y, p.z, 1.0};
  double out[4];
  for (int i = 0; i < 4; ++i)
    out[i] = matrix_[i][0] * in[0] + matrix_[i][1] * in[1] + matrix_[i][2] * in[2] + matrix_[i][3];
  if (out[3] == 0.0)
    return giPoint3();
  giPoint3 result(out[0] / out[3], out[1] / out[3], out[2] / out[3]);
  if (!std::isfinite(result.x) || !std::isfinite(result.y) || !std::isfinite(result.z))
    return giPoint3();
  return result;
}

giVector3 giXform3::operator*(const giVector3& v) const {
  if (invalid())
    return giVector3();
  return giVector3(matrix_[0][0] * v.x + matrix_[0][1] * v.y + matrix_[0][2] * v.z,
                   matrix_[1][0] * v.x + matrix_[1][1] * v.y + matrix_[1][2] * v.z,
                   matrix_[2][0] * v.x + matrix_[2][1] * v.y + matrix_[2][2] * v.z);
}

int giXform3::transform(const giWorkplane3& in, const giWorkplane3& out) {
  if (in.invalid() || out.invalid()) {
    make_unset();
    return 0;
  }
  // The axes are orthonormal, so in's frame is inverted by its transpose:
  // p -> out.origin + R_out R_in^T (p - in.origin).
  const giVector3* a[3] = {&in.u_vector(), &in.v_vector(), &in.normal()};
  const giVector3* b[3] = {&out.u_vector(), &out.v_vector(), &out.normal()};
  auto component = [](const giVector3& v, int i) { return i == 0 ? v.x : i == 1 ? v.y : v.z; };
  Matrix m;
  set_identity(m);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      double sum = 0.0;
      for (int k = 0; k < 3; ++k)
        sum += component(*b[k], i) * component(*a[k], j);
      m[i][j] = sum;
    }
  giVector3 from = in.origin().position();
  giVector3 to = out.origin().position();
  m[0][3] = to.x - (m[0][0] * from.x + m[0][1] * from.y + m[0][2] * from.z);
  m[1][3] = to.y - (m[1][0] * from.x + m[1][1] * from.y + m[1][2] * from.z);
  m[2][3] = to.z - (m[2][0] * from.x + m[2][1] * from.y + m[2][2] * from.z);
  set_matrix(m);
  return !invalid();
}

int equal(const giXform3& a, const giXform3& b, double tolerance) {
  if (a.invalid() || b.invalid())
    return a.invalid() && b.invalid();
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      if (!(std::fabs(a.matrix_[i][j] - b.matrix_[i][j]) <= tolerance))
        return 0;
  return 1;
}

// --- workplanes ---------------------------------------------------------------
giWorkplane3::giWorkplane3(const giPoint3& origin, const giVector3& u, const giVector3& v) {
  giVector3 unit_u = u.normalised();
  giVector3 across = v - unit_u * v.dot(unit_u); // v without its part along u
  if (origin.invalid() || unit_u.length() == 0.0 ||
      across.length() <= giXform3::classify_tolerance * v.length() || across.length() == 0.0)
    return;
  giVector3 unit_v = across.normalised();
  origin_ = origin;
  u_ = unit_u;
  v_ = unit_v;
  normal_ = unit_u.cross(unit_v);
}

double giWorkplane3::transform(const giXform3& xform) {
  if (invalid() || xform.invalid())
    return 0.0;
  giVector3 u = (xform * u_).normalised();
  giVector3 v = xform * v_;
  v = (v - u * v.dot(u)).normalised();
  giPoint3 origin = xform * origin_;
  double det = xform.determinant();
  if (u.length() == 0.0 || v.length() == 0.0 || origin.invalid() || det == 0.0) {
    *this = giWorkplane3();
    return 0.0;
  }
  // The normal keeps its side of the plane unless the transform mirrors.
  double side = normal_.dot(u_.cross(v_)) < 0.0 ? -1.0 : 1.0;
  if (det < 0.0)
    side = -side;
  origin_ = origin;
  u_ = u;
  v_ = v;
  normal_ = u.cross(v) * side;
  return xform.magnification();
}

// --- triangle blocks ----------------------------------------------------------
giTriFeature::~giTriFeature() = default;

void giTriFeature::transform(const giXform3&) {}

const utTypeID& giTriArr::type_id() {
  static const utTypeID id("giTriArr");
  return id;
}

std::unique_ptr<giTriFeature> giTriArr::clone() const {
  return std::make_unique<giTriArr>(*this);
}

void giTriArr::transform(const giXform3& xform) {
  if (xform.invalid() || xform.determinant() >= 0.0)
    return;
  for (giTriangle& t : triangles_)
    std::swap(t.b, t.c);
}

const utTypeID& giNodeXYZ::type_id() {
  static const utTypeID id("giNodeXYZ");
  return id;
}

std::unique_ptr<giTriFeature> giNodeXYZ::clone() const {
  return std::make_unique<giNodeXYZ>(*this);
}

void giNodeXYZ::transform(const giXform3& xform) {
  if (xform.invalid())
    return;
  for (giPoint3& p : nodes_)
    p = xform * p;
  box_valid_ = 0;
}

void giNodeXYZ::append(const giPoint3& p) {
  nodes_.push_back(p);
  if (box_valid_)
    box_.add(p);
}

void giNodeXYZ::set(size_t i, const giPoint3& p) {
  if (i >= nodes_.size())
    nodes_.resize(i + 1);
  nodes_[i] = p;
  box_valid_ = 0;
}

const giBox3& giNodeXYZ::box() const {
  if (!box_valid_) {
    box_.set_invalid();
    for (const giPoint3& p : nodes_)
      box_.add(p);
    box_valid_ = 1;
  }
  return box_;
}

const utTypeID& giNormArr::type_id() {
  static const utTypeID id("giNormArr");
  return id;
}

std::unique_ptr<giTriFeature> giNormArr::clone() const {
  return std::make_unique<giNormArr>(*this);
}

void giNormArr::transform(const giXform3& xform) {
  if (xform.invalid())
    return;
  for (giVector3& n : normals_)
    n = (xform * n).normalised();
}

void giNormArr::set(size_t i, const giVector3& n) {
  if (i >= normals_.size())
    normals_.resize(i + 1);
  normals_[i] = n;
}

giTriBlock::giTriBlock(const giTriBlock& other) {
  features_.reserve(other.features_.size());
  for (const auto& feature : other.features_)
    features_.push_back(feature->clone());
}

giTriBlock& giTriBlock::operator=(const giTriBlock& other) {
  if (this != &other) {
    giTriBlock copy(other);
    features_.swap(copy.features_);
  }
  return *this;
}

giTriBlock::~giTriBlock() = default;

giTriFeature* giTriBlock::find(const utTypeID& type) const {
  for (const auto& feature : features_)
    if (&feature->feature_type() == &type)
      return feature.get();
  return nullptr;
}

void giTriBlock::transform(const giXform3& xform) {
  for (const auto& feature : features_)
    feature->transform(xform);
}
