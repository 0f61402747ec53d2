// dxfAnnotationTranslators.h - the translators of DXF texts, hatches, dimensions and leaders.
//
// TEXT, MTEXT, ATTRIB and ATTDEF are texts, a HATCH a
// fill area whose first outer path bounds it and whose other paths are its
// islands. A DIMENSION is a dimension group of its kind (rotated and aligned
// ones a plain dimension group) whose child is the translator of its
// anonymous block; a LEADER or MULTILEADER an annotation group of its parts
// (dxfLeaders.h). Each translator refers to its entity record inside the shared
// dxfTables, which it keeps alive.
#pragma once

#include "dxfTranslators.h"

#include "vorabsAngularDimensionTranslator.h"
#include "vorabsDefaultNameMangler.h"
#include "vorabsDiametricDimensionTranslator.h"
#include "vorabsFillAreaTranslator.h"
#include "vorabsOrdinateDimensionTranslator.h"
#include "vorabsRadialDimensionTranslator.h"
#include "vorabsTextTranslator.h"

#include <utility>

// TEXT, ATTRIB, ATTDEF and MTEXT (a MULTILEADER's text is an MTEXT part). The width is the
// width factor (41, default 1) of a TEXT or ATTRIB and the reference
// rectangle width (41, 0 when absent) of an MTEXT. The frame's origin is
// the text's anchor (the alignment point of an aligned TEXT, the attachment
// point of an MTEXT); how the text sits on it, and whether it is a
// paragraph, are the translator's text-layout properties (dxfTextLayout.h).
// A text without characters (once formatting is read) draws nothing and is
// ignored. An ATTDEF
// (made only where it stands in a space) shows its tag.
class dxfTextEntityTranslator final : public dxfLeafTranslator<vorabsTextTranslator> {
public:
  dxfTextEntityTranslator(const vorabsContext& context, dxfTablesPtr tables,
                          const dxfEntity& entity, const dxfLook& look);
  ~dxfTextEntityTranslator() override;

protected:
  vorabsTranslationStatus create_annotation(const vorabsAttributeSet& attributes,
                                            const giXform3& transform,
                                            annGeometryItemannPtr& item) override;
  utString text_string() override;
  void font_details(double& height, utString& font_name) override;
  void font_details_ex(kapFontInformation& information) const override;
  double text_width() override;
  void text_workplane(giWorkplane3& workplane) override;

private:
  const dxfStyle* style() const;
  int mtext() const;
  // The font height: the entity's, else its style's.
  double height() const;
  utString decoded() const;

  utString text_; // the characters while the text is made
};

// HATCH, its boundaries in its object coordinate system; the translator
// carries them into the world by placing the fill area there.
class dxfHatchEntityTranslator final : public dxfLeafTranslator<vorabsFillAreaTranslator> {
public:
  using dxfLeafTranslator::dxfLeafTranslator;
  ~dxfHatchEntityTranslator() override;

protected:
  vorabsTranslationStatus create_item(const vorabsAttributeSet& attributes,
                                      const giXform3& transform, vorabsInterface& receiver,
                                      vorabsLibSink& sink) override;
  int num_inner_boundaries() override;
  void inner_boundary(velCurvePtr2& curve, int index, vorabsAttributeSet& attributes) override;
  void outer_boundary(velCurvePtr2& curve, vorabsAttributeSet& attributes) override;
  void complete_fill_area(annFillAreaannPtr& fill_area) override;

private:
  // The paths other than the outer one, in file order.
  const dxfHatchPath* inner_path(int index) const;
};

// A DIMENSION, LEADER or MULTILEADER: a group translator of the framework
// (Base) that carries the entity's name, layer and look.
template <class Base> class dxfAnnotationGroupTranslator final : public Base {
public:
  template <class... Args>
  dxfAnnotationGroupTranslator(dxfTablesPtr tables, const dxfEntity& entity, const dxfLook& look,
                               Args&&... base_arguments)
      : Base(std::forward<Args>(base_arguments)...), tables_(std::move(tables)), entity_(&entity),
        look_(look) {}
  void attributes(vorabsAttributeSet& set) const override {
    Base::attributes(set);
    tables_->add_attributes(*entity_, look_, set);
  }

protected:
  vorabsNameMangler* create_name_mangler(utPtrRelease) const override {
    return new vorabsDefaultNameMangler(dxfTables::entity_name(*entity_));
  }

private:
  dxfTablesPtr tables_;
  const dxfEntity* entity_;
  dxfLook look_;
};

// The defining point of a DIMENSION of kind radial, diameter, angular or
// ordinate (dxf_dimension_kind), in world coordinates: the centre of a
// radius or diameter, the vertex of an angle, the origin of an ordinate;
// radius becomes the radius of an angle's arc. Unset for other kinds.
giPoint3 dxf_dimension_point(const dxfEntity& dimension, double& radius);
