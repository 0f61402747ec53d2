// kapVorabsConvertUTF.cpp - conversion between UTF-8, UTF-16 and UTF-32.
#include "kapVorabsConvertUTF.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// --- fast paths ---------------------------------------------------------------
// Most text is runs of ASCII, of short Latin sequences or of CJK characters.
// UTF-8 to 32-bit units and back are read a block at a time: a block whose
// bytes or units are all of one easy kind is converted without the per-code
// checks, and anything else in it goes through the exact per-code path, so
// the results are the same either way. Blocks are only taken when both the
// source and the destination have room for the whole block, and nothing is
// left behind past the units a conversion produces.

template <class Unit> constexpr bool is_wide_unit() {
  return sizeof(Unit) == 4;
}

// Exactly one step of the per-code path, with well-formed 1-, 2- and 3-byte
// sequences decoded inline.
template <class To>
inline void quick_utf8_code(const char*& p, const char* end, typename To::unit*& q,
                            const typename To::unit* q_end, unsigned int& last, bool& exact) {
  using out_unit = typename To::unit;
  unsigned int lead = byte_at(p);
  if (lead < 0x80) {
    *q++ = static_cast<out_unit>(lead);
    ++p;
    last = lead;
    return;
  }
  ptrdiff_t left = end - p;
  if ((lead & 0xF0) == 0xE0) {
    if (left >= 3 && is_continuation(p + 1) && is_continuation(p + 2)) {
      unsigned int code =
          (lead & 0x0F) << 12 | (byte_at(p + 1) & 0x3F) << 6 | (byte_at(p + 2) & 0x3F);
      if (code >= 0x800 && code - 0xD800 >= 0x800) {
        *q++ = static_cast<out_unit>(code);
        p += 3;
        last = code;
        return;
      }
    }
  } else if ((lead & 0xE0) == 0xC0 && lead >= 0xC2 && left >= 2 && is_continuation(p + 1)) {
    unsigned int code = (lead & 0x1F) << 6 | (byte_at(p + 1) & 0x3F);
    *q++ = static_cast<out_unit>(code);
    p += 2;
    last = code;
    return;
  }
  last = decode_utf8(p, end, exact);
  To::store(last, q, q_end, exact);
}

#if defined(__SSE2__)

constexpr size_t BLOCK = 16;

// Widens 16 ASCII bytes to 32-bit units.
template <class Out> inline void widen_ascii(__m128i bytes, Out* q) {
  const __m128i zero = _mm_setzero_si128();
  __m128i low = _mm_unpacklo_epi8(bytes, zero);
  __m128i high = _mm_unpackhi_epi8(bytes, zero);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(q), _mm_unpacklo_epi16(low, zero));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(q + 4), _mm_unpackhi_epi16(low, zero));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(q + 8), _mm_unpacklo_epi16(high, zero));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(q + 12), _mm_unpackhi_epi16(high, zero));
}

// Decodes a block of 16 bytes made of ASCII and well-formed two-byte
// sequences (15 bytes when the last byte starts a sequence); answers false,
// touching nothing, for any other block. high is the mask of bytes >= 0x80.
template <class Out>
inline bool decode_pairs_block(__m128i bytes, unsigned int high, const char*& p, Out*& q,
                               unsigned int& last) {
  // As signed bytes, continuations are -128..-65 and the leads C2..DF -62..-33.
  __m128i continuation = _mm_cmplt_epi8(bytes, _mm_set1_epi8(-64));
  __m128i lead = _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8(-63)),
                               _mm_cmplt_epi8(bytes, _mm_set1_epi8(-32)));
  unsigned int follows = static_cast<unsigned int>(_mm_movemask_epi8(continuation));
  unsigned int leads = static_cast<unsigned int>(_mm_movemask_epi8(lead));
  if ((follows | leads) != high || ((leads << 1) & 0xFFFF) != follows)
    return false;
  unsigned int cut = leads >> 15; // its continuation lies in the next block
  unsigned int keep = ~follows & (0xFFFFu >> cut);

  const __m128i zero = _mm_setzero_si128();
  __m128i next = _mm_srli_si128(bytes, 1);
  alignas(16) uint16_t codes[16];
  for (int half = 0; half < 2; ++half) {
    __m128i own = half ? _mm_unpackhi_epi8(bytes, zero) : _mm_unpacklo_epi8(bytes, zero);
    __m128i after = half ? _mm_unpackhi_epi8(next, zero) : _mm_unpacklo_epi8(next, zero);
    __m128i is_lead = half ? _mm_unpackhi_epi8(lead, lead) : _mm_unpacklo_epi8(lead, lead);
    __m128i pair = _mm_or_si128(_mm_slli_epi16(_mm_and_si128(own, _mm_set1_epi16(0x1F)), 6),
                                _mm_and_si128(after, _mm_set1_epi16(0x3F)));
    __m128i code = _mm_or_si128(_mm_and_si128(is_lead, pair), _mm_andnot_si128(is_lead, own));
    _mm_store_si128(reinterpret_cast<__m128i*>(codes + 8 * half), code);
  }
  // One code per character. A continuation position stores its value where
  // the next character goes, so the next store covers it; after the last one
  // of the block it is covered by the next code or by the terminator, which
  // always has room here because the block leaves at least one unit free.
  size_t k = 0;
  for (unsigned int i = 0; i < 16 - cut; ++i) {
    q[k] = static_cast<Out>(codes[i]);
    k += keep >> i & 1;
  }
  last = codes[31 - __builtin_clz(keep)];
  p += 16 - cut;
  q += k;
  return true;
}

// Decodes five well-formed three-byte sequences that fill the first 15 bytes
// of a block; answers false, touching nothing, for any other block.
template <class Out>
inline bool decode_triples_block(__m128i bytes, const char*& p, Out*& q, unsigned int& last) {
  __m128i lead = _mm_cmpeq_epi8(_mm_and_si128(bytes, _mm_set1_epi8(static_cast<char>(0xF0))),
                                _mm_set1_epi8(static_cast<char>(0xE0)));
  __m128i continuation = _mm_cmplt_epi8(bytes, _mm_set1_epi8(-64));
  if ((_mm_movemask_epi8(lead) & 0x7FFF) != 0x1249 ||
      (_mm_movemask_epi8(continuation) & 0x7FFF) != 0x6DB6)
    return false;
  // Overlong (E0 then below A0) or a surrogate (ED then A0 and above).
  __m128i second = _mm_srli_si128(bytes, 1);
  __m128i low_second = _mm_cmplt_epi8(second, _mm_set1_epi8(-96));
  __m128i e0 = _mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(0xE0)));
  __m128i ed = _mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(0xED)));
  __m128i bad = _mm_or_si128(_mm_and_si128(e0, low_second), _mm_andnot_si128(low_second, ed));
  if ((_mm_movemask_epi8(bad) & 0x7FFF) != 0)
    return false;
  // The code each position would start, in 16-bit lanes; the leads' are kept.
  const __m128i zero = _mm_setzero_si128();
  const __m128i low6 = _mm_set1_epi16(0x3F);
  __m128i third = _mm_srli_si128(bytes, 2);
  __m128i halves[2];
  for (int half = 0; half < 2; ++half) {
    __m128i b0 = half ? _mm_unpackhi_epi8(bytes, zero) : _mm_unpacklo_epi8(bytes, zero);
    __m128i b1 = half ? _mm_unpackhi_epi8(second, zero) : _mm_unpacklo_epi8(second, zero);
    __m128i b2 = half ? _mm_unpackhi_epi8(third, zero) : _mm_unpacklo_epi8(third, zero);
    halves[half] = _mm_or_si128(
        _mm_or_si128(_mm_slli_epi16(b0, 12), _mm_slli_epi16(_mm_and_si128(b1, low6), 6)),
        _mm_and_si128(b2, low6));
  }
  unsigned int codes[5] = {static_cast<unsigned int>(_mm_extract_epi16(halves[0], 0)),
                           static_cast<unsigned int>(_mm_extract_epi16(halves[0], 3)),
                           static_cast<unsigned int>(_mm_extract_epi16(halves[0], 6)),
                           static_cast<unsigned int>(_mm_extract_epi16(halves[1], 1)),
                           static_cast<unsigned int>(_mm_extract_epi16(halves[1], 4))};
  for (int j = 0; j < 5; ++j)
    q[j] = static_cast<Out>(codes[j]);
  p += 15;
  q += 5;
  last = codes[4];
  return true;
}

// The units of a block classed by the longest UTF-8 form any of them needs:
// 1, 2 or 3, or 0 when one is a surrogate or above 0xFFFF.
template <class Unit> inline int block_class(const Unit* p) {
  __m128i v[4];
  __m128i any = _mm_setzero_si128();
  __m128i odd = _mm_setzero_si128();
  for (int i = 0; i < 4; ++i) {
    v[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 4 * i));
    any = _mm_or_si128(any, v[i]);
    // A surrogate has its bits 11 to 15 equal to 11011.
    __m128i surrogate =
        _mm_cmpeq_epi32(_mm_and_si128(v[i], _mm_set1_epi32(0xF800)), _mm_set1_epi32(0xD800));
    odd = _mm_or_si128(odd, surrogate);
  }
  auto none = [](__m128i bits) {
    return _mm_movemask_epi8(_mm_cmpeq_epi32(bits, _mm_setzero_si128())) == 0xFFFF;
  };
  if (none(_mm_and_si128(any, _mm_set1_epi32(~0x7F))))
    return 1;
  if (none(_mm_and_si128(any, _mm_set1_epi32(~0x7FF))))
    return 2;
  if (none(_mm_and_si128(any, _mm_set1_epi32(~0xFFFF))) && _mm_movemask_epi8(odd) == 0)
    return 3;
  return 0;
}

// Encodes 16 BMP codes outside the surrogates without branching on their
// lengths: the encoded bytes and lengths of all of them are worked out side by
// side, then each code is stored as a whole 4-byte word whose spare bytes the
// next code overwrites. The 3 bytes after the block, which the last word may
// cover, are put back as they were. The destination has room for 3 bytes per
// code plus 3.
template <class Unit> inline void encode_utf8_block(const Unit* p, char*& q) {
  alignas(16) uint32_t words[16];
  alignas(16) uint32_t lengths[16];
  const __m128i low6 = _mm_set1_epi32(0x3F);
  const __m128i follow = _mm_set1_epi32(0x80);
  __m128i total = _mm_setzero_si128();
  for (int i = 0; i < 4; ++i) {
    __m128i code = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 4 * i));
    __m128i last6 = _mm_slli_epi32(_mm_or_si128(_mm_and_si128(code, low6), follow), 8);
    __m128i two = _mm_or_si128(_mm_or_si128(_mm_srli_epi32(code, 6), _mm_set1_epi32(0xC0)), last6);
    __m128i middle6 = _mm_or_si128(_mm_and_si128(_mm_srli_epi32(code, 6), low6), follow);
    __m128i three =
        _mm_or_si128(_mm_or_si128(_mm_srli_epi32(code, 12), _mm_set1_epi32(0xE0)),
                     _mm_or_si128(_mm_slli_epi32(middle6, 8), _mm_slli_epi32(last6, 8)));
    __m128i wide = _mm_cmpgt_epi32(code, _mm_set1_epi32(0x7F));
    __m128i wider = _mm_cmpgt_epi32(code, _mm_set1_epi32(0x7FF));
    __m128i multi = _mm_or_si128(_mm_andnot_si128(wider, two), _mm_and_si128(wider, three));
    __m128i word = _mm_or_si128(_mm_andnot_si128(wide, code), _mm_and_si128(wide, multi));
    __m128i length = _mm_sub_epi32(_mm_sub_epi32(_mm_set1_epi32(1), wide), wider);
    total = _mm_add_epi32(total, length);
    _mm_store_si128(reinterpret_cast<__m128i*>(words + 4 * i), word);
    _mm_store_si128(reinterpret_cast<__m128i*>(lengths + 4 * i), length);
  }
  total = _mm_add_epi32(total, _mm_srli_si128(total, 8));
  total = _mm_add_epi32(total, _mm_srli_si128(total, 4));
  char* end = q + _mm_cvtsi128_si32(total);
  unsigned char after[3];
  std::memcpy(after, end, 3);
  for (int i = 0; i < 16; ++i) {
    std::memcpy(q, words + i, 4);
    q += lengths[i];
  }
  std::memcpy(end, after, 3);
}

// Narrows 16 ASCII units to bytes.
template <class Unit> inline void narrow_ascii(const Unit* p, char* q) {
  const __m128i* in = reinterpret_cast<const __m128i*>(p);
  __m128i low = _mm_packs_epi32(_mm_loadu_si128(in), _mm_loadu_si128(in + 1));
  __m128i high = _mm_packs_epi32(_mm_loadu_si128(in + 2), _mm_loadu_si128(in + 3));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(q), _mm_packus_epi16(low, high));
}

#else

constexpr size_t BLOCK = 16;

// Without SSE2 only ASCII blocks are taken, as 64-bit words.
inline bool ascii_bytes(const char* p) {
  uint64_t words[2];
  std::memcpy(words, p, sizeof words);
  return ((words[0] | words[1]) & UINT64_C(0x8080808080808080)) == 0;
}

template <class Unit> inline int block_class(const Unit* p) {
  uint32_t any = 0;
  for (size_t i = 0; i < BLOCK; ++i)
    any |= static_cast<uint32_t>(p[i]);
  return (any & ~uint32_t(0x7F)) == 0 ? 1 : 0;
}

#endif

// UTF-8 to 32-bit units (UTF-16 as stored here, or UTF-32).
template <class To>
inline void fill_from_utf8(const char*& p, const char* end, typename To::unit*& q,
                           const typename To::unit* q_end, unsigned int& last, bool& exact) {
  while (p < end && q < q_end) {
    if (static_cast<size_t>(end - p) >= BLOCK && static_cast<size_t>(q_end - q) >= BLOCK) {
#if defined(__SSE2__)
      __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      unsigned int high = static_cast<unsigned int>(_mm_movemask_epi8(bytes));
      if (high == 0) {
        widen_ascii(bytes, q);
        p += BLOCK;
        q += BLOCK;
        last = byte_at(p - 1);
        continue;
      }
      // The first byte tells which kind of block is likely.
      if ((byte_at(p) & 0xF0) == 0xE0 ? decode_triples_block(bytes, p, q, last)
                                      : decode_pairs_block(bytes, high, p, q, last))
        continue;
#else
      if (ascii_bytes(p)) {
        for (size_t i = 0; i < BLOCK; ++i)
          q[i] = static_cast<typename To::unit>(p[i]);
        p += BLOCK;
        q += BLOCK;
        last = byte_at(p - 1);
        continue;
      }
#endif
      // Longer or malformed sequences: this stretch goes code by code.
      const char* stop = p + BLOCK;
      while (p < stop && q < q_end)
        quick_utf8_code<To>(p, end, q, q_end, last, exact);
      continue;
    }
    quick_utf8_code<To>(p, end, q, q_end, last, exact);
  }
}

// 32-bit units (UTF-16 as stored here, or UTF-32) to UTF-8.
template <class From>
inline void fill_to_utf8(const typename From::unit*& p, const typename From::unit* end, char*& q,
                         const char* q_end, unsigned int& last, bool& exact) {
  while (p < end && q < q_end) {
    if (static_cast<size_t>(end - p) >= BLOCK && static_cast<size_t>(q_end - q) >= 3 * BLOCK + 3) {
      switch (block_class(p)) {
      case 1:
#if defined(__SSE2__)
        narrow_ascii(p, q);
#else
        for (size_t i = 0; i < BLOCK; ++i)
          q[i] = static_cast<char>(p[i]);
#endif
        q += BLOCK;
        break;
#if defined(__SSE2__)
      case 2:
      case 3:
        encode_utf8_block(p, q);
        break;
#endif
      default: {
        const typename From::unit* stop = p + BLOCK;
        while (p < stop && q < q_end) {
          last = From::read(p, end, exact);
          encode_utf8(last, q, q_end, exact);
        }
        continue;
      }
      }
      p += BLOCK;
      last = static_cast<unsigned int>(p[-1]);
      continue;
    }
    last = From::read(p, end, exact);
    encode_utf8(last, q, q_end, exact);
  }
}

template <class From, class To> struct fast_fill {
  static constexpr bool from_utf8 = std::is_same<From, utf8_form>::value &&
                                    !std::is_same<To, utf8_form>::value &&
                                    is_wide_unit<typename To::unit>();
  static constexpr bool to_utf8 = std::is_same<To, utf8_form>::value &&
                                  !std::is_same<From, utf8_form>::value &&
                                  is_wide_unit<typename From::unit>();
};

// Counting: an ASCII block of either side counts one unit per unit.
template <class From, class To> inline bool ascii_count_block(const typename From::unit* p) {
  if constexpr (fast_fill<From, To>::from_utf8) {
#if defined(__SSE2__)
    return _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))) == 0;
#else
    return ascii_bytes(p);
#endif
  } else if constexpr (fast_fill<From, To>::to_utf8) {
    return block_class(p) == 1;
  } else {
    (void)p;
    return false;
  }
}

template <class From, class To>
size_t convert(const typename From::unit* src, size_t src_len, typename To::unit* dst,
               size_t dst_cap, bool& exact) {
  using in_unit = typename From::unit;
  using out_unit = typename To::unit;
  constexpr bool counts_blocks = fast_fill<From, To>::from_utf8 || fast_fill<From, To>::to_utf8;
  exact = true;
  if (src == nullptr)
    src_len = 0;
  const in_unit* p = src;
  const in_unit* end = src + src_len;
  unsigned int last = 1; // no code decoded yet: an empty source is terminated

  if (dst == nullptr || dst_cap == 0) {
    size_t total = 0;
    while (p < end) {
      if constexpr (counts_blocks) {
        if (static_cast<size_t>(end - p) >= BLOCK && ascii_count_block<From, To>(p)) {
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
  if constexpr (fast_fill<From, To>::from_utf8) {
    fill_from_utf8<To>(p, end, q, q_end, last, exact);
  } else if constexpr (fast_fill<From, To>::to_utf8) {
    fill_to_utf8<From>(p, end, q, q_end, last, exact);
  } else {
    while (p < end && q < q_end) {
      last = From::read(p, end, exact);
      To::store(last, q, q_end, exact);
    }
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
