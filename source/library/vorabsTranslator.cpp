// vorabsTranslator.cpp - the base of every translator.
#include "vorabsTranslator.h"

#include "vorabsInterface.h"
#include "vorabsLibSink.h"
#include "vorabsNameMangler.h"

namespace {

// The set a re-use completes to look for vorabsCHILDITEM: one per thread,
// emptied after each use but kept, so that a re-use does not make and free
// a set's entry array each time. The state is plain data (no
// initialisation test per use, one look-up of the thread's copy); the owner
// is reached only to make the set. Busy while in use, in case attributes()
// itself leads to another re-use.
struct ProbeState {
  vorabsAttributeSet* set;
  bool busy;
};
thread_local ProbeState probe_state = {nullptr, false};

// Out of line so that the thread's copy is looked up once per re-use: the
// compiler would otherwise look it up again after every call.
[[gnu::noinline]] ProbeState& this_thread_probe() {
  return probe_state;
}

vorabsAttributeSet* make_probe_set() {
  static thread_local std::unique_ptr<vorabsAttributeSet> owner;
  owner = std::make_unique<vorabsAttributeSet>();
  return owner.get();
}

class ProbeUse {
public:
  explicit ProbeUse(ProbeState& state) : state_(state) {
    if (!state_.set)
      state_.set = make_probe_set();
    state_.busy = true;
  }
  ~ProbeUse() {
    state_.set->clear();
    state_.busy = false;
  }
  ProbeUse(const ProbeUse&) = delete;
  ProbeUse& operator=(const ProbeUse&) = delete;
  vorabsAttributeSet& set() const { return *state_.set; }

private:
  ProbeState& state_;
};

} // namespace

vorabsTranslator::vorabsTranslator(const vorabsContext& context)
    : context_(context), processed_items_(2, 50), transform_(giXformIdentity) {}

vorabsTranslator::~vorabsTranslator() = default;

vorabsTranslationStatus vorabsTranslator::process(const vorabsAttributeSet& attributes,
                                                  vorabsInterface& receiver, vorabsLibSink& sink) {
  vorabsTranslationStatus result(vorabsSTATUS_UNKNOWN);
  ++num_usages_;
  if (const vorabsProcessedItem* stored = processed_items_.find_key(transform_)) {
    result = stored->status();
    receiver.increment_progress(num_translators() - 1);
    if (result == vorabsSTATUS_OK && top_level_on_reuse(attributes))
      sink.annotation(stored->item(), attributes);
    last_entry_ = result == vorabsSTATUS_OK ? stored : nullptr;
    return result;
  }
  vorabsProcessedItem entry(transform_); // keyed by the transform create_item receives
  result = create_item(attributes, transform_.get(), receiver, sink);
  entry.set_status(result);
  last_entry_ = nullptr;
  if (result == vorabsSTATUS_OK) {
    entry.set_item(sink.current_annotation());
    bool added = false;
    last_entry_ = processed_items_.insert(entry, added);
  } else if (result == vorabsSTATUS_IGNORED) {
    processed_items_.add(entry);
  } else if (result.can_be_repaired()) {
    --num_usages_; // a failed attempt is no use; it is tried again next time
  }
  return result;
}

bool vorabsTranslator::top_level_on_reuse(const vorabsAttributeSet& attributes) const {
  // attributes() only adds to a set: a mark the caller gave stays whatever
  // it adds, so the completed copy need not be made.
  if (attributes.member(vorabsCHILDITEM))
    return false;
  ProbeState& state = this_thread_probe();
  if (state.busy) {
    vorabsAttributeSet own(utCopy, attributes);
    this->attributes(own);
    return !own.member(vorabsCHILDITEM);
  }
  ProbeUse use(state);
  if (attributes.num_attributes() > 0)
    use.set().merge(attributes);
  this->attributes(use.set());
  return !use.set().member(vorabsCHILDITEM);
}

void vorabsTranslator::set_transform(const giXform3& transform, giXform3& previous) {
  previous = transform_.get();
  transform_.assign(transform);
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

void vorabsTranslator::add_property(const kapPropertycoPrf& property) {
  if (!properties_)
    properties_ = std::make_unique<kapPropertyPtrArray>(context_);
  properties_->add_property(property);
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
  if (num_properties() > 0) {
    kapPropertiesvorabsAttributePtr properties;
    set.check_out(vorabsPROPERTIES, properties);
    // The set refers to the translator's own list; it does not copy it.
    *properties = kapProperties(utPtrExtern, properties_.get());
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
