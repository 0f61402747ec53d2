// vorabsProxy.cpp - the store proxy through which the host finds schema files.
#include "vorabsProxy.h"

#include "vorabsAppInfo.h"

vorabsProxy::vorabsProxy(const vorabsAppInfo* info, const utString& schema_folder,
                         std::ostream* stream)
    : stoProxy(stream), info_(info), missing_schemas_(4, 50), schema_folder_(schema_folder) {}

vorabsProxy::vorabsProxy(const vorabsAppInfo* info, std::ostream* stream)
    : vorabsProxy(info, utString("yav"), stream) {}

vorabsProxy::~vorabsProxy() = default;

utString vorabsProxy::find_schema_file(const utString& name) const {
  utString found("");
  if (info_)
    found = info_->find_file_in_path(info_->schema_path(schema_folder_), name);
  if (found.empty())
    missing_schemas_.add(name);
  return found;
}

utStringcoSetcoIterator vorabsProxy::missing_schema_iterator() const {
  return utStringcoSetcoIterator(missing_schemas_);
}
