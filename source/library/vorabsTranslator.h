// vorabsTranslator.h - the base of every translator: one source entity, translated on demand.
//
// A format library derives one translator per source entity kind and
// supplies attributes() and create_item(); process() does the rest: it
// remembers every vorabsSTATUS_OK and vorabsSTATUS_IGNORED outcome per
// transform, so that an entity reached again under an equal transform is not
// translated twice. The translator keeps a copy of the context, points at
// two message channels it does not own (both must be set before the first
// process call), and owns its memo, its user properties and its transform.
// Translators are shared through vorabsTranslatorcoPrf handles.
#pragma once

#include "vorabs_export.h"

#include "kapPropertyPtrArray.h"
#include "vorabsAttributeSet.h"
#include "vorabsContext.h"
#include "vorabsProcessedItem.h"
#include "vorabsTranslationStatus.h"

#include "ann/ann.h"
#include "co.h"
#include "gi.h"

class vorabsInterface;
class vorabsLibSink;
class vorabsOutput;

class VORABS_API vorabsTranslator {
public:
  explicit vorabsTranslator(const vorabsContext& context);
  vorabsTranslator(const vorabsTranslator&) = delete;
  vorabsTranslator& operator=(const vorabsTranslator&) = delete;

  // Translates the entity into the sink, or re-uses an earlier outcome.
  virtual vorabsTranslationStatus process(const vorabsAttributeSet& attributes,
                                          vorabsInterface& receiver, vorabsLibSink& sink);
  // Adds the attributes of the entity to set.
  virtual void attributes(vorabsAttributeSet& set) const = 0;
  // previous receives the current transform; transform becomes current.
  virtual void set_transform(const giXform3& transform, giXform3& previous);
  // Nonzero when transforms that do not preserve shape are accepted.
  virtual int non_spts_supported() const;
  // This translator and all it holds.
  virtual int num_translators() const;
  // The translator being processed now: compounds descend to a child.
  virtual vorabsTranslator* current_translator();
  virtual void set_output(vorabsOutput* output);
  virtual void set_error(vorabsOutput* error);
  virtual ~vorabsTranslator();

  // The item of the last process call; invalid unless it ended vorabsSTATUS_OK.
  annNamedItemPtr last_annotation_item() const { return last_item_; }
  int num_usages() const { return num_usages_; }
  int num_properties() const { return properties_.num_properties(); }
  kapPropertycoPrf property(int index) const { return properties_.read(index); }
  void add_property(const kapPropertycoPrf& property) { properties_.add_property(property); }

  const vorabsContext& context() const { return context_; }
  vorabsOutput* output() const { return output_; }
  vorabsOutput* error() const { return error_; }
  const giXform3& transform() const { return transform_; }

protected:
  // Makes the entity under transform and sends it to the sink.
  virtual vorabsTranslationStatus create_item(const vorabsAttributeSet& attributes,
                                              const giXform3& transform, vorabsInterface& receiver,
                                              vorabsLibSink& sink) = 0;

  // Completes a copy of the incoming attributes: the entity's own
  // attributes, its name made unique by the live name manglers ("_" when it
  // has none) and, when it has any, a reference to its properties.
  void set_attributes(vorabsAttributeSet& set) const;
  // From the second use on, a "parent" attribute in set gets "_" and the
  // use count appended, so repeated placements stay apart.
  void add_parent_suffix(vorabsAttributeSet& set) const;
  // Marks the set with a kind key (a vorabsVoid value).
  static void mark_kind(vorabsAttributeSet& set, const vorabsAttributeKey& kind);

private:
  vorabsContext context_;
  vorabsOutput* output_ = nullptr;
  vorabsOutput* error_ = nullptr;
  vorabsProcessedItemcoSet processed_items_;
  annNamedItemPtr last_item_;
  int num_usages_ = 0;
  kapPropertyPtrArray properties_;
  giXform3 transform_;
};

using vorabsTranslatorcoPrf = coPrf<vorabsTranslator>;
