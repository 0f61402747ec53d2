// vorabsAppInfo.h - the host application's information: search paths and file lookup.
//
// The host fills in one search path per folder name (the folder a kind of
// file lives in, such as the schema folder) and hands the object to the
// endpoints and proxies, which only refer to it. A search path lists
// directories separated by ':'; empty entries are skipped (write "." for
// the current directory). Lookups ask the file system each time; nothing is cached.
#pragma once

#include "co.h"
#include "ut.h"
#include "vorout_export.h"

class VOROUT_API vorabsAppInfo {
public:
  vorabsAppInfo();
  vorabsAppInfo(const vorabsAppInfo&) = default;
  vorabsAppInfo& operator=(const vorabsAppInfo&) = default;
  virtual ~vorabsAppInfo();

  // Replaces the search path of folder.
  void set_schema_path(const utString& folder, const utString& path);
  // The search path of folder; an empty string when none was set.
  virtual utString schema_path(const utString& folder) const;
  // The full name (directory, '/', name) of the first regular file called
  // name in the directories of path, in path order; an empty string when
  // there is none or name is empty.
  virtual utString find_file_in_path(const utString& path, const utString& name) const;

private:
  coTable<utString, utString> paths_;
};
