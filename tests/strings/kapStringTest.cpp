// Tests of native strings with their conversions, and of the input encoding.
#include "kapInputEncoding.h"
#include "kapString.h"

#include "vorResource.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <utility>
#include <vector>

using namespace std::string_literals;

namespace {

// Switches the C runtime's locale for one scope and puts the old one back.
struct LocaleGuard {
  explicit LocaleGuard(const char* name) : ok(std::setlocale(LC_ALL, name) != nullptr) {}
  ~LocaleGuard() { std::setlocale(LC_ALL, saved.c_str()); }
  std::string saved = std::setlocale(LC_ALL, nullptr);
  bool ok;
};

#define USE_LOCALE(name)                                                                           \
  LocaleGuard locale_guard(name);                                                                  \
  if (!locale_guard.ok)                                                                            \
  GTEST_SKIP() << "locale " << name << " is not installed"

// Sets a string option for one scope and restores what was there before.
struct OptionGuard {
  OptionGuard(const vorStringKey& key, const char* value) : key(key) {
    table.set_value(key, utString(value));
  }
  ~OptionGuard() { was_set ? table.set_value(key, saved) : table.reset(key); }
  vorResourceTable& table = vor_resource_table_inquire();
  const vorStringKey& key;
  int was_set = table.is_set(key);
  utString saved = table.value(key);
};

std::string text_of(const kapString& s) {
  return std::string(s.string().c_str(), s.string().length());
}

// Opens the code-page and native forms for direct tests.
class Probe : public kapString {
public:
  using kapString::convert;
  using kapString::kapString;
  using kapString::kapSTRING_CP;
  using kapString::kapSTRING_NATIVE;
  using kapString::recognize_code_page;
  template <class... Tag> static Probe make(const std::string& bytes, Tag... tag) {
    return Probe(tag..., reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  }
};

template <class... Tag> std::string decoded(const std::string& bytes, Tag... tag) {
  return text_of(Probe::make(bytes, tag...));
}

// The conversion out, into an array that held something before.
template <class... Tag> std::string converted(const Probe& text, Tag... tag) {
  charcoDynArr out;
  out.append('x');
  text.convert(tag..., out);
  return std::string(out.begin(), out.end());
}

// The code pages themselves are the code-page tests' concern; these check the plumbing.
const unsigned int page_1252 = 1252, page_936 = 936, page_none = 99999;

} // namespace

TEST(kapStringTest, NoTextConvertsLikeTheEmptyTextAndNativeZerosBecomeQuestionMarks) {
  Probe none;
  EXPECT_EQ(none.invalid(), 1);
  EXPECT_EQ(converted(none, kapSTRING_UTF16), "\0\0"s);
  EXPECT_EQ(converted(none, kapSTRING_UTF8), "\0"s);
  EXPECT_EQ(converted(none, Probe::kapSTRING_NATIVE), "\0"s);
  Probe name(utString("bracket \xE9"));
  Probe copy = name;
  EXPECT_EQ(copy.string().c_str(), name.string().c_str()); // the same storage

  EXPECT_EQ(decoded("A\0B\0"s, Probe::kapSTRING_NATIVE), "A?B");
  EXPECT_EQ(decoded("A\0\0"s, Probe::kapSTRING_NATIVE), "A?");
  EXPECT_EQ(decoded("AB", Probe::kapSTRING_NATIVE), "AB");
  // Native out: the bytes and one NUL, also for inner zeros kept by utString.
  EXPECT_EQ(converted(Probe(utString("A\0B", 3)), Probe::kapSTRING_NATIVE), "A\0B\0"s);
}

TEST(kapStringTest, DecodesUtf8AndUtf16InTheUtf8Locale) {
  USE_LOCALE("C.UTF-8");
  const std::pair<std::string, std::string> utf8[] = {
      {"h\xC3\xA9llo \xE2\x82\xAC", "h\xC3\xA9llo \xE2\x82\xAC"},
      {"A\x80Z", "A?Z"},
      {"A\0B"s, "A?B"},
      {"AB\0"s, "AB"},
      {"\xF0\x9F\x98\x80", "??"}, // beyond one unit
      {"", ""}};
  for (const auto& [in, out] : utf8)
    EXPECT_EQ(decoded(in, kapSTRING_UTF8), out) << in;
  // UTF-16 units are converted one by one: surrogates are not paired up.
  const std::pair<std::string, std::string> utf16[] = {{"A\0\0\0B\0"s, "A?B"},
                                                       {"A\0B\0\0\0"s, "AB"},
                                                       {"A\0B"s, "A"}, // the odd byte is ignored
                                                       {"\xE9\0\xAC\x20"s, "\xC3\xA9\xE2\x82\xAC"},
                                                       {"\x3D\xD8\x00\xDE\x41\0"s, "??A"}};
  for (const auto& [in, out] : utf16)
    EXPECT_EQ(decoded(in, kapSTRING_UTF16), out) << out;
}

TEST(kapStringTest, CharactersTheCLocaleCannotHoldBecomeQuestionMarks) {
  USE_LOCALE("C");
  EXPECT_EQ(decoded("caf\xC3\xA9", kapSTRING_UTF8), "caf?");
  EXPECT_EQ(decoded("\xE9\0A\0"s, kapSTRING_UTF16), "?A");
  // Out of the C locale, each undecodable byte is one '?' unit.
  Probe raw(utString("\xC3\xA9x"));
  EXPECT_EQ(converted(raw, kapSTRING_UTF16), "?\0?\0x\0\0\0"s);
  EXPECT_EQ(converted(raw, kapSTRING_UTF8), "??x\0"s);
}

TEST(kapStringTest, ConversionsOutAndCopyOutOfAPrefix) {
  USE_LOCALE("C.UTF-8");
  const std::string cases[][3] = {
      {"AB", "A\0B\0\0\0"s, "AB\0"s},
      {"\xE2\x82\xAC\xC3\xA9", "\xAC\x20\xE9\0\0\0"s, "\xE2\x82\xAC\xC3\xA9\0"s},
      // Bad bytes and inner zeros: one '?' each; a character beyond U+FFFF too.
      {"\x80Z\0\xF0\x9F\x98\x80"s, "?\0Z\0?\0?\0\0\0"s, "?Z??\0"s}};
  for (const auto& [text, utf16, utf8] : cases) {
    Probe probe(utString(text.data(), text.size()));
    EXPECT_EQ(converted(probe, kapSTRING_UTF16), utf16);
    EXPECT_EQ(converted(probe, kapSTRING_UTF8), utf8);
  }
  // copy_out of fewer bytes than the conversion copies its prefix.
  unsigned char buffer[3] = {9, 9, 9};
  kapString(utString("\xE2\x82\xAC")).copy_out(kapSTRING_UTF8, buffer, 2);
  EXPECT_EQ(std::string(buffer, buffer + 3), "\xE2\x82\x09");
}

TEST(kapStringTest, CodePagesInAndOut) {
  USE_LOCALE("C.UTF-8");
  EXPECT_EQ(decoded("A\x80\xE9", Probe::kapSTRING_CP, &page_1252), "A\xE2\x82\xAC\xC3\xA9");
  EXPECT_EQ(decoded("A\x80", Probe::kapSTRING_CP, &page_none), "A\x80"); // bytes as they are

  Probe text(utString("\xE2\x82\xAC\xE4\xB8\xAD"));
  EXPECT_EQ(converted(text, Probe::kapSTRING_CP, &page_1252), "\x80?\0"s);
  EXPECT_EQ(converted(text, Probe::kapSTRING_CP, &page_936), "\x80\xD6\xD0\0"s);
  EXPECT_EQ(converted(text, Probe::kapSTRING_CP, &page_none), ""); // failure: left empty
}

TEST(kapStringTest, InputEncodingOptionSelectsTheDecoderInEverySpelling) {
  USE_LOCALE("C.UTF-8");
  const std::string euro_utf16 = "\xAC\x20\0\0"s;
  EXPECT_EQ(decoded("\x80Z", kapSTRING_INPUT), "\x80Z"); // unset: native bytes, unchanged
  const struct {
    std::vector<const char*> names;
    std::string in, out;
  } cases[] = {{{"UTF-8", "utf-8", "UTF8", "utf8"}, "\xE2\x82\xAC\x80", "\xE2\x82\xAC?"},
               {{"UTF-16", "UTF16", "utf-16", "utf16"}, euro_utf16, "\xE2\x82\xAC"},
               {{"1252", "ANSI", "ansi", "default"}, "\x80", "\xE2\x82\xAC"},
               // Other letter case names nothing: the bytes are native.
               {{"Utf-8", "Utf8", "UTF-8 ", "Utf-16", "uTF16", "Ansi", "DEFAULT", "cp1252"},
                euro_utf16,
                "\xAC ?"}};
  for (const auto& c : cases)
    for (const char* name : c.names) {
      OptionGuard option(vorOptInputEncoding, name);
      EXPECT_EQ(decoded(c.in, kapSTRING_INPUT), c.out) << name;
    }
}

TEST(kapStringTest, OutputEncodingOptionSelectsTheEncoderAtEachCallInEverySpelling) {
  USE_LOCALE("C.UTF-8");
  Probe text(utString("\xC3\xA9"));
  const std::string native = "\xC3\xA9\0"s, utf16 = "\xE9\0\0\0"s;
  EXPECT_EQ(converted(text, kapSTRING_OUTPUT), native);
  const struct {
    std::vector<const char*> names;
    std::string out;
  } cases[] = {{{"UTF-8", "utf-8", "UTF8", "utf8"}, native},
               {{"UTF-16", "UTF16", "utf-16", "utf16"}, utf16},
               // The ANSI names pick code page 0, which differs from native here.
               {{"ANSI", "ansi", "default", "1252"}, "\xE9\0"s},
               {{"Utf-8", "Utf-16", "Ansi", "Default", "99999"}, native}};
  for (const auto& c : cases)
    for (const char* name : c.names) {
      OptionGuard option(vorOptOutputEncoding, name);
      EXPECT_EQ(converted(text, kapSTRING_OUTPUT), c.out) << name;
    }
  // Under the C locale the same option gives another result: nothing is cached.
  OptionGuard utf8(vorOptOutputEncoding, "utf8");
  Probe plain(utString("e\xC3\xA9"));
  EXPECT_EQ(converted(plain, kapSTRING_OUTPUT), "e\xC3\xA9\0"s);
  LocaleGuard c_locale("C");
  EXPECT_EQ(converted(plain, kapSTRING_OUTPUT), "e??\0"s);
}

namespace {

// Records what the input encoding hands on.
struct RecordingEncoding final : apIStringEncoding {
  apString in(const char* text, int& status) const override {
    received = text;
    status = 7;
    return apString(utString("made"));
  }
  utString out(const apString&, int&) const override { return utString("never"); }
  mutable std::string received;
};

} // namespace

TEST(kapInputEncodingTest, DecodesTheInputForTheWrappedEncodingAndGivesNothingOut) {
  USE_LOCALE("C.UTF-8");
  RecordingEncoding wrapped; // on the stack: deleting it would be caught
  kapInputEncoding encoding(&wrapped);
  {
    OptionGuard option(vorOptInputEncoding, "1252");
    int status = 0;
    EXPECT_STREQ(encoding.in("\x80Z", status).text().c_str(), "made");
    EXPECT_EQ(wrapped.received, "\xE2\x82\xACZ");
    EXPECT_EQ(status, 7);
    // Only the bytes up to the first NUL are read.
    OptionGuard utf16_option(vorOptInputEncoding, "utf16");
    encoding.in("A\0B\0\0", status);
    EXPECT_EQ(wrapped.received, "");
  }
  for (const apString& text : {apString(), apString(utString("text"))}) {
    int status = 0;
    utString out = encoding.out(text, status);
    EXPECT_EQ(status, 1);
    EXPECT_FALSE(out.is_null());
    EXPECT_TRUE(out.empty());
  }

  apNativeStringEncoding native;
  kapInputEncoding passing(&native);
  int status = 5;
  EXPECT_STREQ(passing.in("plain", status).text().c_str(), "plain");
  EXPECT_EQ(status, 0);
  kapInputEncoding unwrapped(nullptr);
  EXPECT_TRUE(unwrapped.in("x", status).invalid());
  EXPECT_EQ(status, 1);
}
