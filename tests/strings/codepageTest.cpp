// Tests of the numbered code-page services.
#include "codepage.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Units = std::vector<wchar_t>;
using Bytes = std::vector<unsigned char>;

Units decode(unsigned int code_page, const Bytes& bytes) {
  const char* in = reinterpret_cast<const char*>(bytes.data());
  Units units(cp_multibyte_to_wide(code_page, in, bytes.size(), nullptr, 0));
  if (!units.empty())
    units.resize(cp_multibyte_to_wide(code_page, in, bytes.size(), units.data(), units.size()));
  return units;
}

Bytes encode(unsigned int code_page, const Units& units) {
  std::vector<char> bytes(cp_wide_to_multibyte(code_page, units.data(), units.size(), nullptr, 0));
  if (!bytes.empty())
    bytes.resize(
        cp_wide_to_multibyte(code_page, units.data(), units.size(), bytes.data(), bytes.size()));
  return Bytes(bytes.begin(), bytes.end());
}

} // namespace

TEST(codepageTest, DecodesToUtf16WithOneQuestionMarkPerBadByte) {
  for (unsigned int valid : {1252u, 437u, 932u})
    EXPECT_TRUE(cp_is_valid_code_page(valid)) << valid;
  for (unsigned int invalid : {0u, 99999u, 4294967295u})
    EXPECT_FALSE(cp_is_valid_code_page(invalid)) << invalid;

  EXPECT_EQ(decode(1252, {'A', 0x80, 0xFF}), (Units{L'A', 0x20AC, 0xFF}));
  EXPECT_EQ(decode(0, {0x80, 0x9C}), (Units{0x20AC, 0x153}));           // the default ANSI page
  EXPECT_EQ(decode(1252, {'A', 0x81, 'B'}), (Units{L'A', L'?', L'B'})); // unassigned
  EXPECT_EQ(decode(932, {0x82, 0xA0, 'x'}), (Units{0x3042, L'x'}));
  EXPECT_EQ(decode(932, {'x', 0x82}), (Units{L'x', L'?'})); // lead byte cut off
  EXPECT_EQ(decode(437, {0xB0, 0}), (Units{0x2591, 0}));    // zeros pass through
  // Nothing to do, no such code page, or no room: 0.
  EXPECT_EQ(cp_multibyte_to_wide(1252, "", 0, nullptr, 0), 0u);
  EXPECT_EQ(cp_multibyte_to_wide(99999, "A", 1, nullptr, 0), 0u);
  wchar_t two[2] = {7, 7};
  EXPECT_EQ(cp_multibyte_to_wide(1252, "ABC", 3, two, 2), 0u);
  EXPECT_EQ(cp_multibyte_to_wide(1252, "AB", 2, two, 2), 2u);
}

TEST(codepageTest, EncodesWithTheCodePagesOwnQuestionMark) {
  EXPECT_EQ(encode(1252, {L'A', 0x20AC, 0}), (Bytes{'A', 0x80, 0}));
  EXPECT_EQ(encode(0, {0x20AC}), (Bytes{0x80}));
  EXPECT_EQ(encode(1252, {0x4E2D, L'A'}), (Bytes{'?', 'A'}));
  // A lone surrogate is one '?'; a well-formed pair is one character.
  EXPECT_EQ(encode(1252, {0xD800, L'A', 0xDC00}), (Bytes{'?', 'A', '?'}));
  EXPECT_EQ(encode(1252, {0xD83D, 0xDE00, L'A'}), (Bytes{'?', 'A'}));
  EXPECT_EQ(encode(1252, {static_cast<wchar_t>(0x1F600)}), (Bytes{'?'}));
  EXPECT_EQ(encode(932, {0x3042}), (Bytes{0x82, 0xA0}));
  EXPECT_EQ(encode(500, {L'A', 0x4E2D}), (Bytes{0xC1, 0x6F})); // EBCDIC's '?' is 0x6F

  const wchar_t text[] = {L'A', 0x20AC};
  char one = 'x';
  EXPECT_EQ(cp_wide_to_multibyte(1252, text, 2, &one, 1), 0u);
  EXPECT_EQ(cp_wide_to_multibyte(99999, text, 2, nullptr, 0), 0u);
  EXPECT_EQ(cp_wide_to_multibyte(1252, text, 0, nullptr, 0), 0u);
}
