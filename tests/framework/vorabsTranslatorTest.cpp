// Tests of the translator base: the processed-item memo, the use count, the
// last annotation item and the completion of an entity's attributes.
#include "vorabsTranslator.h"

#include "RecordingChannel.h"
#include "RecordingSink.h"
#include "ScriptedTranslator.h"
#include "TestHelpers.h"
#include "kapProperties.h"
#include "kapProperty.h"
#include "vorabsDefaultNameMangler.h"
#include "vorabsInterface.h"

#include <gtest/gtest.h>

#include <memory>
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
    sink.current = item;
  }

  // A scripted translator with both channels set.
  ScriptedTranslator& make(vorabsStatus outcome) {
    translators.emplace_back(new ScriptedTranslator(context, outcome));
    translators.back()->set_output(&output);
    translators.back()->set_error(&error);
    return *translators.back();
  }
  vorabsStatus run(ScriptedTranslator& translator, const vorabsAttributeSet& set = {}) {
    return translator.process(set, receiver, sink).status();
  }

  annDocument document;
  vorabsContext context;
  annNamedItemPtr item = make_annCurveItem(&document, utString("line"), utString("C1"));
  annNamedItemPtr other_item = make_annCurveItem(&document, utString("line"), utString("C2"));
  RecordingChannel output;
  RecordingChannel error;
  RecordingSink sink;
  RecordingReceiver receiver;
  std::vector<std::unique_ptr<ScriptedTranslator>> translators;
};

} // namespace

TEST_F(vorabsTranslatorTest, AnEqualTransformReusesTheStoredItemAndSkipsTheNestedTranslators) {
  ScriptedTranslator& translator = make(vorabsSTATUS_OK);
  translator.size = 4;
  EXPECT_EQ(run(translator), vorabsSTATUS_OK);
  EXPECT_TRUE(sink.calls.empty());
  EXPECT_TRUE(receiver.progress.empty());
  EXPECT_TRUE(translator.last_annotation_item() == item);

  // The sink has moved on; the memo keeps the item made for this entity.
  sink.current = other_item;
  place(translator, giXform3(giXformIdentity));
  EXPECT_EQ(run(translator), vorabsSTATUS_OK);
  EXPECT_EQ(run(translator), vorabsSTATUS_OK);
  EXPECT_EQ(translator.num_creates, 1);
  EXPECT_EQ(translator.num_usages(), 3);
  EXPECT_EQ(receiver.progress, (std::vector<int>{3, 3}));
  ASSERT_EQ(sink.kinds(), (std::vector<std::string>{"annotation", "annotation"}));
  EXPECT_TRUE(sink.calls[0].item == item);
  // The sink gets the caller's attributes, not the translator's completed copy.
  EXPECT_FALSE(sink.calls[0].attributes.member(vorabsCURVE));
  EXPECT_EQ(translator.num_attribute_calls, 3); // once in create_item, once per re-use
  EXPECT_TRUE(translator.last_annotation_item() == item);
  EXPECT_TRUE(output.messages.empty());
  EXPECT_TRUE(error.messages.empty());
}

TEST_F(vorabsTranslatorTest, EveryPlacementIsTranslatedOnceAndKeepsItsOwnItem) {
  ScriptedTranslator& translator = make(vorabsSTATUS_OK);
  // One linear part and many translations (equal hashes), the smallest of
  // them 1e-9; then rotations.
  std::vector<giXform3> placements{giXform3(giXformIdentity), translation(0, 0, 1e-9)};
  for (int i = 2; i < 8; ++i)
    placements.push_back(translation(i, 0, 0));
  for (int i = 1; i <= 8; ++i) {
    int failed = 0;
    placements.push_back(
        giXform3(giXformRotate, giPoint3(0, 0, 0), giVector3(0, 0, 1), giAngle(0.1 * i), failed));
  }
  std::vector<annNamedItemPtr> items;
  for (size_t i = 0; i < placements.size(); ++i) {
    items.push_back(make_annCurveItem(&document, utString("line"), utString("P")));
    sink.current = items.back();
    place(translator, placements[i]);
    ASSERT_EQ(run(translator), vorabsSTATUS_OK);
  }
  ASSERT_EQ(translator.num_creates, 16);
  EXPECT_TRUE(sink.calls.empty());

  for (size_t i = placements.size(); i-- > 0;) {
    place(translator, placements[i]);
    run(translator);
    EXPECT_TRUE(translator.last_annotation_item() == items[i]) << i;
    EXPECT_TRUE(sink.calls.back().item == items[i]) << i;
  }
  EXPECT_EQ(translator.num_creates, 16);
  EXPECT_EQ(sink.calls.size(), 16u);
  EXPECT_EQ(translator.num_usages(), 32);
}

TEST_F(vorabsTranslatorTest, EachOutcomeIsRememberedRetriedOrRepeated) {
  const struct {
    vorabsStatus outcome;
    int creates, usages; // after two calls
    std::vector<int> progress;
  } cases[] = {
      {vorabsSTATUS_FAILED, 2, 0, {}},           // repairable: tried again, no use
      {vorabsSTATUS_ZERO_AREA, 2, 0, {}},        //
      {vorabsSTATUS_COMPLETE_NO_ITEM, 2, 2, {}}, // a use, but not remembered
      {vorabsSTATUS_ABORTED, 2, 2, {}},
      {vorabsSTATUS_OUTSIDE_EXTENT, 2, 2, {}},
      {vorabsSTATUS_UNKNOWN, 2, 2, {}},
      {vorabsSTATUS_IGNORED, 1, 2, {1}}, // remembered, and never sent
  };
  for (const auto& c : cases) {
    receiver.progress.clear();
    ScriptedTranslator& translator = make(c.outcome);
    translator.size = 2;
    EXPECT_EQ(run(translator), c.outcome);
    EXPECT_EQ(run(translator), c.outcome);
    EXPECT_EQ(translator.num_creates, c.creates) << c.outcome;
    EXPECT_EQ(translator.num_usages(), c.usages) << c.outcome;
    EXPECT_EQ(receiver.progress, c.progress) << c.outcome;
    EXPECT_TRUE(translator.last_annotation_item().invalid()) << c.outcome;
  }
  EXPECT_TRUE(sink.calls.empty());

  // A repaired entity is remembered from its first success on.
  ScriptedTranslator& repaired = make(vorabsSTATUS_FAILED);
  run(repaired);
  repaired.outcome = vorabsSTATUS_OK;
  EXPECT_EQ(run(repaired), vorabsSTATUS_OK);
  EXPECT_EQ(repaired.num_usages(), 1);
  EXPECT_EQ(run(repaired), vorabsSTATUS_OK);
  EXPECT_EQ(repaired.num_creates, 2);
  EXPECT_EQ(repaired.num_usages(), 2);
  EXPECT_EQ(sink.calls.size(), 1u);
}

TEST_F(vorabsTranslatorTest, AChildItemIsNotHandedToTheSinkAgainOnReuse) {
  // Marked by the incoming attributes (by its own: the reuse test's threads).
  ScriptedTranslator& marked_by_parent = make(vorabsSTATUS_OK);
  vorabsAttributeSet child_set;
  mark(child_set, vorabsCHILDITEM);
  run(marked_by_parent, child_set);
  EXPECT_EQ(run(marked_by_parent, child_set), vorabsSTATUS_OK);
  EXPECT_TRUE(sink.calls.empty());
  // It still counts the re-use and gives the stored item as the last one.
  EXPECT_EQ(receiver.progress, (std::vector<int>{0}));
  EXPECT_TRUE(marked_by_parent.last_annotation_item() == item);
  EXPECT_EQ(marked_by_parent.num_usages(), 2);
}

TEST_F(vorabsTranslatorTest, TheLastItemFollowsTheLastProcessCall) {
  ScriptedTranslator& translator = make(vorabsSTATUS_OK);
  run(translator);
  translator.outcome = vorabsSTATUS_FAILED;
  place(translator, translation(1, 0, 0));
  run(translator);
  EXPECT_TRUE(translator.last_annotation_item().invalid());
  place(translator, giXform3(giXformIdentity));
  run(translator);
  EXPECT_TRUE(translator.last_annotation_item() == item);

  // A success without an item from the sink leaves no last item either.
  sink.current = annNamedItemPtr();
  translator.outcome = vorabsSTATUS_OK;
  place(translator, translation(2, 0, 0));
  EXPECT_EQ(run(translator), vorabsSTATUS_OK);
  EXPECT_TRUE(translator.last_annotation_item().invalid());
}

TEST_F(vorabsTranslatorTest, SetAttributesNamesAndManglesTheEntity) {
  vorabsAttributeSet incoming;
  ScriptedTranslator& anonymous = make(vorabsSTATUS_OK);
  run(anonymous, incoming);
  EXPECT_EQ(anonymous.completed_name(), "_");
  vorabsNamevorabsAttributePtr name;
  ASSERT_TRUE(anonymous.completed.get(vorabsNAME, name));
  EXPECT_EQ(name->number(), 0);
  EXPECT_FALSE(anonymous.completed.member(vorabsPROPERTIES));
  EXPECT_TRUE(anonymous.completed.member(vorabsCURVE));
  EXPECT_EQ(incoming.num_attributes(), 0);

  // A name from the caller is kept when the entity has none of its own;
  // a numbered name passes on its number as text.
  vorabsAttributeSet numbered;
  put(numbered, vorabsNAME, vorabsName(42));
  ScriptedTranslator& inherits = make(vorabsSTATUS_OK);
  run(inherits, numbered);
  EXPECT_EQ(inherits.completed_name(), "42");
  ASSERT_TRUE(inherits.completed.get(vorabsNAME, name));
  EXPECT_EQ(name->number(), 0);

  {
    vorabsDefaultNameMangler outer(utString("A"));
    ScriptedTranslator& own = make(vorabsSTATUS_OK);
    own.own_name = utString("N");
    run(own, numbered);
    EXPECT_EQ(own.completed_name(), "N_A");
    ScriptedTranslator& unnamed = make(vorabsSTATUS_OK);
    run(unnamed);
    EXPECT_EQ(unnamed.completed_name(), "__A");
  }
}

TEST_F(vorabsTranslatorTest, SetAttributesRefersToThePropertiesOnlyWhenThereAreSome) {
  ScriptedTranslator& translator = make(vorabsSTATUS_OK);
  kapPropertycoPrf first(new kapProperty(context));
  translator.add_property(first);
  run(translator);
  kapPropertiesvorabsAttributePtr properties;
  ASSERT_TRUE(translator.completed.get(vorabsPROPERTIES, properties));
  ASSERT_FALSE(properties->invalid());
  // The attribute refers to the translator's own list: later additions show.
  translator.add_property(kapPropertycoPrf(new kapProperty(context)));
  EXPECT_EQ(properties->properties()->num_properties(), 2);
  EXPECT_TRUE(properties->properties()->read(0) == first);
}
