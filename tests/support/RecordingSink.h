// RecordingSink.h - sinks that record every call they receive and answer as a test tells them.
//
// Each entity call is kept in order with its kind ("curve3", "annotation",
// ...), a copy of its attribute set and, for annotation, the item. Entity
// calls answer the statuses queued in replies, then reply; current_annotation
// answers current. ItemSink also makes each annotation item it gets its
// current one and answers supported() as told.
#pragma once

#include "vorabsLibSink.h"

#include "ann/ann.h"

#include <deque>
#include <string>
#include <vector>

class RecordingSink : public vorabsLibSink {
public:
  struct Call {
    std::string kind;
    vorabsAttributeSet attributes;
    annNamedItemPtr item; // annotation calls only
  };

  RecordingSink() = default;
  explicit RecordingSink(const utString& category_name) : vorabsLibSink(category_name) {}

  const char* library_name() const override { return "recording"; }
  const char* option() const override { return "recording"; }
  int database_number() const override { return 0; }
  void add_file_types(intcoSet&) const override {}
  void add_extensions(utStringcoSet&) const override {}
  const char* file_filter() const override { return "Recorded (*)|*"; }
  const char* format_name() const override { return "recording"; }

  vorabsTranslationStatus curve3(const velCurvePtr3&, const vorabsAttributeSet& set) override;
  vorabsTranslationStatus surface(const velSurfPtr&, const vorabsAttributeSet& set) override;
  vorabsTranslationStatus topology(const topTopologyPtr&, const vorabsAttributeSet& set) override;
  vorabsTranslationStatus workplane3(const giWorkplane3&, const vorabsAttributeSet& set) override;
  vorabsTranslationStatus point3(const giPoint3&, const vorabsAttributeSet& set) override;
  vorabsTranslationStatus triblock(const giTriBlock&, const vorabsAttributeSet& set) override;
  vorabsTranslationStatus annotation(const annNamedItemPtr& item,
                                     const vorabsAttributeSet& set) override;
  vorabsTranslationStatus body(const aqtIBodycoPrf&, const vorabsAttributeSet& set) override;
  annNamedItemPtr current_annotation() override { return current; }

  // The vorabsNAME text of call i, or "" when it had none.
  std::string name(size_t i) const;
  // The utString value of key in call i, or "<none>".
  std::string text(size_t i, const vorabsAttributeKey& key) const;
  // The kinds of all calls, in order.
  std::vector<std::string> kinds() const;

  std::vector<Call> calls;
  std::deque<vorabsStatus> replies;
  vorabsStatus reply = vorabsSTATUS_OK;
  annNamedItemPtr current;

private:
  vorabsTranslationStatus record(const char* kind, const vorabsAttributeSet& set,
                                 const annNamedItemPtr& item = annNamedItemPtr());
};

class ItemSink : public RecordingSink {
public:
  vorabsTranslationStatus annotation(const annNamedItemPtr& item,
                                     const vorabsAttributeSet& set) override;
  int supported(const vorabsAttributeSet& set) const override;

  int support = 1;
  mutable int num_supported_calls = 0;
  mutable vorabsAttributeSet probe; // the set of the last supported() call
};
