// gi.h - the geometry library: points, vectors, angles, boxes, transforms, workplanes, triangle blocks.
//
// All values here are plain copyable values that own what they hold. A point,
// an angle and a transform have an unset state, the state of a default-made
// value: a point whose x is +DBL_MAX or -DBL_MAX, or whose y or z is DBL_MAX,
// is unset; an angle of DBL_MAX is unset. Vectors have no unset state (the
// default vector is the zero vector).
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
    return giVector3(y * other.z - z * other.y, z * other.x - x * other.z, x * other.y - y * other.x);
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
