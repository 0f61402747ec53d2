// vorabsVersion.cpp - the version of the framework library, set by the build.
#include "vorabsVersion.h"

const char* vorabs_version() {
  return VORABS_VERSION_TEXT;
}
