// vorabsOutputOstreamTester.cpp - a message channel that keeps every message it is given.
#include "vorabsOutputOstreamTester.h"

#include <cstddef>
#include <cstdio>

namespace {

// The length of the first n bytes of text without a UTF-8 character that
// the cut at n left incomplete.
size_t whole_characters(const char* text, size_t n) {
  size_t lead = n;
  while (lead > 0 && n - lead < 3 && (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80)
    --lead;
  if (lead == 0)
    return n;
  const unsigned char first = static_cast<unsigned char>(text[lead - 1]);
  const size_t needed = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
  return n - (lead - 1) < needed ? lead - 1 : n;
}

} // namespace

vorabsOutputOstreamTester::~vorabsOutputOstreamTester() = default;

void vorabsOutputOstreamTester::tprintf(const char*, const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  int written = std::vsnprintf(text, sizeof text, format ? format : "", args);
  va_end(args);
  if (written < 0)
    text[0] = '\0';
  else if (size_t(written) >= sizeof text)
    text[whole_characters(text, sizeof text - 1)] = '\0';
  strings_.emplace_back(text);
}

void vorabsOutputOstreamTester::vtprintf(const char*, const char*, va_list) {}

utString vorabsOutputOstreamTester::vtsprintf(const char*, const char*, va_list) {
  return utString("");
}
