// vorabsAppInfo.cpp - the host application's information: search paths and file lookup.
#include "vorabsAppInfo.h"

#include <sys/stat.h>

vorabsAppInfo::vorabsAppInfo() = default;
vorabsAppInfo::~vorabsAppInfo() = default;

void vorabsAppInfo::set_schema_path(const utString& folder, const utString& path) {
  paths_.insert(folder, path);
}

utString vorabsAppInfo::schema_path(const utString& folder) const {
  const utString* path = paths_.find(folder);
  return path ? *path : utString("");
}

namespace {

int is_regular_file(const utString& file) {
  struct stat status;
  return stat(file.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

} // namespace

utString vorabsAppInfo::find_file_in_path(const utString& path, const utString& name) const {
  if (name.empty())
    return utString("");
  const char* text = path.c_str();
  size_t start = 0;
  for (;;) {
    size_t end = start;
    while (text[end] && text[end] != ':')
      ++end;
    if (end > start) {
      utString candidate(text + start, end - start);
      if (candidate[candidate.length() - 1] != '/')
        candidate += '/';
      candidate += name;
      if (is_regular_file(candidate))
        return candidate;
    }
    if (!text[end])
      break;
    start = end + 1;
  }
  return utString("");
}
