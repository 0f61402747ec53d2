// vorabsDrawingTranslator.h - the translator of a drawing sheet.
//
// A compound whose object is an annotation presentation registered with the
// document's model: its geometry children join the presentation, its views
// become sub-presentations and an environment child becomes its
// environment. The paper size and name are set when given. A format
// library derives from it and supplies the name mangler.
#pragma once

#include "vorabsCompoundTranslator.h"

#include "ann/annPresentation.h"

class VORABS_API vorabsDrawingTranslator : public vorabsCompoundTranslator {
public:
  explicit vorabsDrawingTranslator(const vorabsContext& context);
  ~vorabsDrawingTranslator() override;

  const utString& paper_name() const { return paper_name_; }
  void set_paper_name(const utString& name) { paper_name_ = name; }
  double paper_width() const { return paper_width_; }
  double paper_height() const { return paper_height_; }
  // Used only when both sides are above 0.
  void set_paper_size(double width, double height) {
    paper_width_ = width;
    paper_height_ = height;
  }

protected:
  annNamedItemPtr make_compound_object(const utString& name) override;
  void handle_spt_transform(const giXform3& transform, const utString& name) override;
  void add_geometry(const annGeometryItemannPtr& item) override;
  // A presentation (a view) joins as a sub-presentation; anything else is
  // taken as the drawing's environment.
  void add_named_item(const annNamedItemPtr& item) override;
  utString type_name() const override;
  void item_was_rejected() override;
  const stoClass* compound_object_type() const override;

private:
  annPresentationannPtr presentation_;
  double paper_width_ = -1.0;
  double paper_height_ = -1.0;
  utString paper_name_;
};
