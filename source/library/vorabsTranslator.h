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

#include <memory>

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
  annNamedItemPtr last_annotation_item() const {
    return last_entry_ ? last_entry_->item() : annNamedItemPtr();
  }
  int num_usages() const { return num_usages_; }
  int num_properties() const { return properties_ ? properties_->num_properties() : 0; }
  // Entry index, 0 <= index < num_properties().
  kapPropertycoPrf property(int index) const {
    return properties_ ? properties_->read(index) : kapPropertycoPrf();
  }
  void add_property(const kapPropertycoPrf& property);

  const vorabsContext& context() const { return context_; }
  vorabsOutput* output() const { return output_; }
  vorabsOutput* error() const { return error_; }
  const giXform3& transform() const { return transform_.get(); }

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
  // Whether a re-used item goes to the sink: not when the incoming
  // attributes, completed by attributes(), mark the entity a child item.
  bool top_level_on_reuse(const vorabsAttributeSet& attributes) const;

  // A reader keeps one translator per source entity alive at once, so the
  // translator stays small: properties and a placement other than the
  // identity are held out of line, only when there are any, and the last
  // item is the memo entry it came from.
  vorabsContext context_;
  vorabsOutput* output_ = nullptr;
  vorabsOutput* error_ = nullptr;
  vorabsProcessedItemcoSet processed_items_;
  const vorabsProcessedItem* last_entry_ = nullptr; // in the memo; null: no last item
  int num_usages_ = 0;
  std::unique_ptr<kapPropertyPtrArray> properties_; // made with the first property
  vorabsStoredTransform transform_;
};

using vorabsTranslatorcoPrf = coPrf<vorabsTranslator>;
