// vorabsUtestTranslation.h - runs a reader it owns over one file into a sink tester.
//
// For a format library's unit tests: the reader's channels write to the
// reporter's stream, its context names a document of the runner's own, and
// translate_everything drives it object by object into a
// vorabsLibSinkTesterEx on that document, stopping at the first failed
// object. The runner owns the reader, the document, the sink tester and the
// channel, and destroys the reader first; the reporter is the caller's.
// input_lib(), output_document() and output_lib() are views, not owners.
#pragma once

#include "vorabs_export.h"

#include "vorabsContext.h"
#include "vorabsIfStream.h"
#include "vorabsLibInputEx.h"
#include "vorabsLibSinkTesterEx.h"

#include "ann/ann.h"
#include "vorabsOutput.h"

#include <memory>

class utUnitTest;

class VORABS_API vorabsUtestTranslation {
public:
  vorabsUtestTranslation(const utString& file_name, std::unique_ptr<vorabsLibInputEx> input,
                         utUnitTest& reporter);
  vorabsUtestTranslation(const vorabsUtestTranslation&) = delete;
  vorabsUtestTranslation& operator=(const vorabsUtestTranslation&) = delete;
  ~vorabsUtestTranslation();

  // Reads the file and sends every object; false when the file was not
  // read (or there is no reader) or an object failed.
  bool translate_everything();
  // How many objects were translated with vorabsSTATUS_OK.
  int num_passed() const { return passed_; }

  vorabsLibInputEx* input_lib() const { return input_.get(); }
  annDocument* output_document() { return &document_; }
  vorabsLibSinkTesterEx* output_lib() { return &sink_; }

private:
  utString file_name_;
  vorabsOutputOstream channel_;
  vorabsIfStream stream_;
  annDocument document_;
  vorabsLibSinkTesterEx sink_;
  vorabsContext context_;
  // Declared last so that it goes first: its translators point at the
  // channel and hold items of the document.
  std::unique_ptr<vorabsLibInputEx> input_;
  int passed_ = 0;
};
