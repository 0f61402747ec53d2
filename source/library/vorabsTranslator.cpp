// vorabsTranslator.cpp - the base of every translator.
#include "vorabsTranslator.h"

#include "vorabsInterface.h"
#include "vorabsLibSink.h"
#include "vorabsNameMangler.h"

vorabsTranslator::vorabsTranslator(const vorabsContext& context)
    : context_(context), processed_items_(2, 50), properties_(context),
      transform_(giXformIdentity) {}

vorabsTranslator::~vorabsTranslator() = default;

vorabsTranslationStatus vorabsTranslator::process(const vorabsAttributeSet& attributes,
                                                  vorabsInterface& receiver, vorabsLibSink& sink) {
  vorabsTranslationStatus result(vorabsSTATUS_UNKNOWN);
  ++num_usages_;
  vorabsProcessedItem entry(transform_);
  if (const vorabsProcessedItem* stored = processed_items_.find(entry)) {
    entry = *stored;
    result = entry.status();
    receiver.increment_progress(num_translators() - 1);
    // Only a re-used item goes to the sink again, and not when the entity is
    // a child of a compound being built (its parent adds the item itself):
    // whether it is one shows in its attributes completed by the translator.
    if (result == vorabsSTATUS_OK) {
      vorabsAttributeSet own(utCopy, attributes);
      this->attributes(own);
      if (!own.member(vorabsCHILDITEM))
        sink.annotation(entry.item(), attributes);
    }
  } else {
    result = create_item(attributes, transform_, receiver, sink);
    entry.set_status(result);
    if (result == vorabsSTATUS_OK) {
      entry.set_item(sink.current_annotation());
      processed_items_.add(entry);
    } else if (result == vorabsSTATUS_IGNORED) {
      processed_items_.add(entry);
    } else if (result.can_be_repaired()) {
      --num_usages_; // a failed attempt is no use; it is tried again next time
    }
  }
  last_item_ = result == vorabsSTATUS_OK ? entry.item() : annNamedItemPtr();
  return result;
}

void vorabsTranslator::set_transform(const giXform3& transform, giXform3& previous) {
  previous = transform_;
  transform_ = transform;
}

int vorabsTranslator::non_spts_supported() const {
  return 0;
}

int vorabsTranslator::num_translators() const {
  return 1;
}

vorabsTranslator* vorabsTranslator::current_translator() {
  return this;
}

void vorabsTranslator::set_output(vorabsOutput* output) {
  output_ = output;
}

void vorabsTranslator::set_error(vorabsOutput* error) {
  error_ = error;
}

void vorabsTranslator::set_attributes(vorabsAttributeSet& set) const {
  attributes(set);
  vorabsNamevorabsAttributePtr name;
  utString text;
  if (set.get(vorabsNAME, name)) {
    text = name->string();
  } else {
    set.check_out(vorabsNAME, name);
    text = utString("_");
  }
  *name = vorabsName(vorabsNameMangler::mangle_name(text), 0);
  if (properties_.num_properties() > 0) {
    kapPropertiesvorabsAttributePtr properties;
    set.check_out(vorabsPROPERTIES, properties);
    // The set refers to the translator's own list; it does not copy it.
    *properties = kapProperties(utPtrExtern, const_cast<kapPropertyPtrArray*>(&properties_));
  }
}

void vorabsTranslator::mark_kind(vorabsAttributeSet& set, const vorabsAttributeKey& kind) {
  vorabsVoidvorabsAttributePtr marker;
  set.check_out(kind, marker);
}

void vorabsTranslator::add_parent_suffix(vorabsAttributeSet& set) const {
  utStringvorabsAttributePtr parent;
  if (num_usages_ > 1 && set.get(vorabsPARENT, parent))
    *parent = *parent + "_" << num_usages_;
}
