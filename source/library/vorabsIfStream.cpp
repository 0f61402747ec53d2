// vorabsIfStream.cpp - the input file handed to a reader.
#include "vorabsIfStream.h"

vorabsIfStream::vorabsIfStream(const char* name) {
  if (name)
    initialise(utString(name));
}

vorabsIfStream::~vorabsIfStream() = default;

void vorabsIfStream::initialise(const utString& name) {
  file_name_ = name;
  named_ = 1;
}

int vorabsIfStream::open_stream() {
  // Opening for reading only leaves other processes free to read and write.
  if (!stream_.is_open())
    stream_.open(file_name_.c_str(), std::ios::in | std::ios::binary);
  return stream_.good() ? 1 : 0;
}

int vorabsIfStream::close_stream() {
  if (stream_.is_open())
    stream_.close();
  return stream_.good() ? 1 : 0;
}

int vorabsIfStream::invalid() const {
  if (!named_)
    return 1;
  return stream_.good() ? 0 : 1;
}
