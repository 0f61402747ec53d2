// vorabsSelfCheckGTest.cpp - makes the self-check's failed checks failures of a GoogleTest test.
#include "vorabsSelfCheckGTest.h"

#include <gtest/gtest.h>

vorabsSelfCheckGTest::vorabsSelfCheckGTest()
    : previous_(utUnitTest::get_tester().set_listener(this)) {}

vorabsSelfCheckGTest::~vorabsSelfCheckGTest() {
  utUnitTest::get_tester().set_listener(previous_);
}

void vorabsSelfCheckGTest::check_recorded(const utUnitTestCheck& check) {
  if (previous_)
    previous_->check_recorded(check);
  if (check.passed)
    return;
  ADD_FAILURE_AT(check.file.c_str(), check.line)
      << "check failed in " << check.function << ": " << check.message
      << "\n  expression: " << check.expression;
}
