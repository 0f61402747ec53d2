// vorabsLibSinkTesterEx.h - a recording sink that also builds annotation in a document.
//
// Every geometric entity is recorded as by vorabsLibSinkTester, checked
// through the unit-test reporter, and then made into an annotation item of
// its kind in the document, dressed in the entity's attributes (surface,
// face and solid items hold the surface or topology they show). Items that
// arrive between two prepare_for_new_geometry() calls are gathered: the
// second one starts a new group holding both, and later ones join it. The
// document is the caller's and may be null (then nothing is built); the
// items belong to the document, the tester keeps handles to the current
// geometry item and the current annotation.
#pragma once

#include "vorabsLibSinkTester.h"

#include "ann/ann.h"

class VORABS_API vorabsLibSinkTesterEx : public vorabsLibSinkTester {
public:
  explicit vorabsLibSinkTesterEx(annDocument* document) : document_(document) {}
  ~vorabsLibSinkTesterEx() override;

  vorabsTranslationStatus topology(const topTopologyPtr& topology,
                                   const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus curve3(const velCurvePtr3& curve,
                                 const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus surface(const velSurfPtr& surface,
                                  const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus point3(const giPoint3& point,
                                 const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus triblock(const giTriBlock& block,
                                   const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus workplane3(const giWorkplane3& workplane,
                                     const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus body(const aqtIBodycoPrf& body,
                               const vorabsAttributeSet& attributes) override;
  // Counts the item; a geometry item is gathered like a built one, any
  // other becomes the current annotation.
  vorabsTranslationStatus annotation(const annNamedItemPtr& item,
                                     const vorabsAttributeSet& attributes) override;
  annNamedItemPtr current_annotation() override { return current_annotation_; }
  // Every compound kind is supported.
  int supported(const vorabsAttributeSet& attributes) const override;

  // Ends the current gathering: both current handles become invalid.
  void prepare_for_new_geometry();
  int number_of_annotations() const { return number_of_annotations_; }
  annDocument* document() const { return document_; }

protected:
  // Dresses the item and gathers it with the items since the last
  // prepare_for_new_geometry().
  void handle_geometry(const annGeometryItemannPtr& item, const vorabsAttributeSet& attributes);
  // Gives the item the level, styles, display name ... of the attributes.
  void set_style(const annGeometryItemannPtr& item, const vorabsAttributeSet& attributes);
  // The vorabsNAME string, or "unknown".
  utString name(const vorabsAttributeSet& attributes) const;
  // 1 when the entity is not the child of a compound being built.
  int top_level_item(const vorabsAttributeSet& attributes) const;
  // 1 when nothing is to be built: no document, or annotation is being
  // converted.
  int converting_annotation(const vorabsAttributeSet& attributes) const;

private:
  annDocument* document_;
  annGeometryItemannPtr current_geometry_;
  annNamedItemPtr current_annotation_;
  int number_of_annotations_ = 0;
};
