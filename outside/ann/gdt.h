// gdt.h - geometric dimensioning and tolerancing (GD&T) items of the annotation model.
//
// Every GD&T item is a group (a structure): its members are the geometry
// that draws it (frames, leaders, text). Besides its members an item holds
// its own values (labels, datum names, modifiers, tolerance values,
// roughness modes) and shares, through handles, the annotation attached to
// it (notes, leaders added later); a datum and a geometric tolerance also
// share the geometry they apply to (their associated geometry), and a
// tolerance frame (gdtToleranceSpec) the reference blocks of the datums it
// refers to.
// Shared items stay items of the document; they are not members. Labels
// are empty, datum names null and numbers unset (DBL_MAX) until set.
#pragma once

#include "annGeometry.h"
#include "annGroup.h"
#include "co.h"

using intcoSet = coSet<int>;

// The shape of the area a datum target marks on a part.
enum gdtDatumTargetShape {
  gdtDATUM_TARGET_POINT = 0,
  gdtDATUM_TARGET_LINE = 1,
  gdtDATUM_TARGET_CIRCLE = 2,
  gdtDATUM_TARGET_RECTANGLE = 3
};

// The size of a datum target: a circle has a diameter (width), a rectangle
// a width and a height, a line a length (width); a point has none.
class VOROUT_API gdtDatumTargetSize {
public:
  gdtDatumTargetSize() = default; // a point
  gdtDatumTargetSize(gdtDatumTargetShape shape, double width, double height = 0.0)
      : shape_(shape), width_(width), height_(height) {}
  gdtDatumTargetShape shape() const { return shape_; }
  double width() const { return width_; }
  double height() const { return height_; }

private:
  gdtDatumTargetShape shape_ = gdtDATUM_TARGET_POINT;
  double width_ = 0.0;
  double height_ = 0.0;
};

// Whether the surface may, must or must not be machined to reach its roughness.
enum gdtRoughnessObtentionType {
  gdtROUGHNESS_ANY_PROCESS = 0,
  gdtROUGHNESS_MATERIAL_REMOVAL_REQUIRED = 1,
  gdtROUGHNESS_MATERIAL_REMOVAL_PROHIBITED = 2
};

// What the roughness applies to.
enum gdtRoughnessApplyTo {
  gdtROUGHNESS_THIS_SURFACE = 0,
  gdtROUGHNESS_ALL_AROUND = 1,
  gdtROUGHNESS_BASIC_SURFACE = 2
};

// The direction of the lay: the pattern the machining leaves.
enum gdtRoughnessMode {
  gdtROUGHNESS_LAY_NONE = 0,
  gdtROUGHNESS_LAY_PARALLEL = 1,
  gdtROUGHNESS_LAY_PERPENDICULAR = 2,
  gdtROUGHNESS_LAY_CROSSED = 3,
  gdtROUGHNESS_LAY_MULTIDIRECTIONAL = 4,
  gdtROUGHNESS_LAY_CIRCULAR = 5,
  gdtROUGHNESS_LAY_RADIAL = 6,
  gdtROUGHNESS_LAY_PARTICULATE = 7
};

// The base of the GD&T items: what is attached to an item (no factory).
class VOROUT_API gdtAttachedBase : public annGdtTolerance {
  ANN_ITEM_KIND(gdtAttachedBase)
public:
  ~gdtAttachedBase() override;
  // Nonzero when added; an invalid handle is refused.
  int add_attached_annotation(const annGeometryItemannPtr& item);
  const annGeometryItemannPtrcoVariableArr& attached_annotation() const { return attached_; }
  // The group's details, the kind's own values, then " attached "a" "b""
  // when there is any.
  void print_details(std::ostream& out) const override;

protected:
  // The kind's own values; none by default.
  virtual void print_values(std::ostream& out) const;

private:
  annGeometryItemannPtrcoVariableArr attached_;
};

// What a datum or a geometric tolerance applies to (no factory).
class VOROUT_API gdtAssociatedBase : public gdtAttachedBase {
  ANN_ITEM_KIND(gdtAssociatedBase)
public:
  ~gdtAssociatedBase() override;
  // Nonzero when added; an invalid handle is refused.
  int add_associated_geometry(const annGeometryItemannPtr& item);
  const annGeometryItemannPtrcoVariableArr& associated_geometry() const { return associated_; }
  // The attached details, then " associated "a" "b"" when there is any.
  void print_details(std::ostream& out) const override;

private:
  annGeometryItemannPtrcoVariableArr associated_;
};

// A datum feature, named by its label ("A").
class VOROUT_API gdtDatum final : public gdtAssociatedBase {
  ANN_ITEM_KIND(gdtDatum)
public:
  ~gdtDatum() override;
  const utString& label() const { return label_; }
  void set_label(const utString& label) { label_ = label; }

protected:
  // " label "A"".
  void print_values(std::ostream& out) const override;

private:
  utString label_ = utString("");
};

// A point, line or area on a part that establishes a datum ("A1" of "A").
class VOROUT_API gdtDatumTarget final : public gdtAttachedBase {
  ANN_ITEM_KIND(gdtDatumTarget)
public:
  ~gdtDatumTarget() override;
  const gdtDatumTargetSize& size() const { return size_; }
  void set_size(const gdtDatumTargetSize& size) { size_ = size; }
  const utString& label() const { return label_; }
  void set_label(const utString& label) { label_ = label; }
  const utString& datum_name() const { return datum_name_; }
  void set_datum_name(const utString& name) { datum_name_ = name; }

protected:
  // " label "A1" size circle 6", then " datum "A"" when named.
  void print_values(std::ostream& out) const override;

private:
  gdtDatumTargetSize size_;
  utString label_ = utString("");
  utString datum_name_;
};

// A reference to a datum in a tolerance frame, with its modifiers.
class VOROUT_API gdtDatumRef final : public gdtAttachedBase {
  ANN_ITEM_KIND(gdtDatumRef)
public:
  ~gdtDatumRef() override;
  const utString& label() const { return label_; }
  void set_label(const utString& label) { label_ = label; }
  const intcoSet& modifiers() const { return modifiers_; }
  // Adds every modifier of the set to those held.
  void add_modifier_set(const intcoSet& modifiers) { modifiers_ += modifiers; }
  const utString& datum_name() const { return datum_name_; }
  void set_datum_name(const utString& name) { datum_name_ = name; }

protected:
  // " label "A"", " modifiers 1 3" (ascending) when any, " datum "A"" when named.
  void print_values(std::ostream& out) const override;

private:
  utString label_ = utString("");
  intcoSet modifiers_;
  utString datum_name_;
};

// A tolerance value of a tolerance frame, with its modifiers.
class VOROUT_API gdtTolerance final : public gdtAttachedBase {
  ANN_ITEM_KIND(gdtTolerance)
public:
  ~gdtTolerance() override;
  double tolerance_value() const { return value_; }
  void set_tolerance_value(double value) { value_ = value; }
  const intcoSet& modifiers() const { return modifiers_; }
  void add_modifier_set(const intcoSet& modifiers) { modifiers_ += modifiers; }

protected:
  // " value v" when set, " modifiers 1 3" (ascending) when any.
  void print_values(std::ostream& out) const override;

private:
  double value_ = DBL_MAX;
  intcoSet modifiers_;
};

// The datum references of one compartment of a tolerance frame.
class VOROUT_API gdtReferenceBlock final : public gdtAttachedBase {
  ANN_ITEM_KIND(gdtReferenceBlock)
public:
  ~gdtReferenceBlock() override;
};

using gdtReferenceBlockannPtr = annPtr<gdtReferenceBlock>;

// A tolerance frame: its tolerances and the reference blocks of the datums
// it refers to, in order.
class VOROUT_API gdtToleranceSpec final : public gdtAttachedBase {
  ANN_ITEM_KIND(gdtToleranceSpec)
public:
  ~gdtToleranceSpec() override;
  // Nonzero when added; an invalid handle is refused.
  int add_reference_block(const gdtReferenceBlockannPtr& block);
  const coVariableArr<gdtReferenceBlockannPtr>& reference_blocks() const { return blocks_; }

protected:
  // " reference blocks "b1" "b2"" when any.
  void print_values(std::ostream& out) const override;

private:
  coVariableArr<gdtReferenceBlockannPtr> blocks_;
};

// A surface roughness symbol.
class VOROUT_API gdtRoughness final : public gdtAttachedBase {
  ANN_ITEM_KIND(gdtRoughness)
public:
  ~gdtRoughness() override;
  gdtRoughnessObtentionType obtention_type() const { return obtention_; }
  void set_obtention_type(gdtRoughnessObtentionType type) { obtention_ = type; }
  gdtRoughnessApplyTo apply_to() const { return apply_to_; }
  void set_apply_to(gdtRoughnessApplyTo apply_to) { apply_to_ = apply_to; }
  gdtRoughnessMode rough_mode() const { return mode_; }
  void set_rough_mode(gdtRoughnessMode mode) { mode_ = mode; }

protected:
  // " obtention N apply to N lay N", the enumerators' values.
  void print_values(std::ostream& out) const override;

private:
  gdtRoughnessObtentionType obtention_ = gdtROUGHNESS_ANY_PROCESS;
  gdtRoughnessApplyTo apply_to_ = gdtROUGHNESS_THIS_SURFACE;
  gdtRoughnessMode mode_ = gdtROUGHNESS_LAY_NONE;
};

// The base of geometric tolerances, also made on its own for a frame of no
// special kind.
class VOROUT_API gdtGeometricToleranceBase : public gdtAssociatedBase {
  ANN_ITEM_KIND(gdtGeometricToleranceBase)
public:
  ~gdtGeometricToleranceBase() override;
};

// A geometric tolerance: a frame with its tolerances and datum references.
class VOROUT_API gdtGeometricTolerance final : public gdtGeometricToleranceBase {
  ANN_ITEM_KIND(gdtGeometricTolerance)
public:
  ~gdtGeometricTolerance() override;
};

using gdtDatumannPtr = annPtr<gdtDatum>;
using gdtToleranceSpecannPtr = annPtr<gdtToleranceSpec>;

inline const stoClass* sto_class_gdtAttachedBase() {
  return gdtAttachedBase::sto_static_class();
}
inline const stoClass* sto_class_gdtDatum() {
  return gdtDatum::sto_static_class();
}
inline const stoClass* sto_class_gdtDatumTarget() {
  return gdtDatumTarget::sto_static_class();
}
inline const stoClass* sto_class_gdtDatumRef() {
  return gdtDatumRef::sto_static_class();
}
inline const stoClass* sto_class_gdtTolerance() {
  return gdtTolerance::sto_static_class();
}
inline const stoClass* sto_class_gdtReferenceBlock() {
  return gdtReferenceBlock::sto_static_class();
}
inline const stoClass* sto_class_gdtToleranceSpec() {
  return gdtToleranceSpec::sto_static_class();
}
inline const stoClass* sto_class_gdtRoughness() {
  return gdtRoughness::sto_static_class();
}
inline const stoClass* sto_class_gdtGeometricToleranceBase() {
  return gdtGeometricToleranceBase::sto_static_class();
}
inline const stoClass* sto_class_gdtGeometricTolerance() {
  return gdtGeometricTolerance::sto_static_class();
}
