// CompoundHarness.h - fixtures for the compound and group translator tests.
//
// Events is one shared journal of what happened, in order: the receiver, the
// children and the spy compound write into it. The routing receiver has the
// translator the host walks process its current translator, as a host's
// endpoint would. Children are scripted translators that remember the
// transform they were made under and, on success, make a point item (or a
// style set) in the document and hand it to the sink. A CompoundScene holds
// one fresh set of all of these.
#pragma once

#include "RecordingChannel.h"
#include "RecordingSink.h"
#include "ScriptedTranslator.h"
#include "TestHelpers.h"
#include "vorabsCompoundTranslator.h"
#include "vorabsInterface.h"

#include <memory>
#include <string>
#include <vector>

using Events = std::vector<std::string>;
using Texts = std::vector<std::string>;

class RoutingReceiver : public vorabsInterface {
public:
  RoutingReceiver(Events& events, vorabsLibSink& sink)
      : vorabsInterface(0), events(&events), sink(&sink) {}
  void increment_progress(int) override {}
  vorabsTranslationStatus send_sub_object(const vorabsAttributeSet& attributes) override;
  void prepare_for_new_geometry() override { events->push_back("prepare_for_new_geometry"); }
  int converting_annotation() const override { return converting; }
  int translation_cancelled() const override { return 0; }

  Events* events;
  vorabsLibSink* sink;
  vorabsTranslator* top = nullptr; // the translator the host walks
  int converting = 0;
  std::vector<vorabsAttributeSet> sent;   // the attributes of every sub-object
  std::vector<vorabsTranslator*> reached; // the translator each one reached
};

class Child : public ScriptedTranslator {
public:
  Child(const vorabsContext& context, Events& events, const char* name, vorabsStatus outcome);

  std::vector<giXform3> made_under; // the transform of each create_item
  int named_item = 0;               // nonzero: make a style set, not a point item
  Events* events;

protected:
  vorabsTranslationStatus create_item(const vorabsAttributeSet& attributes,
                                      const giXform3& transform, vorabsInterface& receiver,
                                      vorabsLibSink& sink) override;
};

// A compound that journals every call of its derived-class operations and
// makes a point item as its compound object.
class SpyCompound : public vorabsCompoundTranslator {
public:
  SpyCompound(const vorabsContext& context, Events& events, const char* name,
              const giXform3& own = giXform3(giXformIdentity));
  void attributes(vorabsAttributeSet& set) const override;
  int non_spts_supported() const override { return accepts_non_spts; }

  int accepts_non_spts = 1;
  int make_object = 1;  // zero: make_compound_object answers an invalid item
  utString mangler_tag; // null: create_name_mangler answers null
  giXform3 spt;         // the transform handle_spt_transform was given
  std::vector<annNamedItemPtr> added;
  std::vector<vorabsTranslator*> in_hand; // current_translator() as each item was added

protected:
  annNamedItemPtr make_compound_object(const utString& name) override;
  void handle_spt_transform(const giXform3& transform, const utString& name) override;
  void add_geometry(const annGeometryItemannPtr& item) override;
  void add_named_item(const annNamedItemPtr& item) override;
  utString type_name() const override { return utString("group"); }
  void item_was_rejected() override { events->push_back("item_was_rejected"); }
  vorabsNameMangler* create_name_mangler(utPtrRelease release) const override;
  const stoClass* compound_object_type() const override { return sto_class_annGroup(); }

private:
  Events* events;
  utString name_;
};

struct CompoundScene {
  CompoundScene() : receiver(events, sink) { context.set_document(&document); }

  // Adds children answering outcomes (named c1, c2 ... across the scene),
  // gives the group both channels and makes it the translator walked.
  template <class Group>
  Group& with_children(std::shared_ptr<Group> group, const std::vector<vorabsStatus>& outcomes) {
    for (vorabsStatus outcome : outcomes) {
      std::string name = "c" + std::to_string(children.size() + 1);
      children.push_back(std::make_shared<Child>(context, events, name.c_str(), outcome));
      group->add_translator(vorabsTranslatorcoPrf(children.back()));
    }
    group->set_error(&error);
    group->set_output(&output);
    receiver.top = group.get();
    top = group;
    return *group;
  }
  // A spy compound G with children answering outcomes.
  SpyCompound& compound_of(const std::vector<vorabsStatus>& outcomes,
                           const giXform3& own = giXform3(giXformIdentity));
  vorabsStatus run(const vorabsAttributeSet& incoming = vorabsAttributeSet()) {
    return top->process(incoming, receiver, sink).status();
  }
  int count(const std::string& event) const;
  // The sink's annotation calls for a compound object (not for children).
  int compound_annotations() const;

  annDocument document;
  vorabsContext context;
  Events events;
  RecordingChannel output;
  RecordingChannel error;
  ItemSink sink;
  RoutingReceiver receiver;
  std::shared_ptr<vorabsTranslator> top;
  std::shared_ptr<SpyCompound> compound;
  std::vector<std::shared_ptr<Child>> children;
};
