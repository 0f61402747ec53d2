// ut.cpp - the utilities library's string and type identifiers.
#include "ut.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

utString::Rep* utString::allocate(size_t capacity) {
  void* block = ::operator new(offsetof(Rep, chars) + capacity + 1);
  Rep* rep = static_cast<Rep*>(block);
  new (&rep->refs) std::atomic<int>(1);
  rep->length = 0;
  rep->capacity = static_cast<uint32_t>(capacity);
  rep->chars[0] = '\0';
  return rep;
}

utString utString::literal(const char* text) {
  utString result(text ? text : "");
  if (result.rep_ != empty_rep())
    result.rep_->refs.store(literal_refs, std::memory_order_relaxed);
  return result;
}

void utString::destroy(Rep* rep) noexcept {
  rep->refs.~atomic<int>();
  ::operator delete(rep);
}

// Every empty text made from characters shares one block that is never
// freed, so that the many empty names and buffers cost no allocation.
utString::Rep* utString::empty_rep() {
  static Rep* const empty = [] {
    Rep* rep = allocate(0);
    rep->refs.store(literal_refs, std::memory_order_relaxed);
    return rep;
  }();
  return empty;
}

utString::utString(const char* text) {
  if (text)
    assign(text, std::strlen(text));
}

utString::utString(const char* text, size_t length) {
  if (text)
    assign(text, length);
}

// Makes this null string the exact text.
void utString::assign(const char* text, size_t count) {
  if (count == 0) {
    rep_ = empty_rep();
    return;
  }
  rep_ = allocate(count);
  std::memcpy(rep_->chars, text, count);
  rep_->length = static_cast<uint32_t>(count);
  rep_->chars[count] = '\0';
}

// Appends in place when this string is the only owner and has room; otherwise
// moves to a fresh block (copy on write). Appending to null makes a text.
void utString::append(const char* text, size_t count) {
  size_t old_length = length();
  size_t needed = old_length + count;
  bool unique = rep_ && rep_->refs.load(std::memory_order_acquire) == 1;
  if (!unique || needed > rep_->capacity) {
    // Room to grow: a text appended to once is usually appended to again.
    size_t capacity = needed < 16 ? 16 : needed + needed / 2;
    Rep* fresh = allocate(capacity);
    if (old_length)
      std::memcpy(fresh->chars, rep_->chars, old_length);
    fresh->length = static_cast<uint32_t>(old_length);
    release(rep_);
    rep_ = fresh;
  }
  if (count)
    std::memcpy(rep_->chars + old_length, text, count);
  rep_->length = static_cast<uint32_t>(needed);
  rep_->chars[needed] = '\0';
}

int utString::equal_text(const utString& other) const {
  size_t n = length();
  return n == other.length() && std::memcmp(c_str(), other.c_str(), n) == 0;
}

int utString::compare(const utString& other) const {
  size_t a = length(), b = other.length();
  int order = std::memcmp(c_str(), other.c_str(), a < b ? a : b);
  if (order != 0)
    return order;
  return a < b ? -1 : (a > b ? 1 : 0);
}

int utString::case_compare(const utString& other) const {
  const unsigned char* a = reinterpret_cast<const unsigned char*>(c_str());
  const unsigned char* b = reinterpret_cast<const unsigned char*>(other.c_str());
  size_t la = length(), lb = other.length();
  for (size_t i = 0; i < la && i < lb; ++i) {
    int ca = std::tolower(a[i]), cb = std::tolower(b[i]);
    if (ca != cb)
      return ca < cb ? -1 : 1;
  }
  return la < lb ? -1 : (la > lb ? 1 : 0);
}

long utString::locate_substring(const utString& what, size_t start) const {
  size_t n = length(), m = what.length();
  if (start > n || m > n - start)
    return -1;
  const char* text = c_str();
  for (size_t i = start; i + m <= n; ++i)
    if (std::memcmp(text + i, what.c_str(), m) == 0)
      return static_cast<long>(i);
  return -1;
}

utString utString::substring(size_t start, size_t count) const {
  size_t n = length();
  if (start > n)
    start = n;
  if (count > n - start)
    count = n - start;
  return utString(c_str() + start, count);
}

namespace {
bool only_blanks(const char* p) {
  while (*p && std::isspace(static_cast<unsigned char>(*p)))
    ++p;
  return *p == '\0';
}
} // namespace

int utString::parse(int& value) const {
  const char* text = c_str();
  if (rep_ == nullptr || length() == 0 || std::strlen(text) != length())
    return 0;
  char* end = nullptr;
  errno = 0;
  long parsed = std::strtol(text, &end, 10);
  if (end == text || errno == ERANGE || !only_blanks(end) ||
      parsed < std::numeric_limits<int>::min() || parsed > std::numeric_limits<int>::max())
    return 0;
  value = static_cast<int>(parsed);
  return 1;
}

int utString::parse(double& value) const {
  // from_chars ignores the C locale: the decimal point is always '.'.
  const char* text = c_str();
  const char* end = text + length();
  if (rep_ == nullptr || std::strlen(text) != length())
    return 0;
  while (text < end && std::isspace(static_cast<unsigned char>(*text)))
    ++text;
  if (text < end && *text == '+')
    ++text;
  double parsed = 0;
  std::from_chars_result result = std::from_chars(text, end, parsed);
  if (result.ec != std::errc() || !only_blanks(result.ptr))
    return 0;
  value = parsed;
  return 1;
}

utString& utString::operator+=(const utString& tail) {
  if (tail.rep_ == nullptr)
    return *this;
  if (rep_ == nullptr) // sharing is cheaper than copying
    return *this = tail;
  append(tail.c_str(), tail.length());
  return *this;
}

utString& utString::operator+=(const char* tail) {
  if (tail)
    append(tail, std::strlen(tail));
  return *this;
}

utString& utString::operator+=(char c) {
  append(&c, 1);
  return *this;
}

// The two texts in one block of their joint length; null only when both are.
utString utString::joined(const char* a, size_t a_length, const char* b, size_t b_length) {
  utString result;
  const size_t length = a_length + b_length;
  if (length == 0) {
    result.rep_ = empty_rep();
    return result;
  }
  result.rep_ = allocate(length);
  std::memcpy(result.rep_->chars, a, a_length);
  std::memcpy(result.rep_->chars + a_length, b, b_length);
  result.rep_->length = static_cast<uint32_t>(length);
  result.rep_->chars[length] = '\0';
  return result;
}

utString operator+(const utString& a, const utString& b) {
  if (a.is_null() && b.is_null())
    return utString();
  return utString::joined(a.c_str(), a.length(), b.c_str(), b.length());
}

utString operator+(const utString& a, const char* b) {
  if (a.is_null() && !b)
    return utString();
  return utString::joined(a.c_str(), a.length(), b ? b : "", b ? std::strlen(b) : 0);
}
utString operator+(const char* a, const utString& b) {
  if (!a && b.is_null())
    return utString();
  return utString::joined(a ? a : "", a ? std::strlen(a) : 0, b.c_str(), b.length());
}

utString& utString::operator<<(int value) {
  return *this << static_cast<long long>(value);
}
utString& utString::operator<<(long value) {
  return *this << static_cast<long long>(value);
}
utString& utString::operator<<(unsigned value) {
  return *this << static_cast<unsigned long long>(value);
}
utString& utString::operator<<(unsigned long value) {
  return *this << static_cast<unsigned long long>(value);
}

utString& utString::operator<<(long long value) {
  char text[32];
  std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
  append(text, static_cast<size_t>(result.ptr - text));
  return *this;
}

utString& utString::operator<<(unsigned long long value) {
  char text[32];
  std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
  append(text, static_cast<size_t>(result.ptr - text));
  return *this;
}

namespace {

// The shortest text of value that reads back to it, cheaply, for the common
// short decimals (line widths, heights): value times a power of ten up to
// 10^4 that is a whole number and divides back to value exactly. Inside
// 0.001 <= |value| < 1e5 such a text is never longer than its exponent
// form, so it is what std::to_chars would write. 0 when no such form exists.
size_t short_decimal(double value, char* text) {
  const double size = std::fabs(value);
  if (!(size >= 0.001 && size < 1e5))
    return 0;
  double scale = 1;
  for (int decimals = 0; decimals <= 4; ++decimals, scale *= 10) {
    const double scaled = size * scale;
    // size < 1e5 and scale <= 1e4 keep scaled within a long long.
    const long long whole = static_cast<long long>(scaled);
    if (scaled != static_cast<double>(whole) || scaled / scale != size)
      continue;
    char digits[24];
    std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, whole);
    const size_t count = size_t(end.ptr - digits);
    // A last decimal 0 means the product missed a shorter form: leave it
    // to the general conversion.
    if (decimals > 0 && digits[count - 1] == '0')
      return 0;
    char* out = text;
    if (value < 0)
      *out++ = '-';
    if (count <= size_t(decimals)) { // below one: "0." and leading zeros
      *out++ = '0';
      *out++ = '.';
      for (size_t i = count; i < size_t(decimals); ++i)
        *out++ = '0';
      out = std::copy(digits, digits + count, out);
    } else {
      out = std::copy(digits, digits + count - decimals, out);
      if (decimals) {
        *out++ = '.';
        out = std::copy(digits + count - decimals, digits + count, out);
      }
    }
    return size_t(out - text);
  }
  return 0;
}

} // namespace

utString& utString::operator<<(double value) {
  // Shortest text that reads back to the same double; independent of locale.
  char text[64];
  size_t length = short_decimal(value, text);
  if (length == 0)
    length = static_cast<size_t>(std::to_chars(text, text + sizeof text, value).ptr - text);
  append(text, length);
  return *this;
}
