// vorabsOutputOstreamTester.cpp - a message channel that keeps every message it is given.
#include "vorabsOutputOstreamTester.h"

#include <cstdio>

vorabsOutputOstreamTester::~vorabsOutputOstreamTester() = default;

void vorabsOutputOstreamTester::tprintf(const char*, const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  int written = std::vsnprintf(text, sizeof text, format ? format : "", args);
  va_end(args);
  strings_.emplace_back(written < 0 ? "" : text);
}

void vorabsOutputOstreamTester::vtprintf(const char*, const char*, va_list) {}

utString vorabsOutputOstreamTester::vtsprintf(const char*, const char*, va_list) {
  return utString("");
}
