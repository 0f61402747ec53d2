// dxfTagWriter.cpp - group codes and values as text.
#include "dxfTagWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <unistd.h>

namespace {

const size_t piece_size = size_t(1) << 20;

// An unnamed file for the pieces of one writer; null when none can be made.
std::FILE* make_spill() {
  const char* folder = std::getenv("TMPDIR");
  std::string path = std::string(folder && *folder ? folder : "/tmp") + "/vorabs-dxf-XXXXXX";
  const int descriptor = mkstemp(path.data());
  if (descriptor < 0)
    return nullptr;
  unlink(path.c_str()); // gone with its last descriptor, whatever happens
  std::FILE* file = fdopen(descriptor, "w+b");
  if (!file)
    close(descriptor);
  return file;
}

} // namespace

void dxfTagWriter::put_aside() {
  if (!spill_ && !spill_failed_) {
    spill_.reset(make_spill());
    spill_failed_ = !spill_;
  }
  // Flushed at once: what spilled_ counts is in the file, whatever comes later.
  if (!spill_failed_ && pieces_.empty() &&
      std::fwrite(text_.data(), 1, text_.size(), spill_.get()) == text_.size() &&
      std::fflush(spill_.get()) == 0) {
    spilled_ += text_.size();
    text_.clear(); // keeps its room for the next piece
    return;
  }
  spill_failed_ = 1; // the file's end may hold part of this piece: read only spilled_
  pieces_.push_back(std::move(text_));
  text_ = std::string();
  text_.reserve(piece_size + 4096);
}

int dxfTagWriter::write_spilled(const std::function<int(const char*, size_t)>& write) const {
  const int descriptor = fileno(spill_.get());
  std::vector<char> buffer(std::min(spilled_, piece_size));
  for (size_t done = 0; done < spilled_;) {
    const ssize_t got =
        pread(descriptor, buffer.data(), std::min(buffer.size(), spilled_ - done), off_t(done));
    if (got <= 0 || !write(buffer.data(), size_t(got)))
      return 0;
    done += size_t(got);
  }
  return 1;
}

void dxfTagWriter::append(const dxfTagWriter& other) {
  other.write([this](const char* data, size_t size) {
    text_.append(data, size);
    if (text_.size() >= piece_size)
      put_aside();
    return 1;
  });
}

std::string dxfTagWriter::str() const {
  std::string all;
  write([&all](const char* data, size_t size) {
    all.append(data, size);
    return 1;
  });
  return all;
}

void dxfTagWriter::clear() {
  spill_.reset();
  spilled_ = 0;
  spill_failed_ = 0;
  pieces_.clear();
  pieces_.shrink_to_fit();
  std::string().swap(text_);
}

// Every tag begins here: a full piece is put aside before it.
void dxfTagWriter::code(int value) {
  if (text_.size() >= piece_size)
    put_aside();
  char digits[16];
  auto result = std::to_chars(digits, digits + sizeof digits, value);
  size_t length = static_cast<size_t>(result.ptr - digits);
  if (length < 3)
    text_.append(3 - length, ' ');
  text_.append(digits, length);
  text_ += '\n';
}

void dxfTagWriter::tag(int group, std::string_view value) {
  code(group);
  text_.append(value.data(), value.size());
  text_ += '\n';
}

void dxfTagWriter::integer(int group, long long value) {
  code(group);
  char digits[24];
  auto result = std::to_chars(digits, digits + sizeof digits, value);
  text_.append(digits, result.ptr);
  text_ += '\n';
}

void dxfTagWriter::real(int group, double value) {
  code(group);
  if (value == 0.0 || !std::isfinite(value)) {
    // -0 prints as 0; callers reject non-finite values before they get here.
    text_ += "0.0\n";
    return;
  }
  char digits[32];
  auto result = std::to_chars(digits, digits + sizeof digits, value);
  std::string_view number(digits, static_cast<size_t>(result.ptr - digits));
  text_.append(number);
  // A value without a point or exponent still reads as a real in every reader.
  if (number.find_first_of(".e") == std::string_view::npos)
    text_ += ".0";
  text_ += '\n';
}

void dxfTagWriter::point(int group, double x, double y, double z) {
  real(group, x);
  real(group + 10, y);
  real(group + 20, z);
}

void dxfTagWriter::point2(int group, double x, double y) {
  real(group, x);
  real(group + 10, y);
}

void dxfTagWriter::handle(int group, std::uint64_t value) {
  code(group);
  char digits[24];
  auto result = std::to_chars(digits, digits + sizeof digits, value, 16);
  for (char* c = digits; c != result.ptr; ++c)
    if (*c >= 'a' && *c <= 'f')
      *c = static_cast<char>(*c - 'a' + 'A');
  text_.append(digits, result.ptr);
  text_ += '\n';
}
