// vorabsOfStream.h - the output file stream a writer is handed: all or nothing.
//
// The stream writes into a temporary file beside its target and puts it in
// the target's place only on commit(), so that a reader of the target
// never sees a half-written file: a failed write, a full disk or a stream
// destroyed without commit leaves the target as it was and removes the
// temporary. The host owns the stream; writers only point at it. Not for
// use from two threads at once.
#pragma once

#include "ut.h"
#include "vorout_export.h"

#include <cstddef>
#include <cstdio>

class VOROUT_API vorabsOfStream {
public:
  explicit vorabsOfStream(const utString& path);
  ~vorabsOfStream();
  vorabsOfStream(const vorabsOfStream&) = delete;
  vorabsOfStream& operator=(const vorabsOfStream&) = delete;

  const utString& path() const { return path_; }
  // Creates the temporary file; nonzero on success.
  int open();
  int is_open() const { return file_ != nullptr; }
  // Appends size bytes; nonzero when all of them were written. After a
  // failure every later write and the commit fail too.
  int write(const char* data, size_t size);
  // Flushes, closes and renames the temporary over the target; nonzero on
  // success. On failure the temporary is removed and the target kept.
  int commit();
  // Drops what was written.
  void discard();
  // Why the last operation failed, in the system's words; empty after success.
  const utString& error() const { return error_; }

private:
  void fail();

  utString path_;
  utString temporary_;
  std::FILE* file_ = nullptr;
  utString error_;
};
