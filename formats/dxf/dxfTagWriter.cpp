// dxfTagWriter.cpp - group codes and values as text.
#include "dxfTagWriter.h"

#include <charconv>
#include <cmath>

namespace {
const size_t piece_size = size_t(1) << 20;
}

void dxfTagWriter::append(const dxfTagWriter& other) {
  other.write([this](const char* data, size_t size) {
    text_.append(data, size);
    if (text_.size() >= piece_size) {
      pieces_.push_back(std::move(text_));
      text_ = std::string();
    }
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
  pieces_.clear();
  pieces_.shrink_to_fit();
  std::string().swap(text_);
}

// Every tag begins here: a full piece is put aside before it.
void dxfTagWriter::code(int value) {
  if (text_.size() >= piece_size) {
    pieces_.push_back(std::move(text_));
    text_ = std::string();
    text_.reserve(piece_size + 4096);
  }
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
