// kapHoleInformation.h - the sizes of a drilled hole, as a hole dimension reports them.
//
// A plain value record: the hole diameter, the counterbore's diameter and
// depth, the countersink's diameter and angle. Sizes default to 0 and the
// angle to unset; a hole dimension takes only the sizes above 0 (the hole
// diameter always) and the angle only when it is set.
#pragma once

#include "vorabs_export.h"

#include "gi.h"

class VORABS_API kapHoleInformation {
public:
  kapHoleInformation() = default;

  double hole_diameter() const { return hole_diameter_; }
  void set_hole_diameter(double diameter) { hole_diameter_ = diameter; }
  double counterbore_diameter() const { return counterbore_diameter_; }
  void set_counterbore_diameter(double diameter) { counterbore_diameter_ = diameter; }
  double counterbore_depth() const { return counterbore_depth_; }
  void set_counterbore_depth(double depth) { counterbore_depth_ = depth; }
  double countersink_diameter() const { return countersink_diameter_; }
  void set_countersink_diameter(double diameter) { countersink_diameter_ = diameter; }
  const giAngle& countersink_angle() const { return countersink_angle_; }
  void set_countersink_angle(const giAngle& angle) { countersink_angle_ = angle; }

private:
  double hole_diameter_ = 0.0;
  double counterbore_diameter_ = 0.0;
  double counterbore_depth_ = 0.0;
  double countersink_diameter_ = 0.0;
  giAngle countersink_angle_;
};
