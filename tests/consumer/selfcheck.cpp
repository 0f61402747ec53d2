// A format library's GoogleTest suite checking its reader with the installed
// self-check over a sample file.
#include "PointReader.h"
#include "vorabsSelfCheckGTest.h"
#include "vorabsTestExpectedObjects.h"
#include "vorabsTestTranslation.h"

#include "utUnitTest.h"

#include <gtest/gtest.h>

#include <iostream>

TEST(PointReaderSelfCheck, ReadsEveryPointOfTheSample) {
  vorabsSelfCheckGTest checks; // each failed check fails this test
  PointReader reader;
  vorabsTestTranslation run(utUnitTest::get_tester(), reader, utString(CONSUMER_SAMPLE));
  run.translate_file();
  vorabsTestExpectedObjects expected;
  expected.expected_number_of_points(3);
  run.check_objects(expected);
  utUnitTest::get_tester().print_summary(std::cout);
  EXPECT_EQ(utUnitTest::get_tester().num_failed(), 0);
}
