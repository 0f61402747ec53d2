// kapVorabsConvertUTF.h - conversion between UTF-8, UTF-16 and UTF-32.
//
// A ConvertUTF converts whole buffers from one Unicode encoding form to
// another. Malformed input never stops a conversion: each bad sequence turns
// into one '?' and clears the exact flag, which was_exact() reports for the
// last conversion. UTF-16 units are wchar_t values of at most 0xFFFF, UTF-32
// units unsigned int, UTF-8 units bytes. The caller owns both buffers.
//
// Every conversion works in two modes. Given no destination (null or a
// capacity of 0) it counts the units the result needs, a terminating zero
// included. Given a destination it fills it, stops when it is full, and adds
// a terminating zero when there is room and the source did not end with one;
// the result is the number of units written. Counting, allocating that many
// units and filling them gives the whole text, zero-terminated.
#pragma once

#include "vorabs_export.h"

#include <cstddef>

namespace kapVorabs {

// Tags selecting the encoding form of read_code and store_code.
enum ConvertUTF8 { CONVERT_UTF8 };
enum ConvertUTF16 { CONVERT_UTF16 };

class VORABS_API ConvertUTF {
public:
  ConvertUTF() = default;

  // False when the last conversion replaced anything by '?'.
  bool was_exact() const { return exact_; }

  size_t utf8_to_utf16(const char* src, size_t src_len, wchar_t* dst, size_t dst_cap) const;
  size_t utf8_to_utf32(const char* src, size_t src_len, unsigned int* dst, size_t dst_cap) const;
  size_t utf16_to_utf8(const wchar_t* src, size_t src_len, char* dst, size_t dst_cap) const;
  size_t utf16_to_utf32(const wchar_t* src, size_t src_len, unsigned int* dst,
                        size_t dst_cap) const;
  // UTF-32 sources are taken as they are, one code per unit, without checks.
  size_t utf32_to_utf8(const unsigned int* src, size_t src_len, char* dst, size_t dst_cap) const;
  size_t utf32_to_utf16(const unsigned int* src, size_t src_len, wchar_t* dst,
                        size_t dst_cap) const;

protected:
  // Decodes one code at p and moves p past what it consumed; p < end.
  unsigned int read_code(ConvertUTF8, const char*& p, const char* end) const;
  unsigned int read_code(ConvertUTF16, const wchar_t*& p, const wchar_t* end) const;
  // Encodes code at *p and moves *p past it, answering the units stored;
  // stores a single '?' when the encoding does not fit before end. With p
  // null only answers the units the encoding needs.
  size_t store_code(ConvertUTF8, unsigned int code, char** p, const char* end) const;
  size_t store_code(ConvertUTF16, unsigned int code, wchar_t** p, const wchar_t* end) const;

  // (value >> shift) reduced to its low `bits` bits.
  static char charbits(unsigned int value, size_t shift, size_t bits);
  static wchar_t wcharbits(unsigned int value, size_t shift, size_t bits);

private:
  mutable bool exact_ = true;
};

} // namespace kapVorabs
