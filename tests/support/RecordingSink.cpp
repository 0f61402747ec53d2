// RecordingSink.cpp - a sink that records every call it receives.
#include "RecordingSink.h"

#include "vorabsAttributePtr.h"

vorabsTranslationStatus RecordingSink::record(const char* kind, const vorabsAttributeSet& set,
                                              const annNamedItemPtr& item) {
  calls.push_back(Call{kind, vorabsAttributeSet(utCopy, set), item});
  if (replies.empty())
    return reply;
  vorabsStatus next = replies.front();
  replies.pop_front();
  return next;
}

vorabsTranslationStatus RecordingSink::curve3(const velCurvePtr3&, const vorabsAttributeSet& set) {
  return record("curve3", set);
}
vorabsTranslationStatus RecordingSink::surface(const velSurfPtr&, const vorabsAttributeSet& set) {
  return record("surface", set);
}
vorabsTranslationStatus RecordingSink::topology(const topTopologyPtr&,
                                                const vorabsAttributeSet& set) {
  return record("topology", set);
}
vorabsTranslationStatus RecordingSink::workplane3(const giWorkplane3&,
                                                  const vorabsAttributeSet& set) {
  return record("workplane3", set);
}
vorabsTranslationStatus RecordingSink::point3(const giPoint3&, const vorabsAttributeSet& set) {
  return record("point3", set);
}
vorabsTranslationStatus RecordingSink::triblock(const giTriBlock&, const vorabsAttributeSet& set) {
  return record("triblock", set);
}
vorabsTranslationStatus RecordingSink::annotation(const annNamedItemPtr& item,
                                                  const vorabsAttributeSet& set) {
  return record("annotation", set, item);
}
vorabsTranslationStatus RecordingSink::body(const aqtIBodycoPrf&, const vorabsAttributeSet& set) {
  return record("body", set);
}

std::string RecordingSink::name(size_t i) const {
  vorabsNamevorabsAttributePtr name;
  return calls.at(i).attributes.get(vorabsNAME, name) ? name->string().c_str() : "";
}

std::string RecordingSink::text(size_t i, const vorabsAttributeKey& key) const {
  utStringvorabsAttributePtr value;
  return calls.at(i).attributes.get(key, value) ? (*value).c_str() : "<none>";
}

std::vector<std::string> RecordingSink::kinds() const {
  std::vector<std::string> result;
  for (const Call& call : calls)
    result.push_back(call.kind);
  return result;
}

vorabsTranslationStatus ItemSink::annotation(const annNamedItemPtr& item,
                                             const vorabsAttributeSet& set) {
  current = item;
  return RecordingSink::annotation(item, set);
}

int ItemSink::supported(const vorabsAttributeSet& set) const {
  ++num_supported_calls;
  probe = vorabsAttributeSet(utCopy, set);
  return support;
}
