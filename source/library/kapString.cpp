// kapString.cpp - text in the native encoding, converted from and to other encodings.
#include "kapString.h"

#include "kapVorabsConvertUTF.h"

#include "codepage.h"
#include "vorResource.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <vector>

namespace {

const wchar_t QUESTION = L'?';

int is_utf8_name(const utString& name) {
  return name == "UTF-8" || name == "utf-8" || name == "UTF8" || name == "utf8";
}

int is_utf16_name(const utString& name) {
  return name == "UTF-16" || name == "UTF16" || name == "utf-16" || name == "utf16";
}

const char* as_chars(const unsigned char* bytes) {
  return reinterpret_cast<const char*>(bytes);
}

} // namespace

kapString::kapString() = default;
kapString::kapString(const kapString& other) = default;
kapString& kapString::operator=(const kapString& other) = default;
kapString::kapString(const utString& text) : text_(text) {}
kapString::~kapString() = default;

// --- decoding ---------------------------------------------------------------

kapString::kapString(kapStringNative, const unsigned char* bytes, size_t size) {
  if (bytes == nullptr)
    size = 0;
  std::vector<char> copy(as_chars(bytes), as_chars(bytes) + size);
  fill(copy.data(), size);
}

kapString::kapString(kapStringUTF16, const unsigned char* bytes, size_t size) {
  if (bytes == nullptr)
    size = 0;
  std::vector<wchar_t> units(size / 2);
  for (size_t i = 0; i < units.size(); ++i)
    units[i] = static_cast<wchar_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
  fill_from_units(units.data(), units.size());
}

kapString::kapString(kapStringUTF8, const unsigned char* bytes, size_t size) {
  if (bytes == nullptr)
    size = 0;
  kapVorabs::ConvertUTF converter;
  size_t needed = converter.utf8_to_utf16(as_chars(bytes), size, nullptr, 0);
  std::vector<wchar_t> units(needed);
  size_t count = converter.utf8_to_utf16(as_chars(bytes), size, units.data(), needed);
  fill_from_units(units.data(), count);
}

kapString::kapString(kapStringCP, const void* code_page, const unsigned char* bytes, size_t size) {
  if (bytes == nullptr)
    size = 0;
  size_t count = 0;
  std::vector<wchar_t> units;
  if (code_page != nullptr) {
    unsigned int number = *static_cast<const unsigned int*>(code_page);
    count = cp_multibyte_to_wide(number, as_chars(bytes), size, nullptr, 0);
    if (count != 0) {
      units.resize(count);
      count = cp_multibyte_to_wide(number, as_chars(bytes), size, units.data(), count);
    }
  }
  if (count == 0) {
    // Not convertible: the bytes stand as native text.
    *this = kapString(kapSTRING_NATIVE, bytes, size);
    return;
  }
  fill_from_units(units.data(), count);
}

kapString::kapString(kapStringInput, const unsigned char* bytes, size_t size) {
  utString encoding = vor_resource_table_inquire().value(vorOptInputEncoding);
  unsigned int code_page = 0;
  if (is_utf8_name(encoding))
    *this = kapString(kapSTRING_UTF8, bytes, size);
  else if (is_utf16_name(encoding))
    *this = kapString(kapSTRING_UTF16, bytes, size);
  else if (recognize_code_page(encoding, &code_page))
    *this = kapString(kapSTRING_CP, &code_page, bytes, size);
  else
    *this = kapString(kapSTRING_NATIVE, bytes, size);
}

void kapString::fill(char* bytes, size_t size) {
  if (bytes == nullptr || size == 0) {
    text_ = utString("", 0);
    return;
  }
  std::replace(bytes, bytes + size - 1, '\0', '?');
  text_ = utString(bytes, bytes[size - 1] == '\0' ? size - 1 : size);
}

void kapString::fill_from_units(const wchar_t* units, size_t count) {
  size_t most = static_cast<size_t>(MB_CUR_MAX);
  std::vector<char> bytes(count * most);
  char* out = bytes.data();
  std::mbstate_t state{};
  for (size_t i = 0; i < count; ++i) {
    size_t written = std::wcrtomb(out, units[i], &state);
    if (written == static_cast<size_t>(-1)) {
      state = std::mbstate_t{};
      *out++ = '?';
    } else {
      out += written;
    }
  }
  fill(bytes.data(), static_cast<size_t>(out - bytes.data()));
}

int kapString::recognize_code_page(const utString& name, void* code_page) {
  unsigned int number = 0;
  if (name == "ANSI" || name == "ansi" || name == "default") {
    number = 0;
  } else {
    int parsed = 0;
    if (!name.parse(parsed) || parsed < 0 ||
        !cp_is_valid_code_page(static_cast<unsigned int>(parsed)))
      return 0;
    number = static_cast<unsigned int>(parsed);
  }
  if (code_page != nullptr)
    *static_cast<unsigned int*>(code_page) = number;
  return 1;
}

// --- access -------------------------------------------------------------------

utString kapString::string() const {
  return text_;
}

int kapString::invalid() const {
  return text_.is_null() ? 1 : 0;
}

// --- encoding -------------------------------------------------------------------

void kapString::native_units(coDynArr<wchar_t>& units) const {
  units.clear();
  const char* text = text_.c_str();
  size_t length = text_.length();
  std::mbstate_t state{};
  size_t i = 0;
  while (i < length) {
    wchar_t unit = 0;
    size_t used = std::mbrtowc(&unit, text + i, length - i, &state);
    if (used == 0 || used > length - i) {
      // An embedded NUL, or bytes that do not decode: one '?' per byte.
      state = std::mbstate_t{};
      units.append(QUESTION);
      ++i;
      continue;
    }
    // One unit per character: a character beyond 0xFFFF has none.
    units.append(static_cast<unsigned int>(unit) > 0xFFFF ? QUESTION : unit);
    i += used;
  }
  units.append(L'\0');
}

void kapString::convert(kapStringNative, charcoDynArr& bytes) const {
  bytes.clear();
  bytes.append(text_.c_str(), text_.length());
  bytes.append('\0');
}

void kapString::convert(kapStringUTF16, charcoDynArr& bytes) const {
  coDynArr<wchar_t> units;
  native_units(units);
  bytes.clear();
  bytes.resize(units.count() * 2);
  for (size_t i = 0; i < units.count(); ++i) {
    unsigned int unit = static_cast<unsigned int>(units[i]);
    bytes[2 * i] = static_cast<char>(unit & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(unit >> 8 & 0xFF);
  }
}

void kapString::convert(kapStringUTF8, charcoDynArr& bytes) const {
  coDynArr<wchar_t> units;
  native_units(units);
  kapVorabs::ConvertUTF converter;
  size_t needed = converter.utf16_to_utf8(units.data(), units.count(), nullptr, 0);
  bytes.clear();
  bytes.resize(needed);
  bytes.resize(converter.utf16_to_utf8(units.data(), units.count(), bytes.data(), needed));
}

void kapString::convert(kapStringCP, const void* code_page, charcoDynArr& bytes) const {
  bytes.clear();
  if (code_page == nullptr)
    return;
  unsigned int number = *static_cast<const unsigned int*>(code_page);
  coDynArr<wchar_t> units;
  native_units(units);
  size_t needed = cp_wide_to_multibyte(number, units.data(), units.count(), nullptr, 0);
  if (needed == 0)
    return;
  bytes.resize(needed);
  bytes.resize(cp_wide_to_multibyte(number, units.data(), units.count(), bytes.data(), needed));
}

void kapString::convert_named(const utString& encoding, charcoDynArr& bytes) const {
  unsigned int code_page = 0;
  if (is_utf8_name(encoding))
    convert(kapSTRING_UTF8, bytes);
  else if (is_utf16_name(encoding))
    convert(kapSTRING_UTF16, bytes);
  else if (recognize_code_page(encoding, &code_page))
    convert(kapSTRING_CP, &code_page, bytes);
  else
    convert(kapSTRING_NATIVE, bytes);
}

void kapString::convert(kapStringOutput, charcoDynArr& bytes) const {
  convert_named(vor_resource_table_inquire().value(vorOptOutputEncoding), bytes);
}

size_t kapString::size(kapStringUTF8) const {
  coDynArr<wchar_t> units;
  native_units(units);
  return kapVorabs::ConvertUTF().utf16_to_utf8(units.data(), units.count(), nullptr, 0);
}

size_t kapString::size(kapStringUTF16) const {
  coDynArr<wchar_t> units;
  native_units(units);
  return units.count() * 2;
}

size_t kapString::size(kapStringOutput) const {
  charcoDynArr bytes;
  convert(kapSTRING_OUTPUT, bytes);
  return bytes.count();
}

namespace {

void copy_prefix(const charcoDynArr& bytes, unsigned char* dst, size_t size) {
  size_t count = std::min(size, bytes.count());
  if (dst != nullptr && count != 0)
    std::memcpy(dst, bytes.data(), count);
}

} // namespace

void kapString::copy_out(kapStringUTF8, unsigned char* dst, size_t size) const {
  charcoDynArr bytes;
  convert(kapSTRING_UTF8, bytes);
  copy_prefix(bytes, dst, size);
}

void kapString::copy_out(kapStringUTF16, unsigned char* dst, size_t size) const {
  charcoDynArr bytes;
  convert(kapSTRING_UTF16, bytes);
  copy_prefix(bytes, dst, size);
}

void kapString::copy_out(kapStringOutput, unsigned char* dst, size_t size) const {
  charcoDynArr bytes;
  convert(kapSTRING_OUTPUT, bytes);
  copy_prefix(bytes, dst, size);
}
