// utUnitTest.h - the unit-test reporter: records checks and prints the failed ones.
//
// One reporter serves the process (get_tester()); self-check code hands it
// every check it makes with the expression, the source file and line, a
// message and the function. The reporter counts checks and failures and
// writes each failed check as one line to its stream, standard error until
// another stream is set. It refers to the stream without owning it.
#pragma once

#include "vorout_export.h"

#include <iosfwd>

class VOROUT_API utUnitTest {
public:
  // A reporter of its own, writing to stream (standard error when null).
  explicit utUnitTest(std::ostream* stream = nullptr);
  utUnitTest(const utUnitTest&) = delete;
  utUnitTest& operator=(const utUnitTest&) = delete;
  ~utUnitTest();

  // The process's reporter.
  static utUnitTest& get_tester();

  std::ostream& get_ostream() const { return *stream_; }
  // Makes stream the one failures are written to; null restores standard error.
  void set_ostream(std::ostream* stream);

  // Records one check. A failed check (passed zero) is written as
  //   file:line: check failed: expression: message [function]
  // Null texts are written as empty ones.
  void utest_handler(int passed, const char* expression, const char* file, int line,
                     const char* message, const char* function);

  int num_checks() const { return checks_; }
  int num_passed() const { return checks_ - failures_; }
  int num_failed() const { return failures_; }
  // Forgets the counts.
  void reset();

private:
  std::ostream* stream_;
  int checks_ = 0;
  int failures_ = 0;
};
