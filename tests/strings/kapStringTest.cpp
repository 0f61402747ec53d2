// Tests of native strings with their conversions, and of the input encoding.
#include "kapInputEncoding.h"
#include "kapString.h"

#include "vorResource.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// Switches the C runtime's locale for one test and puts the old one back.
class LocaleGuard {
public:
  explicit LocaleGuard(const char* name) : saved_(std::setlocale(LC_ALL, nullptr)) {
    ok_ = std::setlocale(LC_ALL, name) != nullptr;
  }
  ~LocaleGuard() { std::setlocale(LC_ALL, saved_.c_str()); }
  bool ok() const { return ok_; }

private:
  std::string saved_;
  bool ok_ = false;
};

#define USE_LOCALE(name)                                                                           \
  LocaleGuard locale_guard(name);                                                                  \
  if (!locale_guard.ok())                                                                          \
  GTEST_SKIP() << "locale " << name << " is not installed"

// Sets a string option for one scope and restores what was there before.
class OptionGuard {
public:
  OptionGuard(const vorStringKey& key, const char* value) : key_(key) {
    vorResourceTable& table = vor_resource_table_inquire();
    was_set_ = table.is_set(key);
    saved_ = table.value(key);
    table.set_value(key, utString(value));
  }
  ~OptionGuard() {
    vorResourceTable& table = vor_resource_table_inquire();
    if (was_set_)
      table.set_value(key_, saved_);
    else
      table.reset(key_);
  }

private:
  const vorStringKey& key_;
  int was_set_ = 0;
  utString saved_;
};

// Opens the code-page and native forms for direct tests.
class kapStringProbe : public kapString {
public:
  using kapString::kapString;
  using kapString::recognize_code_page;
  static kapStringProbe from_code_page(unsigned int code_page, const Bytes& bytes) {
    return kapStringProbe(kapSTRING_CP, &code_page, bytes.data(), bytes.size());
  }
  static kapStringProbe from_native(const Bytes& bytes) {
    return kapStringProbe(kapSTRING_NATIVE, bytes.data(), bytes.size());
  }
  Bytes to_code_page(unsigned int code_page) const {
    charcoDynArr out;
    out.append('x'); // conversions start from an empty array
    convert(kapSTRING_CP, &code_page, out);
    return Bytes(out.begin(), out.end());
  }
  Bytes to_native() const {
    charcoDynArr out;
    convert(kapSTRING_NATIVE, out);
    return Bytes(out.begin(), out.end());
  }
};

template <class Tag> Bytes converted(const kapString& text, Tag tag) {
  charcoDynArr out;
  out.append('x');
  text.convert(tag, out);
  return Bytes(out.begin(), out.end());
}

std::string text_of(const kapString& s) {
  return std::string(s.string().c_str(), s.string().length());
}

kapString from_utf8(const std::string& s) {
  return kapString(kapSTRING_UTF8, reinterpret_cast<const unsigned char*>(s.data()), s.size());
}
kapString from_utf16(const Bytes& b) {
  return kapString(kapSTRING_UTF16, b.data(), b.size());
}
kapString from_input(const std::string& s) {
  return kapString(kapSTRING_INPUT, reinterpret_cast<const unsigned char*>(s.data()), s.size());
}

} // namespace

TEST(kapStringTest, TextIsSharedAndNoTextIsInvalid) {
  kapString none;
  EXPECT_EQ(none.invalid(), 1);
  EXPECT_TRUE(none.string().is_null());
  EXPECT_EQ(kapString(utString("")).invalid(), 0);

  kapString name(utString("bracket \xE9"));
  kapString copy = name;
  EXPECT_EQ(copy.string().c_str(), name.string().c_str()); // the same storage
  kapString assigned;
  assigned = name;
  EXPECT_EQ(text_of(assigned), "bracket \xE9");
  // A string without text converts like the empty text.
  EXPECT_EQ(converted(none, kapSTRING_UTF16), (Bytes{0, 0}));
  EXPECT_EQ(converted(none, kapSTRING_UTF8), (Bytes{0}));
  EXPECT_EQ(kapStringProbe().to_native(), (Bytes{0}));
}

TEST(kapStringTest, NativeBytesTurnInnerZerosIntoQuestionMarks) {
  EXPECT_EQ(text_of(kapStringProbe::from_native({'A', 0, 'B', 0})), "A?B");
  EXPECT_EQ(text_of(kapStringProbe::from_native({'A', 0, 0})), "A?");
  EXPECT_EQ(text_of(kapStringProbe::from_native({'A', 'B'})), "AB");
  kapStringProbe empty = kapStringProbe::from_native({});
  EXPECT_EQ(empty.invalid(), 0);
  EXPECT_EQ(text_of(empty), "");
  // Native out: the bytes and one NUL, also for inner zeros kept by utString.
  kapStringProbe inner(utString("A\0B", 3));
  EXPECT_EQ(inner.to_native(), (Bytes{'A', 0, 'B', 0}));
}

TEST(kapStringTest, Utf16UnitsAreConvertedOneByOne) {
  USE_LOCALE("C.UTF-8");
  EXPECT_EQ(text_of(from_utf16({0x41, 0, 0, 0, 0x42, 0})), "A?B");
  EXPECT_EQ(text_of(from_utf16({0x41, 0, 0x42, 0, 0, 0})), "AB");
  EXPECT_EQ(text_of(from_utf16({0x41, 0, 0x42})), "A"); // the odd byte is ignored
  EXPECT_EQ(text_of(from_utf16({0xE9, 0, 0xAC, 0x20})), "\xC3\xA9\xE2\x82\xAC");
  // Surrogates are not paired up: each half on its own is no character.
  EXPECT_EQ(text_of(from_utf16({0x3D, 0xD8, 0x00, 0xDE, 0x41, 0})), "??A");
  EXPECT_EQ(from_utf16({}).invalid(), 0);
}

TEST(kapStringTest, Utf8InputInTheUtf8Locale) {
  USE_LOCALE("C.UTF-8");
  EXPECT_EQ(text_of(from_utf8("h\xC3\xA9llo \xE2\x82\xAC")), "h\xC3\xA9llo \xE2\x82\xAC");
  EXPECT_EQ(text_of(from_utf8("A\x80"
                              "B")),
            "A?B");
  EXPECT_EQ(text_of(from_utf8(std::string("A\0B", 3))), "A?B");
  EXPECT_EQ(text_of(from_utf8(std::string("AB\0", 3))), "AB");
  EXPECT_EQ(text_of(from_utf8("\xF0\x9F\x98\x80")), "??"); // beyond one unit
  EXPECT_EQ(text_of(from_utf8("")), "");
}

TEST(kapStringTest, CharactersTheCLocaleCannotHoldBecomeQuestionMarks) {
  USE_LOCALE("C");
  EXPECT_EQ(text_of(from_utf8("caf\xC3\xA9")), "caf?");
  EXPECT_EQ(text_of(from_utf16({0xE9, 0, 0x41, 0})), "?A");
  // Out of the C locale, each undecodable byte is one '?' unit.
  kapString raw(utString("\xC3\xA9x"));
  EXPECT_EQ(converted(raw, kapSTRING_UTF16), (Bytes{'?', 0, '?', 0, 'x', 0, 0, 0}));
  EXPECT_EQ(raw.size(kapSTRING_UTF16), 8u);
  EXPECT_EQ(converted(raw, kapSTRING_UTF8), (Bytes{'?', '?', 'x', 0}));
}

TEST(kapStringTest, ConversionsOutAndTheirSizes) {
  USE_LOCALE("C.UTF-8");
  kapString ab(utString("AB"));
  EXPECT_EQ(ab.size(kapSTRING_UTF16), 6u);
  EXPECT_EQ(ab.size(kapSTRING_UTF8), 3u);
  EXPECT_EQ(converted(ab, kapSTRING_UTF16), (Bytes{'A', 0, 'B', 0, 0, 0}));
  EXPECT_EQ(converted(ab, kapSTRING_UTF8), (Bytes{'A', 'B', 0}));

  kapString euro(utString("\xE2\x82\xAC\xC3\xA9"));
  EXPECT_EQ(converted(euro, kapSTRING_UTF16), (Bytes{0xAC, 0x20, 0xE9, 0, 0, 0}));
  EXPECT_EQ(converted(euro, kapSTRING_UTF8), (Bytes{0xE2, 0x82, 0xAC, 0xC3, 0xA9, 0}));
  EXPECT_EQ(euro.size(kapSTRING_UTF8), 6u);

  // Bad bytes and inner zeros: one '?' each; a character beyond U+FFFF too.
  kapString odd(utString("\x80"
                         "A\0\xF0\x9F\x98\x80",
                         7));
  EXPECT_EQ(converted(odd, kapSTRING_UTF16), (Bytes{'?', 0, 'A', 0, '?', 0, '?', 0, 0, 0}));
  EXPECT_EQ(odd.size(kapSTRING_UTF16), 10u);
  EXPECT_EQ(converted(odd, kapSTRING_UTF8), (Bytes{'?', 'A', '?', '?', 0}));

  // copy_out copies the conversion or a prefix of it.
  unsigned char buffer[8] = {9, 9, 9, 9, 9, 9, 9, 9};
  euro.copy_out(kapSTRING_UTF16, buffer, euro.size(kapSTRING_UTF16));
  EXPECT_EQ(Bytes(buffer, buffer + 7), (Bytes{0xAC, 0x20, 0xE9, 0, 0, 0, 9}));
  euro.copy_out(kapSTRING_UTF8, buffer, 2);
  EXPECT_EQ(Bytes(buffer, buffer + 3), (Bytes{0xE2, 0x82, 0xE9}));
}

TEST(kapStringTest, CodePagesInAndOut) {
  USE_LOCALE("C.UTF-8");
  EXPECT_EQ(text_of(kapStringProbe::from_code_page(1252, {'A', 0x80, 0xE9})),
            "A\xE2\x82\xAC\xC3\xA9");
  EXPECT_EQ(text_of(kapStringProbe::from_code_page(0, {0x80})), "\xE2\x82\xAC");
  EXPECT_EQ(text_of(kapStringProbe::from_code_page(932, {0x82, 0xA0})), "\xE3\x81\x82");
  // No conversion: the bytes stand as they are.
  EXPECT_EQ(text_of(kapStringProbe::from_code_page(99999, {'A', 0x80})), "A\x80");
  kapStringProbe empty = kapStringProbe::from_code_page(1252, {});
  EXPECT_EQ(empty.invalid(), 0);
  EXPECT_EQ(text_of(empty), "");

  kapStringProbe text(utString("\xE2\x82\xAC\xE4\xB8\xAD"));
  EXPECT_EQ(text.to_code_page(1252), (Bytes{0x80, '?', 0}));
  EXPECT_EQ(text.to_code_page(0), (Bytes{0x80, '?', 0}));
  EXPECT_EQ(text.to_code_page(936), (Bytes{0x80, 0xD6, 0xD0, 0}));
  EXPECT_EQ(text.to_code_page(99999), Bytes{}); // failure leaves the array empty
}

TEST(kapStringTest, RecognizesCodePageNames) {
  unsigned int code_page = 77;
  EXPECT_EQ(kapStringProbe::recognize_code_page(utString("1252"), &code_page), 1);
  EXPECT_EQ(code_page, 1252u);
  for (const char* zero : {"ANSI", "ansi", "default"}) {
    code_page = 77;
    EXPECT_EQ(kapStringProbe::recognize_code_page(utString(zero), &code_page), 1) << zero;
    EXPECT_EQ(code_page, 0u) << zero;
  }
  for (const char* wrong : {"99999", "-1252", "Default", "Ansi", "cp1252", "", "12x"}) {
    code_page = 77;
    EXPECT_EQ(kapStringProbe::recognize_code_page(utString(wrong), &code_page), 0) << wrong;
    EXPECT_EQ(code_page, 77u) << wrong;
  }
  EXPECT_EQ(kapStringProbe::recognize_code_page(utString(), &code_page), 0);
}

TEST(kapStringTest, InputEncodingOptionSelectsTheDecoder) {
  USE_LOCALE("C.UTF-8");
  const std::string euro_utf8 = "\xE2\x82\xAC";
  const std::string euro_utf16("\xAC\x20\0\0", 4);
  // Unset: native bytes, unchanged.
  EXPECT_EQ(text_of(from_input("\x80"
                               "A")),
            "\x80"
            "A");
  for (const char* name : {"UTF-8", "utf-8", "UTF8", "utf8"}) {
    OptionGuard option(vorOptInputEncoding, name);
    EXPECT_EQ(text_of(from_input(euro_utf8 + "\x80")), "\xE2\x82\xAC?") << name;
  }
  for (const char* name : {"UTF-16", "UTF16", "utf-16", "utf16"}) {
    OptionGuard option(vorOptInputEncoding, name);
    EXPECT_EQ(text_of(from_input(euro_utf16)), "\xE2\x82\xAC") << name;
  }
  for (const char* name : {"1252", "ANSI", "ansi", "default"}) {
    OptionGuard option(vorOptInputEncoding, name);
    EXPECT_EQ(text_of(from_input("\x80")), "\xE2\x82\xAC") << name;
  }
  // Other letter case names nothing: the bytes are native.
  for (const char* name :
       {"Utf-8", "Utf8", "UTF-8 ", "Utf-16", "uTF16", "Ansi", "DEFAULT", "cp1252"}) {
    OptionGuard option(vorOptInputEncoding, name);
    EXPECT_EQ(text_of(from_input(euro_utf16)), std::string("\xAC ?", 3)) << name;
  }
}

TEST(kapStringTest, OutputEncodingOptionSelectsTheEncoderAtEachCall) {
  USE_LOCALE("C.UTF-8");
  kapString text(utString("\xC3\xA9"));
  const Bytes native{0xC3, 0xA9, 0};
  EXPECT_EQ(converted(text, kapSTRING_OUTPUT), native);
  for (const char* name : {"UTF-8", "utf-8", "UTF8", "utf8"}) {
    OptionGuard option(vorOptOutputEncoding, name);
    EXPECT_EQ(converted(text, kapSTRING_OUTPUT), native) << name;
    EXPECT_EQ(text.size(kapSTRING_OUTPUT), 3u) << name;
  }
  for (const char* name : {"UTF-16", "UTF16", "utf-16", "utf16"}) {
    OptionGuard option(vorOptOutputEncoding, name);
    EXPECT_EQ(converted(text, kapSTRING_OUTPUT), (Bytes{0xE9, 0, 0, 0})) << name;
    EXPECT_EQ(text.size(kapSTRING_OUTPUT), 4u) << name;
    unsigned char buffer[4] = {};
    text.copy_out(kapSTRING_OUTPUT, buffer, 4);
    EXPECT_EQ(Bytes(buffer, buffer + 4), (Bytes{0xE9, 0, 0, 0})) << name;
  }
  // The ANSI names pick code page 0, which differs from native here.
  for (const char* name : {"ANSI", "ansi", "default", "1252"}) {
    OptionGuard option(vorOptOutputEncoding, name);
    EXPECT_EQ(converted(text, kapSTRING_OUTPUT), (Bytes{0xE9, 0})) << name;
  }
  for (const char* name : {"Utf-8", "Utf-16", "Ansi", "Default", "99999"}) {
    OptionGuard option(vorOptOutputEncoding, name);
    EXPECT_EQ(converted(text, kapSTRING_OUTPUT), native) << name;
  }
  // Under the C locale the same option names a different result: nothing is cached.
  OptionGuard option(vorOptOutputEncoding, "utf8");
  kapString plain(utString("e\xC3\xA9"));
  EXPECT_EQ(converted(plain, kapSTRING_OUTPUT), (Bytes{'e', 0xC3, 0xA9, 0}));
  LocaleGuard c_locale("C");
  EXPECT_EQ(converted(plain, kapSTRING_OUTPUT), (Bytes{'e', '?', '?', 0}));
}

namespace {

// Records what the input encoding hands on.
class RecordingEncoding final : public apIStringEncoding {
public:
  apString in(const char* text, int& status) const override {
    received = text;
    status = 7;
    return apString(utString("made"));
  }
  utString out(const apString&, int& status) const override {
    status = 0;
    return utString("never");
  }
  mutable std::string received;
};

} // namespace

TEST(kapInputEncodingTest, DecodesTheInputThenCallsTheWrappedEncoding) {
  USE_LOCALE("C.UTF-8");
  RecordingEncoding wrapped; // on the stack: deleting it would be caught
  {
    kapInputEncoding encoding(&wrapped);
    OptionGuard option(vorOptInputEncoding, "1252");
    int status = 0;
    apString made = encoding.in("\x80"
                                "A",
                                status);
    EXPECT_EQ(wrapped.received, "\xE2\x82\xAC"
                                "A");
    EXPECT_EQ(status, 7);
    EXPECT_STREQ(made.text().c_str(), "made");
    // Only the bytes up to the first NUL are read.
    const char utf16[] = {'A', 0, 'B', 0, 0, 0};
    OptionGuard utf16_option(vorOptInputEncoding, "utf16");
    encoding.in(utf16, status);
    EXPECT_EQ(wrapped.received, "");
  }
  apNativeStringEncoding native;
  kapInputEncoding passing(&native);
  int status = 5;
  EXPECT_STREQ(passing.in("plain", status).text().c_str(), "plain");
  EXPECT_EQ(status, 0);
}

TEST(kapInputEncodingTest, OutGivesNothingAndStatusOne) {
  RecordingEncoding wrapped;
  kapInputEncoding encoding(&wrapped);
  for (const apString& text : {apString(), apString(utString("text"))}) {
    int status = 0;
    utString out = encoding.out(text, status);
    EXPECT_EQ(status, 1);
    EXPECT_FALSE(out.is_null());
    EXPECT_TRUE(out.empty());
  }
  kapInputEncoding unwrapped(nullptr);
  int status = 0;
  EXPECT_TRUE(unwrapped.in("x", status).invalid());
  EXPECT_EQ(status, 1);
}
