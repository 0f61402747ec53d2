// A format library's GoogleTest suite checking its reader with the installed
// self-check: the reader reads lines "name x y z", one point each.
#include "vorabsSelfCheckGTest.h"
#include "vorabsTestExpectedObjects.h"
#include "vorabsTestLibInputEx.h"
#include "vorabsTestPointTranslator.h"
#include "vorabsTestTranslation.h"

#include "vorabsIfStream.h"

#include "utUnitTest.h"

#include <gtest/gtest.h>

#include <iostream>
#include <string>

namespace {

class PointReader : public vorabsTestLibInputEx {
public:
  PointReader() : vorabsTestLibInputEx(nullptr) {}
  int read_input(const vorabsContext& context, vorabsIfStream& stream) override {
    if (!stream.open_stream())
      return 0;
    std::string name;
    giPoint3 point;
    while (stream.stream() >> name >> point.x >> point.y >> point.z)
      add_translator(vorabsTranslatorcoPrf(
          new vorabsTestPointTranslator(context, utString(name.c_str()), point)));
    return 1;
  }
};

} // namespace

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
