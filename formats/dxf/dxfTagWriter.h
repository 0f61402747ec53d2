// dxfTagWriter.h - writes DXF group-code/value pairs into a growing text buffer.
//
// A tag is two lines: the group code, right-aligned in three columns as
// other writers do, and the value. Numbers are written in their shortest
// form that reads back to the same double, independent of the C locale.
// The writer owns its text. A long text is kept in pieces of about a
// mebibyte, so that a section of millions of tags grows without copying what
// it holds, and is handed on piece by piece (write) rather than whole. Each
// full piece goes to an unnamed temporary file (in $TMPDIR, else /tmp) as it
// fills: a drawing's entities, written before the head of the file can be,
// then wait on disk rather than in memory. Where no temporary file can be
// made or written, the pieces stay in memory.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
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
  // piece it refuses (answers 0), or that cannot be read back from the
  // temporary file. Nonzero when all were taken.
  template <class Write> int write(Write&& write) const {
    if (spill_ &&
        !write_spilled([&write](const char* data, size_t size) { return write(data, size); }))
      return 0;
    for (const std::string& piece : pieces_)
      if (!write(piece.data(), piece.size()))
        return 0;
    return write(text_.data(), text_.size());
  }
  // The whole text as one string.
  std::string str() const;
  void clear();

private:
  struct Close {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  void code(int value);
  // Moves the full text_ to the temporary file, or to pieces_ where that fails.
  void put_aside();
  int write_spilled(const std::function<int(const char*, size_t)>& write) const;
  std::unique_ptr<std::FILE, Close> spill_; // the first spilled_ bytes of the text
  size_t spilled_ = 0;
  int spill_failed_ = 0;
  std::vector<std::string> pieces_; // full pieces that stayed in memory, after the spill
  std::string text_;
};
