// vorabsTestTranslation.h - the self-check driver: runs a reader over one file and checks it.
//
// What a format library's author runs over a sample file: translate_file
// has the reader read the file and sends each of its objects, as a host
// would, into a vorabsLibSinkTesterEx on a document of the driver's own;
// check_objects compares what arrived, kind by kind, with the counts
// expected. Every check goes to the reporter, passed or failed; nothing
// stops the run. The reporter and the reader are the caller's and must
// outlive the driver; the reader's channels are the driver's (writing to
// the reporter's stream) from translate_file on, so the reader must not be
// used to translate once the driver is gone.
#pragma once

#include "vorabs_export.h"

#include "vorabsLibSinkTesterEx.h"

#include "ann/ann.h"
#include "vorabsOutput.h"

class utUnitTest;
class vorabsLibInput;
class vorabsTestExpectedObjects;

class VORABS_API vorabsTestTranslation {
public:
  vorabsTestTranslation(utUnitTest& reporter, vorabsLibInput& input, const utString& file_name);
  vorabsTestTranslation(const vorabsTestTranslation&) = delete;
  vorabsTestTranslation& operator=(const vorabsTestTranslation&) = delete;
  ~vorabsTestTranslation();

  void translate_file();
  void check_objects(const vorabsTestExpectedObjects& expected);

  // 1 once translate_file has run to its end.
  int completed() const { return completed_; }
  annDocument& document() { return document_; }
  const vorabsLibSinkTesterEx& output_lib() const { return sink_; }

private:
  void check(int passed, const char* expression, int line, const char* message,
             const char* function);

  utUnitTest* reporter_;
  vorabsLibInput* input_;
  utString file_name_;
  vorabsOutputOstream channel_;
  annDocument document_;
  vorabsLibSinkTesterEx sink_;
  int completed_ = 0;
};
