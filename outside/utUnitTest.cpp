// utUnitTest.cpp - the unit-test reporter.
#include "utUnitTest.h"

#include <iostream>

utUnitTest::utUnitTest(std::ostream* stream) : stream_(stream ? stream : &std::cerr) {}

utUnitTest::~utUnitTest() = default;

utUnitTest& utUnitTest::get_tester() {
  static utUnitTest tester;
  return tester;
}

void utUnitTest::set_ostream(std::ostream* stream) {
  stream_ = stream ? stream : &std::cerr;
}

void utUnitTest::utest_handler(int passed, const char* expression, const char* file, int line,
                               const char* message, const char* function) {
  ++checks_;
  if (passed)
    return;
  ++failures_;
  *stream_ << (file ? file : "") << ':' << line
           << ": check failed: " << (expression ? expression : "") << ": "
           << (message ? message : "") << " [" << (function ? function : "") << "]\n";
}

void utUnitTest::reset() {
  checks_ = 0;
  failures_ = 0;
}
