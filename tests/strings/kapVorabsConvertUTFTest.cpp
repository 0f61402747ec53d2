// Tests of the UTF-8, UTF-16 and UTF-32 converter.
#include "kapVorabsConvertUTF.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <type_traits>
#include <vector>

using kapVorabs::ConvertUTF;

namespace {

using Bytes = std::vector<unsigned char>;
using Units = std::vector<unsigned int>; // UTF-16 units or codes, whatever the form

// Opens the per-code operations for direct tests.
class ConvertUTFProbe : public ConvertUTF {
public:
  using ConvertUTF::charbits;
  using ConvertUTF::read_code;
  using ConvertUTF::store_code;
  using ConvertUTF::wcharbits;
};

// --- a reference model, written for clarity, not speed ------------------------

struct Decoded {
  unsigned int code;
  bool bad;
};

std::vector<Decoded> reference_decode_utf8(const Bytes& in) {
  std::vector<Decoded> out;
  size_t i = 0;
  auto continuation = [&](size_t k) { return k < in.size() && (in[k] >> 6) == 2; };
  while (i < in.size()) {
    unsigned int b = in[i++];
    int extra = b < 0x80 ? 0 : b < 0xC0 ? -1 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : b < 0xF8 ? 3 : -1;
    if (extra == 0) {
      out.push_back({b, false});
    } else if (extra < 0) {
      while (continuation(i))
        ++i;
      out.push_back({'?', true});
    } else {
      unsigned int value = b & (0x7Fu >> (extra + 1));
      bool complete = true;
      for (int k = 0; k < extra; ++k) {
        if (!continuation(i)) {
          complete = false;
          break;
        }
        value = (value << 6) | (in[i++] & 0x3Fu);
      }
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
  while (i < in.size()) {
    unsigned int u = in[i++];
    if (u > 0xFFFF) {
      out.push_back({'?', true});
    } else if (u < 0xD800 || u > 0xDFFF) {
      out.push_back({u, false});
    } else if (u < 0xDC00) {
      if (i < in.size() && in[i] >= 0xDC00 && in[i] <= 0xDFFF)
        out.push_back({0x10000 + ((u - 0xD800) << 10) + (in[i++] - 0xDC00), false});
      else
        out.push_back({'?', true});
    } else {
      while (i < in.size() && in[i] >= 0xDC00 && in[i] <= 0xDFFF)
        ++i;
      out.push_back({'?', true});
    }
  }
  return out;
}

enum class Form { UTF8, UTF16, UTF32 };

Units reference_encode(unsigned int c, Form form) {
  if (form == Form::UTF32)
    return {c};
  if (form == Form::UTF16) {
    if (c < 0x10000)
      return {c};
    return {0xD800 + ((c - 0x10000) >> 10), 0xDC00 + ((c - 0x10000) & 0x3FF)};
  }
  if (c < 0x80)
    return {c};
  if (c < 0x800)
    return {0xC0 | (c >> 6), 0x80 | (c & 0x3F)};
  if (c < 0x10000)
    return {0xE0 | (c >> 12), 0x80 | ((c >> 6) & 0x3F), 0x80 | (c & 0x3F)};
  return {0xF0 | ((c >> 18) & 7), 0x80 | ((c >> 12) & 0x3F), 0x80 | ((c >> 6) & 0x3F),
          0x80 | (c & 0x3F)};
}

// What a conversion of the decoded codes writes with a capacity (0: counts),
// and whether it stays exact.
struct Expected {
  Units units;
  size_t result;
  bool exact;
};

Expected reference_convert(const std::vector<Decoded>& codes, Form to, size_t capacity) {
  Expected e{{}, 0, true};
  if (capacity == 0) {
    size_t total = 0;
    for (const Decoded& d : codes) {
      total += reference_encode(d.code, to).size();
      e.exact = e.exact && !d.bad;
    }
    e.result = (!codes.empty() && codes.back().code == 0) ? total : total + 1;
    return e;
  }
  size_t next = 0;
  bool any = false;
  unsigned int last = 0;
  while (next < codes.size() && e.units.size() < capacity) {
    const Decoded& d = codes[next++];
    any = true;
    last = d.code;
    e.exact = e.exact && !d.bad;
    Units encoded = reference_encode(d.code, to);
    if (encoded.size() > capacity - e.units.size()) {
      e.units.push_back('?');
      e.exact = false;
    } else {
      e.units.insert(e.units.end(), encoded.begin(), encoded.end());
    }
  }
  if (!(any && last == 0) && e.units.size() < capacity)
    e.units.push_back(0);
  e.result = e.units.size();
  return e;
}

// Runs a conversion on exactly sized heap buffers, so that the sanitizer sees
// any access past either end; returns the units written.
template <class In, class Out, class Fn>
Units run(const ConvertUTF& converter, Fn fn, const Units& source, size_t capacity,
          size_t& result) {
  std::unique_ptr<In[]> in(new In[source.size() ? source.size() : 1]);
  for (size_t i = 0; i < source.size(); ++i)
    in[i] = static_cast<In>(source[i]);
  std::unique_ptr<Out[]> out(capacity ? new Out[capacity] : nullptr);
  const Out untouched = static_cast<Out>(0x5A);
  std::fill(out.get(), out.get() + capacity, untouched);
  result = (converter.*fn)(source.empty() ? nullptr : in.get(), source.size(), out.get(), capacity);
  Units written;
  for (size_t i = 0; i < result && i < capacity; ++i)
    written.push_back(static_cast<unsigned int>(static_cast<std::make_unsigned_t<Out>>(out[i])));
  // Nothing is left behind past the units written.
  for (size_t i = result; i < capacity; ++i)
    if (out[i] != untouched)
      written.push_back(0xBAD0000u + static_cast<unsigned int>(i));
  return written;
}

// The UTF-8 bytes of the codes, decoded through utf8_to_utf32.
::testing::AssertionResult decodes_to(const Bytes& bytes, const Units& codes, bool exact) {
  ConvertUTF converter;
  Units source(bytes.begin(), bytes.end());
  size_t result = 0;
  Units got = run<char, unsigned int>(converter, &ConvertUTF::utf8_to_utf32, source,
                                      codes.size() + 1, result);
  Units expected = codes;
  expected.push_back(0);
  if (got != expected || converter.was_exact() != exact) {
    auto failure = ::testing::AssertionFailure() << "decoded";
    for (unsigned int c : got)
      failure << ' ' << std::hex << c;
    return failure << (converter.was_exact() ? " exact" : " not exact");
  }
  return ::testing::AssertionSuccess();
}

} // namespace

TEST(ConvertUTFTest, EuroSignToUtf16CountsAndFillsAlike) {
  ConvertUTF converter;
  const char euro[] = "\xE2\x82\xAC";
  EXPECT_EQ(converter.utf8_to_utf16(euro, 3, nullptr, 0), 2u);
  wchar_t out[5] = {7, 7, 7, 7, 7};
  EXPECT_EQ(converter.utf8_to_utf16(euro, 3, out, 4), 2u);
  EXPECT_TRUE(converter.was_exact());
  EXPECT_EQ(out[0], 0x20AC);
  EXPECT_EQ(out[1], 0);
  EXPECT_EQ(out[2], 7); // nothing past the terminator
}

TEST(ConvertUTFTest, Utf8DecoderReplacesEachBadSequenceOnce) {
  EXPECT_TRUE(decodes_to({0x41, 0x80, 0x42}, {0x41, '?', 0x42}, false));
  EXPECT_TRUE(decodes_to({0xC0, 0x80}, {'?'}, false));             // overlong NUL
  EXPECT_TRUE(decodes_to({0xE0, 0x9F, 0xBF}, {'?'}, false));       // overlong 3 bytes
  EXPECT_TRUE(decodes_to({0xF0, 0x8F, 0xBF, 0xBF}, {'?'}, false)); // overlong 4 bytes
  EXPECT_TRUE(decodes_to({0xED, 0xA0, 0x80}, {'?'}, false));       // encoded surrogate
  EXPECT_TRUE(decodes_to({0xF4, 0x90, 0x80, 0x80}, {'?'}, false)); // above U+10FFFF
  EXPECT_TRUE(decodes_to({0xF7, 0xBF, 0xBF, 0xBF, 0x41}, {'?', 0x41}, false));
  EXPECT_TRUE(decodes_to({0xE2, 0x82, 0x41}, {'?', 0x41}, false)); // 41 not swallowed
  EXPECT_TRUE(decodes_to({0x80, 0x80, 0x80, 0x41}, {'?', 0x41}, false));
  EXPECT_TRUE(decodes_to({0xF8, 0x88, 0x80, 0x80, 0x80, 0x41}, {'?', 0x41}, false));
  EXPECT_TRUE(decodes_to({0xFF, 0xC3, 0xA9}, {'?', 0xE9}, false));
  EXPECT_TRUE(decodes_to({0xF0, 0x9F, 0x98}, {'?'}, false)); // cut short by the end
  EXPECT_TRUE(decodes_to({0xC3, 0xC3, 0xA9}, {'?', 0xE9}, false));
  // The boundaries of each length decode exactly.
  EXPECT_TRUE(decodes_to({0x7F, 0xC2, 0x80, 0xDF, 0xBF}, {0x7F, 0x80, 0x7FF}, true));
  EXPECT_TRUE(decodes_to({0xE0, 0xA0, 0x80, 0xED, 0x9F, 0xBF, 0xEE, 0x80, 0x80, 0xEF, 0xBF, 0xBF},
                         {0x800, 0xD7FF, 0xE000, 0xFFFF}, true));
  EXPECT_TRUE(
      decodes_to({0xF0, 0x90, 0x80, 0x80, 0xF4, 0x8F, 0xBF, 0xBF}, {0x10000, 0x10FFFF}, true));
}

TEST(ConvertUTFTest, Utf16DecoderPairsSurrogatesAndReplacesLoneOnes) {
  ConvertUTF converter;
  unsigned int codes[4] = {};
  const wchar_t pair[] = {0xD83D, 0xDE00};
  EXPECT_EQ(converter.utf16_to_utf32(pair, 2, codes, 4), 2u);
  EXPECT_EQ(codes[0], 0x1F600u);
  EXPECT_TRUE(converter.was_exact());

  const wchar_t low_run[] = {0xDE00, 0xDE00, 0x41};
  EXPECT_EQ(converter.utf16_to_utf32(low_run, 3, codes, 4), 3u);
  EXPECT_EQ(codes[0], unsigned('?'));
  EXPECT_EQ(codes[1], 0x41u);
  EXPECT_FALSE(converter.was_exact());

  const wchar_t high_alone[] = {0xD83D, 0x41, 0xDBFF};
  EXPECT_EQ(converter.utf16_to_utf32(high_alone, 3, codes, 4), 4u);
  EXPECT_EQ(codes[0], unsigned('?'));
  EXPECT_EQ(codes[1], 0x41u);
  EXPECT_EQ(codes[2], unsigned('?')); // a high surrogate at the very end
  EXPECT_FALSE(converter.was_exact());

  // A wchar_t wider than 16 bits is no UTF-16 unit.
  const wchar_t wide[] = {static_cast<wchar_t>(0x1F600), static_cast<wchar_t>(-1)};
  EXPECT_EQ(converter.utf16_to_utf32(wide, 2, codes, 4), 3u);
  EXPECT_EQ(codes[0], unsigned('?'));
  EXPECT_EQ(codes[1], unsigned('?'));
  EXPECT_FALSE(converter.was_exact());
}

TEST(ConvertUTFTest, TerminatorIsAddedOnlyWhenMissingAndRoomLeft) {
  ConvertUTF converter;
  char bytes[8] = {};
  const wchar_t ends_with_zero[] = {0x41, 0};
  EXPECT_EQ(converter.utf16_to_utf8(ends_with_zero, 2, nullptr, 0), 2u);
  EXPECT_EQ(converter.utf16_to_utf8(ends_with_zero, 2, bytes, 8), 2u);
  // A zero inside the text is a code like any other.
  const wchar_t zero_first[] = {0, 0x41};
  EXPECT_EQ(converter.utf16_to_utf8(zero_first, 2, nullptr, 0), 3u);

  EXPECT_EQ(converter.utf32_to_utf8(nullptr, 0, nullptr, 0), 1u);
  char one = 'x';
  EXPECT_EQ(converter.utf32_to_utf8(nullptr, 0, &one, 1), 1u);
  EXPECT_EQ(one, '\0');

  // Exactly full: no terminator, and the dropped rest does not count as inexact.
  const char text[] = "ABC";
  wchar_t units[2] = {};
  EXPECT_EQ(converter.utf8_to_utf16(text, 3, units, 2), 2u);
  EXPECT_EQ(units[0], L'A');
  EXPECT_EQ(units[1], L'B');
  EXPECT_TRUE(converter.was_exact());
}

TEST(ConvertUTFTest, CodeThatDoesNotFitBecomesOneQuestionMark) {
  ConvertUTF converter;
  const wchar_t euro[] = {0x20AC};
  char bytes[3] = {'x', 'x', 'x'};
  EXPECT_EQ(converter.utf16_to_utf8(euro, 1, bytes, 2), 2u);
  EXPECT_EQ(bytes[0], '?');
  EXPECT_EQ(bytes[1], '\0');
  EXPECT_FALSE(converter.was_exact());
  bytes[0] = bytes[1] = 'x';
  EXPECT_EQ(converter.utf16_to_utf8(euro, 1, bytes, 1), 1u);
  EXPECT_EQ(bytes[0], '?');
  EXPECT_EQ(bytes[1], 'x');

  // A pair that would need the last two units of room gets one '?' instead.
  const unsigned int smile[] = {0x41, 0x1F600};
  wchar_t units[2] = {};
  EXPECT_EQ(converter.utf32_to_utf16(smile, 2, units, 2), 2u);
  EXPECT_EQ(units[1], L'?');
  EXPECT_FALSE(converter.was_exact());

  // The next conversion starts exact again.
  EXPECT_EQ(converter.utf32_to_utf16(smile, 2, nullptr, 0), 4u);
  EXPECT_TRUE(converter.was_exact());
}

TEST(ConvertUTFTest, PerCodeOperations) {
  ConvertUTFProbe probe;
  EXPECT_EQ(probe.store_code(kapVorabs::CONVERT_UTF8, 0x7F, nullptr, nullptr), 1u);
  EXPECT_EQ(probe.store_code(kapVorabs::CONVERT_UTF8, 0x80, nullptr, nullptr), 2u);
  EXPECT_EQ(probe.store_code(kapVorabs::CONVERT_UTF8, 0xFFFF, nullptr, nullptr), 3u);
  EXPECT_EQ(probe.store_code(kapVorabs::CONVERT_UTF8, 0x10000, nullptr, nullptr), 4u);
  EXPECT_EQ(probe.store_code(kapVorabs::CONVERT_UTF16, 0xFFFF, nullptr, nullptr), 1u);
  EXPECT_EQ(probe.store_code(kapVorabs::CONVERT_UTF16, 0x10000, nullptr, nullptr), 2u);

  char bytes[4] = {};
  char* p = bytes;
  EXPECT_EQ(probe.store_code(kapVorabs::CONVERT_UTF8, 0x1F600, &p, bytes + 4), 4u);
  EXPECT_EQ(p, bytes + 4);
  EXPECT_EQ(Bytes(bytes, bytes + 4), (Bytes{0xF0, 0x9F, 0x98, 0x80}));
  EXPECT_TRUE(probe.was_exact());
  p = bytes;
  EXPECT_EQ(probe.store_code(kapVorabs::CONVERT_UTF8, 0x20AC, &p, bytes + 2), 1u);
  EXPECT_EQ(bytes[0], '?');
  EXPECT_FALSE(probe.was_exact());

  ConvertUTFProbe reader;
  const char text[] = "\xC3\xA9x";
  const char* q = text;
  EXPECT_EQ(reader.read_code(kapVorabs::CONVERT_UTF8, q, text + 3), 0xE9u);
  EXPECT_EQ(q, text + 2);
  const wchar_t units[] = {0xDC00, 0xDC01, 0x41};
  const wchar_t* u = units;
  EXPECT_EQ(reader.read_code(kapVorabs::CONVERT_UTF16, u, units + 3), unsigned('?'));
  EXPECT_EQ(u, units + 2);
  EXPECT_FALSE(reader.was_exact());

  EXPECT_EQ(ConvertUTFProbe::charbits(0x20AC, 6, 6), char(0x02));
  EXPECT_EQ(ConvertUTFProbe::charbits(0x20AC, 12, 4), char(0x02));
  EXPECT_EQ(ConvertUTFProbe::wcharbits(0x1F600 - 0x10000, 10, 10), wchar_t(0x3D));
  EXPECT_EQ(ConvertUTFProbe::wcharbits(0x1F600 - 0x10000, 0, 10), wchar_t(0x200));
}

// Random valid text survives UTF-32 -> UTF-8 -> UTF-16 -> UTF-32 unchanged.
TEST(ConvertUTFTest, RandomValidTextRoundTripsExactly) {
  std::mt19937 random(20240601);
  const unsigned int ranges[][2] = {
      {1, 0x7F}, {0x80, 0x7FF}, {0x800, 0xD7FF}, {0xE000, 0xFFFF}, {0x10000, 0x10FFFF}};
  ConvertUTF converter;
  for (int round = 0; round < 300; ++round) {
    std::vector<unsigned int> codes;
    size_t length = random() % 300;
    while (codes.size() < length) {
      if (random() % 4 == 0) { // an ASCII run long enough for the block copy
        size_t run = 16 + random() % 40;
        for (size_t i = 0; i < run; ++i)
          codes.push_back(0x20 + random() % 0x5F);
        continue;
      }
      const unsigned int* range = ranges[random() % 5];
      codes.push_back(range[0] + random() % (range[1] - range[0] + 1));
    }

    size_t n8 = converter.utf32_to_utf8(codes.data(), codes.size(), nullptr, 0);
    std::vector<char> utf8(n8);
    ASSERT_EQ(converter.utf32_to_utf8(codes.data(), codes.size(), utf8.data(), n8), n8);
    ASSERT_TRUE(converter.was_exact());
    size_t n16 = converter.utf8_to_utf16(utf8.data(), n8, nullptr, 0);
    std::vector<wchar_t> utf16(n16);
    ASSERT_EQ(converter.utf8_to_utf16(utf8.data(), n8, utf16.data(), n16), n16);
    ASSERT_TRUE(converter.was_exact());
    size_t n32 = converter.utf16_to_utf32(utf16.data(), n16, nullptr, 0);
    std::vector<unsigned int> back(n32);
    ASSERT_EQ(converter.utf16_to_utf32(utf16.data(), n16, back.data(), n32), n32);
    ASSERT_TRUE(converter.was_exact());

    ASSERT_EQ(back.size(), codes.size() + 1);
    EXPECT_EQ(std::vector<unsigned int>(back.begin(), back.end() - 1), codes);
    EXPECT_EQ(back.back(), 0u);
    // The byte form is the standard one, not merely self-consistent.
    Bytes expected;
    for (unsigned int c : codes)
      for (unsigned int b : reference_encode(c, Form::UTF8))
        expected.push_back(static_cast<unsigned char>(b));
    expected.push_back(0);
    EXPECT_EQ(Bytes(utf8.begin(), utf8.end()), expected);
  }
}

namespace {

// Bytes drawn so that every decoder branch comes up often: ASCII runs, lead
// bytes of each length, stray continuation bytes, zeros, invalid leads.
Bytes random_utf8(std::mt19937& random) {
  Bytes bytes;
  size_t length = random() % 120;
  while (bytes.size() < length) {
    switch (random() % 6) {
    case 0:
      for (size_t i = 0, run = 1 + random() % 40; i < run; ++i)
        bytes.push_back(static_cast<unsigned char>(0x20 + random() % 0x60));
      break;
    case 1:
      bytes.push_back(static_cast<unsigned char>(0x80 + random() % 0x40));
      break;
    case 2:
      bytes.push_back(static_cast<unsigned char>(0xC0 + random() % 0x40));
      break;
    case 3:
      bytes.push_back(0);
      break;
    default:
      bytes.push_back(static_cast<unsigned char>(random()));
      break;
    }
  }
  return bytes;
}

Units random_utf16(std::mt19937& random) {
  Units units;
  size_t length = random() % 120;
  while (units.size() < length) {
    switch (random() % 6) {
    case 0:
      for (size_t i = 0, run = 1 + random() % 40; i < run; ++i)
        units.push_back(0x20 + random() % 0x60);
      break;
    case 1:
      units.push_back(0xD800 + random() % 0x400);
      break;
    case 2:
      units.push_back(0xDC00 + random() % 0x400);
      break;
    case 3:
      units.push_back(random() % 3 == 0 ? 0 : 0x80 + random() % 0x780);
      break;
    default:
      units.push_back(random() % 0x10000);
      break;
    }
  }
  return units;
}

template <class In, class Out, class Fn>
::testing::AssertionResult matches_reference(Fn fn, const Units& source,
                                             const std::vector<Decoded>& codes, Form to,
                                             size_t capacity) {
  ConvertUTF converter;
  size_t result = 0;
  Units written = run<In, Out>(converter, fn, source, capacity, result);
  Expected expected = reference_convert(codes, to, capacity);
  if (result != expected.result)
    return ::testing::AssertionFailure() << "capacity " << capacity << ": returned " << result
                                         << ", expected " << expected.result;
  if (capacity != 0 && written != expected.units)
    return ::testing::AssertionFailure() << "capacity " << capacity << ": units differ";
  if (converter.was_exact() != expected.exact)
    return ::testing::AssertionFailure() << "capacity " << capacity << ": exact flag differs";
  return ::testing::AssertionSuccess();
}

} // namespace

// For arbitrary input: counting answers what filling writes, every bad
// sequence gives exactly one '?', and small destinations are honoured.
TEST(ConvertUTFTest, RandomBytesDecodeLikeTheReference) {
  std::mt19937 random(77);
  for (int round = 0; round < 2000; ++round) {
    Bytes bytes = random_utf8(random);
    Units source(bytes.begin(), bytes.end());
    std::vector<Decoded> codes = reference_decode_utf8(bytes);
    for (Form to : {Form::UTF16, Form::UTF32}) {
      size_t count = reference_convert(codes, to, 0).result;
      for (size_t capacity : {size_t(0), count, size_t(1 + random() % (count + 1))}) {
        if (to == Form::UTF16)
          ASSERT_TRUE((matches_reference<char, wchar_t>(&ConvertUTF::utf8_to_utf16, source, codes,
                                                        to, capacity)));
        else
          ASSERT_TRUE((matches_reference<char, unsigned int>(&ConvertUTF::utf8_to_utf32, source,
                                                             codes, to, capacity)));
      }
    }
  }
}

TEST(ConvertUTFTest, RandomUnitsDecodeLikeTheReference) {
  std::mt19937 random(78);
  for (int round = 0; round < 2000; ++round) {
    Units source = random_utf16(random);
    std::vector<Decoded> codes = reference_decode_utf16(source);
    for (Form to : {Form::UTF8, Form::UTF32}) {
      size_t count = reference_convert(codes, to, 0).result;
      for (size_t capacity : {size_t(0), count, size_t(1 + random() % (count + 1))}) {
        if (to == Form::UTF8)
          ASSERT_TRUE((matches_reference<wchar_t, char>(&ConvertUTF::utf16_to_utf8, source, codes,
                                                        to, capacity)));
        else
          ASSERT_TRUE((matches_reference<wchar_t, unsigned int>(&ConvertUTF::utf16_to_utf32, source,
                                                                codes, to, capacity)));
      }
    }
  }
}

// UTF-32 input is not checked; whatever it holds, counting and filling agree
// and stay inside the buffers.
TEST(ConvertUTFTest, AnyUtf32InputStaysInBounds) {
  std::mt19937 random(79);
  ConvertUTF converter;
  for (int round = 0; round < 1000; ++round) {
    Units source(random() % 60);
    for (unsigned int& code : source)
      code = random() % 2 ? random() % 0x80 : static_cast<unsigned int>(random());
    size_t result = 0;
    size_t to8 = converter.utf32_to_utf8(source.data(), source.size(), nullptr, 0);
    Units bytes =
        run<unsigned int, char>(converter, &ConvertUTF::utf32_to_utf8, source, to8, result);
    ASSERT_EQ(bytes.size(), to8);
    size_t to16 = converter.utf32_to_utf16(source.data(), source.size(), nullptr, 0);
    Units units =
        run<unsigned int, wchar_t>(converter, &ConvertUTF::utf32_to_utf16, source, to16, result);
    ASSERT_EQ(units.size(), to16);
    size_t small = 1 + random() % to8;
    run<unsigned int, char>(converter, &ConvertUTF::utf32_to_utf8, source, small, result);
    ASSERT_LE(result, small);
  }
}

namespace {

// Text as runs of one kind of character (ASCII, Latin, CJK, beyond the BMP),
// so that whole blocks of each kind come up, as codes.
Units random_runs(std::mt19937& random, size_t length) {
  const unsigned int ranges[][2] = {{0, 0x7F}, {0x80, 0x7FF}, {0x800, 0xFFFF}, {0x10000, 0x10FFFF}};
  Units codes;
  while (codes.size() < length) {
    const unsigned int* range = ranges[random() % 4];
    for (size_t i = 0, run = 1 + random() % 40; i < run; ++i) {
      unsigned int code = range[0] + random() % (range[1] - range[0] + 1);
      if (code >= 0xD800 && code <= 0xDFFF)
        code -= 0x1000;
      codes.push_back(code == 0 ? 1 : code);
    }
  }
  return codes;
}

} // namespace

// Runs of well-formed text with a few defects dropped in: the block paths
// must give what the code-by-code decoding gives.
TEST(ConvertUTFTest, RandomRunsWithDefectsDecodeLikeTheReference) {
  std::mt19937 random(80);
  const Bytes defects[] = {{0xED, 0xA0, 0x80},
                           {0xE0, 0x80, 0x80},
                           {0xE0, 0x9F, 0xBF},
                           {0xC0, 0x80},
                           {0xC1, 0xBF},
                           {0xF4, 0x90, 0x80, 0x80},
                           {0x80},
                           {0xE2, 0x82},
                           {0xFF},
                           {0}};
  for (int round = 0; round < 1500; ++round) {
    Units codes = random_runs(random, random() % 200);
    Bytes bytes;
    Units units;
    for (unsigned int code : codes) {
      if (random() % 60 == 0) {
        const Bytes& defect = defects[random() % 10];
        bytes.insert(bytes.end(), defect.begin(), defect.end());
        units.push_back(random() % 2 ? 0xD800 + random() % 0x800 : 0x110000 + random() % 9);
      }
      for (unsigned int b : reference_encode(code, Form::UTF8))
        bytes.push_back(static_cast<unsigned char>(b));
      for (unsigned int u : reference_encode(code, Form::UTF16))
        units.push_back(u);
    }
    if (!bytes.empty() && random() % 4 == 0)
      bytes.pop_back(); // cut the last sequence short
    Units source(bytes.begin(), bytes.end());
    std::vector<Decoded> from_bytes = reference_decode_utf8(bytes);
    std::vector<Decoded> from_units = reference_decode_utf16(units);
    std::vector<Decoded> from_codes;
    for (unsigned int code : codes)
      from_codes.push_back({code, false});

    size_t to16 = reference_convert(from_bytes, Form::UTF16, 0).result;
    size_t to32 = reference_convert(from_bytes, Form::UTF32, 0).result;
    size_t to8 = reference_convert(from_units, Form::UTF8, 0).result;
    size_t to8_from32 = reference_convert(from_codes, Form::UTF8, 0).result;
    for (int pick = 0; pick < 3; ++pick) {
      auto capacity = [&](size_t count) -> size_t {
        return pick == 0 ? count : pick == 1 ? 1 + random() % count : count + 1 + random() % 60;
      };
      ASSERT_TRUE((matches_reference<char, wchar_t>(&ConvertUTF::utf8_to_utf16, source, from_bytes,
                                                    Form::UTF16, capacity(to16))));
      ASSERT_TRUE((matches_reference<char, unsigned int>(&ConvertUTF::utf8_to_utf32, source,
                                                         from_bytes, Form::UTF32, capacity(to32))));
      ASSERT_TRUE((matches_reference<wchar_t, char>(&ConvertUTF::utf16_to_utf8, units, from_units,
                                                    Form::UTF8, capacity(to8))));
      ASSERT_TRUE((matches_reference<unsigned int, char>(
          &ConvertUTF::utf32_to_utf8, codes, from_codes, Form::UTF8, capacity(to8_from32))));
    }
  }
}

// The first and last code of each UTF-8 length, in every position of a block.
TEST(ConvertUTFTest, LengthBoundariesInEveryBlockPosition) {
  const unsigned int edges[] = {0x7F, 0x80, 0x7FF, 0x800, 0xD7FF, 0xE000, 0xFFFF, 0x10000};
  for (size_t shift = 0; shift < 17; ++shift) {
    for (unsigned int edge : edges) {
      for (unsigned int filler : {0x41u, 0xE9u, 0x4E2Du}) {
        Units codes(40, filler);
        codes[shift] = edge;
        codes[shift + 16] = edge;
        Bytes bytes;
        Units units;
        std::vector<Decoded> decoded;
        for (unsigned int code : codes) {
          for (unsigned int b : reference_encode(code, Form::UTF8))
            bytes.push_back(static_cast<unsigned char>(b));
          for (unsigned int u : reference_encode(code, Form::UTF16))
            units.push_back(u);
          decoded.push_back({code, false});
        }
        Units source(bytes.begin(), bytes.end());
        size_t to8 = reference_convert(decoded, Form::UTF8, 0).result;
        size_t to16 = reference_convert(decoded, Form::UTF16, 0).result;
        ASSERT_TRUE((matches_reference<wchar_t, char>(&ConvertUTF::utf16_to_utf8, units, decoded,
                                                      Form::UTF8, to8)))
            << std::hex << edge << " at " << shift;
        ASSERT_TRUE((matches_reference<char, wchar_t>(&ConvertUTF::utf8_to_utf16, source, decoded,
                                                      Form::UTF16, to16)))
            << std::hex << edge << " at " << shift;
      }
    }
  }
}
