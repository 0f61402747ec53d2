// vorabsOutput.cpp - the message channel of the language-support library.
#include "vorabsOutput.h"

#include <cstdio>
#include <ostream>
#include <vector>

utString vor_vformat(const char* format, va_list args) {
  if (!format)
    return utString("");
  char small[512];
  va_list copy;
  va_copy(copy, args);
  int needed = std::vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  if (needed < 0)
    return utString("");
  if (static_cast<size_t>(needed) < sizeof small)
    return utString(small, static_cast<size_t>(needed));
  std::vector<char> large(static_cast<size_t>(needed) + 1);
  va_copy(copy, args);
  std::vsnprintf(large.data(), large.size(), format, copy);
  va_end(copy);
  return utString(large.data(), static_cast<size_t>(needed));
}

void vorabsOutput::tprintf(const char* domain, const char* format, ...) {
  va_list args;
  va_start(args, format);
  vtprintf(domain, format, args);
  va_end(args);
}

utString vorabsOutput::vtsprintf(const char*, const char* format, va_list args) {
  return vor_vformat(format, args);
}

vorabsOutput::~vorabsOutput() = default;

vorabsOutputOstream::~vorabsOutputOstream() = default;

void vorabsOutputOstream::vtprintf(const char* domain, const char* format, va_list args) {
  utString text = vtsprintf(domain, format, args);
  stream_->write(text.c_str(), static_cast<std::streamsize>(text.length()));
  stream_->flush();
}
