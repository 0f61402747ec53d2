// Tests of the group translator: the group it makes and names, its placement
// by a shape-preserving transform item, its structure marker, and the
// removal of a rejected group from the document.
#include "vorabsGroupTranslator.h"

#include "CompoundHarness.h"
#include "vorabsAttributePtr.h"
#include "vorabsDefaultNameMangler.h"
#include "vorabsTestGroupTranslator.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

// A group translator of any kind, named N.
class KindGroup : public vorabsGroupTranslator {
public:
  KindGroup(const vorabsContext& context, const stoClass* kind, const giXform3& own)
      : vorabsGroupTranslator(kind, own, context) {}
  void attributes(vorabsAttributeSet& set) const override {
    vorabsGroupTranslator::attributes(set);
    vorabsNamevorabsAttributePtr name;
    set.check_out(vorabsNAME, name);
    *name = vorabsName(utString("N"), 0);
  }

protected:
  vorabsNameMangler* create_name_mangler(utPtrRelease) const override { return nullptr; }
};

class vorabsGroupTranslatorTest : public ::testing::Test {
protected:
  vorabsGroupTranslatorTest() : receiver(events, sink) { context.set_document(&document); }

  template <class Group>
  Group& with_children(std::shared_ptr<Group> group, const std::vector<vorabsStatus>& outcomes) {
    for (vorabsStatus outcome : outcomes) {
      std::string name = "c" + std::to_string(children.size() + 1);
      children.push_back(std::make_shared<Child>(context, events, name.c_str(), outcome));
      group->add_translator(vorabsTranslatorcoPrf(children.back()));
    }
    group->set_error(&error);
    group->set_output(&output);
    receiver.top = group.get();
    top = group;
    return *group;
  }

  vorabsStatus run() { return top->process(vorabsAttributeSet(), receiver, sink).status(); }

  // The document's items that are groups.
  std::vector<const annGroup*> groups() const {
    std::vector<const annGroup*> found;
    for (size_t i = 0; i < document.num_items(); ++i)
      if (const annGroup* group = annGroup::sto_dynamic_cast(document.item(i).get()))
        found.push_back(group);
    return found;
  }

  annDocument document;
  vorabsContext context;
  Events events;
  RecordingChannel output;
  RecordingChannel error;
  ItemSink sink;
  RoutingReceiver receiver;
  std::shared_ptr<vorabsTranslator> top;
  std::vector<std::shared_ptr<Child>> children;
};

} // namespace

TEST_F(vorabsGroupTranslatorTest, BuiltGroupHoldsTheChildItemsAndIsPlacedByItsTransform) {
  const double similar[4][4] = {{0, -2, 0, 4}, {2, 0, 0, 5}, {0, 0, 2, 6}, {0, 0, 0, 1}};
  auto g = std::make_shared<vorabsTestGroupTranslator>(context, utString("G"), giXform3(similar));
  with_children(g, {vorabsSTATUS_OK, vorabsSTATUS_OK});
  EXPECT_EQ(run(), vorabsSTATUS_OK);

  ASSERT_FALSE(g->group().invalid());
  const annGroup& group = *g->group();
  EXPECT_EQ(group.name(), utString("G"));
  EXPECT_TRUE(group.group_name().is_null()); // no group name set
  ASSERT_EQ(group.num_members(), 2u);
  EXPECT_EQ(group.member(0)->name(), utString("c1"));
  EXPECT_EQ(group.member(1)->name(), utString("c2"));
  ASSERT_FALSE(group.transform().invalid());
  const annSPT& spt = *group.transform();
  EXPECT_EQ(spt.name(), utString("annGroup G transform"));
  EXPECT_DOUBLE_EQ(spt.scale(), 2.0);
  EXPECT_DOUBLE_EQ(spt.workplane().origin().x, 4.0);
  EXPECT_DOUBLE_EQ(spt.workplane().origin().z, 6.0);
  EXPECT_NEAR(spt.workplane().u_vector().y, 1.0, 1e-12);
  for (const auto& child : children)
    EXPECT_TRUE(child->made_under[0].identity());

  // The sink receives the group with the group's own attributes.
  ASSERT_FALSE(sink.calls.empty());
  EXPECT_EQ(sink.calls.back().item.pointer(), g->group().pointer());
  EXPECT_EQ(sink.name(sink.calls.size() - 1), "G");
  EXPECT_EQ(g->last_annotation_item().pointer(), g->group().pointer());
}

TEST_F(vorabsGroupTranslatorTest, GroupNameIsGivenOnlyWhenItHasText) {
  auto named = std::make_shared<vorabsTestGroupTranslator>(context, utString("G"),
                                                           giXform3(giXformIdentity));
  EXPECT_EQ(named->group_name(), utString(""));
  named->set_group_name(utString("Assembly 1"));
  with_children(named, {vorabsSTATUS_OK});
  EXPECT_EQ(run(), vorabsSTATUS_OK);
  EXPECT_EQ(named->group()->group_name(), utString("Assembly 1"));

  auto unnamed = std::make_shared<vorabsTestGroupTranslator>(context, utString("H"),
                                                             giXform3(giXformIdentity));
  unnamed->set_group_name(utString(""));
  with_children(unnamed, {vorabsSTATUS_OK});
  EXPECT_EQ(run(), vorabsSTATUS_OK);
  EXPECT_TRUE(unnamed->group()->group_name().is_null());
}

TEST_F(vorabsGroupTranslatorTest, StructureMarkerFollowsTheKindOfGroup) {
  KindGroup plain(context, sto_class_annGroup(), giXform3(giXformIdentity));
  vorabsAttributeSet set;
  plain.attributes(set);
  EXPECT_FALSE(set.member(vorabsSTRUCTURE));
  EXPECT_TRUE(set.member(vorabsPARENTITEM));
  EXPECT_TRUE(set.member(vorabsANNOTATION));
  vorabsObjectTypevorabsAttributePtr type;
  ASSERT_TRUE(set.get(vorabsOBJECTTYPE, type));
  EXPECT_EQ(type->type(), sto_class_annGroup());
  EXPECT_EQ(plain.is_structure(), 0);

  KindGroup dimension(context, sto_class_annDimension(), giXform3(giXformIdentity));
  vorabsAttributeSet structured;
  dimension.attributes(structured);
  EXPECT_TRUE(structured.member(vorabsSTRUCTURE));
  ASSERT_TRUE(structured.get(vorabsOBJECTTYPE, type));
  EXPECT_EQ(type->type(), sto_class_annDimension());

  // An abstract kind has no instance to ask, and no kind at all is no structure.
  EXPECT_EQ(KindGroup(context, sto_class_annGeometryItem(), giXform3()).is_structure(), 0);
  EXPECT_EQ(KindGroup(context, nullptr, giXform3()).is_structure(), 0);
}

TEST_F(vorabsGroupTranslatorTest, RejectedGroupLeavesTheDocument) {
  auto g = std::make_shared<vorabsTestGroupTranslator>(context, utString("G"),
                                                       giXform3(giXformIdentity));
  with_children(g, {vorabsSTATUS_IGNORED, vorabsSTATUS_IGNORED});
  EXPECT_EQ(run(), vorabsSTATUS_IGNORED);
  EXPECT_EQ(output.texts(), Texts{"All geometry in group G was ignored.\n"});
  EXPECT_TRUE(g->group().invalid());
  EXPECT_TRUE(groups().empty());
  EXPECT_EQ(document.find_item(utString("G"), sto_class_annGroup()).invalid(), 1);

  // A partly built group goes as well; the items of its children stay.
  auto h = std::make_shared<vorabsTestGroupTranslator>(context, utString("H"),
                                                       giXform3(giXformIdentity));
  with_children(h, {vorabsSTATUS_OK, vorabsSTATUS_ABORTED});
  EXPECT_EQ(run(), vorabsSTATUS_ABORTED);
  EXPECT_TRUE(h->group().invalid());
  EXPECT_TRUE(groups().empty());
  EXPECT_FALSE(document.find_item(utString("c3"), sto_class_annPointItem()).invalid());
}

TEST_F(vorabsGroupTranslatorTest, KindThatIsNoGroupCannotBeTranslated) {
  auto g =
      std::make_shared<KindGroup>(context, sto_class_annPointItem(), giXform3(giXformIdentity));
  with_children(g, {vorabsSTATUS_OK});
  EXPECT_EQ(run(), vorabsSTATUS_FAILED);
  EXPECT_EQ(output.texts(), Texts{"Error : Unable to perform a valid translation for group N.\n"});
  EXPECT_TRUE(groups().empty());

  // Without a document nothing can be made either, and nothing breaks.
  vorabsContext nowhere;
  auto lost = std::make_shared<KindGroup>(nowhere, sto_class_annGroup(), giXform3(giXformIdentity));
  with_children(lost, {vorabsSTATUS_IGNORED, vorabsSTATUS_FAILED});
  EXPECT_EQ(run(), vorabsSTATUS_IGNORED);
}

TEST_F(vorabsGroupTranslatorTest, FlattenedGroupManglesTheNamesMadeInside) {
  auto g = std::make_shared<vorabsTestGroupTranslator>(context, utString("G"), stretch_x());
  with_children(g, {vorabsSTATUS_OK});
  EXPECT_EQ(run(), vorabsSTATUS_OK);
  EXPECT_EQ(children[0]->completed_name(), "c1_G");
  EXPECT_TRUE(g->group()->transform().invalid()); // the placement went into the child
  EXPECT_EQ(vorabsNameMangler::mangle_name(utString("x")), utString("x"));
}
