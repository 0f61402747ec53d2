// Tests of the translator base: the processed-item memo, the use count, the
// last annotation item and the completion of an entity's attributes.
#include "vorabsTranslator.h"

#include "RecordingChannel.h"
#include "RecordingSink.h"
#include "ScriptedTranslator.h"
#include "kapProperties.h"
#include "kapProperty.h"
#include "vorabsAttributePtr.h"
#include "vorabsDefaultNameMangler.h"
#include "vorabsInterface.h"

#include "ann/ann.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A receiver that keeps every progress step it is given.
class RecordingReceiver : public vorabsInterface {
public:
  RecordingReceiver() : vorabsInterface(0) {}
  void increment_progress(int count) override { progress.push_back(count); }
  vorabsTranslationStatus send_sub_object(const vorabsAttributeSet&) override {
    return vorabsSTATUS_FAILED;
  }
  void prepare_for_new_geometry() override {}
  int converting_annotation() const override { return 0; }
  int translation_cancelled() const override { return 0; }

  std::vector<int> progress;
};

class vorabsTranslatorTest : public ::testing::Test {
protected:
  vorabsTranslatorTest() {
    context.set_document(&document);
    item = make_annCurveItem(&document, utString("line"), utString("C1"));
    other_item = make_annCurveItem(&document, utString("line"), utString("C2"));
    sink.current = item;
  }

  // A scripted translator with both channels set.
  ScriptedTranslator& make(vorabsStatus outcome) {
    translators.emplace_back(new ScriptedTranslator(context, outcome));
    translators.back()->set_output(&output);
    translators.back()->set_error(&error);
    return *translators.back();
  }

  static void place(vorabsTranslator& translator, const giXform3& transform) {
    giXform3 previous;
    translator.set_transform(transform, previous);
  }

  annDocument document;
  vorabsContext context;
  annNamedItemPtr item;
  annNamedItemPtr other_item;
  RecordingChannel output;
  RecordingChannel error;
  RecordingSink sink;
  RecordingReceiver receiver;
  vorabsAttributeSet incoming;
  std::vector<std::unique_ptr<ScriptedTranslator>> translators;
};

} // namespace

TEST_F(vorabsTranslatorTest, AnEqualTransformReusesTheStoredItem) {
  ScriptedTranslator& translator = make(vorabsSTATUS_OK);
  EXPECT_EQ(translator.num_usages(), 0);
  EXPECT_EQ(translator.process(incoming, receiver, sink).status(), vorabsSTATUS_OK);
  EXPECT_EQ(translator.num_creates, 1);
  EXPECT_TRUE(sink.calls.empty());
  EXPECT_TRUE(receiver.progress.empty());
  EXPECT_TRUE(translator.last_annotation_item() == item);

  // The sink has moved on; the memo keeps the item made for this entity.
  sink.current = other_item;
  place(translator, giXform3(giXformIdentity));
  EXPECT_EQ(translator.process(incoming, receiver, sink).status(), vorabsSTATUS_OK);
  EXPECT_EQ(translator.num_creates, 1);
  EXPECT_EQ(translator.num_usages(), 2);
  EXPECT_EQ(receiver.progress, std::vector<int>{0});
  ASSERT_EQ(sink.kinds(), std::vector<std::string>{"annotation"});
  EXPECT_TRUE(sink.calls[0].item == item);
  // The sink gets the caller's attributes, not the translator's completed copy.
  EXPECT_FALSE(sink.calls[0].attributes.member(vorabsCURVE));
  EXPECT_EQ(translator.num_attribute_calls, 2); // once in create_item, once on re-use
  EXPECT_TRUE(translator.last_annotation_item() == item);
  EXPECT_TRUE(output.messages.empty());
  EXPECT_TRUE(error.messages.empty());
}

TEST_F(vorabsTranslatorTest, ReuseReportsTheSkippedNestedTranslatorsAsProgress) {
  ScriptedTranslator& translator = make(vorabsSTATUS_OK);
  translator.size = 4;
  translator.process(incoming, receiver, sink);
  translator.process(incoming, receiver, sink);
  translator.process(incoming, receiver, sink);
  EXPECT_EQ(receiver.progress, (std::vector<int>{3, 3}));
  EXPECT_EQ(translator.num_creates, 1);
  EXPECT_EQ(translator.num_usages(), 3);
}

TEST_F(vorabsTranslatorTest, ATransformDifferingOnlyInItsTranslationIsTranslatedAgain) {
  ScriptedTranslator& translator = make(vorabsSTATUS_OK);
  translator.process(incoming, receiver, sink);
  place(translator, giXform3(giXformTranslate, giVector3(0.0, 0.0, 1e-9)));
  sink.current = other_item;
  EXPECT_EQ(translator.process(incoming, receiver, sink).status(), vorabsSTATUS_OK);
  EXPECT_EQ(translator.num_creates, 2);
  EXPECT_TRUE(sink.calls.empty());
  EXPECT_TRUE(translator.last_annotation_item() == other_item);

  // Both placements are remembered, each with its own item.
  place(translator, giXform3(giXformIdentity));
  translator.process(incoming, receiver, sink);
  place(translator, giXform3(giXformTranslate, giVector3(0.0, 0.0, 1e-9)));
  translator.process(incoming, receiver, sink);
  EXPECT_EQ(translator.num_creates, 2);
  ASSERT_EQ(sink.calls.size(), 2u);
  EXPECT_TRUE(sink.calls[0].item == item);
  EXPECT_TRUE(sink.calls[1].item == other_item);
  EXPECT_EQ(translator.num_usages(), 4);
}

TEST_F(vorabsTranslatorTest, EveryPlacementKeepsItsOwnItemHoweverManyThereAre) {
  ScriptedTranslator& translator = make(vorabsSTATUS_OK);
  std::vector<giXform3> placements;
  for (int i = 0; i < 8; ++i) // one linear part, many translations: equal hashes
    placements.push_back(giXform3(giXformTranslate, giVector3(i, 0.0, 0.0)));
  for (int i = 1; i <= 8; ++i) {
    int failed = 0;
    placements.push_back(
        giXform3(giXformRotate, giPoint3(0, 0, 0), giVector3(0, 0, 1), giAngle(0.1 * i), failed));
    ASSERT_EQ(failed, 0);
  }
  std::vector<annNamedItemPtr> items;
  for (size_t i = 0; i < placements.size(); ++i) {
    utString name("P");
    name << static_cast<int>(i);
    items.push_back(make_annCurveItem(&document, utString("line"), name));
    sink.current = items.back();
    place(translator, placements[i]);
    ASSERT_EQ(translator.process(incoming, receiver, sink).status(), vorabsSTATUS_OK);
  }
  ASSERT_EQ(translator.num_creates, 16);

  for (size_t i = placements.size(); i-- > 0;) {
    place(translator, placements[i]);
    translator.process(incoming, receiver, sink);
    EXPECT_TRUE(translator.last_annotation_item() == items[i]) << i;
  }
  EXPECT_EQ(translator.num_creates, 16);
  ASSERT_EQ(sink.calls.size(), 16u);
  EXPECT_TRUE(sink.calls.front().item == items.back());
  EXPECT_TRUE(sink.calls.back().item == items.front());
  EXPECT_EQ(translator.num_usages(), 32);
}

TEST_F(vorabsTranslatorTest, RepairableFailuresAreRetriedAndDoNotCountAsUses) {
  for (vorabsStatus failure : {vorabsSTATUS_FAILED, vorabsSTATUS_ZERO_AREA}) {
    ScriptedTranslator& translator = make(failure);
    EXPECT_EQ(translator.process(incoming, receiver, sink).status(), failure);
    EXPECT_EQ(translator.process(incoming, receiver, sink).status(), failure);
    EXPECT_EQ(translator.num_creates, 2);
    EXPECT_EQ(translator.num_usages(), 0);
    EXPECT_TRUE(translator.last_annotation_item().invalid());

    // Once it succeeds the outcome is remembered.
    translator.outcome = vorabsSTATUS_OK;
    EXPECT_EQ(translator.process(incoming, receiver, sink).status(), vorabsSTATUS_OK);
    EXPECT_EQ(translator.num_usages(), 1);
    EXPECT_TRUE(translator.last_annotation_item() == item);
    translator.process(incoming, receiver, sink);
    EXPECT_EQ(translator.num_creates, 3);
    EXPECT_EQ(translator.num_usages(), 2);
  }
  EXPECT_TRUE(receiver.progress == std::vector<int>({0, 0}));
}

TEST_F(vorabsTranslatorTest, OtherOutcomesKeepTheUseButAreNotRemembered) {
  for (vorabsStatus outcome : {vorabsSTATUS_COMPLETE_NO_ITEM, vorabsSTATUS_ABORTED,
                               vorabsSTATUS_OUTSIDE_EXTENT, vorabsSTATUS_UNKNOWN}) {
    ScriptedTranslator& translator = make(outcome);
    EXPECT_EQ(translator.process(incoming, receiver, sink).status(), outcome);
    EXPECT_EQ(translator.process(incoming, receiver, sink).status(), outcome);
    EXPECT_EQ(translator.num_creates, 2) << outcome;
    EXPECT_EQ(translator.num_usages(), 2) << outcome;
    EXPECT_TRUE(translator.last_annotation_item().invalid()) << outcome;
  }
  EXPECT_TRUE(sink.calls.empty());
  EXPECT_TRUE(receiver.progress.empty());
}

TEST_F(vorabsTranslatorTest, AnIgnoredEntityIsNotTriedAgainAndNeverReachesTheSink) {
  ScriptedTranslator& translator = make(vorabsSTATUS_IGNORED);
  translator.size = 2;
  EXPECT_EQ(translator.process(incoming, receiver, sink).status(), vorabsSTATUS_IGNORED);
  EXPECT_EQ(translator.process(incoming, receiver, sink).status(), vorabsSTATUS_IGNORED);
  EXPECT_EQ(translator.num_creates, 1);
  EXPECT_EQ(translator.num_usages(), 2);
  EXPECT_EQ(receiver.progress, std::vector<int>{1});
  EXPECT_TRUE(sink.calls.empty());
  EXPECT_TRUE(translator.last_annotation_item().invalid());
}

TEST_F(vorabsTranslatorTest, AChildItemIsNotHandedToTheSinkAgainOnReuse) {
  // Marked by the incoming attributes.
  ScriptedTranslator& marked_by_parent = make(vorabsSTATUS_OK);
  vorabsAttributeSet child_set;
  vorabsVoidvorabsAttributePtr marker;
  child_set.check_out(vorabsCHILDITEM, marker);
  marked_by_parent.process(child_set, receiver, sink);
  EXPECT_EQ(marked_by_parent.process(child_set, receiver, sink).status(), vorabsSTATUS_OK);
  // Marked by the translator's own attributes.
  ScriptedTranslator& marked_by_itself = make(vorabsSTATUS_OK);
  marked_by_itself.child = 1;
  marked_by_itself.process(incoming, receiver, sink);
  marked_by_itself.process(incoming, receiver, sink);
  EXPECT_TRUE(sink.calls.empty());
  // Both still count the re-use and give the stored item as the last one.
  EXPECT_EQ(receiver.progress, (std::vector<int>{0, 0}));
  EXPECT_TRUE(marked_by_parent.last_annotation_item() == item);
  EXPECT_TRUE(marked_by_itself.last_annotation_item() == item);
  EXPECT_EQ(marked_by_itself.num_usages(), 2);
}

TEST_F(vorabsTranslatorTest, TheLastItemFollowsTheLastProcessCall) {
  ScriptedTranslator& translator = make(vorabsSTATUS_OK);
  translator.process(incoming, receiver, sink);
  ASSERT_TRUE(translator.last_annotation_item() == item);

  translator.outcome = vorabsSTATUS_FAILED;
  place(translator, giXform3(giXformTranslate, giVector3(1.0, 0.0, 0.0)));
  translator.process(incoming, receiver, sink);
  EXPECT_TRUE(translator.last_annotation_item().invalid());

  place(translator, giXform3(giXformIdentity));
  translator.process(incoming, receiver, sink);
  EXPECT_TRUE(translator.last_annotation_item() == item);

  // A success without an item from the sink leaves no last item either.
  sink.current = annNamedItemPtr();
  translator.outcome = vorabsSTATUS_OK;
  place(translator, giXform3(giXformTranslate, giVector3(2.0, 0.0, 0.0)));
  EXPECT_EQ(translator.process(incoming, receiver, sink).status(), vorabsSTATUS_OK);
  EXPECT_TRUE(translator.last_annotation_item().invalid());
}

TEST_F(vorabsTranslatorTest, SetTransformHandsBackThePreviousOne) {
  ScriptedTranslator& translator = make(vorabsSTATUS_OK);
  EXPECT_TRUE(translator.transform().identity());
  giXform3 moved(giXformTranslate, giVector3(1.0, 2.0, 3.0));
  giXform3 previous;
  translator.set_transform(moved, previous);
  EXPECT_TRUE(previous.identity());
  EXPECT_TRUE(equal(translator.transform(), moved, 0.0));
  translator.set_transform(giXform3(giXformIdentity), previous);
  EXPECT_TRUE(equal(previous, moved, 0.0));

  // The base answers for a plain translator.
  EXPECT_EQ(translator.vorabsTranslator::num_translators(), 1);
  EXPECT_EQ(translator.non_spts_supported(), 0);
  EXPECT_EQ(translator.current_translator(), &translator);
  EXPECT_EQ(translator.output(), &output);
  EXPECT_EQ(translator.error(), &error);
  EXPECT_EQ(translator.context().document(), &document);
}

TEST_F(vorabsTranslatorTest, SetAttributesNamesAndManglesTheEntity) {
  ScriptedTranslator& anonymous = make(vorabsSTATUS_OK);
  anonymous.process(incoming, receiver, sink);
  EXPECT_EQ(anonymous.completed_name(), "_");
  vorabsNamevorabsAttributePtr name;
  ASSERT_TRUE(anonymous.completed.get(vorabsNAME, name));
  EXPECT_EQ(name->number(), 0);
  EXPECT_FALSE(anonymous.completed.member(vorabsPROPERTIES));
  EXPECT_TRUE(anonymous.completed.member(vorabsCURVE));
  // The caller's set is left as it was.
  EXPECT_EQ(incoming.num_attributes(), 0);

  // A name from the caller is kept when the entity has none of its own;
  // a numbered name passes on its number as text.
  vorabsAttributeSet named;
  named.check_out(vorabsNAME, name);
  *name = vorabsName(42);
  ScriptedTranslator& inherits = make(vorabsSTATUS_OK);
  inherits.process(named, receiver, sink);
  EXPECT_EQ(inherits.completed_name(), "42");
  ASSERT_TRUE(inherits.completed.get(vorabsNAME, name));
  EXPECT_EQ(name->number(), 0);

  {
    vorabsDefaultNameMangler outer(utString("A"));
    ScriptedTranslator& own = make(vorabsSTATUS_OK);
    own.own_name = utString("N");
    own.process(named, receiver, sink);
    EXPECT_EQ(own.completed_name(), "N_A");
    ScriptedTranslator& unnamed = make(vorabsSTATUS_OK);
    unnamed.process(incoming, receiver, sink);
    EXPECT_EQ(unnamed.completed_name(), "__A");
  }
  ScriptedTranslator& after = make(vorabsSTATUS_OK);
  after.own_name = utString("N");
  after.process(incoming, receiver, sink);
  EXPECT_EQ(after.completed_name(), "N");
}

TEST_F(vorabsTranslatorTest, SetAttributesRefersToThePropertiesOnlyWhenThereAreSome) {
  ScriptedTranslator& translator = make(vorabsSTATUS_OK);
  EXPECT_EQ(translator.num_properties(), 0);
  kapPropertycoPrf first(new kapProperty(context));
  first->set_title(utString("material"));
  translator.add_property(first);
  EXPECT_EQ(translator.num_properties(), 1);
  EXPECT_TRUE(translator.property(0) == first);

  translator.process(incoming, receiver, sink);
  kapPropertiesvorabsAttributePtr properties;
  ASSERT_TRUE(translator.completed.get(vorabsPROPERTIES, properties));
  ASSERT_FALSE(properties->invalid());
  // The attribute refers to the translator's own list: later additions show.
  translator.add_property(kapPropertycoPrf(new kapProperty(context)));
  EXPECT_EQ(properties->properties()->num_properties(), 2);
  EXPECT_TRUE(properties->properties()->read(0) == first);
}
