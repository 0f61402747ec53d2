// Tests of the compound translator: the item loop, its outcomes and
// messages, building one object or flattening, transforms kept or pushed
// into the children, and the translator totals and descent.
#include "vorabsCompoundTranslator.h"

#include "CompoundHarness.h"

#include "vorResource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

enum Setup {
  PLAIN = 0,
  AS_CHILD = 1,     // the compound is itself the child of a compound being built
  SINK_NO_ITEM = 2, // the sink answers every item COMPLETE_NO_ITEM
  UNSUPPORTED = 4,  // the sink cannot hold the compound object
  CONVERTING = 8,   // the host converts annotation into plain geometry
  NO_OBJECT = 16,   // make_compound_object fails
  EXPLODE = 32,     // vorOptExplodeGroups is set
  REFUSED = 64,     // a stretching placement the compound does not take
};

class vorabsCompoundTranslatorTest : public ::testing::Test, public CompoundScene {
protected:
  ~vorabsCompoundTranslatorTest() override {
    vor_resource_table_inquire().reset(vorOptExplodeGroups);
  }
};

} // namespace

TEST(vorabsCompoundOutcomeTest, EachMixOfChildOutcomesGivesItsStatusMessagesAndRejection) {
  const std::string empty = "Ignoring empty group G.\n",
                    ignored = "All geometry in group G was ignored.\n",
                    failed = "Error : Failed to translate any geometry from group G.\n",
                    outside = "Error : All geometry in group G is outside the maximum extent.\n",
                    zero = "Error : All geometry in group G has been ignored because it has zero "
                           "area.\n",
                    lost = "All geometry in group G was ignored or could not be translated.\n",
                    failed_1_2 = "Error : 1 of the 2 geometry items in group G could not be "
                                 "translated.\n",
                    ignored_1_2 = "Warning : 1 of the 2 geometry items in group G were ignored.\n",
                    failed_1_3 = "Error : 1 of the 3 geometry items in group G could not be "
                                 "translated.\n",
                    ignored_1_3 = "Warning : 1 of the 3 geometry items in group G were ignored.\n",
                    no_object = "Error : Unable to perform a valid translation for group G.\n",
                    no_spt = "Error : Non shape preserving transforms of group G not supported.\n";
  const Texts all_four = {
      "Error : 2 of the 6 geometry items in group G could not be translated.\n",
      "Warning : 1 of the 6 geometry items in group G were ignored.\n",
      "Error : 1 of the 6 geometry items in group G were rejected because they are outside the "
      "maximum extent.\n",
      "Error : 1 of the 6 geometry items in group G were ignored because they have zero area.\n"};
  const vorabsStatus OK = vorabsSTATUS_OK, FAILED = vorabsSTATUS_FAILED,
                     IGNORED = vorabsSTATUS_IGNORED, OUTSIDE = vorabsSTATUS_OUTSIDE_EXTENT,
                     ZERO = vorabsSTATUS_ZERO_AREA, ABORTED = vorabsSTATUS_ABORTED,
                     COMPLETE = vorabsSTATUS_COMPLETE_NO_ITEM;
  struct Case {
    std::vector<vorabsStatus> outcomes;
    int setup;
    vorabsStatus result;
    int rejected, built; // item_was_rejected calls; compound objects sent
    Texts output, error;
  } cases[] = {
      {{}, PLAIN, IGNORED, 0, 0, {empty}, {}},
      {{IGNORED, IGNORED, IGNORED}, PLAIN, IGNORED, 1, 0, {ignored}, {}},
      {{IGNORED}, UNSUPPORTED, IGNORED, 0, 0, {ignored}, {}},
      {{FAILED, FAILED}, PLAIN, FAILED, 1, 0, {}, {failed}},
      {{OUTSIDE, OUTSIDE}, PLAIN, FAILED, 1, 0, {}, {outside}},
      {{OUTSIDE}, AS_CHILD, OUTSIDE, 1, 0, {}, {outside}},
      {{ZERO, ZERO}, PLAIN, IGNORED, 1, 0, {}, {zero}},
      {{FAILED, IGNORED}, PLAIN, IGNORED, 1, 0, {lost}, {failed_1_2, ignored_1_2}},
      {{FAILED, IGNORED, OK}, SINK_NO_ITEM, COMPLETE, 0, 1, {}, {failed_1_3, ignored_1_3}},
      {{ZERO, OUTSIDE, OK, IGNORED, FAILED, FAILED}, PLAIN, OK, 0, 1, {}, all_four},
      // Complete and unknown children count as translated but add no item.
      {{COMPLETE, vorabsSTATUS_UNKNOWN, FAILED}, PLAIN, OK, 0, 1, {}, {failed_1_3}},
      {{OK, ABORTED, OK, FAILED, OK}, PLAIN, ABORTED, 1, 0, {}, {}},
      {{ABORTED, OK}, UNSUPPORTED, ABORTED, 1, 0, {}, {}},
      {{OK, FAILED}, UNSUPPORTED, COMPLETE, 0, 0, {}, {failed_1_2}},
      {{OK}, CONVERTING, COMPLETE, 0, 0, {}, {}},
      {{OK, OK}, EXPLODE, IGNORED, 0, 0, {}, {}},
      {{OK}, NO_OBJECT, FAILED, 1, 0, {no_object}, {}},
      {{OK}, REFUSED, FAILED, 0, 0, {}, {no_spt}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "case " << (&c - cases));
    CompoundScene s;
    SpyCompound& g = s.compound_of(c.outcomes, c.setup & REFUSED ? diagonal(2, 1, 1)
                                                                 : giXform3(giXformIdentity));
    g.accepts_non_spts = !(c.setup & REFUSED);
    g.make_object = !(c.setup & NO_OBJECT);
    s.sink.support = !(c.setup & UNSUPPORTED);
    s.receiver.converting = c.setup & CONVERTING ? 1 : 0;
    if (c.setup & SINK_NO_ITEM)
      s.sink.reply = vorabsSTATUS_COMPLETE_NO_ITEM;
    if (c.setup & EXPLODE)
      vor_resource_table_inquire().set_value(vorOptExplodeGroups, 1);
    vorabsAttributeSet incoming;
    if (c.setup & AS_CHILD)
      mark(incoming, vorabsCHILDITEM);

    EXPECT_EQ(s.run(incoming), c.result);
    vor_resource_table_inquire().reset(vorOptExplodeGroups);
    EXPECT_EQ(s.output.texts(), c.output);
    EXPECT_EQ(s.error.texts(), c.error);
    for (const RecordingChannel* channel : {&s.output, &s.error})
      for (const RecordingChannel::Message& message : channel->messages)
        EXPECT_EQ(message.domain, "vorabs");
    EXPECT_EQ(s.count("item_was_rejected"), c.rejected);
    if (c.rejected) {
      EXPECT_EQ(s.events.back(), "item_was_rejected"); // after the loop
    }
    EXPECT_EQ(s.compound_annotations(), c.built);
    if (c.built) {
      EXPECT_EQ(s.sink.name(s.sink.calls.size() - 1), "G");
    }
    if (c.built && c.result == OK) { // only children answering OK add their item
      EXPECT_EQ(g.last_annotation_item().name(), utString("G"));
      EXPECT_EQ(g.added.size(), size_t(std::count(c.outcomes.begin(), c.outcomes.end(), OK)));
    }
    // Every child is tried once, up to an abort; none when refused.
    const size_t abort =
        std::find(c.outcomes.begin(), c.outcomes.end(), ABORTED) - c.outcomes.begin();
    for (size_t i = 0; i < s.children.size(); ++i)
      EXPECT_EQ(s.children[i]->num_creates, (c.setup & REFUSED) || i > abort ? 0 : 1) << i;
    if (c.outcomes.empty() || (c.setup & REFUSED)) {
      EXPECT_TRUE(s.events.empty());
      EXPECT_EQ(s.sink.num_supported_calls, 0);
    }
    EXPECT_EQ(g.current_index(), 0);
  }
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
  EXPECT_TRUE(receiver.sent[0].member(vorabsCHILDITEM));
  EXPECT_FALSE(receiver.sent[0].member(vorabsCONVERTINGANNOTATION));
  EXPECT_EQ(children[0]->completed_name(), "c1"); // no mangler while the compound is kept
  EXPECT_EQ(g.current_translator(), &g);

  // The probe asks for annotation of the compound's kind, before the object is made.
  EXPECT_EQ(sink.num_supported_calls, 1);
  EXPECT_TRUE(sink.probe.member(vorabsANNOTATION));
  EXPECT_TRUE(sink.probe.member(vorabsPRECURSOR));
  vorabsObjectTypevorabsAttributePtr type;
  ASSERT_TRUE(sink.probe.get(vorabsOBJECTTYPE, type));
  EXPECT_EQ(type->type(), sto_class_annGroup());
}

TEST_F(vorabsCompoundTranslatorTest, ExplodeSendsChildrenOnTheirOwnUnderTheCombinedTransform) {
  vor_resource_table_inquire().set_value(vorOptExplodeGroups, 1);
  SpyCompound& g = compound_of({vorabsSTATUS_OK, vorabsSTATUS_OK}, translation(1, 0, 0));
  g.mangler_tag = utString("G");
  place(g, translation(0, 5, 0));
  place(*children[0], translation(0, 0, 7));
  vorabsAttributeSet own;
  g.attributes(own);
  EXPECT_FALSE(own.member(vorabsANNOTATION));
  EXPECT_EQ(run(), vorabsSTATUS_IGNORED);

  EXPECT_EQ(events, (Events{"create_name_mangler 3", "send_sub_object", "create_item c1",
                            "send_sub_object", "create_item c2", "prepare_for_new_geometry"}));
  for (const auto& child : children)
    EXPECT_TRUE(equal(child->made_under.at(0), translation(1, 5, 0), 0.0));
  // Each child's own transform is given back afterwards.
  EXPECT_TRUE(equal(children[0]->transform(), translation(0, 0, 7), 0.0));
  EXPECT_TRUE(children[1]->transform().identity());
  EXPECT_FALSE(receiver.sent[0].member(vorabsCHILDITEM));
  EXPECT_EQ(children[0]->completed_name(), "c1_G");
}

TEST_F(vorabsCompoundTranslatorTest, NonShapePreservingPlacementGoesIntoTheChildrenOfABuiltObject) {
  SpyCompound& g = compound_of({vorabsSTATUS_OK, vorabsSTATUS_OK}, diagonal(2, 1, 1));
  place(g, translation(1, 0, 3));
  EXPECT_EQ(run(), vorabsSTATUS_OK);
  EXPECT_EQ(events, (Events{"make_compound_object G", "create_name_mangler 3", "send_sub_object",
                            "create_item c1", "add_geometry c1", "send_sub_object",
                            "create_item c2", "add_geometry c2", "prepare_for_new_geometry"}));
  // The own placement first, then the incoming one: x' = 2x + 1, z' = z + 3.
  const double expected[4][4] = {{2, 0, 0, 1}, {0, 1, 0, 0}, {0, 0, 1, 3}, {0, 0, 0, 1}};
  for (const auto& child : children) {
    EXPECT_TRUE(equal(child->made_under.at(0), giXform3(expected), 0.0));
    EXPECT_TRUE(child->transform().identity());
  }
  EXPECT_TRUE(receiver.sent[1].member(vorabsCHILDITEM));
  EXPECT_EQ(compound_annotations(), 1);

  // The incoming transform alone breaking shape is enough.
  CompoundScene other;
  place(other.compound_of({vorabsSTATUS_OK}), diagonal(2, 1, 1));
  EXPECT_EQ(other.run(), vorabsSTATUS_OK);
  EXPECT_EQ(other.events[1], "create_name_mangler 3");
}

TEST_F(vorabsCompoundTranslatorTest, UnsupportedOrConvertingCompoundLeavesItsChildrenStanding) {
  sink.support = 0;
  compound_of({vorabsSTATUS_OK});
  EXPECT_EQ(run(), vorabsSTATUS_COMPLETE_NO_ITEM);
  EXPECT_EQ(events, (Events{"create_name_mangler 3", "send_sub_object", "create_item c1",
                            "prepare_for_new_geometry"}));
  EXPECT_FALSE(receiver.sent[0].member(vorabsCHILDITEM));

  CompoundScene converting;
  converting.receiver.converting = 1;
  converting.compound_of({vorabsSTATUS_OK});
  EXPECT_EQ(converting.run(), vorabsSTATUS_COMPLETE_NO_ITEM);
  EXPECT_EQ(converting.events.front(), "create_name_mangler 3");
  EXPECT_TRUE(converting.receiver.sent[0].member(vorabsCONVERTINGANNOTATION));
  EXPECT_FALSE(converting.receiver.sent[0].member(vorabsCHILDITEM));
}

TEST_F(vorabsCompoundTranslatorTest, EmptyHandlesAndItselfAreNotAddedAndNoChannelIsNeeded) {
  compound = std::make_shared<SpyCompound>(context, events, "G");
  receiver.top = compound.get();
  top = compound;
  compound->add_translator(
      vorabsTranslatorcoPrf(std::make_shared<Child>(context, events, "c1", vorabsSTATUS_FAILED)));
  compound->add_translator(vorabsTranslatorcoPrf());
  compound->add_translator(vorabsTranslatorcoPrf(coPrfExtern, compound.get()));
  EXPECT_EQ(compound->num_top_level_translators(), 1);
  EXPECT_EQ(compound->num_translators(), 2);
  EXPECT_EQ(run(), vorabsSTATUS_FAILED);
  SpyCompound empty(context, events, "E");
  EXPECT_EQ(empty.process(vorabsAttributeSet(), receiver, sink).status(), vorabsSTATUS_IGNORED);
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
  with_children(outer, {});
  EXPECT_EQ(outer->num_translators(), 5);
  EXPECT_EQ(outer->current_translator(), outer.get());

  // While each leaf is made, the outer compound's current translator is it.
  EXPECT_EQ(run(), vorabsSTATUS_OK);
  EXPECT_EQ(receiver.reached,
            (std::vector<vorabsTranslator*>{inner.get(), a.get(), b.get(), c.get()}));
  ASSERT_EQ(outer->added.size(), 2u); // the inner object and c
  EXPECT_EQ(outer->added[0].name(), utString("inner"));
}

TEST_F(vorabsCompoundTranslatorTest, ChannelsReachEveryChildInOrder) {
  std::vector<std::string> log;
  SpyCompound g(context, events, "G");
  auto first = std::make_shared<Child>(context, events, "c1", vorabsSTATUS_OK);
  auto second = std::make_shared<Child>(context, events, "c2", vorabsSTATUS_OK);
  first->log = second->log = &log;
  g.add_translator(vorabsTranslatorcoPrf(first));
  g.add_translator(vorabsTranslatorcoPrf(second));
  g.set_error(&error);
  g.set_output(&output);
  EXPECT_EQ(log, (Texts{"set_error", "set_error", "set_output", "set_output"}));
  EXPECT_EQ(second->error(), &error);
  EXPECT_EQ(second->output(), &output);

  // A child added later is handed the channels already set.
  auto late = std::make_shared<Child>(context, events, "c3", vorabsSTATUS_OK);
  g.add_translator(vorabsTranslatorcoPrf(late));
  EXPECT_EQ(late->error(), &error);
  EXPECT_EQ(late->output(), &output);
}
