// codepage.cpp - numbered code pages over iconv.
#include "codepage.h"

#include <cerrno>
#include <iconv.h>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

const char* const UTF16_CHARSET = "UTF-16LE";

std::string charset_name(unsigned int code_page) {
  return "CP" + std::to_string(code_page == 0 ? CP_DEFAULT_ANSI : code_page);
}

class iconv_handle {
public:
  iconv_handle(const std::string& to, const std::string& from)
      : handle_(iconv_open(to.c_str(), from.c_str())) {}
  ~iconv_handle() {
    if (valid())
      iconv_close(handle_);
  }
  iconv_handle(const iconv_handle&) = delete;
  iconv_handle& operator=(const iconv_handle&) = delete;

  bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return handle_; }

private:
  iconv_t handle_;
};

enum class direction { decode, encode };

// The converters of one thread, opened on first use and kept: opening one
// costs far more than converting a short text. Each is reset to its initial
// state when handed out. A converter that cannot be opened is remembered as
// such. A thread that asks for very many code pages starts over, so that the
// cache stays small whatever numbers the texts it reads name.
class converter_cache {
public:
  const iconv_handle& get(unsigned int code_page, direction way) {
    const size_t most = 64;
    auto key = std::make_pair(code_page, way);
    auto found = handles_.find(key);
    if (found == handles_.end()) {
      if (handles_.size() >= most)
        handles_.clear();
      std::string charset = charset_name(code_page);
      auto made = way == direction::decode ? std::make_unique<iconv_handle>(UTF16_CHARSET, charset)
                                           : std::make_unique<iconv_handle>(charset, UTF16_CHARSET);
      found = handles_.emplace(key, std::move(made)).first;
    }
    const iconv_handle& handle = *found->second;
    if (handle.valid())
      iconv(handle.get(), nullptr, nullptr, nullptr, nullptr);
    return handle;
  }

private:
  std::map<std::pair<unsigned int, direction>, std::unique_ptr<iconv_handle>> handles_;
};

const iconv_handle& converter(unsigned int code_page, direction way) {
  thread_local converter_cache cache;
  return cache.get(code_page, way);
}

// Where converted units go: counted only, or written while they fit.
template <class Unit> class unit_sink {
public:
  unit_sink(Unit* units, size_t capacity) : units_(units), capacity_(capacity) {}
  bool put(Unit unit) {
    if (capacity_ != 0) {
      if (count_ == capacity_)
        return false;
      units_[count_] = unit;
    }
    ++count_;
    return true;
  }
  size_t count() const { return count_; }

private:
  Unit* units_;
  size_t capacity_;
  size_t count_ = 0;
};

// Runs the whole input through iconv. Output is handed to `emit` chunk by
// chunk; at an input sequence iconv cannot convert, `replace` is called with
// the position and the bytes left, and answers how many bytes to skip (0
// fails the conversion). Returns false on any failure.
template <class Emit, class Replace>
bool run_iconv(iconv_t handle, const char* bytes, size_t size, Emit emit, Replace replace) {
  char chunk[4096];
  char* in = const_cast<char*>(bytes);
  size_t in_left = size;
  bool flushed = false;
  while (!flushed) {
    char* out = chunk;
    size_t out_left = sizeof chunk;
    size_t result = in_left > 0 ? iconv(handle, &in, &in_left, &out, &out_left)
                                : iconv(handle, nullptr, nullptr, &out, &out_left);
    int error = result == static_cast<size_t>(-1) ? errno : 0;
    if (in_left == 0 && error == 0 && out == chunk)
      flushed = true; // input done and no shift sequence left to write
    if (!emit(chunk, static_cast<size_t>(out - chunk)))
      return false;
    if (error == EILSEQ || error == EINVAL) {
      size_t skip = replace(in, in_left);
      if (skip == 0 || skip > in_left)
        return false;
      in += skip;
      in_left -= skip;
    } else if (error != 0 && error != E2BIG) {
      return false;
    }
  }
  return true;
}

unsigned int unit_at(const char* p) {
  return static_cast<unsigned char>(p[0]) |
         static_cast<unsigned int>(static_cast<unsigned char>(p[1])) << 8;
}

bool is_high_surrogate(unsigned int unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool is_low_surrogate(unsigned int unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

size_t cp_multibyte_to_wide(unsigned int code_page, const char* bytes, size_t size, wchar_t* units,
                            size_t capacity) {
  if (bytes == nullptr || size == 0 || (units == nullptr && capacity != 0))
    return 0;
  const iconv_handle& handle = converter(code_page, direction::decode);
  if (!handle.valid())
    return 0;
  unit_sink<wchar_t> sink(units, capacity);
  auto emit = [&sink](const char* out, size_t n) {
    for (size_t i = 0; i + 1 < n; i += 2)
      if (!sink.put(static_cast<wchar_t>(unit_at(out + i))))
        return false;
    return true;
  };
  auto replace = [&sink](const char*, size_t) -> size_t { return sink.put(L'?') ? 1 : 0; };
  if (!run_iconv(handle.get(), bytes, size, emit, replace))
    return 0;
  return sink.count();
}

size_t cp_wide_to_multibyte(unsigned int code_page, const wchar_t* units, size_t count, char* bytes,
                            size_t capacity) {
  if (units == nullptr || count == 0 || (bytes == nullptr && capacity != 0))
    return 0;
  const iconv_handle& handle = converter(code_page, direction::encode);
  if (!handle.valid())
    return 0;

  // The code page's own question mark stands for what it cannot hold.
  std::string question;
  auto keep = [&question](const char* out, size_t n) {
    question.append(out, n);
    return true;
  };
  if (!run_iconv(handle.get(), "?\0", 2, keep, [](const char*, size_t) -> size_t { return 0; }) ||
      question.empty())
    question = "?";
  iconv(handle.get(), nullptr, nullptr, nullptr, nullptr);

  std::vector<char> source(count * 2);
  for (size_t i = 0; i < count; ++i) {
    unsigned int unit = static_cast<unsigned int>(units[i]);
    if (unit > 0xFFFF)
      unit = '?';
    source[2 * i] = static_cast<char>(unit & 0xFF);
    source[2 * i + 1] = static_cast<char>(unit >> 8);
  }

  unit_sink<char> sink(bytes, capacity);
  auto emit = [&sink](const char* out, size_t n) {
    for (size_t i = 0; i < n; ++i)
      if (!sink.put(out[i]))
        return false;
    return true;
  };
  auto replace = [&sink, &question](const char* at, size_t left) -> size_t {
    for (char c : question)
      if (!sink.put(c))
        return 0;
    // A well-formed pair the code page cannot hold is one character.
    if (left >= 4 && is_high_surrogate(unit_at(at)) && is_low_surrogate(unit_at(at + 2)))
      return 4;
    return 2;
  };
  if (!run_iconv(handle.get(), source.data(), source.size(), emit, replace))
    return 0;
  return sink.count();
}

int cp_is_valid_code_page(unsigned int code_page) {
  if (code_page == 0)
    return 0;
  return converter(code_page, direction::decode).valid() &&
         converter(code_page, direction::encode).valid();
}
