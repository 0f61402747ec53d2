// Tests of the endpoint base and the default sink: refusals and categories.
#include "vorabsLibBase.h"
#include "vorabsLibOutput.h"
#include "vorabsLibSink.h"
#include "vorabsTestLibInputEx.h"

#include "RecordingChannel.h"
#include "TestHelpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// A writer that keeps every default of the output endpoint and the sink.
class DefaultWriter : public vorabsLibOutput {
public:
  explicit DefaultWriter(vorabsOfStream* stream = nullptr) : vorabsLibOutput(stream, nullptr) {}
  DefaultWriter(vorabsOfStream* stream, const utString& category)
      : vorabsLibOutput(stream, nullptr, category) {}
  const char* library_name() const override { return "writer"; }
  const char* option() const override { return "writer"; }
  int database_number() const override { return 2; }
  void add_file_types(intcoSet&) const override {}
  void add_extensions(utStringcoSet&) const override {}
  const char* file_filter() const override { return "Writer (*)|*"; }
  const char* format_name() const override { return "writer"; }
  int write() override { return 1; }
};

const char* const kind_words[] = {"Curves", "Surfaces",        "Topologies", "Workplanes",
                                  "Points", "Triangle blocks", "Annotation", "Bodies"};

// Sends an entity of the kind named kind_words[kind].
vorabsTranslationStatus send(vorabsLibSink& sink, int kind, const vorabsAttributeSet& set) {
  switch (kind) {
  case 0:
    return sink.curve3(unit_line(), set);
  case 1:
    return sink.surface(velSurfPtr(), set);
  case 2:
    return sink.topology(planes(1), set);
  case 3:
    return sink.workplane3(giWorkplane3(giWorkplaneWorld), set);
  case 4:
    return sink.point3(giPoint3(), set);
  case 5:
    return sink.triblock(giTriBlock(), set);
  case 6:
    return sink.annotation(annNamedItemPtr(), set);
  default:
    return sink.body(aqtIBodycoPrf(new aqtIBody()), set);
  }
}

} // namespace

TEST(vorabsLibSinkTest, RefusesEveryKindWithOneMessageOnTheErrorChannel) {
  DefaultWriter sink;
  RecordingChannel output, error;
  sink.set_output(&output);
  sink.set_error(&error);
  std::vector<std::string> expected;
  for (int kind = 0; kind < 8; ++kind) {
    EXPECT_EQ(send(sink, kind, named("C1")).status(), vorabsSTATUS_FAILED) << kind;
    EXPECT_EQ(send(sink, kind, vorabsAttributeSet()).status(), vorabsSTATUS_FAILED) << kind;
    expected.push_back(std::string("Entity C1 has failed: ") + kind_words[kind] +
                       " not supported by output format.\n");
    expected.push_back(std::string("An entity has failed: ") + kind_words[kind] +
                       " not supported by output format.\n");
  }
  // A name held as a number prints the number; a percent sign is no format.
  vorabsAttributeSet numbered;
  put(numbered, vorabsNAME, vorabsName(17));
  sink.point3(giPoint3(1, 2, 3), numbered);
  sink.curve3(velCurvePtr3(), named("50%s done"));
  expected.push_back("Entity 17 has failed: Points not supported by output format.\n");
  expected.push_back("Entity 50%s done has failed: Curves not supported by output format.\n");
  EXPECT_EQ(error.texts(), expected);
  for (const RecordingChannel::Message& message : error.messages)
    EXPECT_EQ(message.domain, "vorabs");
  EXPECT_TRUE(output.messages.empty());
  EXPECT_TRUE(sink.current_annotation().invalid());
}

TEST(vorabsLibBaseTest, TheCategoryIsSharedAndEmptyWithoutAName) {
  EXPECT_TRUE(DefaultWriter().translator_category().invalid());
  EXPECT_TRUE(vorabsTestLibInputEx(nullptr).translator_category().invalid());
  DefaultWriter footwear(nullptr, utString("FOOTWEAR"));
  vorabsTranslatorCategorycoPrf first = footwear.translator_category();
  ASSERT_FALSE(first.invalid());
  EXPECT_STREQ(first->name().c_str(), "FOOTWEAR");
  EXPECT_EQ(footwear.translator_category().get(), first.get());
  EXPECT_FALSE(vorabsTestLibInputEx(nullptr, utString("KERNEL")).translator_category().invalid());
}
