// ap.cpp - the host's string-encoding interface.
#include "ap.h"

apIStringEncoding::~apIStringEncoding() = default;

apString apNativeStringEncoding::in(const char* text, int& status) const {
  status = 0;
  return apString(utString(text ? text : ""));
}

utString apNativeStringEncoding::out(const apString& text, int& status) const {
  status = 0;
  return text.text();
}

apNativeStringEncoding::~apNativeStringEncoding() = default;
