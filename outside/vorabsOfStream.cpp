// vorabsOfStream.cpp - a temporary file renamed into place on commit.
#include "vorabsOfStream.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

vorabsOfStream::vorabsOfStream(const utString& path) : path_(path), error_("") {}

vorabsOfStream::~vorabsOfStream() {
  discard();
}

void vorabsOfStream::fail() {
  error_ = utString(std::strerror(errno));
  discard();
}

int vorabsOfStream::open() {
  discard();
  // mkstemp makes a name no other writer of the same target can take.
  std::string name = std::string(path_.c_str()) + ".XXXXXX";
  int descriptor = mkstemp(&name[0]);
  if (descriptor < 0) {
    error_ = utString(std::strerror(errno));
    return 0;
  }
  // mkstemp makes the file private; a drawing is as readable as any other file.
  fchmod(descriptor, S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH);
  file_ = fdopen(descriptor, "wb");
  if (!file_) {
    error_ = utString(std::strerror(errno));
    ::close(descriptor);
    std::remove(name.c_str());
    return 0;
  }
  temporary_ = utString(name.c_str());
  error_ = utString("");
  return 1;
}

int vorabsOfStream::write(const char* data, size_t size) {
  if (!file_)
    return 0;
  if (std::fwrite(data, 1, size, file_) != size) {
    fail();
    return 0;
  }
  return 1;
}

int vorabsOfStream::commit() {
  if (!file_)
    return 0;
  if (std::fflush(file_) != 0 || fsync(fileno(file_)) != 0) {
    fail();
    return 0;
  }
  std::FILE* file = file_;
  file_ = nullptr;
  if (std::fclose(file) != 0 || std::rename(temporary_.c_str(), path_.c_str()) != 0) {
    error_ = utString(std::strerror(errno));
    std::remove(temporary_.c_str());
    return 0;
  }
  temporary_ = utString("");
  error_ = utString("");
  return 1;
}

void vorabsOfStream::discard() {
  if (!file_)
    return;
  std::fclose(file_);
  file_ = nullptr;
  std::remove(temporary_.c_str());
  temporary_ = utString("");
}
