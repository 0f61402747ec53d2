// dxfTagWriter.h - writes DXF group-code/value pairs into a growing text buffer.
//
// A tag is two lines: the group code, right-aligned in three columns as
// other writers do, and the value. Numbers are written in their shortest
// form that reads back to the same double, independent of the C locale.
// The writer owns its buffer; callers move the text out when done.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class dxfTagWriter {
public:
  void tag(int code, std::string_view value);
  void integer(int code, long long value);
  void real(int code, double value);
  // Writes x, y, z under code, code + 10 and code + 20.
  void point(int code, double x, double y, double z);
  void point2(int code, double x, double y);
  // A handle in upper-case hexadecimal.
  void handle(int code, std::uint64_t value);

  void append(const dxfTagWriter& other) { text_ += other.text_; }
  std::string& text() { return text_; }
  const std::string& text() const { return text_; }
  void clear() { text_.clear(); }

private:
  void code(int value);
  std::string text_;
};
