// Tests of the endpoint base and the default sink: refusals, units, support
// queries, categories, and the output endpoint's hold on its stream.
#include "vorabsLibBase.h"
#include "vorabsLibOutput.h"
#include "vorabsLibSink.h"
#include "vorabsTestLibInputEx.h"
#include "vorabsTestLibOutput.h"

#include "RecordingChannel.h"
#include "vorabsAttributePtr.h"

#include "ann/ann.h"
#include "gi.h"
#include "top.h"
#include "vel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

// A sink that keeps every default of the base.
class DefaultSink : public vorabsLibSink {
public:
  DefaultSink() = default;
  explicit DefaultSink(const utString& category) : vorabsLibSink(category) {}
  const char* library_name() const override { return "default"; }
  const char* option() const override { return "default"; }
  int database_number() const override { return 1; }
  void add_file_types(intcoSet&) const override {}
  void add_extensions(utStringcoSet&) const override {}
  const char* file_filter() const override { return "Default (*)|*"; }
  const char* format_name() const override { return "default"; }
};

// A writer that keeps every default of the output endpoint.
class DefaultWriter : public vorabsLibOutput {
public:
  using vorabsLibOutput::vorabsLibOutput;
  const char* library_name() const override { return "writer"; }
  const char* option() const override { return "writer"; }
  int database_number() const override { return 2; }
  void add_file_types(intcoSet&) const override {}
  void add_extensions(utStringcoSet&) const override {}
  const char* file_filter() const override { return "Writer (*)|*"; }
  const char* format_name() const override { return "writer"; }
  int write() override { return 1; }
};

vorabsAttributeSet named(const utString& name) {
  vorabsAttributeSet set;
  vorabsNamevorabsAttributePtr text;
  set.check_out(vorabsNAME, text);
  *text = vorabsName(name, 0);
  return set;
}

using Send = std::function<vorabsTranslationStatus(vorabsLibSink&, const vorabsAttributeSet&)>;

struct Kind {
  const char* word;
  Send send;
};

std::vector<Kind> every_kind() {
  return {
      {"Curves",
       [](vorabsLibSink& s, const vorabsAttributeSet& a) {
         return s.curve3(velCurvePtr3(new velLine3(giPoint3(0, 0, 0), giPoint3(1, 0, 0))), a);
       }},
      {"Surfaces",
       [](vorabsLibSink& s, const vorabsAttributeSet& a) { return s.surface(velSurfPtr(), a); }},
      {"Topologies",
       [](vorabsLibSink& s, const vorabsAttributeSet& a) {
         return s.topology(topTopologyPtr(new topTopology()), a);
       }},
      {"Workplanes",
       [](vorabsLibSink& s, const vorabsAttributeSet& a) {
         return s.workplane3(giWorkplane3(giWorkplaneWorld), a);
       }},
      {"Points",
       [](vorabsLibSink& s, const vorabsAttributeSet& a) { return s.point3(giPoint3(), a); }},
      {"Triangle blocks",
       [](vorabsLibSink& s, const vorabsAttributeSet& a) { return s.triblock(giTriBlock(), a); }},
      {"Annotation",
       [](vorabsLibSink& s, const vorabsAttributeSet& a) {
         return s.annotation(annNamedItemPtr(), a);
       }},
      {"Bodies",
       [](vorabsLibSink& s, const vorabsAttributeSet& a) {
         return s.body(aqtIBodycoPrf(new aqtIBody()), a);
       }},
  };
}

} // namespace

TEST(vorabsLibSinkTest, RefusesEveryKindWithOneMessageOnTheErrorChannel) {
  DefaultSink sink;
  RecordingChannel output, error;
  sink.set_output(&output);
  sink.set_error(&error);
  EXPECT_EQ(sink.output(), &output);
  EXPECT_EQ(sink.error(), &error);

  std::vector<std::string> expected;
  for (const Kind& kind : every_kind()) {
    EXPECT_EQ(kind.send(sink, named(utString("C1"))).status(), vorabsSTATUS_FAILED) << kind.word;
    EXPECT_EQ(kind.send(sink, vorabsAttributeSet()).status(), vorabsSTATUS_FAILED) << kind.word;
    expected.push_back(std::string("Entity C1 has failed: ") + kind.word +
                       " not supported by output format.\n");
    expected.push_back(std::string("An entity has failed: ") + kind.word +
                       " not supported by output format.\n");
  }
  EXPECT_EQ(error.texts(), expected);
  for (const RecordingChannel::Message& message : error.messages)
    EXPECT_EQ(message.domain, "vorabs");
  EXPECT_TRUE(output.messages.empty());
}

TEST(vorabsLibSinkTest, TheNamedRefusalPrintsTheNameText) {
  DefaultSink sink;
  RecordingChannel error;
  sink.set_error(&error);
  // A name held as a number prints the number; a name with a percent sign
  // is printed as it is, not read as a format.
  vorabsAttributeSet numbered;
  vorabsNamevorabsAttributePtr text;
  numbered.check_out(vorabsNAME, text);
  *text = vorabsName(17);
  sink.point3(giPoint3(1, 2, 3), numbered);
  sink.curve3(velCurvePtr3(), named(utString("50%s done")));
  EXPECT_EQ(error.texts(),
            (std::vector<std::string>{
                "Entity 17 has failed: Points not supported by output format.\n",
                "Entity 50%s done has failed: Curves not supported by output format.\n"}));
}

TEST(vorabsLibSinkTest, DefaultsAnswerForNothingAndAskForUnitTwo) {
  DefaultSink sink;
  vorLengthUnit unit = vorLENGTH_METRE;
  EXPECT_EQ(sink.valid_units(unit), 1);
  EXPECT_EQ(unit, vorLENGTH_METRE);
  for (vorLengthUnit proposal : {vorLENGTH_MILLIMETRE, vorLENGTH_INCH, vorLENGTH_YARD}) {
    unit = proposal;
    EXPECT_EQ(sink.valid_units(unit), 0);
    EXPECT_EQ(static_cast<int>(unit), 2);
  }

  EXPECT_EQ(sink.supported(vorabsAttributeSet()), 0);
  vorabsAttributeSet annotation = named(utString("A"));
  vorabsVoidvorabsAttributePtr marker;
  annotation.check_out(vorabsANNOTATION, marker);
  EXPECT_EQ(sink.supported(annotation), 0);
  EXPECT_EQ(sink.invalid(), 0);
  EXPECT_EQ(sink.application_info(), nullptr);
  EXPECT_EQ(sink.output(), nullptr);
  EXPECT_EQ(sink.error(), nullptr);

  // No item, even after entities were sent.
  RecordingChannel error;
  sink.set_error(&error);
  annDocument document;
  sink.annotation(make_annCurveItem(&document, utString("line"), utString("C")),
                  named(utString("C")));
  EXPECT_TRUE(sink.current_annotation().invalid());
}

TEST(vorabsLibBaseTest, TheCategoryIsSharedAndEmptyWithoutAName) {
  DefaultSink anonymous;
  EXPECT_TRUE(anonymous.translator_category().invalid());
  vorabsTestLibInputEx reader(nullptr);
  EXPECT_TRUE(reader.translator_category().invalid());

  DefaultSink footwear{utString("FOOTWEAR")};
  vorabsTranslatorCategorycoPrf first = footwear.translator_category();
  ASSERT_FALSE(first.invalid());
  EXPECT_EQ(first->group_order(), 2);
  EXPECT_STREQ(first->name().c_str(), "FOOTWEAR");
  EXPECT_EQ(footwear.translator_category().get(), first.get());
  vorabsTestLibInputEx kernel(nullptr, utString("KERNEL"));
  EXPECT_EQ(kernel.translator_category()->group_order(), 1);
  DefaultWriter dental(nullptr, nullptr, utString("DENTAL"));
  EXPECT_EQ(dental.translator_category()->group_order(), 2);
}

TEST(vorabsLibOutputTest, HoldsButNeverTouchesItsStream) {
  unsigned char bytes[32];
  std::memset(bytes, 0xA5, sizeof bytes);
  vorabsOfStream* stream = reinterpret_cast<vorabsOfStream*>(bytes);
  annDocument document;
  {
    DefaultWriter writer(stream, nullptr);
    EXPECT_EQ(writer.stream(), stream);
    EXPECT_TRUE(writer.context().invalid());
    vorabsContext context;
    context.set_document(&document);
    writer.set_context(context);
    EXPECT_EQ(writer.context().document(), &document);

    // The writer's channels are the sink's.
    RecordingChannel error;
    writer.set_error(&error);
    EXPECT_EQ(writer.error(), &error);
    writer.surface(velSurfPtr(), vorabsAttributeSet());
    EXPECT_EQ(error.texts(),
              std::vector<std::string>{
                  "An entity has failed: Surfaces not supported by output format.\n"});
  }
  for (unsigned char byte : bytes)
    EXPECT_EQ(byte, 0xA5);
}

TEST(vorabsTestLibOutputTest, AcceptsEveryGeometryKindButBodies) {
  vorabsTestLibOutput writer(nullptr, nullptr);
  EXPECT_STREQ(writer.library_name(), "vorabs");
  EXPECT_STREQ(writer.format_name(), "vorabs");
  EXPECT_STREQ(writer.option(), "IGES");
  EXPECT_STREQ(writer.file_filter(), "Test files (*)|*");
  EXPECT_EQ(writer.database_number(), 999);
  EXPECT_EQ(writer.write(), 1);
  EXPECT_EQ(writer.supported(vorabsAttributeSet()), 1);

  RecordingChannel error;
  writer.set_error(&error);
  std::vector<Kind> kinds = every_kind();
  for (const Kind& kind : kinds) {
    vorabsStatus expected =
        std::string(kind.word) == "Bodies" ? vorabsSTATUS_FAILED : vorabsSTATUS_OK;
    EXPECT_EQ(kind.send(writer, vorabsAttributeSet()).status(), expected) << kind.word;
  }
  EXPECT_EQ(error.texts(), std::vector<std::string>{
                               "An entity has failed: Bodies not supported by output format.\n"});

  vorabsTestLibInputEx reader(nullptr);
  EXPECT_STREQ(reader.library_name(), "vorabs");
  EXPECT_STREQ(reader.format_name(), "vorabs");
  EXPECT_STREQ(reader.option(), "IGES");
  EXPECT_STREQ(reader.file_filter(), "Test files (*)|*");
  EXPECT_EQ(reader.database_number(), 999);
}
