// The sink tester's validity checks of the entity kinds whose failures the
// compound tests do not look at, with their exact texts.
#include "vorabsLibSinkTesterEx.h"

#include "TestHelpers.h"

#include "utUnitTest.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

TEST(vorabsLibSinkTesterExChecksTest, InvalidEntitiesFailTheirCheckOfTheirKind) {
  utUnitTest& reporter = utUnitTest::get_tester();
  std::ostringstream report;
  reporter.reset();
  reporter.set_ostream(&report);
  annDocument document;
  vorabsLibSinkTesterEx sink(&document);
  sink.surface(velSurfPtr(), named("S"));
  sink.topology(topTopologyPtr(), named("T"));
  sink.workplane3(giWorkplane3(), named("W"));
  sink.point3(giPoint3(), named("P"));
  sink.triblock(giTriBlock(), named("B")); // no check

  std::string texts;
  for (int i = 0; i < reporter.num_checks(); ++i) {
    const utUnitTestCheck check = reporter.check(i);
    texts += std::to_string(check.passed) + " " + check.file + " " + check.expression + "; " +
             check.message + "; " + check.function + "\n";
  }
  reporter.set_ostream(nullptr);
  reporter.reset();
  const std::string file = "0 source/library/vorabsLibSinkTesterEx ";
  EXPECT_EQ(texts, file +
                       "!surface_object.invalid(); Test received surface valid; "
                       "vorabsLibSinkTesterEx::surface\n" +
                       file +
                       "!topology_object.invalid(); Test received topology valid; "
                       "vorabsLibSinkTesterEx::topology\n" +
                       file +
                       "!lcs_object.invalid(); Test received workplane valid; "
                       "vorabsLibSinkTesterEx::workplane3\n" +
                       file +
                       "!point_object.invalid(); Test received point valid; "
                       "vorabsLibSinkTesterEx::point3\n");
  // Recorded all the same.
  EXPECT_EQ(sink.number_of_surfaces() + sink.number_of_topologies() + sink.number_of_workplane3() +
                sink.number_of_points3() + sink.number_of_triblocks(),
            5);
}
