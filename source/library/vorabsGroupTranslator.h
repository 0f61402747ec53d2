// vorabsGroupTranslator.h - the compound translator whose object is an annotation group.
//
// The group is made in the context's document, of the kind the group class
// names (the plain group, a component file, a dimension, a tolerance ...),
// and placed by a shape-preserving transform item when the compound keeps
// its placement. A rejected compound removes its group from the document
// again, so that no empty or partial group remains. The document owns the
// group; the translator keeps a handle to it until it is rejected. The
// group class is a static class tag, never owned, and may be null (then no
// group can be made). Format libraries supply create_name_mangler.
#pragma once

#include "vorabs_export.h"

#include "vorabsCompoundTranslator.h"

#include "ann/ann.h"

class VORABS_API vorabsGroupTranslator : public vorabsCompoundTranslator {
public:
  vorabsGroupTranslator(const stoClass* group_class, const giXform3& own_transform,
                        const vorabsContext& context);
  ~vorabsGroupTranslator() override;

  // The compound's attributes, without the structure marker when the
  // group's kind is no structure.
  void attributes(vorabsAttributeSet& set) const override;

  // The display name given to the next group made; empty for none.
  utString group_name() const { return group_name_; }
  void set_group_name(const utString& name) { group_name_ = name; }
  // The group made by the last loop that built one; invalid before and
  // after a rejection.
  const annGroupannPtr& group() const { return group_; }
  // Nonzero when the annotation model says that this kind of group is a
  // structure: its members make one object to be kept whole.
  virtual int is_structure() const;

protected:
  annNamedItemPtr make_compound_object(const utString& name) override;
  void handle_spt_transform(const giXform3& transform, const utString& name) override;
  void add_geometry(const annGeometryItemannPtr& item) override;
  utString type_name() const override;
  void item_was_rejected() override;
  const stoClass* compound_object_type() const override;
  // For kinds that make their group themselves: the group the loop adds
  // to, places and rejects.
  void set_group(const annGroupannPtr& group) { group_ = group; }

private:
  annGroupannPtr group_;
  const stoClass* group_class_;
  utString group_name_;
};
