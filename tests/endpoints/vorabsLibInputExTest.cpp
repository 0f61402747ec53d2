// Tests of the input endpoint: registering translators, walking them and
// handing the current one to a sink.
#include "vorabsLibInputEx.h"
#include "vorabsTestLibInputEx.h"

#include "RecordingChannel.h"
#include "RecordingSink.h"
#include "ScriptedTranslator.h"
#include "vorabsIfStream.h"
#include "vorabsTestInterface.h"

#include "ann/ann.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A compound-like translator that descends to a chosen child.
class Descending : public ScriptedTranslator {
public:
  Descending(const vorabsContext& context, vorabsTranslator* child)
      : ScriptedTranslator(context), child(child) {}
  vorabsTranslator* current_translator() override { return child; }
  vorabsTranslator* child;
};

std::vector<int> steps(vorabsLibSource& endpoint, int count) {
  std::vector<int> answers;
  for (int i = 0; i < count; ++i)
    answers.push_back(++endpoint);
  return answers;
}

} // namespace

TEST(vorabsLibInputExTest, TheCursorWalksEveryTranslatorThenStartsAgain) {
  vorabsTestLibInputEx empty(nullptr);
  EXPECT_EQ(steps(empty, 3), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(empty.num_objects(), 0);

  vorabsContext context;
  vorabsTestLibInputEx endpoint(nullptr);
  std::vector<ScriptedTranslator*> translators;
  for (const char* name : {"first", "second", "third"}) {
    translators.push_back(new ScriptedTranslator(context));
    translators.back()->own_name = utString(name);
    endpoint.add_translator(vorabsTranslatorcoPrf(translators.back()));
  }
  EXPECT_EQ(steps(endpoint, 5), (std::vector<int>{1, 1, 1, 0, 1}));

  // attributes() follows the cursor; the walk has restarted at the first.
  auto name_now = [&endpoint] {
    vorabsAttributeSet set;
    endpoint.attributes(set);
    vorabsNamevorabsAttributePtr name;
    return set.get(vorabsNAME, name) ? std::string(name->string().c_str()) : "<none>";
  };
  EXPECT_EQ(name_now(), "first");
  ++endpoint;
  EXPECT_EQ(name_now(), "second");
  ++endpoint;
  EXPECT_EQ(name_now(), "third");
  EXPECT_EQ(++endpoint, 0);
}

TEST(vorabsLibInputExTest, NumObjectsCountsNestedTranslators) {
  vorabsContext context;
  vorabsTestLibInputEx endpoint(nullptr);
  auto* compound = new ScriptedTranslator(context);
  compound->size = 4;
  endpoint.add_translator(vorabsTranslatorcoPrf(compound));
  endpoint.add_translator(vorabsTranslatorcoPrf(new ScriptedTranslator(context)));
  EXPECT_EQ(endpoint.num_objects(), 5);
  EXPECT_EQ(endpoint.num_top_level_translators(), 2);
  EXPECT_EQ(steps(endpoint, 3), (std::vector<int>{1, 1, 0}));
}

TEST(vorabsLibInputExTest, TranslatorsGetTheChannelsSetAtRegistrationErrorFirst) {
  vorabsContext context;
  vorabsTestLibInputEx endpoint(nullptr);
  EXPECT_EQ(endpoint.output(), nullptr);
  EXPECT_EQ(endpoint.error(), nullptr);
  std::vector<std::string> early_log, late_log;

  auto* early = new ScriptedTranslator(context);
  early->log = &early_log;
  endpoint.add_translator(vorabsTranslatorcoPrf(early));
  RecordingChannel output, error;
  endpoint.set_error(&error);
  endpoint.set_output(&output);
  EXPECT_EQ(endpoint.output(), &output);
  EXPECT_EQ(endpoint.error(), &error);
  auto* late = new ScriptedTranslator(context);
  late->log = &late_log;
  endpoint.add_translator(vorabsTranslatorcoPrf(late));

  EXPECT_EQ(early_log, (std::vector<std::string>{"set_error", "set_output"}));
  EXPECT_EQ(late_log, (std::vector<std::string>{"set_error", "set_output"}));
  // Channels set later do not reach translators registered earlier.
  EXPECT_EQ(early->error(), nullptr);
  EXPECT_EQ(early->output(), nullptr);
  EXPECT_EQ(late->error(), &error);
  EXPECT_EQ(late->output(), &output);
}

TEST(vorabsLibInputExTest, SendToProcessesTheCurrentTranslatorAndReturnsItsStatus) {
  annDocument document;
  vorabsContext context;
  context.set_document(&document);
  vorabsTestLibInputEx endpoint(nullptr);
  RecordingChannel output, error;
  endpoint.set_error(&error);
  endpoint.set_output(&output);
  vorabsIfStream nothing(nullptr);
  EXPECT_EQ(endpoint.read_input(context, nothing), 1);

  const vorabsStatus outcomes[] = {vorabsSTATUS_FAILED, vorabsSTATUS_IGNORED, vorabsSTATUS_ABORTED,
                                   vorabsSTATUS_ZERO_AREA};
  std::vector<ScriptedTranslator*> translators;
  for (vorabsStatus outcome : outcomes) {
    translators.push_back(new ScriptedTranslator(context, outcome));
    endpoint.add_translator(vorabsTranslatorcoPrf(translators.back()));
  }
  // The last one descends to a child that it does not process itself.
  ScriptedTranslator child(context, vorabsSTATUS_COMPLETE_NO_ITEM);
  child.set_error(&error);
  child.set_output(&output);
  auto* parent = new Descending(context, &child);
  endpoint.add_translator(vorabsTranslatorcoPrf(parent));

  RecordingSink sink;
  vorabsTestInterface receiver;
  vorabsAttributeSet attributes;
  std::vector<vorabsStatus> statuses;
  while (++endpoint)
    statuses.push_back(endpoint.send_to(attributes, receiver, sink).status());
  EXPECT_EQ(statuses, (std::vector<vorabsStatus>{vorabsSTATUS_FAILED, vorabsSTATUS_IGNORED,
                                                 vorabsSTATUS_ABORTED, vorabsSTATUS_ZERO_AREA,
                                                 vorabsSTATUS_COMPLETE_NO_ITEM}));
  for (ScriptedTranslator* translator : translators) {
    EXPECT_EQ(translator->num_creates, 1);
    EXPECT_EQ(translator->last_sink, &sink);
  }
  EXPECT_EQ(parent->num_creates, 0);
  EXPECT_EQ(child.num_creates, 1);
  // The endpoint adds no message of its own.
  EXPECT_TRUE(error.messages.empty());
  EXPECT_TRUE(output.messages.empty());
  EXPECT_TRUE(sink.calls.empty());
}

TEST(vorabsLibInputExTest, ReleasesItsTranslatorsWithItselfOnly) {
  vorabsContext context;
  bool destroyed = false;
  vorabsTranslatorcoPrf kept;
  {
    vorabsTestLibInputEx endpoint(nullptr);
    auto* translator = new ScriptedTranslator(context);
    translator->destroyed = &destroyed;
    kept = vorabsTranslatorcoPrf(translator);
    endpoint.add_translator(kept);
    // Every file size is accepted, even of a stream without a name.
    vorabsIfStream nameless(nullptr);
    EXPECT_EQ(endpoint.check_file_size(nameless), 1);
  }
  EXPECT_FALSE(destroyed);
  kept.reset();
  EXPECT_TRUE(destroyed);
}
