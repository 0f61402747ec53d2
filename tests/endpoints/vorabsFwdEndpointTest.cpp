// Tests of the forwarding endpoints: every operation reaches the wrapped
// endpoint once with its answer unchanged, the setters also keep their
// value in the forwarder, and category and validity stay the forwarder's.
#include "vorabsFwdInput.h"
#include "vorabsFwdOutput.h"

#include "RecordingChannel.h"
#include "TestHelpers.h"
#include "vorabsTestInterface.h"

#include "vorabsAppInfo.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using Counts = std::map<std::string, int>;
using Status = vorabsTranslationStatus;
using Set = vorabsAttributeSet;

// An endpoint whose every operation counts its calls by name, with a
// category of its own. Answers are ones a forwarder could not make up.
template <class Endpoint> class Counting : public Endpoint {
public:
  Counting() : Endpoint(utString("KERNEL")) {}
  int hit(const char* operation) const { return ++counts[operation]; }
  const char* library_name() const override { return hit("library_name"), "lib"; }
  const char* option() const override { return hit("option"), "opt"; }
  int database_number() const override { return hit("database_number"), 42; }
  void add_file_types(intcoSet&) const override { hit("add_file_types"); }
  void add_extensions(utStringcoSet&) const override { hit("add_extensions"); }
  const char* file_filter() const override { return hit("file_filter"), "F|*"; }
  const char* format_name() const override { return hit("format_name"), "fmt"; }
  mutable Counts counts;
};

struct Source : Counting<vorabsLibSource> {
  void set_output(vorabsOutput*) override { hit("set_output"); }
  void set_error(vorabsOutput*) override { hit("set_error"); }
  int operator++() override { return hit("operator++"), 3; }
  int num_objects() const override { return hit("num_objects"), 9; }
  void attributes(Set&) const override { hit("attributes"); }
  Status send_to(const Set&, vorabsInterface&, vorabsLibSink&) const override {
    return hit("send_to"), vorabsSTATUS_ZERO_AREA;
  }
};

// curve3 answers as the default sink does, with its message.
struct Sink : Counting<vorabsLibSink> {
  Status zero_area(const char* operation) const { return hit(operation), vorabsSTATUS_ZERO_AREA; }
  void set_output(vorabsOutput* o) override { hit("set_output"), vorabsLibSink::set_output(o); }
  void set_error(vorabsOutput* e) override { hit("set_error"), vorabsLibSink::set_error(e); }
  void set_application_info(const vorabsAppInfo* i) override {
    hit("set_application_info"), vorabsLibSink::set_application_info(i);
  }
  Status curve3(const velCurvePtr3& c, const Set& a) override {
    return hit("curve3"), vorabsLibSink::curve3(c, a);
  }
  Status surface(const velSurfPtr&, const Set&) override { return zero_area("surface"); }
  Status topology(const topTopologyPtr&, const Set&) override { return zero_area("topology"); }
  Status workplane3(const giWorkplane3&, const Set&) override { return zero_area("workplane3"); }
  Status point3(const giPoint3&, const Set&) override { return zero_area("point3"); }
  Status triblock(const giTriBlock&, const Set&) override { return zero_area("triblock"); }
  Status annotation(const annNamedItemPtr&, const Set&) override { return zero_area("annotation"); }
  Status body(const aqtIBodycoPrf&, const Set&) override { return zero_area("body"); }
  annNamedItemPtr current_annotation() override { return hit("current_annotation"), item; }
  int valid_units(vorLengthUnit& unit) const override {
    return hit("valid_units"), unit = vorLENGTH_INCH, 0;
  }
  int invalid() const override { return hit("invalid"), 1; }
  int supported(const Set&) const override { return hit("supported"), 1; }
  annNamedItemPtr item;
};

template <class Endpoint>
using Cases = std::vector<std::pair<std::string, std::function<void(Endpoint&)>>>;

template <class Endpoint> Cases<Endpoint> identity_cases() {
  return {{"library_name", [](Endpoint& e) { EXPECT_STREQ(e.library_name(), "lib"); }},
          {"option", [](Endpoint& e) { EXPECT_STREQ(e.option(), "opt"); }},
          {"database_number", [](Endpoint& e) { EXPECT_EQ(e.database_number(), 42); }},
          {"add_file_types",
           [](Endpoint& e) {
             intcoSet set;
             e.add_file_types(set);
           }},
          {"add_extensions",
           [](Endpoint& e) {
             utStringcoSet set;
             e.add_extensions(set);
           }},
          {"file_filter", [](Endpoint& e) { EXPECT_STREQ(e.file_filter(), "F|*"); }},
          {"format_name", [](Endpoint& e) { EXPECT_STREQ(e.format_name(), "fmt"); }}};
}

// Each case must reach exactly its own operation of the wrapped endpoint,
// once: an operation the forwarder answers itself, or passes to another,
// fails here.
template <class Endpoint>
void expect_each_forwarded(Endpoint& forwarder, Counts& counts, Cases<Endpoint> cases) {
  for (const auto& each : identity_cases<Endpoint>())
    cases.push_back(each);
  for (const auto& each : cases) {
    counts.clear();
    each.second(forwarder);
    EXPECT_EQ(counts, (Counts{{each.first, 1}})) << each.first;
  }
}

} // namespace

TEST(vorabsFwdEndpointTest, InputPassesEveryOperationOnAndKeepsItsChannels) {
  RecordingChannel output, error;
  Source wrapped;
  vorabsFwdInput forwarder(&wrapped);
  vorabsTestInterface receiver;
  Sink sink;
  expect_each_forwarded<vorabsLibSource>(
      forwarder, wrapped.counts,
      {{"set_output", [&](vorabsLibSource& s) { s.set_output(&output); }},
       {"set_error", [&](vorabsLibSource& s) { s.set_error(&error); }},
       {"operator++", [](vorabsLibSource& s) { EXPECT_EQ(++s, 3); }},
       {"num_objects", [](vorabsLibSource& s) { EXPECT_EQ(s.num_objects(), 9); }},
       {"attributes",
        [](vorabsLibSource& s) {
          Set set;
          s.attributes(set);
        }},
       {"send_to", [&](vorabsLibSource& s) {
          EXPECT_EQ(s.send_to(Set(), receiver, sink), vorabsSTATUS_ZERO_AREA);
        }}});
  EXPECT_EQ(forwarder.output(), &output);
  EXPECT_EQ(forwarder.error(), &error);
  EXPECT_FALSE(wrapped.translator_category().invalid());
  EXPECT_TRUE(forwarder.translator_category().invalid());
}

TEST(vorabsFwdEndpointTest, OutputPassesEveryOperationOnAndAnswersItsOwnValidity) {
  RecordingChannel output, error;
  annDocument document;
  const vorabsAppInfo app;
  Sink wrapped;
  wrapped.item = make_annPointItem(&document, giPoint3(0, 0, 0), utString("made"));
  vorabsFwdOutput forwarder(&wrapped);
  const Set set = named("C1");
  auto zero_area = [](Status status) { EXPECT_EQ(status, vorabsSTATUS_ZERO_AREA); };
  using S = vorabsLibSink;
  expect_each_forwarded<S>(
      forwarder, wrapped.counts,
      {{"set_output", [&](S& s) { s.set_output(&output); }},
       {"set_error", [&](S& s) { s.set_error(&error); }},
       {"set_application_info", [&](S& s) { s.set_application_info(&app); }},
       {"curve3", [&](S& s) { EXPECT_EQ(s.curve3(unit_line(), set), vorabsSTATUS_FAILED); }},
       {"surface", [&](S& s) { zero_area(s.surface(velSurfPtr(), set)); }},
       {"topology", [&](S& s) { zero_area(s.topology(planes(1), set)); }},
       {"workplane3", [&](S& s) { zero_area(s.workplane3(giWorkplane3(giWorkplaneWorld), set)); }},
       {"point3", [&](S& s) { zero_area(s.point3(giPoint3(1, 2, 3), set)); }},
       {"triblock", [&](S& s) { zero_area(s.triblock(giTriBlock(), set)); }},
       {"annotation", [&](S& s) { zero_area(s.annotation(wrapped.item, set)); }},
       {"body", [&](S& s) { zero_area(s.body(aqtIBodycoPrf(), set)); }},
       {"current_annotation", [&](S& s) { EXPECT_EQ(s.current_annotation(), wrapped.item); }},
       {"valid_units",
        [](S& s) {
          vorLengthUnit unit = vorLENGTH_METRE;
          EXPECT_EQ(s.valid_units(unit), 0);
          EXPECT_EQ(unit, vorLENGTH_INCH);
        }},
       {"supported", [](S& s) { EXPECT_EQ(s.supported(Set()), 1); }}});
  // The wrapped sink's refusal went to the channel set through the forwarder.
  EXPECT_EQ(error.texts(),
            std::vector<std::string>({"Entity C1 has failed: Curves not supported by output "
                                      "format.\n"}));
  EXPECT_EQ(forwarder.output(), &output);
  EXPECT_EQ(forwarder.error(), &error);
  EXPECT_EQ(forwarder.application_info(), &app);
  EXPECT_EQ(forwarder.invalid(), 0);
  EXPECT_EQ(wrapped.invalid(), 1);
  EXPECT_TRUE(forwarder.translator_category().invalid());
}
