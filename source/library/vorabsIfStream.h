// vorabsIfStream.h - the input file handed to a reader.
//
// Holds the file name and a binary input stream that is opened on demand.
// Failures show only in the stream's state.
#pragma once

#include "vorabs_export.h"

#include "ut.h"

#include <fstream>

class VORABS_API vorabsIfStream {
public:
  explicit vorabsIfStream(const char* name);
  vorabsIfStream(const vorabsIfStream&) = delete;
  vorabsIfStream& operator=(const vorabsIfStream&) = delete;
  ~vorabsIfStream();

  // Takes the name; does not open the file.
  void initialise(const utString& name);
  // Opens the file for binary reading unless open already; 1 when the
  // stream is good afterwards.
  int open_stream();
  // Closes the file when open; 1 when the stream is good afterwards.
  int close_stream();
  // 1 without a name, or when the stream is not good.
  int invalid() const;
  std::basic_ifstream<char>& stream() { return stream_; }
  const utString& file_name() const { return file_name_; }

private:
  utString file_name_;
  std::basic_ifstream<char> stream_;
  int named_ = 0;
};
