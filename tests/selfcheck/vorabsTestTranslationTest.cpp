// Tests of the self-check drivers over real files, and of failed checks
// seen as GoogleTest failures.
#include "vorabsTestTranslation.h"

#include "../consumer/PointReader.h"
#include "TempDir.h"
#include "vorabsSelfCheckGTest.h"
#include "vorabsTestExpectedObjects.h"
#include "vorabsUtestTranslation.h"

#include "utUnitTest.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <fstream>

namespace {

utString sample(const TempDir& folder, const char* text) {
  std::ofstream(folder.file("sample.txt")) << text;
  return utString(folder.file("sample.txt").c_str());
}

} // namespace

TEST(vorabsTestTranslationTest, ReportsEachObjectAndEachCountAsGoogleTestFailuresToo) {
  utUnitTest& reporter = utUnitTest::get_tester();
  reporter.reset();
  TempDir folder;
  PointReader reader;
  vorabsTestTranslation run(reporter, reader, sample(folder, "A 1 2 3\nbad\n"));
  run.translate_file();
  ASSERT_EQ(reporter.num_checks(), 4); // read, A arrived, A sent, bad sent
  EXPECT_EQ(reporter.check(0).expression, "m_input->read_input(context, input_stream)");
  EXPECT_EQ(std::to_string(reporter.check(3).passed) + reporter.check(3).message,
            "0translate_file | sent the object ok");

  vorabsTestExpectedObjects wrong; // all seven fail: one too many of each
  wrong.expected_number_of_topologies(1);
  wrong.expected_number_of_curves3(1);
  wrong.expected_number_of_points(2);
  wrong.expected_number_of_surfaces(1);
  wrong.expected_number_of_triblocks(1);
  wrong.expected_number_of_workplane3(1);
  ::testing::TestPartResultArray failures;
  {
    ::testing::ScopedFakeTestPartResultReporter intercept(
        ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
    vorabsSelfCheckGTest checks;
    run.check_objects(wrong);
  }
  ASSERT_EQ(failures.size(), 7);
  std::string texts;
  for (int i = 0; i < 7; ++i) {
    const utUnitTestCheck check = reporter.check(i + 4);
    EXPECT_EQ(failures.GetTestPartResult(i).line_number(), check.line);
    texts += check.expression + "|" + check.message.substr(check.function.size()) + "\n";
  }
  EXPECT_STREQ(failures.GetTestPartResult(0).file_name(), "source/src/vorabsTestTranslation");
  EXPECT_STREQ(failures.GetTestPartResult(6).message(),
               "Failed\ncheck failed in vorabsTestTranslation::check_objects: "
               "vorabsTestTranslation::check_objects | number of objects\n"
               "  expression: objects.check_num_of_objects(num_objects)");
  EXPECT_EQ(texts, "objects.compare_number_of_topologies(topologies)| | number of topologies\n"
                   "objects.compare_number_of_curves3(curves3)| | number of curves3\n"
                   "objects.compare_number_of_points(points)| | number of points\n"
                   "objects.compare_number_of_surfaces(surfaces)| | number of surfaces\n"
                   "objects.compare_number_of_triblocks(triblocks)| | number of triblocks\n"
                   "objects.compare_number_of_workplane3(workplane3)| | number of workplane3\n"
                   "objects.check_num_of_objects(num_objects)| | number of objects\n");
  std::ostringstream summary;
  reporter.print_summary(summary);
  EXPECT_EQ(summary.str().rfind("checks: 3 passed, 8 failed\nfailed: source/src/", 0), 0u);

  // A missing file fails its check; without the adapter it stays with the reporter.
  PointReader other;
  vorabsTestTranslation unread(reporter, other, utString(folder.file("none").c_str()));
  unread.translate_file();
  EXPECT_EQ(reporter.num_failed(), 9);
  reporter.reset();
}

TEST(vorabsTestTranslationTest, TheRunnerOwnsItsReaderAndStopsAtTheFirstFailedObject) {
  TempDir folder;
  utUnitTest& reporter = utUnitTest::get_tester();
  vorabsUtestTranslation runner(sample(folder, "A 1 2 3\nB 0 0 1\nbad\nC 0 0 0\n"),
                                std::make_unique<PointReader>(), reporter);
  EXPECT_EQ(runner.output_document()->name(), utString("vorabsUtestTranslation"));
  EXPECT_FALSE(runner.translate_everything());
  EXPECT_EQ(runner.num_passed(), 2);
  EXPECT_EQ(runner.output_lib()->number_of_points3(), 2);
  vorabsUtestTranslation unread(utString(folder.file("none").c_str()),
                                std::make_unique<PointReader>(), reporter);
  EXPECT_FALSE(unread.translate_everything());
  vorabsUtestTranslation readerless(utString(""), nullptr, reporter);
  EXPECT_FALSE(readerless.translate_everything());
  reporter.reset();
}
