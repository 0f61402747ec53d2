// ap.h - the host's string-encoding interface: application strings and encodings.
//
// apString is the host application's own text, held here as native narrow
// text in a utString (null when it holds nothing). apIStringEncoding converts
// between outside bytes and application strings: `in` takes a NUL-terminated
// text and makes an application string, `out` turns one back into bytes.
// Both report through status: 0 on success, nonzero when the conversion could
// not be made (1: the encoding does not convert in that direction). An
// encoding never owns the strings it is given; callers own what it returns.
#pragma once

#include "ut.h"
#include "vorout_export.h"

class VOROUT_API apString {
public:
  apString() = default;
  explicit apString(const utString& text) : text_(text) {}

  const utString& text() const { return text_; }
  // Nonzero when the string holds no text at all.
  int invalid() const { return text_.is_null(); }

private:
  utString text_;
};

class VOROUT_API apIStringEncoding {
public:
  virtual apString in(const char* text, int& status) const = 0;
  virtual utString out(const apString& text, int& status) const = 0;
  virtual ~apIStringEncoding();
};

// The host's plain encoding: text passes unchanged in both directions.
class VOROUT_API apNativeStringEncoding final : public apIStringEncoding {
public:
  apString in(const char* text, int& status) const override;
  utString out(const apString& text, int& status) const override;
  ~apNativeStringEncoding() override;
};
