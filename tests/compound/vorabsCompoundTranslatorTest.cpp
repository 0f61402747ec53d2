// Tests of the compound translator: the item loop and its counters, the
// choice between building one object and flattening, transforms kept or
// pushed into the children, the outcome messages and statuses, and the
// translator totals and descent.
#include "vorabsCompoundTranslator.h"

#include "CompoundHarness.h"
#include "vorabsAttributePtr.h"

#include "vorResource.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

class vorabsCompoundTranslatorTest : public ::testing::Test {
protected:
  vorabsCompoundTranslatorTest() : receiver(events, sink) { context.set_document(&document); }
  ~vorabsCompoundTranslatorTest() override {
    vor_resource_table_inquire().reset(vorOptExplodeGroups);
  }

  // A compound G whose children answer the given outcomes (named c1, c2 ...).
  SpyCompound& compound_of(const std::vector<vorabsStatus>& outcomes,
                           const giXform3& own = giXform3(giXformIdentity)) {
    compound = std::make_shared<SpyCompound>(context, events, "G", own);
    for (vorabsStatus outcome : outcomes) {
      std::string name = "c" + std::to_string(children.size() + 1);
      children.push_back(std::make_shared<Child>(context, events, name.c_str(), outcome));
      compound->add_translator(vorabsTranslatorcoPrf(children.back()));
    }
    compound->set_error(&error);
    compound->set_output(&output);
    receiver.top = compound.get();
    return *compound;
  }

  vorabsStatus run(const vorabsAttributeSet& incoming = vorabsAttributeSet()) {
    return compound->process(incoming, receiver, sink).status();
  }

  // The sink's calls for the compound object itself (not for children).
  int compound_annotations() const {
    int count = 0;
    for (const RecordingSink::Call& call : sink.calls)
      count += call.kind == "annotation" && call.attributes.member(vorabsPARENTITEM);
    return count;
  }

  int rejected() const {
    int count = 0;
    for (const std::string& event : events)
      count += event == "item_was_rejected";
    return count;
  }

  annDocument document;
  vorabsContext context;
  Events events;
  RecordingChannel output;
  RecordingChannel error;
  ItemSink sink;
  RoutingReceiver receiver;
  std::shared_ptr<SpyCompound> compound;
  std::vector<std::shared_ptr<Child>> children;
};

} // namespace

TEST_F(vorabsCompoundTranslatorTest, EmptyCompoundIsIgnoredWithoutAskingSinkOrReceiver) {
  compound_of({});
  EXPECT_EQ(run(), vorabsSTATUS_IGNORED);
  EXPECT_EQ(output.texts(), Texts{"Ignoring empty group G.\n"});
  EXPECT_EQ(output.messages[0].domain, "vorabs");
  EXPECT_TRUE(error.messages.empty());
  EXPECT_EQ(sink.num_supported_calls, 0);
  EXPECT_TRUE(sink.calls.empty());
  EXPECT_TRUE(events.empty());
}

TEST_F(vorabsCompoundTranslatorTest, CompoundWithoutChannelsReportsByStatusAlone) {
  compound = std::make_shared<SpyCompound>(context, events, "G");
  receiver.top = compound.get();
  compound->add_translator(
      vorabsTranslatorcoPrf(std::make_shared<Child>(context, events, "c1", vorabsSTATUS_FAILED)));
  compound->add_translator(vorabsTranslatorcoPrf());
  compound->add_translator(vorabsTranslatorcoPrf(coPrfExtern, compound.get()));
  EXPECT_EQ(compound->num_top_level_translators(), 1);
  EXPECT_EQ(compound->num_translators(), 2);
  EXPECT_EQ(run(), vorabsSTATUS_FAILED);

  auto empty = std::make_shared<SpyCompound>(context, events, "E");
  EXPECT_EQ(empty->process(vorabsAttributeSet(), receiver, sink).status(), vorabsSTATUS_IGNORED);
}

TEST_F(vorabsCompoundTranslatorTest, LoopWithNothingTranslatedRejectsWithOneSummary) {
  const char* ignored = "All geometry in group G was ignored.\n";
  const char* failed = "Error : Failed to translate any geometry from group G.\n";
  const char* outside = "Error : All geometry in group G is outside the maximum extent.\n";
  const char* zero = "Error : All geometry in group G has been ignored because it has zero area.\n";
  struct Case {
    std::vector<vorabsStatus> outcomes;
    int as_child; // the compound is itself the child of a compound being built
    vorabsStatus result;
    Texts output, error;
  } cases[] = {
      {{vorabsSTATUS_IGNORED, vorabsSTATUS_IGNORED, vorabsSTATUS_IGNORED},
       0,
       vorabsSTATUS_IGNORED,
       {ignored},
       {}},
      {{vorabsSTATUS_FAILED, vorabsSTATUS_FAILED}, 0, vorabsSTATUS_FAILED, {}, {failed}},
      {{vorabsSTATUS_OUTSIDE_EXTENT, vorabsSTATUS_OUTSIDE_EXTENT},
       0,
       vorabsSTATUS_FAILED,
       {},
       {outside}},
      {{vorabsSTATUS_OUTSIDE_EXTENT}, 1, vorabsSTATUS_OUTSIDE_EXTENT, {}, {outside}},
      {{vorabsSTATUS_ZERO_AREA, vorabsSTATUS_ZERO_AREA}, 0, vorabsSTATUS_IGNORED, {}, {zero}},
      {{vorabsSTATUS_FAILED, vorabsSTATUS_IGNORED},
       0,
       vorabsSTATUS_IGNORED,
       {"All geometry in group G was ignored or could not be translated.\n"},
       {"Error : 1 of the 2 geometry items in group G could not be translated.\n",
        "Warning : 1 of the 2 geometry items in group G were ignored.\n"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error.empty() ? c.output[0] : c.error.back());
    events.clear();
    output.messages.clear();
    error.messages.clear();
    sink.calls.clear();
    children.clear();
    compound_of(c.outcomes);
    vorabsAttributeSet incoming;
    if (c.as_child) {
      vorabsVoidvorabsAttributePtr marker;
      incoming.check_out(vorabsCHILDITEM, marker);
    }
    EXPECT_EQ(run(incoming), c.result);
    EXPECT_EQ(output.texts(), c.output);
    EXPECT_EQ(error.texts(), c.error);
    EXPECT_EQ(rejected(), 1);
    EXPECT_EQ(events.back(), "item_was_rejected"); // after the loop, with no grouping started
    EXPECT_EQ(compound_annotations(), 0);
  }
  for (const RecordingChannel::Message& message : error.messages)
    EXPECT_EQ(message.domain, "vorabs");
}

TEST_F(vorabsCompoundTranslatorTest, MixedCountsWritePartialLinesInOrderThenTheOutcome) {
  compound_of({vorabsSTATUS_FAILED, vorabsSTATUS_IGNORED, vorabsSTATUS_OK});
  sink.reply = vorabsSTATUS_COMPLETE_NO_ITEM; // the compound's status is the sink's
  EXPECT_EQ(run(), vorabsSTATUS_COMPLETE_NO_ITEM);
  EXPECT_EQ(error.texts(),
            (Texts{"Error : 1 of the 3 geometry items in group G could not be translated.\n",
                   "Warning : 1 of the 3 geometry items in group G were ignored.\n"}));
  EXPECT_TRUE(output.messages.empty());
  EXPECT_EQ(rejected(), 0);
  ASSERT_EQ(compound_annotations(), 1);
  EXPECT_EQ(sink.calls.back().item.name(), utString("G"));
  EXPECT_EQ(sink.name(sink.calls.size() - 1), "G");

  // All four kinds of loss beside one translated child.
  events.clear();
  error.messages.clear();
  sink.calls.clear();
  sink.reply = vorabsSTATUS_OK;
  children.clear();
  compound_of({vorabsSTATUS_ZERO_AREA, vorabsSTATUS_OUTSIDE_EXTENT, vorabsSTATUS_OK,
               vorabsSTATUS_IGNORED, vorabsSTATUS_FAILED, vorabsSTATUS_FAILED});
  EXPECT_EQ(run(), vorabsSTATUS_OK);
  EXPECT_EQ(error.texts(),
            (Texts{"Error : 2 of the 6 geometry items in group G could not be translated.\n",
                   "Warning : 1 of the 6 geometry items in group G were ignored.\n",
                   "Error : 1 of the 6 geometry items in group G were rejected because they are "
                   "outside the maximum extent.\n",
                   "Error : 1 of the 6 geometry items in group G were ignored because they have "
                   "zero area.\n"}));
  EXPECT_EQ(compound->last_annotation_item().name(), utString("G"));
}

TEST_F(vorabsCompoundTranslatorTest, CompleteAndUnknownChildrenCountAsTranslated) {
  compound_of({vorabsSTATUS_COMPLETE_NO_ITEM, vorabsSTATUS_UNKNOWN, vorabsSTATUS_FAILED});
  EXPECT_EQ(run(), vorabsSTATUS_OK);
  EXPECT_EQ(error.texts(),
            Texts{"Error : 1 of the 3 geometry items in group G could not be translated.\n"});
  EXPECT_TRUE(compound->added.empty()); // only vorabsSTATUS_OK children add their item
}

TEST_F(vorabsCompoundTranslatorTest, BuildingAddsEachItemAsItsChildIsInHand) {
  SpyCompound& g = compound_of({vorabsSTATUS_OK, vorabsSTATUS_OK});
  children[1]->named_item = 1;
  EXPECT_EQ(run(), vorabsSTATUS_OK);
  EXPECT_EQ(events,
            (Events{"make_compound_object G", "handle_spt_transform annGroup G transform",
                    "send_sub_object", "create_item c1", "add_geometry c1", "send_sub_object",
                    "create_item c2", "add_named_item c2", "prepare_for_new_geometry"}));
  EXPECT_TRUE(equal(g.spt, giXform3(giXformIdentity), 0.0));
  EXPECT_EQ(g.in_hand, (std::vector<vorabsTranslator*>{children[0].get(), children[1].get()}));
  ASSERT_EQ(receiver.sent.size(), 2u);
  EXPECT_TRUE(receiver.sent[0].member(vorabsCHILDITEM));
  EXPECT_FALSE(receiver.sent[0].member(vorabsCONVERTINGANNOTATION));
  EXPECT_EQ(children[0]->completed_name(), "c1"); // no mangler while the compound is kept
  EXPECT_EQ(g.current_index(), 0);
  EXPECT_EQ(g.current_translator(), &g);

  // The probe: annotation of the compound's kind, before the object is made.
  EXPECT_EQ(sink.num_supported_calls, 1);
  EXPECT_TRUE(sink.probe.member(vorabsANNOTATION));
  EXPECT_TRUE(sink.probe.member(vorabsPRECURSOR));
  vorabsObjectTypevorabsAttributePtr type;
  ASSERT_TRUE(sink.probe.get(vorabsOBJECTTYPE, type));
  EXPECT_EQ(type->type(), sto_class_annGroup());
}

TEST_F(vorabsCompoundTranslatorTest, AbortInPosition2Of5StopsTheLoopAndRejects) {
  compound_of({vorabsSTATUS_OK, vorabsSTATUS_ABORTED, vorabsSTATUS_OK, vorabsSTATUS_FAILED,
               vorabsSTATUS_OK});
  EXPECT_EQ(run(), vorabsSTATUS_ABORTED);
  std::vector<int> creates;
  for (const auto& child : children)
    creates.push_back(child->num_creates);
  EXPECT_EQ(creates, (std::vector<int>{1, 1, 0, 0, 0}));
  EXPECT_EQ(rejected(), 1);
  EXPECT_TRUE(output.messages.empty());
  EXPECT_TRUE(error.messages.empty());
  EXPECT_EQ(compound_annotations(), 0);
  EXPECT_EQ(compound->current_index(), 0);

  // Without an object to build the compound is still told.
  events.clear();
  sink.support = 0;
  children.clear();
  compound_of({vorabsSTATUS_ABORTED, vorabsSTATUS_OK});
  EXPECT_EQ(run(), vorabsSTATUS_ABORTED);
  EXPECT_EQ(rejected(), 1);
}

TEST_F(vorabsCompoundTranslatorTest, ExplodeSendsChildrenOnTheirOwnUnderTheCombinedTransform) {
  vor_resource_table_inquire().set_value(vorOptExplodeGroups, 1);
  SpyCompound& g = compound_of({vorabsSTATUS_OK, vorabsSTATUS_OK}, translation(1, 0, 0));
  g.mangler_tag = utString("G");
  giXform3 previous;
  g.set_transform(translation(0, 5, 0), previous);
  const giXform3 before = translation(0, 0, 7);
  children[0]->set_transform(before, previous);

  vorabsAttributeSet own;
  g.attributes(own);
  EXPECT_FALSE(own.member(vorabsANNOTATION));
  EXPECT_EQ(run(), vorabsSTATUS_IGNORED);

  EXPECT_EQ(events, (Events{"create_name_mangler 3", "send_sub_object", "create_item c1",
                            "send_sub_object", "create_item c2", "prepare_for_new_geometry"}));
  for (const auto& child : children) {
    ASSERT_EQ(child->made_under.size(), 1u);
    EXPECT_TRUE(equal(child->made_under[0], translation(1, 5, 0), 0.0));
  }
  EXPECT_TRUE(equal(children[0]->transform(), before, 0.0));
  EXPECT_TRUE(children[1]->transform().identity());
  EXPECT_FALSE(receiver.sent[0].member(vorabsCHILDITEM));
  EXPECT_EQ(children[0]->completed_name(), "c1_G");
  EXPECT_EQ(compound_annotations(), 0);
  EXPECT_TRUE(output.messages.empty());
  EXPECT_TRUE(error.messages.empty());
}

TEST_F(vorabsCompoundTranslatorTest, NonShapePreservingPlacementGoesIntoTheChildrenOfABuiltObject) {
  SpyCompound& g = compound_of({vorabsSTATUS_OK, vorabsSTATUS_OK}, stretch_x());
  giXform3 previous;
  g.set_transform(translation(1, 0, 3), previous);
  EXPECT_EQ(run(), vorabsSTATUS_OK);

  EXPECT_EQ(events, (Events{"make_compound_object G", "create_name_mangler 3", "send_sub_object",
                            "create_item c1", "add_geometry c1", "send_sub_object",
                            "create_item c2", "add_geometry c2", "prepare_for_new_geometry"}));
  // The own placement first, then the incoming one: x' = 2x + 1, z' = z + 3.
  const double expected[4][4] = {{2, 0, 0, 1}, {0, 1, 0, 0}, {0, 0, 1, 3}, {0, 0, 0, 1}};
  const giXform3 combined(expected);
  for (const auto& child : children) {
    ASSERT_EQ(child->made_under.size(), 1u);
    EXPECT_TRUE(equal(child->made_under[0], combined, 0.0));
    EXPECT_TRUE(child->transform().identity());
  }
  EXPECT_TRUE(receiver.sent[1].member(vorabsCHILDITEM));
  EXPECT_EQ(compound_annotations(), 1);

  // Only the incoming transform breaking shape is enough.
  events.clear();
  children.clear();
  SpyCompound& h = compound_of({vorabsSTATUS_OK});
  h.set_transform(stretch_x(), previous);
  EXPECT_EQ(run(), vorabsSTATUS_OK);
  EXPECT_EQ(events[1], "create_name_mangler 3");
}

TEST_F(vorabsCompoundTranslatorTest, NonShapePreservingPlacementFailsWhereNotAccepted) {
  SpyCompound& g = compound_of({vorabsSTATUS_OK}, stretch_x());
  g.accepts_non_spts = 0;
  EXPECT_EQ(run(), vorabsSTATUS_FAILED);
  EXPECT_EQ(error.texts(),
            Texts{"Error : Non shape preserving transforms of group G not supported.\n"});
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(sink.num_supported_calls, 0);
}

TEST_F(vorabsCompoundTranslatorTest, UnsupportedOrConvertingCompoundLeavesItsChildrenStanding) {
  sink.support = 0;
  compound_of({vorabsSTATUS_OK, vorabsSTATUS_FAILED});
  EXPECT_EQ(run(), vorabsSTATUS_COMPLETE_NO_ITEM);
  EXPECT_EQ(events, (Events{"create_name_mangler 3", "send_sub_object", "create_item c1",
                            "send_sub_object", "create_item c2", "prepare_for_new_geometry"}));
  EXPECT_FALSE(receiver.sent[0].member(vorabsCHILDITEM));
  EXPECT_EQ(error.texts(),
            Texts{"Error : 1 of the 2 geometry items in group G could not be translated.\n"});
  EXPECT_EQ(compound_annotations(), 0);
  EXPECT_EQ(rejected(), 0);

  events.clear();
  receiver.sent.clear();
  sink.support = 1;
  receiver.converting = 1;
  children.clear();
  compound_of({vorabsSTATUS_OK});
  EXPECT_EQ(run(), vorabsSTATUS_COMPLETE_NO_ITEM);
  EXPECT_EQ(events.front(), "create_name_mangler 3");
  EXPECT_TRUE(receiver.sent[0].member(vorabsCONVERTINGANNOTATION));
  EXPECT_FALSE(receiver.sent[0].member(vorabsCHILDITEM));
  EXPECT_EQ(compound_annotations(), 0);
}

TEST_F(vorabsCompoundTranslatorTest, MissingCompoundObjectIsReportedOnTheOutputChannel) {
  compound_of({vorabsSTATUS_OK}).make_object = 0;
  EXPECT_EQ(run(), vorabsSTATUS_FAILED);
  EXPECT_EQ(output.texts(), Texts{"Error : Unable to perform a valid translation for group G.\n"});
  EXPECT_TRUE(error.messages.empty());
  EXPECT_EQ(events.back(), "item_was_rejected");
  EXPECT_EQ(compound_annotations(), 0);
}

TEST_F(vorabsCompoundTranslatorTest, TotalsCountNestedTranslatorsAndTheCurrentOneIsFoundBelow) {
  auto inner = std::make_shared<SpyCompound>(context, events, "inner");
  auto a = std::make_shared<Child>(context, events, "a", vorabsSTATUS_OK);
  auto b = std::make_shared<Child>(context, events, "b", vorabsSTATUS_OK);
  inner->add_translator(vorabsTranslatorcoPrf(a));
  inner->add_translator(vorabsTranslatorcoPrf(b));
  EXPECT_EQ(inner->num_translators(), 3);

  auto outer = std::make_shared<SpyCompound>(context, events, "outer");
  auto c = std::make_shared<Child>(context, events, "c", vorabsSTATUS_OK);
  outer->add_translator(vorabsTranslatorcoPrf(inner));
  outer->add_translator(vorabsTranslatorcoPrf(c));
  EXPECT_EQ(outer->num_translators(), 5);
  EXPECT_EQ(outer->current_translator(), outer.get());

  // While each leaf is made, the outer compound's current translator is it.
  outer->set_error(&error);
  outer->set_output(&output);
  receiver.top = outer.get();
  EXPECT_EQ(outer->process(vorabsAttributeSet(), receiver, sink).status(), vorabsSTATUS_OK);
  EXPECT_EQ(receiver.reached,
            (std::vector<vorabsTranslator*>{inner.get(), a.get(), b.get(), c.get()}));
  EXPECT_EQ(outer->added.size(), 2u); // the inner object and c
  EXPECT_EQ(outer->added[0].name(), utString("inner"));
}

TEST_F(vorabsCompoundTranslatorTest, ChannelsReachEveryChildInOrder) {
  std::vector<std::string> log;
  auto g = std::make_shared<SpyCompound>(context, events, "G");
  auto first = std::make_shared<Child>(context, events, "c1", vorabsSTATUS_OK);
  auto second = std::make_shared<Child>(context, events, "c2", vorabsSTATUS_OK);
  first->log = &log;
  second->log = &log;
  g->add_translator(vorabsTranslatorcoPrf(first));
  g->add_translator(vorabsTranslatorcoPrf(second));
  EXPECT_TRUE(log.empty());
  g->set_error(&error);
  g->set_output(&output);
  EXPECT_EQ(log, (std::vector<std::string>{"set_error", "set_error", "set_output", "set_output"}));
  EXPECT_EQ(second->error(), &error);
  EXPECT_EQ(second->output(), &output);

  // A child added later is handed the channels already set.
  auto late = std::make_shared<Child>(context, events, "c3", vorabsSTATUS_OK);
  g->add_translator(vorabsTranslatorcoPrf(late));
  EXPECT_EQ(late->error(), &error);
  EXPECT_EQ(late->output(), &output);
}
