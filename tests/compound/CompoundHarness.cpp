// CompoundHarness.cpp - fixtures for the compound and group translator tests.
#include "CompoundHarness.h"

#include "vorabsDefaultNameMangler.h"

#include <algorithm>

vorabsTranslationStatus RoutingReceiver::send_sub_object(const vorabsAttributeSet& attributes) {
  events->push_back("send_sub_object");
  sent.emplace_back(utCopy, attributes);
  if (!top)
    return vorabsSTATUS_FAILED;
  reached.push_back(top->current_translator());
  return reached.back()->process(attributes, *this, *sink);
}

Child::Child(const vorabsContext& context, Events& events_, const char* name, vorabsStatus outcome)
    : ScriptedTranslator(context, outcome), events(&events_) {
  own_name = utString(name);
}

vorabsTranslationStatus Child::create_item(const vorabsAttributeSet& attributes,
                                           const giXform3& transform, vorabsInterface& receiver,
                                           vorabsLibSink& sink) {
  events->push_back("create_item " + std::string(own_name.c_str()));
  made_under.push_back(transform);
  vorabsTranslationStatus status =
      ScriptedTranslator::create_item(attributes, transform, receiver, sink);
  if (status != vorabsSTATUS_OK)
    return status;
  annDocument* document = context().document();
  utString name(completed_name().c_str());
  annNamedItemPtr item =
      named_item ? annNamedItemPtr(make_annStyleSet(document, name))
                 : annNamedItemPtr(make_annPointItem(document, giPoint3(0, 0, 0), name));
  return sink.annotation(item, completed);
}

SpyCompound::SpyCompound(const vorabsContext& context, Events& events_, const char* name,
                         const giXform3& own)
    : vorabsCompoundTranslator(context, own), events(&events_), name_(name) {}

void SpyCompound::attributes(vorabsAttributeSet& set) const {
  vorabsCompoundTranslator::attributes(set);
  put(set, vorabsNAME, vorabsName(name_, 0));
}

annNamedItemPtr SpyCompound::make_compound_object(const utString& name) {
  events->push_back("make_compound_object " + std::string(name.c_str()));
  if (!make_object)
    return annNamedItemPtr();
  return make_annPointItem(context().document(), giPoint3(0, 0, 0), name);
}

void SpyCompound::handle_spt_transform(const giXform3& transform, const utString& name) {
  events->push_back("handle_spt_transform " + std::string(name.c_str()));
  spt = transform;
}

void SpyCompound::add_geometry(const annGeometryItemannPtr& item) {
  events->push_back("add_geometry " + std::string(item.name().c_str()));
  added.push_back(item);
  in_hand.push_back(current_translator());
}

void SpyCompound::add_named_item(const annNamedItemPtr& item) {
  events->push_back("add_named_item " + std::string(item.name().c_str()));
  added.push_back(item);
  in_hand.push_back(current_translator());
}

vorabsNameMangler* SpyCompound::create_name_mangler(utPtrRelease release) const {
  events->push_back("create_name_mangler " + std::to_string(int(release)));
  return mangler_tag.is_null() ? nullptr : new vorabsDefaultNameMangler(mangler_tag);
}

SpyCompound& CompoundScene::compound_of(const std::vector<vorabsStatus>& outcomes,
                                        const giXform3& own) {
  compound = std::make_shared<SpyCompound>(context, events, "G", own);
  return with_children(compound, outcomes);
}

int CompoundScene::count(const std::string& event) const {
  return static_cast<int>(std::count(events.begin(), events.end(), event));
}

int CompoundScene::compound_annotations() const {
  int count = 0;
  for (const RecordingSink::Call& call : sink.calls)
    count += call.kind == "annotation" && call.attributes.member(vorabsPARENTITEM);
  return count;
}
