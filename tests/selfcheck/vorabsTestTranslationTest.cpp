// Tests of the self-check drivers over real files: the one-file driver with
// its checks and counts, the runner that owns its reader, and failed checks
// seen as GoogleTest failures.
#include "vorabsTestTranslation.h"

#include "TempDir.h"
#include "TestHelpers.h"
#include "vorabsSelfCheckGTest.h"
#include "vorabsTestExpectedObjects.h"
#include "vorabsTestFaceTranslator.h"
#include "vorabsTestGroupTranslator.h"
#include "vorabsTestLibInputEx.h"
#include "vorabsTestPointTranslator.h"
#include "vorabsUtestTranslation.h"

#include "utUnitTest.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Reads lines "point NAME [x y z]" (without coordinates the point is unset
// and fails), "face NAME", and "group NAME" ... "end" around other lines.
class SampleReader : public vorabsTestLibInputEx {
public:
  SampleReader() : vorabsTestLibInputEx(nullptr) {}

  int read_input(const vorabsContext& context, vorabsIfStream& stream) override {
    if (!stream.open_stream())
      return 0;
    std::vector<std::shared_ptr<vorabsTestGroupTranslator>> open;
    for (std::string line; std::getline(stream.stream(), line);) {
      std::istringstream in(line);
      std::string kind, name;
      in >> kind >> name;
      vorabsTranslatorcoPrf made;
      if (kind == "point") {
        giPoint3 point;
        in >> point.x >> point.y >> point.z;
        made = vorabsTranslatorcoPrf(
            new vorabsTestPointTranslator(context, utString(name.c_str()), point));
      } else if (kind == "face") {
        made = vorabsTranslatorcoPrf(
            new vorabsTestFaceTranslator(context, utString(name.c_str()), planes(1)));
      } else if (kind == "group") {
        open.push_back(std::make_shared<vorabsTestGroupTranslator>(context, utString(name.c_str()),
                                                                   giXform3(giXformIdentity)));
        continue;
      } else if (kind == "end" && !open.empty()) {
        made = vorabsTranslatorcoPrf(open.back());
        open.pop_back();
      }
      if (made.invalid())
        continue;
      if (open.empty())
        add_translator(made);
      else
        open.back()->add_translator(made);
    }
    return 1;
  }
};

// The process's reporter, fresh for each test and writing into report.
class vorabsTestTranslationTest : public ::testing::Test {
protected:
  vorabsTestTranslationTest() {
    reporter.reset();
    reporter.set_ostream(&report);
  }
  ~vorabsTestTranslationTest() override {
    reporter.set_ostream(nullptr);
    reporter.reset();
  }

  utString sample(const std::string& text) {
    const std::string name = folder.file("sample.txt");
    std::ofstream(name) << text;
    return utString(name.c_str());
  }

  utUnitTest& reporter = utUnitTest::get_tester();
  std::ostringstream report;
  TempDir folder;
};

vorabsTestExpectedObjects expect(int topologies, int points) {
  vorabsTestExpectedObjects expected;
  expected.expected_number_of_topologies(topologies);
  expected.expected_number_of_points(points);
  return expected;
}

} // namespace

TEST_F(vorabsTestTranslationTest, TranslatesAFileAndChecksTheCountsKindByKind) {
  SampleReader reader;
  vorabsTestTranslation run(reporter, reader,
                            sample("point A 1 2 3\ngroup G\npoint B 0 0 1\nface F\nend\n"));
  run.translate_file();
  EXPECT_EQ(run.completed(), 1);
  // The read first, the send of the last top-level object last, the sink
  // tester's checks of what arrived in between.
  ASSERT_EQ(reporter.num_checks(), 7);
  EXPECT_EQ(reporter.num_failed(), 0);
  const utUnitTestCheck read = reporter.check(0);
  EXPECT_EQ(read.expression, "m_input->read_input(context, input_stream)");
  EXPECT_EQ(read.message, "translate_file | file didnt read ok");
  EXPECT_EQ(read.file, "source/src/vorabsTestTranslation");
  const utUnitTestCheck sent = reporter.check(6);
  EXPECT_EQ(sent.expression + "|" + sent.message + "|" + sent.function,
            "status != vorabsSTATUS_FAILED|translate_file | sent the object ok|"
            "vorabsTestTranslation::translate_file");
  EXPECT_EQ(run.output_lib().number_of_points3(), 2);
  EXPECT_EQ(run.output_lib().number_of_topologies(), 1);
  EXPECT_NE(printed(run.document()).find("annGroup \"G\""), std::string::npos);

  reporter.reset();
  run.check_objects(expect(1, 2));
  EXPECT_EQ(reporter.num_checks(), 7);
  EXPECT_EQ(reporter.num_failed(), 0);

  // Every count wrong, and more objects expected than the reader has.
  reporter.reset();
  vorabsTestExpectedObjects wrong;
  wrong.expected_number_of_topologies(2);
  wrong.expected_number_of_curves3(1);
  wrong.expected_number_of_points(1);
  wrong.expected_number_of_surfaces(1);
  wrong.expected_number_of_triblocks(1);
  wrong.expected_number_of_workplane3(1);
  run.check_objects(wrong);
  ASSERT_EQ(reporter.num_failed(), 7);
  std::string texts;
  for (int i = 0; i < 7; ++i) {
    const utUnitTestCheck check = reporter.check(i);
    EXPECT_EQ(check.function, "vorabsTestTranslation::check_objects");
    EXPECT_EQ(check.file, "source/src/vorabsTestTranslation");
    texts += check.expression + " | " + check.message + "\n";
  }
  const std::string prefix = " | vorabsTestTranslation::check_objects | number of ";
  EXPECT_EQ(texts, "objects.compare_number_of_topologies(topologies)" + prefix + "topologies\n" +
                       "objects.compare_number_of_curves3(curves3)" + prefix + "curves3\n" +
                       "objects.compare_number_of_points(points)" + prefix + "points\n" +
                       "objects.compare_number_of_surfaces(surfaces)" + prefix + "surfaces\n" +
                       "objects.compare_number_of_triblocks(triblocks)" + prefix + "triblocks\n" +
                       "objects.compare_number_of_workplane3(workplane3)" + prefix +
                       "workplane3\n" + "objects.check_num_of_objects(num_objects)" + prefix +
                       "objects\n");
}

TEST_F(vorabsTestTranslationTest, AnUnreadableFileOrAFailedObjectFailsItsCheckAndTheRunGoesOn) {
  SampleReader missing;
  vorabsTestTranslation nowhere(reporter, missing, utString(folder.file("none.txt").c_str()));
  nowhere.translate_file();
  EXPECT_EQ(nowhere.completed(), 1);
  ASSERT_EQ(reporter.num_checks(), 1);
  EXPECT_EQ(reporter.num_failed(), 1);

  reporter.reset();
  SampleReader reader;
  vorabsTestTranslation run(reporter, reader, sample("point bad\npoint A 1 1 1\n"));
  run.translate_file();
  EXPECT_EQ(reporter.num_checks(), 4); // read, bad sent, A arrived, A sent
  EXPECT_EQ(reporter.num_failed(), 1);
  EXPECT_EQ(reporter.check(1).passed, 0);
  EXPECT_EQ(run.output_lib().number_of_points3(), 1);
}

TEST_F(vorabsTestTranslationTest, TheRunnerOwnsItsReaderAndStopsAtTheFirstFailedObject) {
  const utString file = sample("point A 1 2 3\ngroup G\npoint B 0 0 1\nend\npoint bad\n"
                               "point C 0 0 0\n");
  vorabsUtestTranslation runner(file, std::make_unique<SampleReader>(), reporter);
  EXPECT_EQ(runner.output_document()->name(), utString("vorabsUtestTranslation"));
  EXPECT_FALSE(runner.translate_everything());
  EXPECT_EQ(runner.num_passed(), 2);
  EXPECT_EQ(runner.output_lib()->number_of_points3(), 2); // C was never sent
  EXPECT_EQ(runner.input_lib()->output(), runner.input_lib()->error());

  vorabsUtestTranslation unread(utString(folder.file("none.txt").c_str()),
                                std::make_unique<SampleReader>(), reporter);
  EXPECT_FALSE(unread.translate_everything());
  vorabsUtestTranslation readerless(file, nullptr, reporter);
  EXPECT_FALSE(readerless.translate_everything());
  EXPECT_EQ(readerless.input_lib(), nullptr);
}

TEST_F(vorabsTestTranslationTest, FailedChecksBecomeGoogleTestFailuresWhileTheAdapterLives) {
  SampleReader reader;
  vorabsTestTranslation run(reporter, reader, sample("point A 1 2 3\n"));
  run.translate_file();
  ::testing::TestPartResultArray failures;
  {
    ::testing::ScopedFakeTestPartResultReporter intercept(
        ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
    vorabsSelfCheckGTest checks;
    run.check_objects(expect(0, 0));
  }
  ASSERT_EQ(failures.size(), 1);
  const ::testing::TestPartResult& failure = failures.GetTestPartResult(0);
  EXPECT_TRUE(failure.nonfatally_failed());
  EXPECT_STREQ(failure.file_name(), "source/src/vorabsTestTranslation");
  EXPECT_EQ(failure.line_number(), reporter.check(reporter.num_checks() - 5).line);
  EXPECT_STREQ(failure.message(), "Failed\ncheck failed in vorabsTestTranslation::check_objects: "
                                  "vorabsTestTranslation::check_objects | number of points\n"
                                  "  expression: objects.compare_number_of_points(points)");
  // Passed checks add nothing, and with the adapter gone failures stay with
  // the reporter.
  {
    vorabsSelfCheckGTest checks;
    run.check_objects(expect(0, 1));
  }
  run.check_objects(expect(0, 0));
  EXPECT_EQ(reporter.num_failed(), 2);
}
