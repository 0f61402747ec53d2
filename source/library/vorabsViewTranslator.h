// vorabsViewTranslator.h - the translator of a view on a drawing sheet.
//
// A compound whose object is an annotation view, placed by the view's own
// transform (a shape-preserving transform item, or a general one when the
// placement does not preserve shape) and bounded by its box. Views are
// translated only when the host's receiver asks for them (its attributes
// hold vorabsPROCESSVIEWS); otherwise the view and everything in it is
// skipped with a message.
#pragma once

#include "vorabsCompoundTranslator.h"

#include "ann/annPresentation.h"

class VORABS_API vorabsViewTranslator : public vorabsCompoundTranslator {
public:
  vorabsViewTranslator(const giBox3& box, const giXform3& own_transform,
                       const vorabsContext& context);
  ~vorabsViewTranslator() override;

  annViewannPtr get_view() const { return view_; }
  const giBox3& box() const { return box_; }

protected:
  vorabsTranslationStatus create_item(const vorabsAttributeSet& attributes,
                                      const giXform3& transform, vorabsInterface& receiver,
                                      vorabsLibSink& sink) override;
  annNamedItemPtr make_compound_object(const utString& name) override;
  // The view carries its placement in its transform item.
  void handle_spt_transform(const giXform3& transform, const utString& name) override;
  void add_geometry(const annGeometryItemannPtr& item) override;
  utString type_name() const override;
  void item_was_rejected() override;
  const stoClass* compound_object_type() const override;

private:
  giBox3 box_;
  annViewannPtr view_;
};
