// Tests of the annotation-building sink tester and its check reports, the
// receiver that routes sub-objects back through a reader, and a whole walk of
// nested groups from a reader into an annotation document.
#include "vorabsLibSinkTesterEx.h"

#include "TestHelpers.h"
#include "vorabsOutputOstreamTester.h"
#include "vorabsTestFaceTranslator.h"
#include "vorabsTestGroupTranslator.h"
#include "vorabsTestInterfaceEx.h"
#include "vorabsTestLibInputEx.h"
#include "vorabsTestPointTranslator.h"

#include "ann/ann.h"
#include "utUnitTest.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// The printout's lines of geometry items, groups and their transforms; the
// levels and style sets the attributes make are the bridge tests' concern.
std::string item_lines(const annDocument& document) {
  std::istringstream in(printed(document));
  std::string result;
  for (std::string line; std::getline(in, line);)
    if (line.find("Item \"") != std::string::npos ||
        line.find("annGroup \"") != std::string::npos || line.rfind("annSPT", 0) == 0)
      result += line + "\n";
  return result;
}

// The check reporter writes into report for one test.
class vorabsLibSinkTesterExTest : public ::testing::Test {
protected:
  vorabsLibSinkTesterExTest() {
    utUnitTest::get_tester().reset();
    utUnitTest::get_tester().set_ostream(&report);
  }
  ~vorabsLibSinkTesterExTest() override {
    utUnitTest::get_tester().set_ostream(nullptr);
    utUnitTest::get_tester().reset();
  }

  std::ostringstream report;
  annDocument document;
};

} // namespace

TEST_F(vorabsLibSinkTesterExTest, EntitiesAreRecordedCheckedAndBuiltAsItemsOfTheirKind) {
  vorabsLibSinkTesterEx sink(&document);
  EXPECT_EQ(sink.curve3(unit_line(), named("C")).status(), vorabsSTATUS_OK);
  EXPECT_EQ(sink.current_annotation().name(), utString("C"));
  sink.prepare_for_new_geometry();
  EXPECT_TRUE(sink.current_annotation().invalid());
  EXPECT_EQ(sink.point3(giPoint3(1, 2, 3), named(nullptr)).status(), vorabsSTATUS_OK);
  sink.prepare_for_new_geometry();
  EXPECT_EQ(sink.topology(planes(1), named("F", &vorabsFACE)).status(), vorabsSTATUS_OK);
  sink.prepare_for_new_geometry();
  EXPECT_EQ(sink.topology(planes(1), named("S")).status(), vorabsSTATUS_OK);
  sink.prepare_for_new_geometry();
  EXPECT_EQ(sink.workplane3(giWorkplane3(giWorkplaneWorld), named("W")).status(), vorabsSTATUS_OK);
  sink.prepare_for_new_geometry();
  aqtIBodycoPrf body(new aqtIBody());
  body->add_shell(*planes(2));
  EXPECT_EQ(sink.body(body, named("B", &vorabsTOPOLOGY)).status(), vorabsSTATUS_OK);
  sink.prepare_for_new_geometry();
  EXPECT_EQ(sink.body(body, named("B2", &vorabsBODY)).status(), vorabsSTATUS_FAILED);

  EXPECT_EQ(utUnitTest::get_tester().num_checks(), 7);
  EXPECT_EQ(utUnitTest::get_tester().num_failed(), 0);
  EXPECT_EQ(sink.number_of_points3(), 1);
  giPoint3 point;
  utString recorded;
  sink.get_point3(0, point, recorded);
  EXPECT_EQ(recorded, utString("")); // recorded without a name, built as "unknown"

  EXPECT_EQ(item_lines(document),
            "annCurveItem \"C\" level 0 style \"curve style no colour solid 0.3 style\" "
            "description \"line\"\n"
            "annPointItem \"unknown\" level 0 style \"point style no colour solid 0.3 style\" "
            "at 1 2 3\n"
            "annFaceItem \"F\" level 0 style \"surface style no colour solid 0.3 style\" "
            "description \"1 face\"\n"
            "annSolidItem \"S\" level 0 style \"surface style no colour solid 0.3 style\" "
            "description \"1 face\"\n"
            "annWorkplaneItem \"W\" level 0 style \"workplane style no colour solid 0.3 style\" "
            "origin 0 0 0\n"
            "annSolidItem \"B\" level 0 style \"surface style no colour solid 0.3 style\" "
            "description \"2 faces\"\n");
}

TEST_F(vorabsLibSinkTesterExTest, InvalidEntitiesFailTheirCheckWithItsTexts) {
  vorabsLibSinkTesterEx sink(&document);
  sink.curve3(velCurvePtr3(), named("C"));
  sink.body(aqtIBodycoPrf(), named("B", &vorabsFACE));
  sink.annotation(annNamedItemPtr(), named("A"));
  EXPECT_EQ(utUnitTest::get_tester().num_failed(), 3);
  const std::string text = report.str();
  EXPECT_NE(text.find("source/library/vorabsLibSinkTesterEx:"), std::string::npos);
  EXPECT_NE(text.find(": check failed: !curve_object.invalid(): Test received curve valid "
                      "[vorabsLibSinkTesterEx::curve3]\n"),
            std::string::npos);
  EXPECT_NE(text.find(": check failed: body_object.pointer(): Test received body valid "
                      "[vorabsLibSinkTesterEx::body]\n"),
            std::string::npos);
  EXPECT_NE(text.find(": check failed: ann_object.pointer(): test received a valid annEntityPtr "
                      "[vorabsLibSinkTesterEx::annotation]\n"),
            std::string::npos);
  EXPECT_EQ(sink.number_of_curves3(), 1);
  EXPECT_EQ(sink.number_of_annotations(), 1);
}

TEST_F(vorabsLibSinkTesterExTest, ConvertingOrDocumentlessEntitiesAreCountedButNotBuilt) {
  vorabsLibSinkTesterEx sink(&document);
  EXPECT_EQ(sink.curve3(unit_line(), named("C", &vorabsCONVERTINGANNOTATION)).status(),
            vorabsSTATUS_COMPLETE_NO_ITEM);
  EXPECT_EQ(sink.number_of_curves3(), 1);
  EXPECT_EQ(document.num_items(), 0u);
  EXPECT_TRUE(sink.current_annotation().invalid());

  vorabsLibSinkTesterEx nowhere(nullptr);
  EXPECT_EQ(nowhere.point3(giPoint3(0, 0, 0), named("P")).status(), vorabsSTATUS_COMPLETE_NO_ITEM);
  EXPECT_EQ(nowhere.number_of_points3(), 1);
  EXPECT_EQ(nowhere.supported(vorabsAttributeSet()), 1);
}

TEST_F(vorabsLibSinkTesterExTest, GeometryArrivingTogetherIsGatheredIntoOneGroup) {
  vorabsLibSinkTesterEx sink(&document);
  sink.curve3(unit_line(), named("C1"));
  sink.curve3(unit_line(), named("C2"));
  annNamedItemPtr group = sink.current_annotation();
  ASSERT_NE(annGroup::sto_dynamic_cast(group.pointer()), nullptr);
  EXPECT_EQ(group.name(), utString("C2"));
  sink.curve3(unit_line(), named("C3"));
  EXPECT_EQ(sink.current_annotation(), group);
  EXPECT_EQ(group->num_members(), 3u);

  // A non-geometry item becomes the current annotation; a geometry item
  // handed over whole joins what is gathered.
  sink.prepare_for_new_geometry();
  annStyleSetannPtr set = make_annStyleSet(&document, utString("set"));
  EXPECT_EQ(sink.annotation(set, named("A")).status(), vorabsSTATUS_OK);
  EXPECT_EQ(sink.current_annotation(), annNamedItemPtr(set));
  annPointItemannPtr point = make_annPointItem(&document, giPoint3(0, 0, 0), utString("P"));
  sink.annotation(point, named("P"));
  sink.curve3(unit_line(), named("C4"));
  EXPECT_EQ(sink.number_of_annotations(), 2);
  annNamedItemPtr second = sink.current_annotation();
  ASSERT_NE(annGroup::sto_dynamic_cast(second.pointer()), nullptr);
  EXPECT_EQ(second->member(0), point.pointer());
}

TEST_F(vorabsLibSinkTesterExTest, NestedGroupsAreReadIntoTheDocumentAsNestedGroups) {
  vorabsContext context;
  context.set_document(&document);
  vorabsOutputOstreamTester output;
  vorabsOutputOstreamTester error;
  vorabsTestLibInputEx reader(nullptr);
  reader.set_error(&error);
  reader.set_output(&output);

  // assembly { bracket (moved by 10 along x) { plate, hole }, tip }, then loose.
  auto bracket = std::make_shared<vorabsTestGroupTranslator>(
      context, utString("bracket"), giXform3(giXformTranslate, giVector3(10, 0, 0)));
  bracket->add_translator(
      vorabsTranslatorcoPrf(new vorabsTestFaceTranslator(context, utString("plate"), planes(1))));
  bracket->add_translator(vorabsTranslatorcoPrf(
      new vorabsTestPointTranslator(context, utString("hole"), giPoint3(1, 2, 0))));
  auto assembly = std::make_shared<vorabsTestGroupTranslator>(context, utString("assembly"),
                                                              giXform3(giXformIdentity));
  assembly->add_translator(vorabsTranslatorcoPrf(bracket));
  assembly->add_translator(vorabsTranslatorcoPrf(
      new vorabsTestPointTranslator(context, utString("tip"), giPoint3(0, 0, 9))));
  reader.add_translator(vorabsTranslatorcoPrf(assembly));
  reader.add_translator(vorabsTranslatorcoPrf(
      new vorabsTestPointTranslator(context, utString("loose"), giPoint3(5, 5, 5))));
  EXPECT_EQ(reader.num_objects(), 6);

  vorabsLibSinkTesterEx sink(&document);
  vorabsTestInterfaceEx receiver(reader, sink);
  vorabsAttributeSet inherited;
  std::vector<vorabsStatus> statuses;
  while (++reader) {
    sink.prepare_for_new_geometry();
    statuses.push_back(reader.send_to(inherited, receiver, sink).status());
  }
  EXPECT_EQ(statuses, (std::vector<vorabsStatus>{vorabsSTATUS_OK, vorabsSTATUS_OK}));
  EXPECT_EQ(output.number_of_strings(), 0);
  EXPECT_EQ(error.number_of_strings(), 0);
  EXPECT_EQ(sink.number_of_annotations(), 2); // the two groups
  EXPECT_EQ(sink.number_of_points3(), 3);
  EXPECT_EQ(sink.number_of_topologies(), 1);
  EXPECT_EQ(utUnitTest::get_tester().num_failed(), 0);

  // Members are printed under their groups, in the order read.
  EXPECT_EQ(item_lines(document),
            "annGroup \"assembly\" level 0 style \"group style no colour solid 0.3 style\" "
            "transform \"annGroup assembly transform\"\n"
            "  annGroup \"bracket\" level 0 style \"group style no colour solid 0.3 style\" "
            "transform \"annGroup bracket transform\"\n"
            "    annFaceItem \"plate\" level 0 style \"surface style no colour solid 0.3 style\" "
            "description \"1 face\"\n"
            "    annPointItem \"hole\" level 0 style \"point style no colour solid 0.3 style\" "
            "at 1 2 0\n"
            "  annPointItem \"tip\" level 0 style \"point style no colour solid 0.3 style\" "
            "at 0 0 9\n"
            "annSPT \"annGroup assembly transform\" origin 0 0 0 scale 1\n"
            "annSPT \"annGroup bracket transform\" origin 10 0 0 scale 1\n"
            "annPointItem \"loose\" level 0 style \"point style no colour solid 0.3 style\" "
            "at 5 5 5\n");
}
