// Tests of the input endpoint: registering translators, walking them and
// handing the current one to a sink.
#include "vorabsLibInputEx.h"
#include "vorabsTestLibInputEx.h"

#include "RecordingChannel.h"
#include "RecordingSink.h"
#include "ScriptedTranslator.h"
#include "vorabsIfStream.h"
#include "vorabsTestInterface.h"

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
  for (const char* name : {"first", "second", "third"}) {
    auto* translator = new ScriptedTranslator(context);
    translator->own_name = utString(name);
    endpoint.add_translator(vorabsTranslatorcoPrf(translator));
  }
  EXPECT_EQ(steps(endpoint, 5), (std::vector<int>{1, 1, 1, 0, 1}));

  // attributes() follows the cursor; the walk has restarted at the first.
  std::vector<std::string> names;
  do {
    vorabsAttributeSet set;
    endpoint.attributes(set);
    vorabsNamevorabsAttributePtr name;
    names.push_back(set.get(vorabsNAME, name) ? name->string().c_str() : "<none>");
  } while (++endpoint);
  EXPECT_EQ(names, (std::vector<std::string>{"first", "second", "third"}));
}

TEST(vorabsLibInputExTest, TranslatorsGetTheChannelsSetAtRegistrationErrorFirst) {
  vorabsContext context;
  vorabsTestLibInputEx endpoint(nullptr);
  std::vector<std::string> early_log, late_log;
  auto* early = new ScriptedTranslator(context);
  early->log = &early_log;
  endpoint.add_translator(vorabsTranslatorcoPrf(early));
  RecordingChannel output, error;
  endpoint.set_error(&error);
  endpoint.set_output(&output);
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
  EXPECT_EQ(endpoint.check_file_size(nothing), 1); // the default accepts every size

  std::vector<ScriptedTranslator*> translators;
  for (vorabsStatus outcome : {vorabsSTATUS_FAILED, vorabsSTATUS_IGNORED, vorabsSTATUS_ABORTED}) {
    translators.push_back(new ScriptedTranslator(context, outcome));
    endpoint.add_translator(vorabsTranslatorcoPrf(translators.back()));
  }
  // The last one descends to a child that it does not process itself.
  ScriptedTranslator child(context, vorabsSTATUS_COMPLETE_NO_ITEM);
  auto* parent = new Descending(context, &child);
  endpoint.add_translator(vorabsTranslatorcoPrf(parent));

  RecordingSink sink;
  vorabsTestInterface receiver;
  std::vector<vorabsStatus> statuses;
  while (++endpoint)
    statuses.push_back(endpoint.send_to(vorabsAttributeSet(), receiver, sink).status());
  EXPECT_EQ(statuses,
            (std::vector<vorabsStatus>{vorabsSTATUS_FAILED, vorabsSTATUS_IGNORED,
                                       vorabsSTATUS_ABORTED, vorabsSTATUS_COMPLETE_NO_ITEM}));
  for (ScriptedTranslator* translator : translators) {
    EXPECT_EQ(translator->num_creates, 1);
    EXPECT_EQ(translator->last_sink, &sink);
  }
  EXPECT_EQ(parent->num_creates, 0);
  EXPECT_EQ(child.num_creates, 1);
  // The endpoint adds no message of its own.
  EXPECT_TRUE(error.messages.empty());
  EXPECT_TRUE(output.messages.empty());
}
