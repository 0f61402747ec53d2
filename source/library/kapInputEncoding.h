// kapInputEncoding.h - the input-encoding option as a host string encoding.
//
// A kapInputEncoding decodes text in the encoding named by vorOptInputEncoding
// to native text and hands that to the host encoding it wraps, whose result
// it returns. It only converts inwards. The wrapped encoding is not owned: the
// caller keeps it alive as long as this object and deletes it afterwards.
#pragma once

#include "vorabs_export.h"

#include "ap.h"

class VORABS_API kapInputEncoding final : public apIStringEncoding {
public:
  explicit kapInputEncoding(const apIStringEncoding* wrapped);

  // Decodes the bytes of text up to its first NUL; a null wrapped encoding
  // gives status 1 and no string.
  apString in(const char* text, int& status) const override;
  // Converting outwards is not offered: status 1 and an empty string.
  utString out(const apString& text, int& status) const override;
  ~kapInputEncoding() override;

private:
  const apIStringEncoding* wrapped_;
};
