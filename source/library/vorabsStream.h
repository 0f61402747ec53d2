// vorabsStream.h - a pair of message channels handed to readers and writers.
//
// The channels belong to the host; the stream only points at them.
#pragma once

#include "vorabs_export.h"

class vorabsOutput;

class VORABS_API vorabsStream {
public:
  vorabsStream() = default;
  ~vorabsStream() = default;

  vorabsOutput* output_stream() const { return output_; }
  vorabsOutput* error_stream() const { return error_; }
  void set_output(vorabsOutput* output) { output_ = output; }
  void set_error(vorabsOutput* error) { error_ = error; }
  void reset_output() { output_ = nullptr; }
  void reset_error() { error_ = nullptr; }

private:
  vorabsOutput* output_ = nullptr;
  vorabsOutput* error_ = nullptr;
};
