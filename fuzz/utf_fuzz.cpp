// utf_fuzz.cpp - fuzzes the UTF decoders and the decoding kapString constructors.
//
// The first input byte chooses capacities and encodings; the rest is the
// text. Besides the sanitizers' checks, each run checks the promises callers
// rely on: counting gives what filling writes, nothing is written past the
// capacity or the count, decoded codes are valid, decoding what was encoded
// is exact, and each size() equals its conversion's length.
#include "kapString.h"
#include "kapVorabsConvertUTF.h"

#include "vorResource.h"

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <vector>

namespace {

void check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
  }
}

// Converts with a counting call and a filling call of that capacity, then
// again into a smaller and a larger buffer; answers the full result.
template <class In, class Out, class Fn>
std::vector<Out> convert(const kapVorabs::ConvertUTF& converter, Fn fn, const std::vector<In>& in,
                         size_t smaller) {
  const In* src = in.empty() ? nullptr : in.data();
  size_t count = (converter.*fn)(src, in.size(), nullptr, 0);
  check(count >= 1, "a count includes the terminator");
  std::vector<Out> out(count);
  check((converter.*fn)(src, in.size(), out.data(), count) == count, "count equals fill");
  check(out.back() == 0, "a full conversion is terminated");

  size_t capacity = 1 + smaller % count;
  std::vector<Out> part(capacity);
  check((converter.*fn)(src, in.size(), part.data(), capacity) <= capacity, "fill within capacity");

  const Out marker = static_cast<Out>(0x5A);
  std::vector<Out> roomy(count + 8, marker);
  check((converter.*fn)(src, in.size(), roomy.data(), roomy.size()) == count,
        "room changes nothing");
  for (size_t i = count; i < roomy.size(); ++i)
    check(roomy[i] == marker, "nothing written past the count");
  return out;
}

void check_codes(const std::vector<unsigned int>& codes) {
  for (unsigned int code : codes)
    check(code < 0x110000 && (code < 0xD800 || code > 0xDFFF), "decoders give valid codes");
}

void fuzz_converter(uint8_t choice, const uint8_t* data, size_t size) {
  kapVorabs::ConvertUTF converter;
  std::vector<char> utf8(data, data + size);
  std::vector<wchar_t> utf16(size / 2);
  for (size_t i = 0; i < utf16.size(); ++i)
    utf16[i] = static_cast<wchar_t>(data[2 * i] | data[2 * i + 1] << 8);
  std::vector<unsigned int> utf32(size / 4);
  for (size_t i = 0; i < utf32.size(); ++i)
    std::memcpy(&utf32[i], data + 4 * i, 4);

  using C = kapVorabs::ConvertUTF;
  std::vector<unsigned int> from8 =
      convert<char, unsigned int>(converter, &C::utf8_to_utf32, utf8, choice);
  check_codes(from8);
  std::vector<wchar_t> from8_16 =
      convert<char, wchar_t>(converter, &C::utf8_to_utf16, utf8, choice);
  std::vector<unsigned int> from16 =
      convert<wchar_t, unsigned int>(converter, &C::utf16_to_utf32, utf16, choice);
  check_codes(from16);
  convert<wchar_t, char>(converter, &C::utf16_to_utf8, utf16, choice);
  convert<unsigned int, char>(converter, &C::utf32_to_utf8, utf32, choice);
  convert<unsigned int, wchar_t>(converter, &C::utf32_to_utf16, utf32, choice);

  // What the decoders made is valid text: it goes round exactly.
  std::vector<char> again8 = convert<unsigned int, char>(converter, &C::utf32_to_utf8, from8, 0);
  check(converter.was_exact(), "encoding decoded codes is exact");
  std::vector<unsigned int> again32 =
      convert<char, unsigned int>(converter, &C::utf8_to_utf32, again8, 0);
  check(converter.was_exact() && again32 == from8, "decoded text round-trips");
  std::vector<unsigned int> via16 =
      convert<wchar_t, unsigned int>(converter, &C::utf16_to_utf32, from8_16, 0);
  check(converter.was_exact() && via16 == from8, "UTF-16 agrees with UTF-32");
}

// Opens the protected constructors.
class FuzzString : public kapString {
public:
  using kapString::kapString;
  FuzzString(unsigned int code_page, const uint8_t* data, size_t size)
      : kapString(kapSTRING_CP, &code_page, data, size) {}
  FuzzString(const uint8_t* data, size_t size) : kapString(kapSTRING_NATIVE, data, size) {}
};

void check_string(const kapString& text) {
  check(!text.invalid(), "decoding always makes a text");
  check(std::strlen(text.string().c_str()) == text.string().length(), "no NUL in the text");
  charcoDynArr bytes;
  text.convert(kapSTRING_UTF16, bytes);
  check(bytes.count() == text.size(kapSTRING_UTF16), "UTF-16 size");
  check(bytes.count() % 2 == 0 && bytes[bytes.count() - 1] == 0 && bytes[bytes.count() - 2] == 0,
        "UTF-16 ends with a zero unit");
  text.convert(kapSTRING_UTF8, bytes);
  check(bytes.count() == text.size(kapSTRING_UTF8) && bytes[bytes.count() - 1] == 0, "UTF-8 size");
  text.convert(kapSTRING_OUTPUT, bytes);
  check(bytes.count() == text.size(kapSTRING_OUTPUT), "output size");
  std::vector<unsigned char> copy(bytes.count() + 1, 0xA5);
  text.copy_out(kapSTRING_OUTPUT, copy.data(), bytes.count());
  check(copy.back() == 0xA5 && std::memcmp(copy.data(), bytes.data(), bytes.count()) == 0,
        "copy_out copies exactly");
}

void fuzz_strings(uint8_t choice, const uint8_t* data, size_t size) {
  static const char* const encodings[] = {"",    "utf8", "UTF-16", "1252",
                                          "932", "ANSI", "Utf-8",  "x"};
  vorResourceTable& table = vor_resource_table_inquire();
  table.set_value(vorOptInputEncoding, utString(encodings[choice & 7]));
  table.set_value(vorOptOutputEncoding, utString(encodings[choice >> 3 & 7]));
  check_string(kapString(kapSTRING_UTF8, data, size));
  check_string(kapString(kapSTRING_UTF16, data, size));
  check_string(kapString(kapSTRING_INPUT, data, size));
  check_string(FuzzString(data, size));
  check_string(FuzzString(choice & 1 ? 932u : 1252u, data, size));
  table.reset(vorOptInputEncoding);
  table.reset(vorOptOutputEncoding);
}

// The two locales native text is tried in, made once: making or switching
// the process's locale per input cost more than the conversions themselves.
locale_t utf8_locale = nullptr;
locale_t c_locale = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  utf8_locale = newlocale(LC_ALL_MASK, "C.UTF-8", nullptr);
  c_locale = newlocale(LC_ALL_MASK, "C", nullptr);
  if (!utf8_locale || !c_locale) {
    std::fprintf(stderr, "the C and C.UTF-8 locales are needed\n");
    std::abort();
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0)
    return 0;
  uint8_t choice = data[0];
  // The C locale now and then: its native text holds ASCII only.
  uselocale(choice & 0x40 ? c_locale : utf8_locale);
  fuzz_converter(choice, data + 1, size - 1);
  fuzz_strings(choice, data + 1, size - 1);
  return 0;
}
