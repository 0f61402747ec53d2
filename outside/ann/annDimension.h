// annDimension.h - dimensions and witness lines: groups that measure geometry.
//
// A dimension is a group whose members (lines, arrows, text) make one
// structure, plus the data that defines what it measures: a point item (a
// centre, a vertex, an origin) or, for a hole, the hole's sizes. The point
// is an item of the document like any other; the dimension shares it
// through a handle and does not list it among its members. Every value is
// unset until its setter runs: a point handle is invalid, a size is DBL_MAX
// and an angle is an unset giAngle.
#pragma once

#include "annGeometry.h"
#include "annGroup.h"
#include "gi.h"

// The base of the dimension kinds; also made as a dimension of no special kind.
class VOROUT_API annDimension : public annGroup {
  ANN_ITEM_KIND(annDimension)
public:
  ~annDimension() override;
  int structure() const override;
};

// A dimension measured from or through a centre point (no factory).
class VOROUT_API annCentreDimension : public annDimension {
  ANN_ITEM_KIND(annCentreDimension)
public:
  ~annCentreDimension() override;
  const annPointItemannPtr& centre() const { return centre_; }
  void set_centre(const annPointItemannPtr& centre) { centre_ = centre; }
  // The group's details, then " centre ...".
  void print_details(std::ostream& out) const override;

private:
  annPointItemannPtr centre_;
};

// The radius of an arc, measured from its centre.
class VOROUT_API annRadiusDimension final : public annCentreDimension {
  ANN_ITEM_KIND(annRadiusDimension)
public:
  ~annRadiusDimension() override;
};

// The diameter of a circle, through its centre.
class VOROUT_API annDiameterDimension final : public annCentreDimension {
  ANN_ITEM_KIND(annDiameterDimension)
public:
  ~annDiameterDimension() override;
};

// The angle between two lines, drawn as an arc of a radius about their vertex.
class VOROUT_API annAngularDimension final : public annDimension {
  ANN_ITEM_KIND(annAngularDimension)
public:
  ~annAngularDimension() override;
  const annPointItemannPtr& vertex() const { return vertex_; }
  void set_vertex(const annPointItemannPtr& vertex) { vertex_ = vertex; }
  double radius() const { return radius_; }
  void set_radius(double radius) { radius_ = radius; }
  // The group's details, then " vertex ..." and " radius r" when set.
  void print_details(std::ostream& out) const override;

private:
  annPointItemannPtr vertex_;
  double radius_ = DBL_MAX;
};

// A distance measured from an origin along one axis.
class VOROUT_API annOrdinateDimension final : public annDimension {
  ANN_ITEM_KIND(annOrdinateDimension)
public:
  ~annOrdinateDimension() override;
  const annPointItemannPtr& origin() const { return origin_; }
  void set_origin(const annPointItemannPtr& origin) { origin_ = origin; }
  // The group's details, then " origin ...".
  void print_details(std::ostream& out) const override;

private:
  annPointItemannPtr origin_;
};

// The sizes of a drilled hole with its counterbore and countersink.
class VOROUT_API annHoleDimension final : public annDimension {
  ANN_ITEM_KIND(annHoleDimension)
public:
  ~annHoleDimension() override;
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
  // The group's details, then each value that is set: " hole diameter d",
  // " counterbore diameter d", " counterbore depth d", " countersink
  // diameter d", " countersink angle a" (radians).
  void print_details(std::ostream& out) const override;

private:
  double hole_diameter_ = DBL_MAX;
  double counterbore_diameter_ = DBL_MAX;
  double counterbore_depth_ = DBL_MAX;
  double countersink_diameter_ = DBL_MAX;
  giAngle countersink_angle_;
};

// A witness line tying a dimension to the point it measures: a structure.
class VOROUT_API annWitnessLine final : public annGroup {
  ANN_ITEM_KIND(annWitnessLine)
public:
  ~annWitnessLine() override;
  int structure() const override;
  const annPointItemannPtr& dimensioned_point() const { return dimensioned_point_; }
  void set_dimensioned_point(const annPointItemannPtr& point) { dimensioned_point_ = point; }
  // The group's details, then " dimensioned point ...".
  void print_details(std::ostream& out) const override;

private:
  annPointItemannPtr dimensioned_point_;
};

using annDimensionannPtr = annPtr<annDimension>;
using annRadiusDimensionannPtr = annPtr<annRadiusDimension>;
using annDiameterDimensionannPtr = annPtr<annDiameterDimension>;
using annAngularDimensionannPtr = annPtr<annAngularDimension>;
using annOrdinateDimensionannPtr = annPtr<annOrdinateDimension>;
using annHoleDimensionannPtr = annPtr<annHoleDimension>;
using annWitnessLineannPtr = annPtr<annWitnessLine>;

inline const stoClass* sto_class_annDimension() {
  return annDimension::sto_static_class();
}
inline const stoClass* sto_class_annCentreDimension() {
  return annCentreDimension::sto_static_class();
}
inline const stoClass* sto_class_annRadiusDimension() {
  return annRadiusDimension::sto_static_class();
}
inline const stoClass* sto_class_annDiameterDimension() {
  return annDiameterDimension::sto_static_class();
}
inline const stoClass* sto_class_annAngularDimension() {
  return annAngularDimension::sto_static_class();
}
inline const stoClass* sto_class_annOrdinateDimension() {
  return annOrdinateDimension::sto_static_class();
}
inline const stoClass* sto_class_annHoleDimension() {
  return annHoleDimension::sto_static_class();
}
inline const stoClass* sto_class_annWitnessLine() {
  return annWitnessLine::sto_static_class();
}
