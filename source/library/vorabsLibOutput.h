// vorabsLibOutput.h - the base of file writers: a sink that also writes a file.
//
// Holds the output file stream, the application information (both owned by
// the host, never deleted here) and a copy of the translation context.
#pragma once

#include "vorabs_export.h"

#include "vorabsContext.h"
#include "vorabsLibSink.h"

class vorabsOfStream;

class VORABS_API vorabsLibOutput : public vorabsLibSink {
public:
  vorabsLibOutput(vorabsOfStream* stream, const vorabsAppInfo* app)
      : application_info_(app), stream_(stream) {}
  vorabsLibOutput(vorabsOfStream* stream, const vorabsAppInfo* app, const utString& category_name)
      : vorabsLibSink(category_name), application_info_(app), stream_(stream) {}
  ~vorabsLibOutput() override;

  void set_output(vorabsOutput* output) override { vorabsLibSink::set_output(output); }
  void set_error(vorabsOutput* error) override { vorabsLibSink::set_error(error); }
  // Writes the file; nonzero on success.
  virtual int write() = 0;

  void set_context(const vorabsContext& context) { context_ = context; }
  const vorabsContext& context() const { return context_; }
  vorabsOfStream* stream() const { return stream_; }
  const vorabsAppInfo* output_application_info() const { return application_info_; }

private:
  const vorabsAppInfo* application_info_;
  vorabsOfStream* stream_;
  vorabsContext context_;
};
