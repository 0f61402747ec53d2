// utUnitTest.h - the unit-test reporter: records every check and prints a summary.
//
// One reporter serves the process (get_tester()); self-check code hands it
// every check it makes with the expression, the source file and line, a
// message and the function. The reporter keeps each check, passed or
// failed, writes a failed one at once as a line to its stream (standard
// error until another stream is set), and prints on request a summary of
// the counts and of every failure. A listener, when set, is told of every
// check as it is recorded: that is how a test framework sees the failures
// as its own. The reporter refers to its stream and its listener without
// owning them. Checks may be reported from several threads at once.
#pragma once

#include "vorout_export.h"

#include <iosfwd>
#include <mutex>
#include <string>
#include <vector>

// One recorded check. Null texts are kept as empty ones.
struct VOROUT_API utUnitTestCheck {
  int passed = 0;
  std::string expression;
  std::string file;
  int line = 0;
  std::string message;
  std::string function;
};

// Told of every check a reporter records, while the reporter's lock is
// held: a listener must not report to the same reporter.
class VOROUT_API utUnitTestListener {
public:
  virtual ~utUnitTestListener();
  virtual void check_recorded(const utUnitTestCheck& check) = 0;
};

class VOROUT_API utUnitTest {
public:
  // A reporter of its own, writing to stream (standard error when null).
  explicit utUnitTest(std::ostream* stream = nullptr);
  utUnitTest(const utUnitTest&) = delete;
  utUnitTest& operator=(const utUnitTest&) = delete;
  ~utUnitTest();

  // The process's reporter.
  static utUnitTest& get_tester();

  std::ostream& get_ostream() const;
  // Makes stream the one failures are written to; null restores standard error.
  void set_ostream(std::ostream* stream);
  // Makes listener the one told of each check (null: none); answers the
  // previous one.
  utUnitTestListener* set_listener(utUnitTestListener* listener);

  // Records one check. A failed check (passed zero) is written at once as
  //   file:line: check failed: expression: message [function]
  void utest_handler(int passed, const char* expression, const char* file, int line,
                     const char* message, const char* function);

  int num_checks() const;
  int num_passed() const;
  int num_failed() const;
  // The i-th check recorded (0-based, 0 <= i < num_checks()).
  utUnitTestCheck check(int i) const;
  // The counts, then one line per failure:
  //   checks: 7 passed, 2 failed
  //   failed: file:line in function: message (expression)
  void print_summary(std::ostream& out) const;
  // Forgets every check.
  void reset();

private:
  mutable std::mutex lock_;
  std::ostream* stream_;
  utUnitTestListener* listener_ = nullptr;
  std::vector<utUnitTestCheck> checks_;
  int failures_ = 0;
};
