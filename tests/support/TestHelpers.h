// TestHelpers.h - small builders shared by the test binaries.
#pragma once

#include "vorabsAttributePtr.h"
#include "vorabsTranslator.h"

#include "ann/ann.h"
#include "gi.h"
#include "top.h"
#include "vel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

template <class T>
void put(vorabsAttributeSet& set, const vorabsAttributeKey& key, const T& value) {
  vorabsAttributePtr<T> pointer;
  set.check_out(key, pointer);
  *pointer = value;
}

inline void mark(vorabsAttributeSet& set, const vorabsAttributeKey& key) {
  vorabsVoidvorabsAttributePtr marker;
  set.check_out(key, marker);
}

// A set naming the entity (unless name is null) and marking it of kind.
inline vorabsAttributeSet named(const char* name, const vorabsAttributeKey* kind = nullptr) {
  vorabsAttributeSet set;
  if (name)
    put(set, vorabsNAME, vorabsName(utString(name), 0));
  if (kind)
    mark(set, *kind);
  return set;
}

inline giXform3 translation(double x, double y, double z) {
  return giXform3(giXformTranslate, giVector3(x, y, z));
}

inline giXform3 diagonal(double sx, double sy, double sz) {
  const double m[4][4] = {{sx, 0, 0, 0}, {0, sy, 0, 0}, {0, 0, sz, 0}, {0, 0, 0, 1}};
  return giXform3(m);
}

// A turn by radians about the axis through centre.
inline giXform3 rotation(const giPoint3& centre, const giVector3& axis, double radians) {
  int error = -1;
  giXform3 turn(giXformRotate, centre, axis, giAngle(radians), error);
  EXPECT_EQ(error, 0);
  return turn;
}

inline ::testing::AssertionResult near(const giPoint3& actual, const giPoint3& expected,
                                       double tolerance = 1e-12) {
  if (std::fabs(actual.x - expected.x) <= tolerance &&
      std::fabs(actual.y - expected.y) <= tolerance &&
      std::fabs(actual.z - expected.z) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "(" << actual.x << ", " << actual.y << ", " << actual.z << ") is not (" << expected.x
         << ", " << expected.y << ", " << expected.z << ")";
}

inline ::testing::AssertionResult near(const giVector3& actual, const giVector3& expected) {
  return near(giPoint3(actual.x, actual.y, actual.z), giPoint3(expected.x, expected.y, expected.z));
}

inline void place(vorabsTranslator& translator, const giXform3& transform) {
  giXform3 previous;
  translator.set_transform(transform, previous);
}

// A topology of count planar faces on the world plane, every second one reversed.
inline topTopologyPtr planes(int count) {
  topTopologyPtr topology(new topTopology());
  for (int i = 0; i < count; ++i)
    topology->add_face(
        topFace(velSurfPtr(new velPlane(giWorkplane3(giWorkplaneWorld))), i % 2 ? -1 : 1));
  return topology;
}

inline velCurvePtr3 unit_line() {
  return velCurvePtr3(new velLine3(giPoint3(0, 0, 0), giPoint3(1, 0, 0)));
}

inline std::string printed(const annDocument& document) {
  std::ostringstream out;
  document.print(out);
  return out.str();
}
