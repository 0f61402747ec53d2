// vorabsGdtDatumTranslator.h - a GD&T datum: its label and the geometry it is set on.
//
// The compound object is a gdtDatum group made in the context's document
// and labelled. Children are sorted by where their items go: those added as
// associated-geometry translators give the geometry the datum is set on,
// those added as attached-annotation translators the notes attached to it,
// and those added with add_translator plain members of the group. A child
// added both ways counts as associated geometry. The sets only point at
// children that the compound shares; the document owns the group. Format
// libraries supply attributes and create_name_mangler.
#pragma once

#include "vorabs_export.h"

#include "vorabsGroupTranslator.h"

class VORABS_API vorabsGdtDatumTranslator : public vorabsGroupTranslator {
public:
  vorabsGdtDatumTranslator(const utString& label, const giXform3& transform,
                           const vorabsContext& context);
  ~vorabsGdtDatumTranslator() override;

  // Each adds a child (as add_translator does) and notes where its items go.
  void add_associated_geometry_translator(const vorabsTranslatorcoPrf& translator);
  void add_attached_annotation_translator(const vorabsTranslatorcoPrf& translator);

  const utString& label() const { return label_; }

protected:
  annNamedItemPtr make_compound_object(const utString& name) override;
  // Routes the item by the child in hand (current_translator()).
  void add_geometry(const annGeometryItemannPtr& item) override;
  // "gdt_datum".
  utString type_name() const override;

private:
  utString label_;
  vorabsTranslatorcoPointerSet associated_;
  vorabsTranslatorcoPointerSet attached_;
};
