// Tests of the forwarding endpoints: every operation reaches the wrapped
// endpoint once, with its answer unchanged; the setters keep their value
// in the forwarder too; category and validity stay the forwarder's own.
#include "vorabsFwdInput.h"
#include "vorabsFwdOutput.h"

#include "RecordingChannel.h"
#include "TestHelpers.h"
#include "vorabsTestInterface.h"

#include "vel.h"
#include "vorabsAppInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using Counts = std::map<std::string, int>;

// Every overridable operation of the endpoints counts its calls by name.
// Those of a source answer values a forwarder could not make up; those of
// a sink answer as the default sink does (refusals with their messages),
// except where the default would look like no answer at all.
#define COUNTED(name) ++this->counts[name]

// What every endpoint says of itself, counted; with a category of its own.
template <class Endpoint> class Counting : public Endpoint {
public:
  Counting() : Endpoint(utString("KERNEL")) {}
  const char* library_name() const override { return COUNTED("library_name"), "lib"; }
  const char* option() const override { return COUNTED("option"), "opt"; }
  int database_number() const override { return COUNTED("database_number"), 42; }
  void add_file_types(intcoSet& types) const override { COUNTED("add_file_types"), types.add(7); }
  void add_extensions(utStringcoSet& extensions) const override {
    COUNTED("add_extensions"), extensions.add(utString("ext"));
  }
  const char* file_filter() const override { return COUNTED("file_filter"), "F|*"; }
  const char* format_name() const override { return COUNTED("format_name"), "fmt"; }
  mutable Counts counts;
};

class CountingSource : public Counting<vorabsLibSource> {
public:
  void set_output(vorabsOutput*) override { COUNTED("set_output"); }
  void set_error(vorabsOutput*) override { COUNTED("set_error"); }
  int operator++() override { return COUNTED("operator++"), 3; }
  int num_objects() const override { return COUNTED("num_objects"), 9; }
  void attributes(vorabsAttributeSet& set) const override {
    COUNTED("attributes"), put(set, vorabsNAME, vorabsName(utString("current"), 0));
  }
  vorabsTranslationStatus send_to(const vorabsAttributeSet&, vorabsInterface&,
                                  vorabsLibSink&) const override {
    return COUNTED("send_to"), vorabsSTATUS_ZERO_AREA;
  }
};

class CountingSink : public Counting<vorabsLibSink> {
public:
  void set_output(vorabsOutput* output) override {
    COUNTED("set_output"), vorabsLibSink::set_output(output);
  }
  void set_error(vorabsOutput* error) override {
    COUNTED("set_error"), vorabsLibSink::set_error(error);
  }
  void set_application_info(const vorabsAppInfo* info) override {
    COUNTED("set_application_info"), vorabsLibSink::set_application_info(info);
  }
  vorabsTranslationStatus curve3(const velCurvePtr3& c, const vorabsAttributeSet& a) override {
    return COUNTED("curve3"), vorabsLibSink::curve3(c, a);
  }
  vorabsTranslationStatus surface(const velSurfPtr& s, const vorabsAttributeSet& a) override {
    return COUNTED("surface"), vorabsLibSink::surface(s, a);
  }
  vorabsTranslationStatus topology(const topTopologyPtr& t, const vorabsAttributeSet& a) override {
    return COUNTED("topology"), vorabsLibSink::topology(t, a);
  }
  vorabsTranslationStatus workplane3(const giWorkplane3& w, const vorabsAttributeSet& a) override {
    return COUNTED("workplane3"), vorabsLibSink::workplane3(w, a);
  }
  vorabsTranslationStatus point3(const giPoint3& p, const vorabsAttributeSet& a) override {
    return COUNTED("point3"), vorabsLibSink::point3(p, a);
  }
  vorabsTranslationStatus triblock(const giTriBlock& b, const vorabsAttributeSet& a) override {
    return COUNTED("triblock"), vorabsLibSink::triblock(b, a);
  }
  vorabsTranslationStatus annotation(const annNamedItemPtr& i,
                                     const vorabsAttributeSet& a) override {
    return COUNTED("annotation"), vorabsLibSink::annotation(i, a);
  }
  vorabsTranslationStatus body(const aqtIBodycoPrf& b, const vorabsAttributeSet& a) override {
    return COUNTED("body"), vorabsLibSink::body(b, a);
  }
  annNamedItemPtr current_annotation() override { return COUNTED("current_annotation"), item; }
  int valid_units(vorLengthUnit& unit) const override {
    COUNTED("valid_units");
    unit = vorLENGTH_INCH;
    return 0;
  }
  int invalid() const override { return COUNTED("invalid"), 1; }
  int supported(const vorabsAttributeSet&) const override { return COUNTED("supported"), 1; }
  annNamedItemPtr item;
};

#undef COUNTED

// One call through the forwarder, and the operation it must reach.
template <class Endpoint> struct Case {
  std::string operation;
  std::function<void(Endpoint&)> call;
};

// The cases of what every endpoint says of itself.
template <class Endpoint> std::vector<Case<Endpoint>> identity_cases() {
  return {
      {"library_name", [](Endpoint& s) { EXPECT_STREQ(s.library_name(), "lib"); }},
      {"option", [](Endpoint& s) { EXPECT_STREQ(s.option(), "opt"); }},
      {"database_number", [](Endpoint& s) { EXPECT_EQ(s.database_number(), 42); }},
      {"add_file_types",
       [](Endpoint& s) {
         intcoSet types;
         s.add_file_types(types);
         EXPECT_TRUE(types.member(7));
       }},
      {"add_extensions",
       [](Endpoint& s) {
         utStringcoSet extensions;
         s.add_extensions(extensions);
         EXPECT_TRUE(extensions.member(utString("ext")));
       }},
      {"file_filter", [](Endpoint& s) { EXPECT_STREQ(s.file_filter(), "F|*"); }},
      {"format_name", [](Endpoint& s) { EXPECT_STREQ(s.format_name(), "fmt"); }},
  };
}

// Runs the identity cases, then the given ones, and checks that each
// reached exactly its own operation of the wrapped endpoint, once; then
// that the cases cover every operation the forwarder must pass on.
template <class Endpoint>
void expect_each_forwarded(Endpoint& forwarder, Counts& counts,
                           const std::vector<Case<Endpoint>>& cases,
                           std::vector<std::string> forwarded) {
  std::vector<Case<Endpoint>> all = identity_cases<Endpoint>();
  all.insert(all.end(), cases.begin(), cases.end());
  std::vector<std::string> covered;
  for (const Case<Endpoint>& each : all) {
    counts.clear();
    each.call(forwarder);
    EXPECT_EQ(counts, (Counts{{each.operation, 1}})) << each.operation;
    covered.push_back(each.operation);
  }
  std::sort(covered.begin(), covered.end());
  std::sort(forwarded.begin(), forwarded.end());
  EXPECT_EQ(covered, forwarded);
}

class vorabsFwdEndpointTest : public ::testing::Test {
protected:
  RecordingChannel output;
  RecordingChannel error;
  vorabsAttributeSet named_c1 = named("C1");
};

} // namespace

TEST_F(vorabsFwdEndpointTest, InputPassesEveryOperationOnAndKeepsItsChannels) {
  CountingSource wrapped;
  vorabsFwdInput forwarder(&wrapped);
  vorabsLibSource& source = forwarder;
  vorabsTestInterface receiver;
  CountingSink sink;
  using C = Case<vorabsLibSource>;
  const std::vector<C> cases = {
      {"set_output", [&](vorabsLibSource& s) { s.set_output(&output); }},
      {"set_error", [&](vorabsLibSource& s) { s.set_error(&error); }},
      {"operator++", [](vorabsLibSource& s) { EXPECT_EQ(++s, 3); }},
      {"num_objects", [](vorabsLibSource& s) { EXPECT_EQ(s.num_objects(), 9); }},
      {"attributes",
       [](vorabsLibSource& s) {
         vorabsAttributeSet set;
         s.attributes(set);
         EXPECT_TRUE(set.member(vorabsNAME));
       }},
      {"send_to",
       [&](vorabsLibSource& s) {
         EXPECT_EQ(s.send_to(vorabsAttributeSet(), receiver, sink), vorabsSTATUS_ZERO_AREA);
       }},
  };
  expect_each_forwarded(source, wrapped.counts, cases,
                        {"set_output", "set_error", "library_name", "option", "database_number",
                         "add_file_types", "add_extensions", "file_filter", "format_name",
                         "operator++", "num_objects", "attributes", "send_to"});
  EXPECT_EQ(forwarder.output(), &output);
  EXPECT_EQ(forwarder.error(), &error);
  EXPECT_FALSE(wrapped.translator_category().invalid());
  EXPECT_TRUE(forwarder.translator_category().invalid());
}

TEST_F(vorabsFwdEndpointTest, OutputPassesEveryOperationOnAndAnswersItsOwnValidity) {
  annDocument document;
  CountingSink wrapped;
  wrapped.item = make_annPointItem(&document, giPoint3(0, 0, 0), utString("made"));
  vorabsFwdOutput forwarder(&wrapped);
  vorabsLibSink& sink = forwarder;
  const vorabsAppInfo app;
  const vorabsAppInfo* info = &app;
  auto refused = [&](vorabsTranslationStatus status, const std::string& kind) {
    EXPECT_EQ(status, vorabsSTATUS_FAILED);
    ASSERT_FALSE(error.messages.empty());
    EXPECT_EQ(error.messages.back().text,
              "Entity C1 has failed: " + kind + " not supported by output format.\n");
  };
  using C = Case<vorabsLibSink>;
  const std::vector<C> cases = {
      {"set_output", [&](vorabsLibSink& s) { s.set_output(&output); }},
      {"set_error", [&](vorabsLibSink& s) { s.set_error(&error); }},
      {"set_application_info", [&](vorabsLibSink& s) { s.set_application_info(info); }},
      {"curve3", [&](vorabsLibSink& s) { refused(s.curve3(unit_line(), named_c1), "Curves"); }},
      {"surface",
       [&](vorabsLibSink& s) { refused(s.surface(velSurfPtr(), named_c1), "Surfaces"); }},
      {"topology",
       [&](vorabsLibSink& s) { refused(s.topology(planes(1), named_c1), "Topologies"); }},
      {"workplane3",
       [&](vorabsLibSink& s) {
         refused(s.workplane3(giWorkplane3(giWorkplaneWorld), named_c1), "Workplanes");
       }},
      {"point3",
       [&](vorabsLibSink& s) { refused(s.point3(giPoint3(1, 2, 3), named_c1), "Points"); }},
      {"triblock",
       [&](vorabsLibSink& s) { refused(s.triblock(giTriBlock(), named_c1), "Triangle blocks"); }},
      {"annotation",
       [&](vorabsLibSink& s) { refused(s.annotation(wrapped.item, named_c1), "Annotation"); }},
      {"body", [&](vorabsLibSink& s) { refused(s.body(aqtIBodycoPrf(), named_c1), "Bodies"); }},
      {"current_annotation",
       [&](vorabsLibSink& s) { EXPECT_EQ(s.current_annotation(), wrapped.item); }},
      {"valid_units",
       [](vorabsLibSink& s) {
         vorLengthUnit unit = vorLENGTH_METRE;
         EXPECT_EQ(s.valid_units(unit), 0);
         EXPECT_EQ(unit, vorLENGTH_INCH);
       }},
      {"supported", [](vorabsLibSink& s) { EXPECT_EQ(s.supported(vorabsAttributeSet()), 1); }},
  };
  expect_each_forwarded(sink, wrapped.counts, cases,
                        {"set_output",         "set_error",      "set_application_info",
                         "library_name",       "option",         "database_number",
                         "add_file_types",     "add_extensions", "file_filter",
                         "format_name",        "curve3",         "surface",
                         "topology",           "workplane3",     "point3",
                         "triblock",           "annotation",     "body",
                         "current_annotation", "valid_units",    "supported"});
  // The setters stored their values in the forwarder before passing them on.
  EXPECT_EQ(forwarder.output(), &output);
  EXPECT_EQ(forwarder.error(), &error);
  EXPECT_EQ(forwarder.application_info(), info);
  EXPECT_EQ(wrapped.error(), &error);
  EXPECT_EQ(output.messages.size(), 0u);
  EXPECT_EQ(error.messages.size(), 8u);
  EXPECT_EQ(error.messages.back().domain, "vorabs");

  // Validity and category are the forwarder's own, whatever the wrapped sink says.
  wrapped.counts.clear();
  EXPECT_EQ(forwarder.invalid(), 0);
  EXPECT_EQ(wrapped.invalid(), 1);
  EXPECT_FALSE(wrapped.translator_category().invalid());
  EXPECT_TRUE(forwarder.translator_category().invalid());
}
