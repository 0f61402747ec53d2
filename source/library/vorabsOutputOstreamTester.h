// vorabsOutputOstreamTester.h - a message channel that keeps every message it is given.
//
// For checks: each tprintf is formatted and kept in order. A text longer
// than 1,023 bytes is cut there, or just before, so as not to split a UTF-8
// character. vtprintf keeps nothing and
// vtsprintf answers an empty string.
#pragma once

#include "vorabs_export.h"

#include "vorabsOutput.h"

#include <vector>

class VORABS_API vorabsOutputOstreamTester : public vorabsOutput {
public:
  vorabsOutputOstreamTester() = default;
  ~vorabsOutputOstreamTester() override;

  void tprintf(const char* domain, const char* format, ...) override
      __attribute__((format(printf, 3, 4)));
  void vtprintf(const char* domain, const char* format, va_list args) override;
  utString vtsprintf(const char* domain, const char* format, va_list args) override;

  int number_of_strings() const { return static_cast<int>(strings_.size()); }
  // The i-th captured text, 0-based.
  utString get_string(int i) const { return strings_[static_cast<size_t>(i)]; }
  void clear() { strings_.clear(); }

private:
  std::vector<utString> strings_;
};
