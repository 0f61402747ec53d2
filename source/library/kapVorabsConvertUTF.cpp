// kapVorabsConvertUTF.cpp - conversion between UTF-8, UTF-16 and UTF-32.
#include "kapVorabsConvertUTF.h"

#include <cstdint>
#include <cstring>

namespace kapVorabs {
namespace {

constexpr unsigned int REPLACEMENT = 0x3F; // '?'

inline unsigned int byte_at(const char* p) {
  return static_cast<unsigned char>(*p);
}
inline bool is_continuation(const char* p) {
  return (byte_at(p) & 0xC0) == 0x80;
}

inline unsigned int low_bits(unsigned int value, size_t shift, size_t bits) {
  if (shift >= 32)
    return 0;
  value >>= shift;
  return bits >= 32 ? value : value & ((1u << bits) - 1);
}

// --- decoding: each advances p past what it consumed; p < end ----------------

inline unsigned int decode_utf8(const char*& p, const char* end, bool& exact) {
  unsigned int lead = byte_at(p++);
  if (lead < 0x80)
    return lead;
  if (lead < 0xC0 || lead >= 0xF8) {
    // A continuation byte where a character should start, or no lead byte at
    // all: the whole run of continuation bytes is one bad sequence.
    exact = false;
    while (p < end && is_continuation(p))
      ++p;
    return REPLACEMENT;
  }
  size_t count;
  unsigned int value;
  unsigned int minimum;
  if (lead < 0xE0) {
    count = 1;
    value = lead & 0x1F;
    minimum = 0x80;
  } else if (lead < 0xF0) {
    count = 2;
    value = lead & 0x0F;
    minimum = 0x800;
  } else {
    count = 3;
    value = lead & 0x07;
    minimum = 0x10000;
  }
  for (size_t i = 0; i < count; ++i) {
    if (p == end || !is_continuation(p)) {
      exact = false; // the byte that broke the sequence starts the next one
      return REPLACEMENT;
    }
    value = value << 6 | (byte_at(p++) & 0x3F);
  }
  if (value < minimum || (value >= 0xD800 && value <= 0xDFFF) || value >= 0x110000) {
    exact = false;
    return REPLACEMENT;
  }
  return value;
}

inline bool is_high_surrogate(unsigned int unit) {
  return unit - 0xD800 < 0x400;
}
inline bool is_low_surrogate(unsigned int unit) {
  return unit - 0xDC00 < 0x400;
}

inline unsigned int decode_utf16(const wchar_t*& p, const wchar_t* end, bool& exact) {
  unsigned int unit = static_cast<unsigned int>(*p++);
  if (unit - 0xD800 >= 0x800) {
    if (unit <= 0xFFFF)
      return unit;
    exact = false; // wider than any 16-bit unit
    return REPLACEMENT;
  }
  if (is_high_surrogate(unit)) {
    if (p == end || !is_low_surrogate(static_cast<unsigned int>(*p))) {
      exact = false; // the unit after it is decoded afresh
      return REPLACEMENT;
    }
    unsigned int low = static_cast<unsigned int>(*p++);
    return 0x10000 + ((unit - 0xD800) << 10) + (low & 0x3FF);
  }
  exact = false; // a low surrogate with no high one before it
  while (p < end && is_low_surrogate(static_cast<unsigned int>(*p)))
    ++p;
  return REPLACEMENT;
}

// --- encoding ---------------------------------------------------------------

inline size_t utf8_length(unsigned int code) {
  return code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
}
inline size_t utf16_length(unsigned int code) {
  return code < 0x10000 ? 1 : 2;
}

inline char utf8_byte(unsigned int marker, unsigned int code, size_t shift, size_t bits) {
  return static_cast<char>(marker | low_bits(code, shift, bits));
}

// Stores code at q (q < end), or a single '?' when it does not fit.
inline void encode_utf8(unsigned int code, char*& q, const char* end, bool& exact) {
  size_t length = utf8_length(code);
  if (static_cast<size_t>(end - q) < length) {
    exact = false;
    *q++ = static_cast<char>(REPLACEMENT);
    return;
  }
  switch (length) {
  case 1:
    *q++ = static_cast<char>(code);
    break;
  case 2:
    q[0] = utf8_byte(0xC0, code, 6, 5);
    q[1] = utf8_byte(0x80, code, 0, 6);
    q += 2;
    break;
  case 3:
    q[0] = utf8_byte(0xE0, code, 12, 4);
    q[1] = utf8_byte(0x80, code, 6, 6);
    q[2] = utf8_byte(0x80, code, 0, 6);
    q += 3;
    break;
  default:
    q[0] = utf8_byte(0xF0, code, 18, 3);
    q[1] = utf8_byte(0x80, code, 12, 6);
    q[2] = utf8_byte(0x80, code, 6, 6);
    q[3] = utf8_byte(0x80, code, 0, 6);
    q += 4;
    break;
  }
}

inline void encode_utf16(unsigned int code, wchar_t*& q, const wchar_t* end, bool& exact) {
  if (code < 0x10000) {
    *q++ = static_cast<wchar_t>(code);
    return;
  }
  if (end - q < 2) {
    exact = false;
    *q++ = static_cast<wchar_t>(REPLACEMENT);
    return;
  }
  unsigned int offset = code - 0x10000;
  q[0] = static_cast<wchar_t>(0xD800 | low_bits(offset, 10, 10));
  q[1] = static_cast<wchar_t>(0xDC00 | low_bits(offset, 0, 10));
  q += 2;
}

// --- the encoding forms, as seen by the conversion loop ---------------------

struct utf8_form {
  using unit = char;
  static unsigned int read(const char*& p, const char* end, bool& exact) {
    return decode_utf8(p, end, exact);
  }
  static size_t length(unsigned int code) { return utf8_length(code); }
  static void store(unsigned int code, char*& q, const char* end, bool& exact) {
    encode_utf8(code, q, end, exact);
  }
};

struct utf16_form {
  using unit = wchar_t;
  static unsigned int read(const wchar_t*& p, const wchar_t* end, bool& exact) {
    return decode_utf16(p, end, exact);
  }
  static size_t length(unsigned int code) { return utf16_length(code); }
  static void store(unsigned int code, wchar_t*& q, const wchar_t* end, bool& exact) {
    encode_utf16(code, q, end, exact);
  }
};

struct utf32_form {
  using unit = unsigned int;
  static unsigned int read(const unsigned int*& p, const unsigned int*, bool&) { return *p++; }
  static size_t length(unsigned int) { return 1; }
  static void store(unsigned int code, unsigned int*& q, const unsigned int*, bool&) {
    *q++ = code;
  }
};

// --- ASCII runs ---------------------------------------------------------------
// Text is mostly ASCII, and an ASCII unit is the same code in every form. A
// block of BLOCK units that are all below 0x80 is copied unit by unit without
// decoding; anything else takes the exact path one code at a time, so the
// results are the same either way.

constexpr size_t BLOCK = 16;

inline bool ascii_block(const char* p) {
  uint64_t words[2];
  std::memcpy(words, p, sizeof words);
  return ((words[0] | words[1]) & UINT64_C(0x8080808080808080)) == 0;
}

template <class Unit> inline bool ascii_block(const Unit* p) {
  uint32_t any = 0;
  for (size_t i = 0; i < BLOCK; ++i)
    any |= static_cast<uint32_t>(p[i]);
  return (any & ~uint32_t(0x7F)) == 0;
}

template <class From, class To> struct ascii_runs {
  static constexpr bool enabled =
      (sizeof(typename From::unit) == 1) != (sizeof(typename To::unit) == 1);
};

template <class Out, class In> inline void copy_block(Out* q, const In* p) {
  for (size_t i = 0; i < BLOCK; ++i)
    q[i] = static_cast<Out>(p[i]);
}

template <class From, class To>
size_t convert(const typename From::unit* src, size_t src_len, typename To::unit* dst,
               size_t dst_cap, bool& exact) {
  using in_unit = typename From::unit;
  using out_unit = typename To::unit;
  exact = true;
  if (src == nullptr)
    src_len = 0;
  const in_unit* p = src;
  const in_unit* end = src + src_len;
  unsigned int last = 1; // no code decoded yet: an empty source is terminated

  if (dst == nullptr || dst_cap == 0) {
    size_t total = 0;
    while (p < end) {
      if constexpr (ascii_runs<From, To>::enabled) {
        if (static_cast<size_t>(end - p) >= BLOCK && ascii_block(p)) {
          p += BLOCK;
          total += BLOCK;
          last = static_cast<unsigned int>(p[-1]);
          continue;
        }
      }
      last = From::read(p, end, exact);
      total += To::length(last);
    }
    return last == 0 ? total : total + 1;
  }

  out_unit* q = dst;
  const out_unit* q_end = dst + dst_cap;
  while (p < end && q < q_end) {
    if constexpr (ascii_runs<From, To>::enabled) {
      if (static_cast<size_t>(end - p) >= BLOCK && static_cast<size_t>(q_end - q) >= BLOCK &&
          ascii_block(p)) {
        copy_block(q, p);
        p += BLOCK;
        q += BLOCK;
        last = static_cast<unsigned int>(p[-1]);
        continue;
      }
    }
    last = From::read(p, end, exact);
    To::store(last, q, q_end, exact);
  }
  size_t written = static_cast<size_t>(q - dst);
  if (last == 0 || q == q_end)
    return written;
  *q = 0;
  return written + 1;
}

} // namespace

size_t ConvertUTF::utf8_to_utf16(const char* src, size_t src_len, wchar_t* dst,
                                 size_t dst_cap) const {
  bool exact;
  size_t result = convert<utf8_form, utf16_form>(src, src_len, dst, dst_cap, exact);
  exact_ = exact;
  return result;
}

size_t ConvertUTF::utf8_to_utf32(const char* src, size_t src_len, unsigned int* dst,
                                 size_t dst_cap) const {
  bool exact;
  size_t result = convert<utf8_form, utf32_form>(src, src_len, dst, dst_cap, exact);
  exact_ = exact;
  return result;
}

size_t ConvertUTF::utf16_to_utf8(const wchar_t* src, size_t src_len, char* dst,
                                 size_t dst_cap) const {
  bool exact;
  size_t result = convert<utf16_form, utf8_form>(src, src_len, dst, dst_cap, exact);
  exact_ = exact;
  return result;
}

size_t ConvertUTF::utf16_to_utf32(const wchar_t* src, size_t src_len, unsigned int* dst,
                                  size_t dst_cap) const {
  bool exact;
  size_t result = convert<utf16_form, utf32_form>(src, src_len, dst, dst_cap, exact);
  exact_ = exact;
  return result;
}

size_t ConvertUTF::utf32_to_utf8(const unsigned int* src, size_t src_len, char* dst,
                                 size_t dst_cap) const {
  bool exact;
  size_t result = convert<utf32_form, utf8_form>(src, src_len, dst, dst_cap, exact);
  exact_ = exact;
  return result;
}

size_t ConvertUTF::utf32_to_utf16(const unsigned int* src, size_t src_len, wchar_t* dst,
                                  size_t dst_cap) const {
  bool exact;
  size_t result = convert<utf32_form, utf16_form>(src, src_len, dst, dst_cap, exact);
  exact_ = exact;
  return result;
}

unsigned int ConvertUTF::read_code(ConvertUTF8, const char*& p, const char* end) const {
  bool exact = true;
  unsigned int code = decode_utf8(p, end, exact);
  if (!exact)
    exact_ = false;
  return code;
}

unsigned int ConvertUTF::read_code(ConvertUTF16, const wchar_t*& p, const wchar_t* end) const {
  bool exact = true;
  unsigned int code = decode_utf16(p, end, exact);
  if (!exact)
    exact_ = false;
  return code;
}

size_t ConvertUTF::store_code(ConvertUTF8, unsigned int code, char** p, const char* end) const {
  if (p == nullptr)
    return utf8_length(code);
  if (*p >= end) { // not even room for the '?'
    exact_ = false;
    return 0;
  }
  char* start = *p;
  bool exact = true;
  encode_utf8(code, *p, end, exact);
  if (!exact)
    exact_ = false;
  return static_cast<size_t>(*p - start);
}

size_t ConvertUTF::store_code(ConvertUTF16, unsigned int code, wchar_t** p,
                              const wchar_t* end) const {
  if (p == nullptr)
    return utf16_length(code);
  if (*p >= end) {
    exact_ = false;
    return 0;
  }
  wchar_t* start = *p;
  bool exact = true;
  encode_utf16(code, *p, end, exact);
  if (!exact)
    exact_ = false;
  return static_cast<size_t>(*p - start);
}

char ConvertUTF::charbits(unsigned int value, size_t shift, size_t bits) {
  return static_cast<char>(low_bits(value, shift, bits));
}

wchar_t ConvertUTF::wcharbits(unsigned int value, size_t shift, size_t bits) {
  return static_cast<wchar_t>(low_bits(value, shift, bits));
}

} // namespace kapVorabs
