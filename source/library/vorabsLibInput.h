// vorabsLibInput.h - the base of file readers.
//
// Holds the host's application information and two message channels (all
// owned by the host) and the translation context the reader works in.
#pragma once

#include "vorabs_export.h"

#include "vorabsContext.h"
#include "vorabsLibSource.h"

class vorabsAppInfo;
class vorabsIfStream;

class VORABS_API vorabsLibInput : public vorabsLibSource {
public:
  explicit vorabsLibInput(const vorabsAppInfo* app) : application_info_(app) {}
  vorabsLibInput(const vorabsAppInfo* app, const utString& category_name)
      : vorabsLibSource(category_name), application_info_(app) {}
  ~vorabsLibInput() override;

  // Store the channel; translators registered earlier keep theirs.
  void set_output(vorabsOutput* output) override { output_ = output; }
  void set_error(vorabsOutput* error) override { error_ = error; }
  // Reads the file; nonzero when it was read.
  virtual int read_input(const vorabsContext& context, vorabsIfStream& stream) = 0;
  // Nonzero when the file's size is acceptable.
  virtual int check_file_size(vorabsIfStream& stream) = 0;

  const vorabsAppInfo* application_info() const { return application_info_; }
  vorabsOutput* output() const { return output_; }
  vorabsOutput* error() const { return error_; }

protected:
  vorabsContext& context() { return context_; }

private:
  const vorabsAppInfo* application_info_;
  vorabsOutput* output_ = nullptr;
  vorabsOutput* error_ = nullptr;
  vorabsContext context_;
};
