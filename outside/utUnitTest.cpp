// utUnitTest.cpp - the unit-test reporter.
#include "utUnitTest.h"

#include <iostream>

namespace {

std::string text_of(const char* text) {
  return text ? std::string(text) : std::string();
}

} // namespace

utUnitTestListener::~utUnitTestListener() = default;

utUnitTest::utUnitTest(std::ostream* stream) : stream_(stream ? stream : &std::cerr) {}

utUnitTest::~utUnitTest() = default;

utUnitTest& utUnitTest::get_tester() {
  static utUnitTest tester;
  return tester;
}

std::ostream& utUnitTest::get_ostream() const {
  std::lock_guard<std::mutex> hold(lock_);
  return *stream_;
}

void utUnitTest::set_ostream(std::ostream* stream) {
  std::lock_guard<std::mutex> hold(lock_);
  stream_ = stream ? stream : &std::cerr;
}

utUnitTestListener* utUnitTest::set_listener(utUnitTestListener* listener) {
  std::lock_guard<std::mutex> hold(lock_);
  utUnitTestListener* previous = listener_;
  listener_ = listener;
  return previous;
}

void utUnitTest::utest_handler(int passed, const char* expression, const char* file, int line,
                               const char* message, const char* function) {
  utUnitTestCheck check;
  check.passed = passed ? 1 : 0;
  check.expression = text_of(expression);
  check.file = text_of(file);
  check.line = line;
  check.message = text_of(message);
  check.function = text_of(function);

  std::lock_guard<std::mutex> hold(lock_);
  if (!check.passed) {
    ++failures_;
    *stream_ << check.file << ':' << check.line << ": check failed: " << check.expression << ": "
             << check.message << " [" << check.function << "]\n";
  }
  checks_.push_back(check);
  if (listener_)
    listener_->check_recorded(checks_.back());
}

int utUnitTest::num_checks() const {
  std::lock_guard<std::mutex> hold(lock_);
  return int(checks_.size());
}

int utUnitTest::num_passed() const {
  std::lock_guard<std::mutex> hold(lock_);
  return int(checks_.size()) - failures_;
}

int utUnitTest::num_failed() const {
  std::lock_guard<std::mutex> hold(lock_);
  return failures_;
}

utUnitTestCheck utUnitTest::check(int i) const {
  std::lock_guard<std::mutex> hold(lock_);
  return checks_[size_t(i)];
}

void utUnitTest::print_summary(std::ostream& out) const {
  std::lock_guard<std::mutex> hold(lock_);
  out << "checks: " << int(checks_.size()) - failures_ << " passed, " << failures_ << " failed\n";
  for (const utUnitTestCheck& check : checks_)
    if (!check.passed)
      out << "failed: " << check.file << ':' << check.line << " in " << check.function << ": "
          << check.message << " (" << check.expression << ")\n";
}

void utUnitTest::reset() {
  std::lock_guard<std::mutex> hold(lock_);
  checks_.clear();
  failures_ = 0;
}
