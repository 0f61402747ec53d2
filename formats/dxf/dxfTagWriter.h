// dxfTagWriter.h - writes DXF group-code/value pairs into a growing text buffer.
//
// A tag is two lines: the group code, right-aligned in three columns as
// other writers do, and the value. Numbers are written in their shortest
// form that reads back to the same double, independent of the C locale.
// The writer owns its text. A long text is kept in pieces of about a
// mebibyte, so that a section of millions of tags grows without copying what
// it holds, and is handed on piece by piece (write) rather than whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

  void append(const dxfTagWriter& other);
  // Hands the text to write, piece by piece, in order; stops at the first
  // piece it refuses (answers 0). Nonzero when all were taken.
  template <class Write> int write(Write&& write) const {
    for (const std::string& piece : pieces_)
      if (!write(piece.data(), piece.size()))
        return 0;
    return write(text_.data(), text_.size());
  }
  // The whole text as one string.
  std::string str() const;
  void clear();

private:
  void code(int value);
  std::vector<std::string> pieces_; // full pieces, in order, before text_
  std::string text_;
};
