// Tests of the group translator: the group it makes and names, its placement
// by a shape-preserving transform item, its structure marker, and the
// removal of a rejected group from the document.
#include "vorabsGroupTranslator.h"

#include "CompoundHarness.h"
#include "Named.h"
#include "vorabsTestGroupTranslator.h"

#include <gtest/gtest.h>

namespace {

// A group translator of any kind, named N.
struct KindGroup : Named<vorabsGroupTranslator> {
  KindGroup(const vorabsContext& context, const stoClass* kind)
      : Named("N", kind, giXform3(giXformIdentity), context) {}
};

class vorabsGroupTranslatorTest : public ::testing::Test, public CompoundScene {
protected:
  std::shared_ptr<vorabsTestGroupTranslator>
  group(const char* name, const giXform3& own = giXform3(giXformIdentity)) {
    return std::make_shared<vorabsTestGroupTranslator>(context, utString(name), own);
  }
  size_t num_groups() const {
    size_t found = 0;
    for (size_t i = 0; i < document.num_items(); ++i)
      found += annGroup::sto_dynamic_cast(document.item(i).get()) != nullptr;
    return found;
  }
};

} // namespace

TEST_F(vorabsGroupTranslatorTest, BuiltGroupHoldsTheChildItemsAndIsPlacedByItsTransform) {
  const double similar[4][4] = {{0, -2, 0, 4}, {2, 0, 0, 5}, {0, 0, 2, 6}, {0, 0, 0, 1}};
  auto g = group("G", giXform3(similar));
  with_children(g, {vorabsSTATUS_OK, vorabsSTATUS_OK});
  EXPECT_EQ(run(), vorabsSTATUS_OK);

  ASSERT_FALSE(g->group().invalid());
  const annGroup& made = *g->group();
  EXPECT_EQ(made.name(), utString("G"));
  EXPECT_TRUE(made.group_name().is_null());
  ASSERT_EQ(made.num_members(), 2u);
  EXPECT_EQ(made.member(0)->name(), utString("c1"));
  EXPECT_EQ(made.member(1)->name(), utString("c2"));
  ASSERT_FALSE(made.transform().invalid());
  const annSPT& spt = *made.transform();
  EXPECT_EQ(spt.name(), utString("annGroup G transform"));
  EXPECT_DOUBLE_EQ(spt.scale(), 2.0);
  EXPECT_DOUBLE_EQ(spt.workplane().origin().x, 4.0);
  EXPECT_DOUBLE_EQ(spt.workplane().origin().z, 6.0);
  EXPECT_NEAR(spt.workplane().u_vector().y, 1.0, 1e-12);
  for (const auto& child : children)
    EXPECT_TRUE(child->made_under[0].identity());
  // The sink receives the group with the group's own attributes.
  EXPECT_EQ(sink.calls.back().item.pointer(), g->group().pointer());
  EXPECT_EQ(sink.name(sink.calls.size() - 1), "G");
  EXPECT_EQ(g->last_annotation_item().pointer(), g->group().pointer());

  // A group name is given only when it has text.
  auto named = group("H");
  EXPECT_EQ(named->group_name(), utString(""));
  named->set_group_name(utString("Assembly 1"));
  with_children(named, {vorabsSTATUS_OK});
  EXPECT_EQ(run(), vorabsSTATUS_OK);
  EXPECT_EQ(named->group()->group_name(), utString("Assembly 1"));
  auto unnamed = group("I");
  unnamed->set_group_name(utString(""));
  with_children(unnamed, {vorabsSTATUS_OK});
  EXPECT_EQ(run(), vorabsSTATUS_OK);
  EXPECT_TRUE(unnamed->group()->group_name().is_null());
}

TEST_F(vorabsGroupTranslatorTest, StructureMarkerFollowsTheKindOfGroup) {
  const struct {
    const stoClass* kind;
    bool structure;
  } cases[] = {{sto_class_annGroup(), false},
               {sto_class_annDimension(), true},
               {sto_class_annGeometryItem(), false}, // abstract: no instance to ask
               {nullptr, false}};
  for (const auto& c : cases) {
    KindGroup g(context, c.kind);
    vorabsAttributeSet set;
    g.attributes(set);
    EXPECT_EQ(g.is_structure(), c.structure ? 1 : 0);
    EXPECT_EQ(set.member(vorabsSTRUCTURE), c.structure);
    EXPECT_TRUE(set.member(vorabsPARENTITEM));
    EXPECT_TRUE(set.member(vorabsANNOTATION));
    vorabsObjectTypevorabsAttributePtr type;
    ASSERT_TRUE(set.get(vorabsOBJECTTYPE, type));
    EXPECT_EQ(type->type(), c.kind);
  }
}

TEST_F(vorabsGroupTranslatorTest, RejectedGroupLeavesTheDocument) {
  auto g = group("G");
  with_children(g, {vorabsSTATUS_IGNORED, vorabsSTATUS_IGNORED});
  EXPECT_EQ(run(), vorabsSTATUS_IGNORED);
  EXPECT_EQ(output.texts(), Texts{"All geometry in group G was ignored.\n"});
  EXPECT_TRUE(g->group().invalid());
  EXPECT_EQ(num_groups(), 0u);
  EXPECT_TRUE(document.find_item(utString("G"), sto_class_annGroup()).invalid());

  // A partly built group goes as well; the items of its children stay.
  auto h = group("H");
  with_children(h, {vorabsSTATUS_OK, vorabsSTATUS_ABORTED});
  EXPECT_EQ(run(), vorabsSTATUS_ABORTED);
  EXPECT_TRUE(h->group().invalid());
  EXPECT_EQ(num_groups(), 0u);
  EXPECT_FALSE(document.find_item(utString("c3"), sto_class_annPointItem()).invalid());

  // A kind that is no group cannot be made; without a document nothing is.
  with_children(std::make_shared<KindGroup>(context, sto_class_annPointItem()), {vorabsSTATUS_OK});
  output.messages.clear();
  EXPECT_EQ(run(), vorabsSTATUS_FAILED);
  EXPECT_EQ(output.texts(), Texts{"Error : Unable to perform a valid translation for group N.\n"});
  EXPECT_EQ(num_groups(), 0u);
  with_children(std::make_shared<KindGroup>(vorabsContext(), sto_class_annGroup()),
                {vorabsSTATUS_IGNORED, vorabsSTATUS_FAILED});
  EXPECT_EQ(run(), vorabsSTATUS_IGNORED);
}

TEST_F(vorabsGroupTranslatorTest, FlattenedGroupManglesTheNamesMadeInside) {
  auto g = group("G", diagonal(2, 1, 1));
  with_children(g, {vorabsSTATUS_OK});
  EXPECT_EQ(run(), vorabsSTATUS_OK);
  EXPECT_EQ(children[0]->completed_name(), "c1_G");
  EXPECT_TRUE(g->group()->transform().invalid()); // the placement went into the child
}
