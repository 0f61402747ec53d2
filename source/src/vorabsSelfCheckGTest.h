// vorabsSelfCheckGTest.h - makes the self-check's failed checks failures of a GoogleTest test.
//
// For a format library's GoogleTest suite: while one of these lives, every
// check that fails at the process's reporter (utUnitTest::get_tester()) is
// also a non-fatal failure of the running test, placed at the check's
// source file and line and naming its function, message and expression.
// Passed checks stay with the reporter. Make one per test, on the test's
// thread; it restores the reporter's previous listener when it goes.
#pragma once

#include "utUnitTest.h"

class vorabsSelfCheckGTest final : public utUnitTestListener {
public:
  vorabsSelfCheckGTest();
  vorabsSelfCheckGTest(const vorabsSelfCheckGTest&) = delete;
  vorabsSelfCheckGTest& operator=(const vorabsSelfCheckGTest&) = delete;
  ~vorabsSelfCheckGTest() override;

  void check_recorded(const utUnitTestCheck& check) override;

private:
  utUnitTestListener* previous_;
};
