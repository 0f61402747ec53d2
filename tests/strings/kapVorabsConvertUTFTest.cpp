// Tests of the UTF-8, UTF-16 and UTF-32 converter, against explicit cases and
// a reference model written for clarity, not speed.
#include "kapVorabsConvertUTF.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

using kapVorabs::ConvertUTF;

namespace {

using Units = std::vector<unsigned int>; // bytes, UTF-16 units or codes, whatever the form

struct Decoded {
  unsigned int code;
  bool bad;
};

std::vector<Decoded> reference_decode_utf8(const Units& in) {
  std::vector<Decoded> out;
  size_t i = 0;
  auto continuation = [&](size_t k) { return k < in.size() && (in[k] >> 6) == 2; };
  while (i < in.size()) {
    unsigned int b = in[i++];
    int extra = b < 0x80 ? 0 : b < 0xC0 ? -1 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : b < 0xF8 ? 3 : -1;
    if (extra == 0) {
      out.push_back({b, false});
    } else if (extra < 0) { // a stray or invalid byte swallows the continuations after it
      while (continuation(i))
        ++i;
      out.push_back({'?', true});
    } else {
      unsigned int value = b & (0x7Fu >> (extra + 1));
      bool complete = true;
      for (int k = 0; k < extra && complete; ++k)
        if ((complete = continuation(i)))
          value = (value << 6) | (in[i++] & 0x3Fu);
      const unsigned int smallest[] = {0, 0x80, 0x800, 0x10000};
      bool ok = complete && value >= smallest[extra] && !(value >= 0xD800 && value < 0xE000) &&
                value <= 0x10FFFF;
      out.push_back({ok ? value : '?', !ok});
    }
  }
  return out;
}

std::vector<Decoded> reference_decode_utf16(const Units& in) {
  std::vector<Decoded> out;
  size_t i = 0;
  auto low = [&](size_t k) { return k < in.size() && in[k] >= 0xDC00 && in[k] <= 0xDFFF; };
  while (i < in.size()) {
    unsigned int u = in[i++];
    if (u > 0xFFFF) {
      out.push_back({'?', true});
    } else if (u < 0xD800 || u > 0xDFFF) {
      out.push_back({u, false});
    } else if (u < 0xDC00) {
      if (low(i))
        out.push_back({0x10000 + ((u - 0xD800) << 10) + (in[i++] - 0xDC00), false});
      else
        out.push_back({'?', true});
    } else { // a run of low surrogates is one bad sequence
      while (low(i))
        ++i;
      out.push_back({'?', true});
    }
  }
  return out;
}

enum class Form { UTF8, UTF16, UTF32 };

Units reference_encode(unsigned int c, Form form) {
  if (form == Form::UTF32 || (form == Form::UTF16 && c < 0x10000) || c < 0x80)
    return {c};
  if (form == Form::UTF16)
    return {0xD800 + ((c - 0x10000) >> 10), 0xDC00 + ((c - 0x10000) & 0x3FF)};
  if (c < 0x800)
    return {0xC0 | (c >> 6), 0x80 | (c & 0x3F)};
  if (c < 0x10000)
    return {0xE0 | (c >> 12), 0x80 | ((c >> 6) & 0x3F), 0x80 | (c & 0x3F)};
  return {0xF0 | ((c >> 18) & 7), 0x80 | ((c >> 12) & 0x3F), 0x80 | ((c >> 6) & 0x3F),
          0x80 | (c & 0x3F)};
}

// What a conversion answered, the units it wrote, and its exact flag.
struct Outcome {
  size_t result;
  Units units;
  bool exact;
  bool operator==(const Outcome& o) const {
    return result == o.result && units == o.units && exact == o.exact;
  }
};

std::ostream& operator<<(std::ostream& out, const Outcome& o) {
  out << "result " << o.result << (o.exact ? " exact" : " not exact") << ", units" << std::hex;
  for (unsigned int u : o.units)
    out << ' ' << u;
  return out << std::dec;
}

// The reference conversion of the decoded codes with a capacity (0: counts).
Outcome reference_convert(const std::vector<Decoded>& codes, Form to, size_t capacity) {
  if (capacity == 0) {
    Outcome all = reference_convert(codes, to, SIZE_MAX);
    return {all.result, {}, all.exact};
  }
  Outcome e{0, {}, true};
  size_t next = 0;
  while (next < codes.size() && e.units.size() < capacity) {
    const Decoded& d = codes[next++];
    e.exact = e.exact && !d.bad;
    Units encoded = reference_encode(d.code, to);
    if (encoded.size() > capacity - e.units.size()) {
      e.units.push_back('?');
      e.exact = false;
    } else {
      e.units.insert(e.units.end(), encoded.begin(), encoded.end());
    }
  }
  if (!(next > 0 && codes[next - 1].code == 0) && e.units.size() < capacity)
    e.units.push_back(0);
  e.result = e.units.size();
  return e;
}

template <class In, class Out>
using Conversion = size_t (ConvertUTF::*)(const In*, size_t, Out*, size_t) const;

// Runs a conversion on exactly sized heap buffers, so that the sanitizer sees
// any access past either end. A unit changed past those written shows up as
// 0xBAD0000 plus its index.
template <class In, class Out>
Outcome run(const ConvertUTF& converter, Conversion<In, Out> fn, const Units& source,
            size_t capacity) {
  std::unique_ptr<In[]> in(new In[source.empty() ? 1 : source.size()]);
  for (size_t i = 0; i < source.size(); ++i)
    in[i] = static_cast<In>(source[i]);
  std::unique_ptr<Out[]> out(capacity ? new Out[capacity] : nullptr);
  const Out untouched = static_cast<Out>(0x5A);
  std::fill(out.get(), out.get() + capacity, untouched);
  Outcome o{
      (converter.*fn)(source.empty() ? nullptr : in.get(), source.size(), out.get(), capacity),
      {},
      false};
  for (size_t i = 0; i < o.result && i < capacity; ++i)
    o.units.push_back(static_cast<unsigned int>(static_cast<std::make_unsigned_t<Out>>(out[i])));
  for (size_t i = o.result; i < capacity; ++i)
    if (out[i] != untouched)
      o.units.push_back(0xBAD0000u + static_cast<unsigned int>(i));
  o.exact = converter.was_exact();
  return o;
}

// Counting, filling exactly, filling a random smaller and a larger
// destination all give what the reference gives.
template <class In, class Out>
::testing::AssertionResult like_reference(Conversion<In, Out> fn, const Units& source,
                                          const std::vector<Decoded>& codes, std::mt19937& random) {
  const Form to = sizeof(Out) == 1                    ? Form::UTF8
                  : std::is_same<Out, wchar_t>::value ? Form::UTF16
                                                      : Form::UTF32;
  ConvertUTF converter;
  size_t count = reference_convert(codes, to, 0).result;
  for (size_t capacity : {size_t(0), count, 1 + random() % count, count + 1 + random() % 60}) {
    Outcome got = run(converter, fn, source, capacity);
    Outcome expected = reference_convert(codes, to, capacity);
    if (!(got == expected))
      return ::testing::AssertionFailure()
             << "capacity " << capacity << ": got " << got << "; expected " << expected;
  }
  return ::testing::AssertionSuccess();
}

// All six conversions of one text, given in each form, match the reference.
::testing::AssertionResult all_like_reference(const Units& codes, const Units& bytes,
                                              const Units& units, std::mt19937& random) {
  std::vector<Decoded> from_bytes = reference_decode_utf8(bytes);
  std::vector<Decoded> from_units = reference_decode_utf16(units);
  std::vector<Decoded> from_codes;
  for (unsigned int code : codes)
    from_codes.push_back({code, false});
  for (auto result : {like_reference(&ConvertUTF::utf8_to_utf16, bytes, from_bytes, random),
                      like_reference(&ConvertUTF::utf8_to_utf32, bytes, from_bytes, random),
                      like_reference(&ConvertUTF::utf16_to_utf8, units, from_units, random),
                      like_reference(&ConvertUTF::utf16_to_utf32, units, from_units, random),
                      like_reference(&ConvertUTF::utf32_to_utf8, codes, from_codes, random),
                      like_reference(&ConvertUTF::utf32_to_utf16, codes, from_codes, random)})
    if (!result)
      return result;
  return ::testing::AssertionSuccess();
}

void append_encoded(unsigned int code, Units& bytes, Units& units) {
  for (unsigned int b : reference_encode(code, Form::UTF8))
    bytes.push_back(b);
  for (unsigned int u : reference_encode(code, Form::UTF16))
    units.push_back(u);
}

// Valid codes (no zeros) as runs of one kind: ASCII, two-byte, three-byte,
// beyond the BMP, so that the block paths of each kind come up.
Units random_runs(std::mt19937& random, size_t length) {
  const unsigned int ranges[][2] = {{1, 0x7F}, {0x80, 0x7FF}, {0x800, 0xFFFF}, {0x10000, 0x10FFFF}};
  Units codes;
  while (codes.size() < length) {
    const unsigned int* range = ranges[random() % 4];
    for (size_t i = 0, run = 1 + random() % 40; i < run; ++i) {
      unsigned int code = range[0] + random() % (range[1] - range[0] + 1);
      codes.push_back(code >= 0xD800 && code <= 0xDFFF ? code - 0x1000 : code);
    }
  }
  return codes;
}

} // namespace

TEST(ConvertUTFTest, DecodersReplaceEachBadSequenceOnce) {
  ConvertUTF converter;
  // Expected codes without the terminator; a '?' among them means not exact.
  auto check = [&](auto fn, const Units& source, Units codes) {
    bool exact = std::find(codes.begin(), codes.end(), unsigned('?')) == codes.end();
    codes.push_back(0);
    EXPECT_EQ(run(converter, fn, source, codes.size()), (Outcome{codes.size(), codes, exact}));
  };
  const struct {
    Units bytes, codes;
  } utf8[] = {
      {{0x41, 0x80, 0x42}, {0x41, '?', 0x42}},
      {{0xC0, 0x80}, {'?'}},             // overlong NUL
      {{0xE0, 0x9F, 0xBF}, {'?'}},       // overlong, 3 bytes
      {{0xF0, 0x8F, 0xBF, 0xBF}, {'?'}}, // overlong, 4 bytes
      {{0xED, 0xA0, 0x80}, {'?'}},       // an encoded surrogate
      {{0xF4, 0x90, 0x80, 0x80}, {'?'}}, // above U+10FFFF
      {{0xF7, 0xBF, 0xBF, 0xBF, 0x41}, {'?', 0x41}},
      {{0xE2, 0x82, 0x41}, {'?', 0x41}}, // the 0x41 is not swallowed
      {{0x80, 0x80, 0x80, 0x41}, {'?', 0x41}},
      {{0xF8, 0x88, 0x80, 0x80, 0x80, 0x41}, {'?', 0x41}},
      {{0xFF, 0xC3, 0xA9}, {'?', 0xE9}},
      {{0xF0, 0x9F, 0x98}, {'?'}}, // cut short by the end
      {{0xC3, 0xC3, 0xA9}, {'?', 0xE9}},
      // The first and last code of each length decode exactly.
      {{0x7F, 0xC2, 0x80, 0xDF, 0xBF}, {0x7F, 0x80, 0x7FF}},
      {{0xE0, 0xA0, 0x80, 0xED, 0x9F, 0xBF, 0xEE, 0x80, 0x80, 0xEF, 0xBF, 0xBF},
       {0x800, 0xD7FF, 0xE000, 0xFFFF}},
      {{0xF0, 0x90, 0x80, 0x80, 0xF4, 0x8F, 0xBF, 0xBF}, {0x10000, 0x10FFFF}},
  };
  for (const auto& c : utf8)
    check(&ConvertUTF::utf8_to_utf32, c.bytes, c.codes);

  check(&ConvertUTF::utf16_to_utf32, {0xD83D, 0xDE00}, {0x1F600});
  check(&ConvertUTF::utf16_to_utf32, {0xDE00, 0xDE00, 0x41}, {'?', 0x41});
  check(&ConvertUTF::utf16_to_utf32, {0xD83D, 0x41, 0xDBFF}, {'?', 0x41, '?'});
  // A wchar_t wider than 16 bits is no UTF-16 unit.
  check(&ConvertUTF::utf16_to_utf32, {0x1F600, 0xFFFFFFFFu}, {'?', '?'});
}

TEST(ConvertUTFTest, TerminatorOnlyWhenMissingAndCodesThatDoNotFitBecomeOneQuestionMark) {
  ConvertUTF converter;
  const Units euro = {0xE2, 0x82, 0xAC};
  EXPECT_EQ(run(converter, &ConvertUTF::utf8_to_utf16, euro, 0), (Outcome{2, {}, true}));
  EXPECT_EQ(run(converter, &ConvertUTF::utf8_to_utf16, euro, 4), (Outcome{2, {0x20AC, 0}, true}));
  EXPECT_EQ(run(converter, &ConvertUTF::utf16_to_utf8, {0x41, 0}, 0), (Outcome{2, {}, true}));
  EXPECT_EQ(run(converter, &ConvertUTF::utf16_to_utf8, {0x41, 0}, 8),
            (Outcome{2, {0x41, 0}, true}));
  // A zero inside the text is a code like any other.
  EXPECT_EQ(run(converter, &ConvertUTF::utf16_to_utf8, {0, 0x41}, 0), (Outcome{3, {}, true}));
  EXPECT_EQ(run(converter, &ConvertUTF::utf32_to_utf8, {}, 0), (Outcome{1, {}, true}));
  EXPECT_EQ(run(converter, &ConvertUTF::utf32_to_utf8, {}, 1), (Outcome{1, {0}, true}));
  // Exactly full: no terminator, and the rest left out does not count as inexact.
  EXPECT_EQ(run(converter, &ConvertUTF::utf8_to_utf16, {'A', 'B', 'C'}, 2),
            (Outcome{2, {'A', 'B'}, true}));

  EXPECT_EQ(run(converter, &ConvertUTF::utf16_to_utf8, {0x20AC}, 2), (Outcome{2, {'?', 0}, false}));
  EXPECT_EQ(run(converter, &ConvertUTF::utf16_to_utf8, {0x20AC}, 1), (Outcome{1, {'?'}, false}));
  // A pair that would need the last two units gets one '?' instead.
  EXPECT_EQ(run(converter, &ConvertUTF::utf32_to_utf16, {0x41, 0x1F600}, 2),
            (Outcome{2, {0x41, '?'}, false}));
  // The next conversion starts exact again.
  EXPECT_EQ(run(converter, &ConvertUTF::utf32_to_utf16, {0x41, 0x1F600}, 0),
            (Outcome{4, {}, true}));
}

// Runs of valid text with defects dropped in: the block paths must give what
// the code-by-code reference gives, in all six directions and for counting,
// exact, small and large destinations.
TEST(ConvertUTFTest, RandomTextWithDefectsConvertsLikeTheReference) {
  std::mt19937 random(80);
  const std::string byte_defects[] = {"\xED\xA0\x80", "\xE0\x80\x80",      "\xE0\x9F\xBF",
                                      "\xC0\x80",     "\xC1\xBF",          "\xF4\x90\x80\x80",
                                      "\x80\xBF",     "\xE2\x82",          "\xF8\x88\x80",
                                      "\xFF",         std::string(1, '\0')};
  for (int round = 0; round < 1000; ++round) {
    Units codes = random_runs(random, random() % 200);
    if (random() % 8 == 0)
      codes.push_back(0); // ends with its own terminator
    Units bytes, units;
    for (unsigned int code : codes) {
      if (random() % 40 == 0) {
        if (random() % 3 == 0) { // a few arbitrary bytes and units
          for (size_t i = 0, n = 1 + random() % 3; i < n; ++i) {
            bytes.push_back(random() % 0x100);
            units.push_back(random() % 2 ? random() % 0x10000 : 0xDC00 + random() % 0x400);
          }
        } else {
          for (unsigned char b : byte_defects[random() % std::size(byte_defects)])
            bytes.push_back(b);
          units.push_back(random() % 2 ? 0xD800 + random() % 0x800 : 0x110000 + random() % 9);
        }
      }
      append_encoded(code, bytes, units);
    }
    if (!bytes.empty() && random() % 4 == 0)
      bytes.pop_back(); // cut the last sequence short
    ASSERT_TRUE(all_like_reference(codes, bytes, units, random)) << "round " << round;
  }
}
