// vorabsVersion.h - the version of the framework library a program runs with.
//
// The text is the library's own (major.minor.patch), so that a host can
// say which library it found at run time, not only which it was built with.
#pragma once

#include "vorabs_export.h"

VORABS_API const char* vorabs_version();
