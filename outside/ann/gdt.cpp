// gdt.cpp - geometric dimensioning and tolerancing (GD&T) items of the annotation model.
#include "gdt.h"

#include "annKind.h"

#include <algorithm>
#include <vector>

ANN_DEFINE_KIND(gdtAttachedBase, annGdtTolerance::sto_static_class(), nullptr)
ANN_DEFINE_KIND(gdtAssociatedBase, gdtAttachedBase::sto_static_class(), nullptr)
ANN_DEFINE_KIND(gdtDatum, gdtAssociatedBase::sto_static_class(), ANN_NEW_INSTANCE(gdtDatum))
ANN_DEFINE_KIND(gdtDatumTarget, gdtAttachedBase::sto_static_class(),
                ANN_NEW_INSTANCE(gdtDatumTarget))
ANN_DEFINE_KIND(gdtDatumRef, gdtAttachedBase::sto_static_class(), ANN_NEW_INSTANCE(gdtDatumRef))
ANN_DEFINE_KIND(gdtTolerance, gdtAttachedBase::sto_static_class(), ANN_NEW_INSTANCE(gdtTolerance))
ANN_DEFINE_KIND(gdtReferenceBlock, gdtAttachedBase::sto_static_class(),
                ANN_NEW_INSTANCE(gdtReferenceBlock))
ANN_DEFINE_KIND(gdtToleranceSpec, gdtAttachedBase::sto_static_class(),
                ANN_NEW_INSTANCE(gdtToleranceSpec))
ANN_DEFINE_KIND(gdtRoughness, gdtAttachedBase::sto_static_class(), ANN_NEW_INSTANCE(gdtRoughness))
ANN_DEFINE_KIND(gdtGeometricToleranceBase, gdtAssociatedBase::sto_static_class(),
                ANN_NEW_INSTANCE(gdtGeometricToleranceBase))
ANN_DEFINE_KIND(gdtGeometricTolerance, gdtGeometricToleranceBase::sto_static_class(),
                ANN_NEW_INSTANCE(gdtGeometricTolerance))

gdtAttachedBase::~gdtAttachedBase() = default;
gdtAssociatedBase::~gdtAssociatedBase() = default;
gdtDatum::~gdtDatum() = default;
gdtDatumTarget::~gdtDatumTarget() = default;
gdtDatumRef::~gdtDatumRef() = default;
gdtTolerance::~gdtTolerance() = default;
gdtReferenceBlock::~gdtReferenceBlock() = default;
gdtToleranceSpec::~gdtToleranceSpec() = default;
gdtRoughness::~gdtRoughness() = default;
gdtGeometricToleranceBase::~gdtGeometricToleranceBase() = default;
gdtGeometricTolerance::~gdtGeometricTolerance() = default;

namespace {

// " label "name1" "name2"" when there is any item.
template <class Items> void print_names(std::ostream& out, const char* label, const Items& items) {
  if (items.empty())
    return;
  out << ' ' << label;
  for (const auto& item : items) {
    out << ' ';
    ann_print_quoted(out, item.name());
  }
}

// " modifiers 1 3" in ascending order when there is any.
void print_modifiers(std::ostream& out, const intcoSet& modifiers) {
  if (modifiers.empty())
    return;
  std::vector<int> sorted(modifiers.begin(), modifiers.end());
  std::sort(sorted.begin(), sorted.end());
  out << " modifiers";
  for (int modifier : sorted)
    out << ' ' << modifier;
}

// " label "text"" when the text is not empty.
void print_text(std::ostream& out, const char* label, const utString& text) {
  if (text.empty())
    return;
  out << ' ' << label << ' ';
  ann_print_quoted(out, text);
}

const char* shape_name(gdtDatumTargetShape shape) {
  switch (shape) {
  case gdtDATUM_TARGET_LINE:
    return "line";
  case gdtDATUM_TARGET_CIRCLE:
    return "circle";
  case gdtDATUM_TARGET_RECTANGLE:
    return "rectangle";
  default:
    return "point";
  }
}

} // namespace

int gdtAttachedBase::add_attached_annotation(const annGeometryItemannPtr& item) {
  if (item.invalid())
    return 0;
  attached_.append(item);
  return 1;
}

void gdtAttachedBase::print_details(std::ostream& out) const {
  annGroup::print_details(out);
  print_values(out);
  print_names(out, "attached", attached_);
}

void gdtAttachedBase::print_values(std::ostream&) const {}

int gdtAssociatedBase::add_associated_geometry(const annGeometryItemannPtr& item) {
  if (item.invalid())
    return 0;
  associated_.append(item);
  return 1;
}

void gdtAssociatedBase::print_details(std::ostream& out) const {
  gdtAttachedBase::print_details(out);
  print_names(out, "associated", associated_);
}

void gdtDatum::print_values(std::ostream& out) const {
  print_text(out, "label", label_);
}

void gdtDatumTarget::print_values(std::ostream& out) const {
  print_text(out, "label", label_);
  out << " size " << shape_name(size_.shape());
  if (size_.shape() != gdtDATUM_TARGET_POINT) {
    out << ' ';
    ann_print(out, size_.width());
  }
  if (size_.shape() == gdtDATUM_TARGET_RECTANGLE) {
    out << ' ';
    ann_print(out, size_.height());
  }
  print_text(out, "datum", datum_name_);
}

void gdtDatumRef::print_values(std::ostream& out) const {
  print_text(out, "label", label_);
  print_modifiers(out, modifiers_);
  print_text(out, "datum", datum_name_);
}

void gdtTolerance::print_values(std::ostream& out) const {
  if (value_ != DBL_MAX) {
    out << " value ";
    ann_print(out, value_);
  }
  print_modifiers(out, modifiers_);
}

int gdtToleranceSpec::add_reference_block(const gdtReferenceBlockannPtr& block) {
  if (block.invalid())
    return 0;
  blocks_.append(block);
  return 1;
}

void gdtToleranceSpec::print_values(std::ostream& out) const {
  print_names(out, "reference blocks", blocks_);
}

void gdtRoughness::print_values(std::ostream& out) const {
  out << " obtention " << int(obtention_) << " apply to " << int(apply_to_) << " lay "
      << int(mode_);
}
