// Tests of the annotation model stand-in: the document, sub-surfaces and groups.
#include "ann/ann.h"

#include "TestHelpers.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

TEST(annDocumentTest, FindsItemsByNameAndKindInTheCurrentNameSpace) {
  annDocument document;
  annStyleSetannPtr made = make_annStyleSet(&document, utString("red"));
  EXPECT_EQ(made->owner(), &document);
  EXPECT_TRUE(document.find_item(utString("red"), sto_class_annStyleSet()) == made);
  EXPECT_TRUE(document.find_item(utString("red"), sto_class_annNamedItem()) == made);
  EXPECT_TRUE(document.find_item(utString("red"), sto_class_annLevel()).invalid());
  EXPECT_TRUE(document.find_item(utString("other"), sto_class_annStyleSet()).invalid());

  // A name space is made inside the current one; items made in it are
  // found only there, and one moved to another space is found in that one.
  EXPECT_EQ(make_annNameSpace(nullptr, utString("a"), utString("b")), nullptr);
  annNameSpacePtr outer = make_annNameSpace(&document, utString("/p/assembly"), utString("asm"));
  EXPECT_EQ(outer->reference(), utString("asm"));
  document.set_name_space(outer);
  annNameSpacePtr space = make_annNameSpace(&document, utString("bolt"), utString("bolt"));
  EXPECT_EQ(space->parent(), outer);
  EXPECT_EQ(document.set_name_space(space), outer);
  annStyleSetannPtr inner = make_annStyleSet(&document, utString("inner"));
  EXPECT_EQ(inner->name_space(), space);
  EXPECT_FALSE(document.find_item(utString("inner"), sto_class_annStyleSet()).invalid());
  document.set_name_space(nullptr);
  EXPECT_TRUE(document.find_item(utString("inner"), sto_class_annStyleSet()).invalid());
  made->set_name_space(outer);
  EXPECT_TRUE(document.find_item(utString("red"), sto_class_annStyleSet()).invalid());
  document.set_name_space(outer);
  EXPECT_TRUE(document.find_item(utString("red"), sto_class_annStyleSet()) == made);

  EXPECT_TRUE(make_annStyleSet(nullptr, utString("x")).invalid());
  EXPECT_TRUE(make_annPointItem(nullptr, giPoint3(0, 0, 0), utString("x")).invalid());
}

TEST(annSurfaceBaseTest, RefusesCyclicSubSurfaces) {
  annDocument document;
  annSolidItemannPtr solid = make_annSolidItem(&document, utString("block"), utString("b"));
  annFaceItemannPtr top = make_annFaceItem(&document, utString("top"), utString("t"));
  annFaceItemannPtr side = make_annFaceItem(&document, utString("side"), utString("s"));
  EXPECT_EQ(solid->add_sub_surface(top), 1);
  EXPECT_EQ(top->add_sub_surface(side), 1);
  EXPECT_TRUE(solid->sub_surface(0) == top);
  EXPECT_EQ(solid->add_sub_surface(solid), 0);
  EXPECT_EQ(side->add_sub_surface(solid), 0);
  EXPECT_EQ(solid->add_sub_surface(annSurfaceBaseannPtr()), 0);
  EXPECT_EQ(solid->num_sub_surfaces(), 1);
  EXPECT_EQ(side->num_sub_surfaces(), 0);
}

TEST(annDocumentTest, PrintsItemsInCreationOrderWithWhatIsSet) {
  annDocument document;
  annLevelannPtr level = make_annLevel(&document, 3, utString("3"));
  level->set_level_name(utString("Walls"));
  annStyleSetannPtr styles = make_annStyleSet(&document, utString("curve style"));
  make_annRGBColour(&document, 1.0, 0.5, 0.0, utString("orange"));
  annCurveItemannPtr curve = make_annCurveItem(&document, utString("line"), utString("c1"));
  curve->set_level(level);
  curve->set_style(styles);
  curve->set_display_name(utString("Edge"));
  make_annPointItem(&document, giPoint3(1, -2.5, 0), utString("p1"));
  annFaceItemannPtr face = make_annFaceItem(&document, utString("disc"), utString("f1"));
  face->set_render_mesh(make_annRenderMesh(&document, giTriBlock(), utString("m1")));
  face->add_sub_surface(make_annSurfaceItem(&document, utString(), utString("s1")));
  make_annSolidItem(&document, utString("block"), utString("b1"));
  document.set_name_space(std::make_shared<annNameSpace>(utString("bolt"), nullptr));
  make_annWorkplaneItem(&document, giWorkplane3(giWorkplaneWorld), utString("w1"));

  EXPECT_EQ(printed(document),
            "annLevel \"3\" number 3 level name \"Walls\"\n"
            "annStyleSet \"curve style\"\n"
            "annRGBColour \"orange\" rgb 1 0.5 0\n"
            "annCurveItem \"c1\" level 3 style \"curve style\" display \"Edge\" "
            "description \"line\"\n"
            "annPointItem \"p1\" at 1 -2.5 0\n"
            "annFaceItem \"f1\" description \"disc\" mesh \"m1\" sub-surfaces 1\n"
            "annRenderMesh \"m1\" triangles 0\n"
            "annSurfaceItem \"s1\"\n"
            "annSolidItem \"b1\" description \"block\"\n"
            "annWorkplaneItem \"w1\" in \"bolt\" origin 0 0 0\n");
}

TEST(annGroupTest, TagPicksTheKindAndItsStructureAnswer) {
  annDocument document;
  const std::pair<const stoClass*, int> cases[] = {{sto_class_annGroup(), 0},
                                                   {sto_class_annComponentFile(), 0},
                                                   {sto_class_annUnlinkedSolid(), 1},
                                                   {sto_class_annDimension(), 1},
                                                   {sto_class_annWitnessLine(), 1},
                                                   {sto_class_annSymbol(), 1},
                                                   {sto_class_annPointSymbolInstance(), 1},
                                                   {sto_class_annGdtTolerance(), 1}};
  for (const auto& [tag, structure] : cases) {
    annGroupannPtr group = annGroup::make_annGroup(&document, tag, utString("g"));
    ASSERT_FALSE(group.invalid()) << tag->name();
    EXPECT_EQ(group->sto_class(), tag);
    EXPECT_EQ(group->structure(), structure) << tag->name();
    // The temporary instance of the tag answers as the made group does.
    std::unique_ptr<stoObject> temporary(tag->new_instance());
    EXPECT_EQ(annGroup::sto_dynamic_cast(temporary.get())->structure(), structure);
  }
  EXPECT_TRUE(make_annGroup(&document, sto_class_annCurveItem(), utString("x")).invalid());
  EXPECT_TRUE(make_annGroup(&document, sto_class_annGeometryItem(), utString("x")).invalid());
  EXPECT_TRUE(make_annGroup(&document, nullptr, utString("x")).invalid());
  EXPECT_TRUE(make_annGroup(nullptr, sto_class_annGroup(), utString("x")).invalid());
  EXPECT_EQ(document.num_items(), 8u);
}

TEST(annGroupTest, KeepsMembersInOrderRefusesCyclesAndLosesRemovedGeometry) {
  annDocument document;
  annGroupannPtr outer = make_annGroup(&document, sto_class_annGroup(), utString("outer"));
  annGroupannPtr inner = make_annGroup(&document, sto_class_annGroup(), utString("inner"));
  annCurveItemannPtr curve = make_annCurveItem(&document, utString("line"), utString("c"));
  annPointItemannPtr point = make_annPointItem(&document, giPoint3(0, 0, 0), utString("p"));
  EXPECT_EQ(outer->add_group_geometry(point), 1);
  EXPECT_EQ(outer->add_group_geometry(inner), 1);
  EXPECT_EQ(inner->add_group_geometry(curve), 1);
  EXPECT_EQ(outer->add_group_geometry(curve), 1);
  EXPECT_EQ(outer->add_group_geometry(curve), 1);
  const annGeometryItemannPtrcoVariableArr& members = outer->get_group_geometry();
  ASSERT_EQ(members.size(), 4u);
  EXPECT_TRUE(members[0] == point);
  EXPECT_TRUE(members[1] == inner);
  EXPECT_EQ(inner->holds(curve.pointer()), 1);
  EXPECT_EQ(outer->add_group_geometry(outer), 0);
  EXPECT_EQ(inner->add_group_geometry(outer), 0);
  EXPECT_EQ(outer->add_group_geometry(annGeometryItemannPtr()), 0);

  // Removed geometry leaves the document and every group, each time it appears.
  EXPECT_EQ(document.remove_geometry(curve), 1);
  EXPECT_EQ(document.num_items(), 3u);
  EXPECT_EQ(members.size(), 2u);
  EXPECT_EQ(inner->get_group_geometry().size(), 0u);
  EXPECT_EQ(document.remove_geometry(curve), 0);
  EXPECT_EQ(document.remove_geometry(annNamedItemPtr()), 0);
  // Removing a group leaves its members in the document.
  EXPECT_EQ(document.remove_geometry(outer), 1);
  EXPECT_EQ(document.num_items(), 2u);
  EXPECT_TRUE(document.find_item(utString("p"), sto_class_annPointItem()) == point);
}

TEST(annDocumentTest, KeepsOneLevelPerNumberInEachNameSpace) {
  annDocument document;
  annLevelannPtr walls = make_annLevel(&document, 3, utString("3"));
  EXPECT_TRUE(make_annLevel(&document, 3, utString("3")) == walls);
  EXPECT_FALSE(make_annLevel(&document, 4, utString("4")) == walls);
  EXPECT_FALSE(make_annLevel(&document, 3, utString("three")) == walls);
  annNameSpacePtr part = make_annNameSpace(&document, utString("part"), utString("part"));
  document.set_name_space(part);
  annLevelannPtr in_part = make_annLevel(&document, 3, utString("3"));
  EXPECT_FALSE(in_part == walls);
  EXPECT_EQ(in_part->name_space(), part);
  document.set_name_space(nullptr);
  EXPECT_EQ(document.num_items(), 4u);
  // A level taken out of the document is not handed out again.
  EXPECT_EQ(document.remove_item(walls.pointer()), 1);
  annLevelannPtr again = make_annLevel(&document, 3, utString("3"));
  EXPECT_FALSE(again == walls);
  EXPECT_EQ(again->level(), 3);
}

TEST(annDocumentTest, FindsEveryNameAfterManyAreAddedAndRemoved) {
  annDocument document;
  std::vector<annPointItemannPtr> points;
  for (int i = 0; i < 2000; ++i)
    points.push_back(
        make_annPointItem(&document, giPoint3(i, 0, 0), utString(std::to_string(i).c_str())));
  for (int i = 0; i < 2000; i += 3)
    ASSERT_EQ(document.remove_item(points[size_t(i)].pointer()), 1);
  for (int i = 0; i < 2000; ++i) {
    const annNamedItemPtr found =
        document.find_item(utString(std::to_string(i).c_str()), sto_class_annPointItem());
    if (i % 3 == 0)
      EXPECT_TRUE(found.invalid()) << i;
    else
      EXPECT_TRUE(found == points[size_t(i)]) << i;
  }
}

TEST(annDocumentTest, FindsTheOldestOfAKindUnderANameAsItemsOfThatNameLeave) {
  annDocument document;
  const utString name("a");
  annStyleSetannPtr first = make_annStyleSet(&document, name);
  annPointItemannPtr point = make_annPointItem(&document, giPoint3(0, 0, 0), name);
  annStyleSetannPtr second = make_annStyleSet(&document, name);
  annStyleSetannPtr third = make_annStyleSet(&document, name);
  auto found = [&] { return document.find_item(name, sto_class_annStyleSet()); };
  EXPECT_TRUE(found() == first);
  EXPECT_TRUE(document.find_item(name, sto_class_annPointItem()) == point);
  ASSERT_EQ(document.remove_item(first.pointer()), 1);
  EXPECT_TRUE(found() == second);
  ASSERT_EQ(document.remove_item(third.pointer()), 1);
  annStyleSetannPtr fourth = make_annStyleSet(&document, name);
  ASSERT_EQ(document.remove_item(second.pointer()), 1);
  EXPECT_TRUE(found() == fourth);
  EXPECT_EQ(document.remove_item(second.pointer()), 0);
  ASSERT_EQ(document.remove_item(point.pointer()), 1);
  ASSERT_EQ(document.remove_item(fourth.pointer()), 1);
  EXPECT_TRUE(found().invalid());
  annStyleSetannPtr again = make_annStyleSet(&document, name);
  EXPECT_TRUE(found() == again);
}

TEST(annDocumentTest, ItemsOfALevelShareItsHandleWhichOutlivesTheLevelsPlace) {
  annPointItemannPtr kept;
  {
    annDocument document;
    annLevelannPtr walls = make_annLevel(&document, 3, utString("3"));
    annPointItemannPtr a = make_annPointItem(&document, giPoint3(0, 0, 0), utString("a"));
    annPointItemannPtr b = make_annPointItem(&document, giPoint3(1, 0, 0), utString("b"));
    a->set_level(walls);
    b->set_level(annLevelannPtr::cast(document.find_item(utString("3"), sto_class_annLevel())));
    EXPECT_TRUE(a->level() == walls);
    EXPECT_EQ(&a->level(), &b->level());
    // Reached by another name, the handle keeps that name.
    annLevelannPtr renamed(utString("walls"), walls.pointer());
    b->set_level(renamed);
    EXPECT_STREQ(b->level().name().c_str(), "walls");
    EXPECT_STREQ(a->level().name().c_str(), "3");
    b->set_level(annLevelannPtr());
    EXPECT_TRUE(b->level().invalid());

    ASSERT_EQ(document.remove_item(walls.pointer()), 1);
    walls = annLevelannPtr();
    EXPECT_EQ(a->level()->level(), 3);
    b->set_level(a->level());
    EXPECT_EQ(b->level()->level(), 3);
    kept = a;
  }
  EXPECT_EQ(kept->level()->level(), 3);
}

TEST(annDocumentTest, ItemsOutliveTheirDocumentWhileHandlesHoldThem) {
  annPointItemannPtr kept;
  {
    annDocument document;
    for (int i = 0; i < 5000; ++i)
      make_annPointItem(&document, giPoint3(i, 0, 0), utString("p"));
    kept = make_annPointItem(&document, giPoint3(1, 2, 3), utString("kept"));
  }
  EXPECT_EQ(kept->owner(), nullptr);
  EXPECT_STREQ(kept->name().c_str(), "kept");
}

// A host that takes out what it has written keeps its document small: the
// memory of an item that goes serves the next item of its size, whichever
// thread let the item go.
TEST(annDocumentTest, TheMemoryOfAnItemTakenOutServesTheNextOfItsSize) {
  annDocument document;
  annPointItemannPtr first = make_annPointItem(&document, giPoint3(0, 0, 0), utString("p"));
  const annPointItem* place = first.pointer();
  ASSERT_EQ(document.remove_item(place), 1);
  first = annPointItemannPtr();
  annPointItemannPtr next = make_annPointItem(&document, giPoint3(1, 0, 0), utString("q"));
  EXPECT_EQ(next.pointer(), place);
  EXPECT_EQ(next->owner(), &document);

  std::vector<annPointItemannPtr> held;
  for (int i = 0; i < 1000; ++i)
    held.push_back(make_annPointItem(&document, giPoint3(i, 0, 0), utString("r")));
  std::set<const annPointItem*> places;
  for (const annPointItemannPtr& item : held) {
    places.insert(item.pointer());
    document.remove_item(item.pointer());
  }
  std::thread away([&held] { held.clear(); });
  std::vector<annPointItemannPtr> made;
  for (int i = 0; i < 1000; ++i)
    made.push_back(make_annPointItem(&document, giPoint3(i, 1, 0), utString("s")));
  away.join();
  for (int i = 0; i < 1000; ++i)
    made.push_back(make_annPointItem(&document, giPoint3(i, 2, 0), utString("t")));
  int reused = 0;
  for (const annPointItemannPtr& item : made)
    reused += places.count(item.pointer()) != 0;
  EXPECT_EQ(reused, 1000); // every place freed, once
  EXPECT_DOUBLE_EQ(made.back()->point().y, 2.0);
}

TEST(annGroupTest, DeepNestingIsCheckedAndReleasedWithoutRecursion) {
  annDocument document;
  annGroupannPtr innermost = make_annGroup(&document, sto_class_annGroup(), utString("g"));
  annGroupannPtr outer = innermost;
  for (int i = 0; i < 100000; ++i) {
    annGroupannPtr group = make_annGroup(&document, sto_class_annGroup(), utString("g"));
    ASSERT_EQ(group->add_group_geometry(outer), 1);
    outer = group;
  }
  EXPECT_EQ(innermost->times_held(), 1);
  EXPECT_EQ(outer->times_held(), 0);
  EXPECT_EQ(innermost->add_group_geometry(outer), 0);
  EXPECT_EQ(outer->holds(innermost.pointer()), 1);
}
