// vorabsCompoundTranslator.h - the translator of an entity made of other entities.
//
// A group, a drawing, a view, a component file, a dimension or a symbol is
// translated by sending each of its children through the host's receiver
// (so that the host sees every sub-object), counting what became of them,
// and either gathering their items into one compound annotation object or
// letting them stand on their own. A shape-preserving placement stays on the
// compound object; any other placement is pushed down into every child for
// the duration of the child's translation. What kind of object is made and
// how an item joins it is left to derived classes.
//
// The compound shares its children through vorabsTranslatorcoPrf handles;
// a child must receive its own children before it is added here, because
// num_translators() totals are taken when a translator is added. The
// channels are the host's; the compound hands them on to its children.
#pragma once

#include "vorabs_export.h"

#include "vorabsTranslator.h"
#include "vorabsTranslatorPtrArray.h"

#include "ann/ann.h"
#include "gi.h"
#include "ut.h"

class stoClass;
class vorabsNameMangler;

class VORABS_API vorabsCompoundTranslator : public vorabsTranslator {
public:
  vorabsCompoundTranslator(const vorabsContext& context, const giXform3& own_transform);
  ~vorabsCompoundTranslator() override;

  // Marks the entity as annotation (unless groups are exploded), a parent
  // item and a structure, and names the kind of its compound object.
  void attributes(vorabsAttributeSet& set) const override;
  int non_spts_supported() const override;
  // This translator, its children and everything they hold.
  int num_translators() const override;
  // While the children are processed, the child in hand (or its own
  // current descendant); otherwise this translator.
  vorabsTranslator* current_translator() override;
  // Store the channel and hand it to every child, in order.
  void set_output(vorabsOutput* output) override;
  void set_error(vorabsOutput* error) override;

  // Appends a child. An empty handle, or this translator itself, is not
  // added. A child added after the channels were set receives them too.
  void add_translator(const vorabsTranslatorcoPrf& translator);

  int num_top_level_translators() const { return translators_.num_top_level_translators(); }
  // The child at the 0-based position.
  vorabsTranslatorcoPrf translator(int position) const { return translators_.read(position); }
  const giXform3& own_transform() const { return own_transform_; }
  // 0 when idle; the 1-based position of the child in hand while looping.
  int current_index() const { return current_index_; }

protected:
  // The item loop: see the class comment.
  vorabsTranslationStatus create_item(const vorabsAttributeSet& attributes,
                                      const giXform3& transform, vorabsInterface& receiver,
                                      vorabsLibSink& sink) override;

  // Makes the compound annotation object, named name.
  virtual annNamedItemPtr make_compound_object(const utString& name) = 0;
  // Places the compound object by a shape-preserving transform; name comes
  // from spt_name.
  virtual void handle_spt_transform(const giXform3& transform, const utString& name) = 0;
  // Adds a child's geometry item to the compound object.
  virtual void add_geometry(const annGeometryItemannPtr& item) = 0;
  // Adds a child's item that is not a geometry item; ignored by default.
  virtual void add_named_item(const annNamedItemPtr& item);
  // The kind word of messages: "group", "drawing", ...
  virtual utString type_name() const = 0;
  // Undoes or marks the compound object after the compound was rejected.
  virtual void item_was_rejected() = 0;
  // A name mangler to keep installed while flattened children are
  // processed; may be null. release tells what the caller does with it (it
  // deletes it when asked with utPTR_RELEASE_DELETE).
  virtual vorabsNameMangler* create_name_mangler(utPtrRelease release) const = 0;
  // result := own, then incoming (own applied first).
  virtual void handle_conversion_transform(const giXform3& own, const giXform3& incoming,
                                           giXform3& result) const;
  // The annotation kind of the compound object.
  virtual const stoClass* compound_object_type() const = 0;
  // "<kind name> <name> transform".
  virtual utString spt_name(const utString& name) const;
  // Adds what every child must inherit; nothing by default.
  virtual void add_inherited_attributes(vorabsAttributeSet& set) const;

private:
  vorabsTranslatorPtrArray translators_;
  int current_index_ = 0;
  giXform3 own_transform_;
};
