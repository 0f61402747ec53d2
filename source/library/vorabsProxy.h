// vorabsProxy.h - the store proxy through which the host finds schema files.
//
// Looks schema files up along the schema search path that the application
// information gives for the proxy's schema folder, and records each name it
// could not find once, so that the host can report the missing schemas
// after loading. The application information and the report stream belong
// to the host and must outlive the proxy.
#pragma once

#include "vorabs_export.h"

#include "co.h"
#include "sto.h"
#include "ut.h"

#include <algorithm>
#include <vector>

class vorabsAppInfo;

using utStringcoSet = coSet<utString>;

// Walks a snapshot of a set of strings in byte order: operator++ steps to
// the next name and answers nonzero while there is one; current() is the
// name stepped to. Later changes to the set do not affect the walk.
class utStringcoSetcoIterator {
public:
  utStringcoSetcoIterator() = default;
  explicit utStringcoSetcoIterator(const utStringcoSet& set) : names_(set.begin(), set.end()) {
    std::sort(names_.begin(), names_.end(),
              [](const utString& a, const utString& b) { return a.compare(b) < 0; });
  }
  int operator++() { return ++next_ <= names_.size(); }
  const utString& current() const { return names_[next_ - 1]; }
  size_t size() const { return names_.size(); }

private:
  std::vector<utString> names_;
  size_t next_ = 0;
};

class VORABS_API vorabsProxy : public stoProxy {
public:
  vorabsProxy(const vorabsAppInfo* info, const utString& schema_folder, std::ostream* stream);
  // The schema folder is "yav".
  vorabsProxy(const vorabsAppInfo* info, std::ostream* stream);
  ~vorabsProxy() override;

  // The full name of the schema file found along the schema folder's search
  // path, or an empty string; a name not found is recorded once.
  utString find_schema_file(const utString& name) const override;
  // The names recorded as missing so far.
  utStringcoSetcoIterator missing_schema_iterator() const;
  const utString& schema_folder() const { return schema_folder_; }

private:
  const vorabsAppInfo* info_;
  mutable utStringcoSet missing_schemas_;
  utString schema_folder_;
};
