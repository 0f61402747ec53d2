// annDimension.cpp - dimensions and witness lines: groups that measure geometry.
#include "annDimension.h"

#include "annKind.h"

ANN_DEFINE_KIND(annDimension, annGroup::sto_static_class(), ANN_NEW_INSTANCE(annDimension))
ANN_DEFINE_KIND(annCentreDimension, annDimension::sto_static_class(), nullptr)
ANN_DEFINE_KIND(annRadiusDimension, annCentreDimension::sto_static_class(),
                ANN_NEW_INSTANCE(annRadiusDimension))
ANN_DEFINE_KIND(annDiameterDimension, annCentreDimension::sto_static_class(),
                ANN_NEW_INSTANCE(annDiameterDimension))
ANN_DEFINE_KIND(annAngularDimension, annDimension::sto_static_class(),
                ANN_NEW_INSTANCE(annAngularDimension))
ANN_DEFINE_KIND(annOrdinateDimension, annDimension::sto_static_class(),
                ANN_NEW_INSTANCE(annOrdinateDimension))
ANN_DEFINE_KIND(annHoleDimension, annDimension::sto_static_class(),
                ANN_NEW_INSTANCE(annHoleDimension))
ANN_DEFINE_KIND(annWitnessLine, annGroup::sto_static_class(), ANN_NEW_INSTANCE(annWitnessLine))

annDimension::~annDimension() = default;
annCentreDimension::~annCentreDimension() = default;
annRadiusDimension::~annRadiusDimension() = default;
annDiameterDimension::~annDiameterDimension() = default;
annAngularDimension::~annAngularDimension() = default;
annOrdinateDimension::~annOrdinateDimension() = default;
annHoleDimension::~annHoleDimension() = default;
annWitnessLine::~annWitnessLine() = default;

namespace {

// " label value" when the value is set.
void print_size(std::ostream& out, const char* label, double value) {
  if (value == DBL_MAX)
    return;
  out << ' ' << label << ' ';
  ann_print(out, value);
}

// " label "point name" at x y z", or nothing while the point is unset.
void print_point(std::ostream& out, const char* label, const annPointItemannPtr& point) {
  if (point.invalid())
    return;
  out << ' ' << label << ' ';
  ann_print_quoted(out, point->name());
  point->print_details(out);
}

} // namespace

int annDimension::structure() const {
  return 1;
}

int annWitnessLine::structure() const {
  return 1;
}

void annCentreDimension::print_details(std::ostream& out) const {
  annGroup::print_details(out);
  print_point(out, "centre", centre_);
}

void annAngularDimension::print_details(std::ostream& out) const {
  annGroup::print_details(out);
  print_point(out, "vertex", vertex_);
  print_size(out, "radius", radius_);
}

void annOrdinateDimension::print_details(std::ostream& out) const {
  annGroup::print_details(out);
  print_point(out, "origin", origin_);
}

void annHoleDimension::print_details(std::ostream& out) const {
  annGroup::print_details(out);
  print_size(out, "hole diameter", hole_diameter_);
  print_size(out, "counterbore diameter", counterbore_diameter_);
  print_size(out, "counterbore depth", counterbore_depth_);
  print_size(out, "countersink diameter", countersink_diameter_);
  print_size(out, "countersink angle", countersink_angle_.value());
}

void annWitnessLine::print_details(std::ostream& out) const {
  annGroup::print_details(out);
  print_point(out, "dimensioned point", dimensioned_point_);
}
