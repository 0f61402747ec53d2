// vorabsGdtGtolBaseTranslator.h - a geometric tolerance of a kind chosen by class tag.
//
// The compound object is a group of the kind the class tag names (a
// geometric tolerance, or the base kind for a frame of no special kind),
// made in the context's document. Children are sorted by where their items
// go: those added as associated-geometry translators give the geometry the
// tolerance applies to, those added as attached-annotation translators the
// notes attached to it, and those added with add_translator plain members
// of the group. A child added both ways counts as associated geometry; a
// group of a kind that holds no associated geometry takes every item as a
// plain member. The sets only point at children that the compound shares;
// the document owns the group, the class tag is static. Format libraries
// supply attributes and create_name_mangler.
#pragma once

#include "vorabs_export.h"

#include "vorabsGroupTranslator.h"

class VORABS_API vorabsGdtGtolBaseTranslator : public vorabsGroupTranslator {
public:
  vorabsGdtGtolBaseTranslator(const stoClass* group_class, const giXform3& transform,
                              const vorabsContext& context);
  ~vorabsGdtGtolBaseTranslator() override;

  // Each adds a child (as add_translator does) and notes where its items go.
  void add_associated_geometry_translator(const vorabsTranslatorcoPrf& translator);
  void add_attached_annotation_translator(const vorabsTranslatorcoPrf& translator);

protected:
  // Routes the item by the child in hand (current_translator()).
  void add_geometry(const annGeometryItemannPtr& item) override;
  // "geometric tolerance".
  utString type_name() const override;

private:
  vorabsTranslatorcoPointerSet associated_;
  vorabsTranslatorcoPointerSet attached_;
};
