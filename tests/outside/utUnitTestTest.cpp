// Tests of the check reporter: every check kept, the summary, the listener.
#include "utUnitTest.h"

#include <gtest/gtest.h>

#include <sstream>
#include <thread>
#include <vector>

namespace {

class CountingListener : public utUnitTestListener {
public:
  void check_recorded(const utUnitTestCheck& check) override {
    ++told;
    last = check;
  }
  int told = 0;
  utUnitTestCheck last;
};

} // namespace

TEST(utUnitTestTest, KeepsEveryCheckAndSummarisesTheFailures) {
  std::ostringstream out;
  utUnitTest tester(&out);
  CountingListener listener;
  EXPECT_EQ(tester.set_listener(&listener), nullptr);
  tester.utest_handler(7, "a == b", "x.cpp", 3, "same", "f");
  tester.utest_handler(0, "a != b", "y.cpp", 9, "differ", "g");
  EXPECT_EQ(tester.set_listener(nullptr), &listener);
  tester.utest_handler(0, nullptr, nullptr, 0, nullptr, nullptr);

  EXPECT_EQ(listener.told, 2);
  EXPECT_EQ(listener.last.function, "g");
  ASSERT_EQ(tester.num_checks(), 3);
  const utUnitTestCheck first = tester.check(0);
  EXPECT_EQ(first.passed, 1);
  EXPECT_EQ(first.expression + first.file + first.message + first.function, "a == bx.cppsamef");
  EXPECT_EQ(first.line, 3);
  EXPECT_EQ(tester.num_failed(), 2);

  std::ostringstream summary;
  tester.print_summary(summary);
  EXPECT_EQ(summary.str(), "checks: 1 passed, 2 failed\n"
                           "failed: y.cpp:9 in g: differ (a != b)\n"
                           "failed: :0 in :  ()\n");
  // Failures were also written as they came.
  EXPECT_EQ(out.str(), "y.cpp:9: check failed: a != b: differ [g]\n:0: check failed: :  []\n");
  tester.reset();
  EXPECT_EQ(tester.num_checks(), 0);
  EXPECT_EQ(tester.num_failed(), 0);
}

TEST(utUnitTestTest, ChecksFromSeveralThreadsAreAllKept) {
  std::ostringstream out;
  utUnitTest tester(&out);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&tester, t] {
      for (int i = 0; i < 500; ++i)
        tester.utest_handler(i % 2, "e", "f", t, "m", "g");
    });
  for (std::thread& thread : threads)
    thread.join();
  EXPECT_EQ(tester.num_checks(), 2000);
  EXPECT_EQ(tester.num_failed(), 1000);
}
