// Tests of the annotation model stand-in: class tags, handles, the document.
#include "ann/ann.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

TEST(stoClassTest, DynamicCastAnswersByKind) {
  annStyleSet style_set;
  stoObject* object = &style_set;
  EXPECT_EQ(sto_dynamic_cast(sto_class_annStyleSet(), object), object);
  EXPECT_EQ(sto_dynamic_cast(sto_class_annNamedItem(), object), object);
  annNamedItem plain;
  EXPECT_EQ(sto_dynamic_cast(sto_class_annStyleSet(), &plain), nullptr);
  EXPECT_EQ(annStyleSet::sto_dynamic_cast(&plain), nullptr);
  EXPECT_EQ(sto_dynamic_cast(sto_class_annStyleSet(), static_cast<stoObject*>(nullptr)), nullptr);
  // The factory makes a temporary instance of the kind, owned by the caller.
  std::unique_ptr<stoObject> temporary(sto_class_annStyleSet()->new_instance());
  ASSERT_NE(temporary, nullptr);
  EXPECT_EQ(temporary->sto_class(), sto_class_annStyleSet());
  EXPECT_STREQ(sto_class_annStyleSet()->name(), "annStyleSet");
}

TEST(annDocumentTest, FindItemByNameAndKindInTheCurrentNameSpace) {
  annDocument document;
  annStyleSetannPtr made = make_annStyleSet(&document, utString("curve style red solid"));
  ASSERT_FALSE(made.invalid());
  EXPECT_EQ(made->owner(), &document);
  annNamedItemPtr found =
      document.find_item(utString("curve style red solid"), sto_class_annStyleSet());
  EXPECT_TRUE(found == made);
  EXPECT_TRUE(annStyleSetannPtr::cast(found) == made);
  EXPECT_TRUE(document.find_item(utString("curve style red solid"), sto_class_annNamedItem()) ==
              made);
  EXPECT_TRUE(document.find_item(utString("other"), sto_class_annStyleSet()).invalid());

  // Items made in another name space are not found from the root.
  auto space = std::make_shared<annNameSpace>(utString("part"), nullptr);
  annNameSpacePtr previous = document.set_name_space(space);
  EXPECT_EQ(previous, nullptr);
  annStyleSetannPtr inner = make_annStyleSet(&document, utString("inner"));
  EXPECT_EQ(inner->name_space(), space);
  EXPECT_FALSE(document.find_item(utString("inner"), sto_class_annStyleSet()).invalid());
  document.set_name_space(previous);
  EXPECT_TRUE(document.find_item(utString("inner"), sto_class_annStyleSet()).invalid());

  EXPECT_EQ(document.remove_item(made.pointer()), 1);
  EXPECT_EQ(document.remove_item(made.pointer()), 0);
  EXPECT_TRUE(
      document.find_item(utString("curve style red solid"), sto_class_annStyleSet()).invalid());
  EXPECT_TRUE(make_annStyleSet(nullptr, utString("x")).invalid());
}

TEST(annNameSpacePathTest, PathListsOutermostFirst) {
  auto outer = std::make_shared<annNameSpace>(utString("assembly"), nullptr);
  auto inner = std::make_shared<annNameSpace>(utString("bolt"), outer);
  annNameSpacePath path(inner);
  ASSERT_EQ(path.depth(), 2u);
  EXPECT_STREQ(path.name(0).c_str(), "assembly");
  EXPECT_STREQ(path.text().c_str(), "assembly/bolt");
  EXPECT_TRUE(annNameSpacePath().invalid());
  annNameSpacePath same;
  same.append(utString("assembly"));
  same.append(utString("bolt"));
  EXPECT_TRUE(same == path);
  EXPECT_FALSE(annNameSpacePath(outer) == path);
}

TEST(annGeometryTest, FactoriesMakeItemsOfTheirKindInTheOwnersDocument) {
  annDocument document;
  annPointItemannPtr point = make_annPointItem(&document, giPoint3(1, 2, 3), utString("p"));
  ASSERT_FALSE(point.invalid());
  EXPECT_TRUE(point->point() == giPoint3(1, 2, 3));
  giWorkplane3 placed(giPoint3(0, 0, 5), giVector3(0, 1, 0), giVector3(-1, 0, 0));
  annWorkplaneItemannPtr plane = make_annWorkplaneItem(&document, placed, utString("w"));
  EXPECT_TRUE(plane->workplane().origin() == giPoint3(0, 0, 5));
  EXPECT_TRUE(plane->workplane().u_vector() == giVector3(0, 1, 0));
  annCurveItemannPtr curve = make_annCurveItem(&document, utString("line"), utString("c"));
  EXPECT_STREQ(curve->description().c_str(), "line");
  annSurfaceItemannPtr surface = make_annSurfaceItem(&document, utString("plane"), utString("s"));
  annFaceItemannPtr face = make_annFaceItem(&document, utString("disc"), utString("f"));
  annSolidItemannPtr solid = make_annSolidItem(&document, utString("block"), utString("b"));
  giTriBlock block;
  block.add_feature<giTriArr>()->append(0, 1, 2);
  annRenderMeshannPtr mesh = make_annRenderMesh(&document, block, utString("m"));
  ASSERT_NE(mesh->triblock().find_feature<giTriArr>(), nullptr);
  EXPECT_EQ(mesh->triblock().find_feature<giTriArr>()->size(), 1u);

  EXPECT_EQ(document.num_items(), 7u);
  const annNamedItem* made[] = {point.pointer(),   plane.pointer(), curve.pointer(),
                                surface.pointer(), face.pointer(),  solid.pointer(),
                                mesh.pointer()};
  for (size_t i = 0; i < document.num_items(); ++i) {
    EXPECT_EQ(document.item(i).get(), made[i]);
    EXPECT_EQ(made[i]->owner(), &document);
  }
  EXPECT_STREQ(solid->name().c_str(), "b");
  EXPECT_TRUE(document.find_item(utString("f"), sto_class_annSurfaceBase()) == face);
  EXPECT_TRUE(document.find_item(utString("f"), sto_class_annSolidItem()).invalid());

  EXPECT_TRUE(make_annPointItem(nullptr, giPoint3(0, 0, 0), utString("x")).invalid());
  EXPECT_TRUE(make_annCurveItem(nullptr, utString("line"), utString("x")).invalid());
  EXPECT_TRUE(make_annRenderMesh(nullptr, block, utString("x")).invalid());
}

TEST(annGeometryTest, KindsAnswerByTheirTags) {
  annSolidItem solid;
  EXPECT_NE(annSurfaceBase::sto_dynamic_cast(&solid), nullptr);
  EXPECT_NE(annGeometryItem::sto_dynamic_cast(&solid), nullptr);
  EXPECT_EQ(annFaceItem::sto_dynamic_cast(&solid), nullptr);
  annCurveItem curve;
  EXPECT_EQ(annSurfaceBase::sto_dynamic_cast(&curve), nullptr);
  annRenderMesh mesh;
  EXPECT_EQ(annGeometryItem::sto_dynamic_cast(&mesh), nullptr);
  // The abstract bases make no instance; the leaves do.
  EXPECT_EQ(sto_class_annGeometryItem()->new_instance(), nullptr);
  EXPECT_EQ(sto_class_annSurfaceBase()->new_instance(), nullptr);
  std::unique_ptr<stoObject> face(sto_class_annFaceItem()->new_instance());
  EXPECT_EQ(face->sto_class(), sto_class_annFaceItem());
  EXPECT_STREQ(sto_class_annWorkplaneItem()->name(), "annWorkplaneItem");
}

TEST(annGeometryTest, HandlesWidenToBaseKindsAndAreFoundFromTheItem) {
  annDocument document;
  annFaceItemannPtr face = make_annFaceItem(&document, utString("disc"), utString("f"));
  annSurfaceBaseannPtr surface = face;
  annGeometryItemannPtr geometry = face;
  EXPECT_TRUE(surface == face);
  EXPECT_STREQ(geometry.name().c_str(), "f");
  // A handle made from the item shares it with the document.
  annSurfaceBaseannPtr again(utString("other name"), face.pointer());
  EXPECT_TRUE(again == face);
  EXPECT_STREQ(again.name().c_str(), "other name");
  annFaceItem loose;
  EXPECT_TRUE(annFaceItemannPtr(utString("loose"), &loose).invalid());
}

TEST(annSurfaceBaseTest, HoldsARenderMeshAndRefusesCyclicSubSurfaces) {
  annDocument document;
  annSolidItemannPtr solid = make_annSolidItem(&document, utString("block"), utString("b"));
  annFaceItemannPtr top = make_annFaceItem(&document, utString("top"), utString("t"));
  annFaceItemannPtr side = make_annFaceItem(&document, utString("side"), utString("s"));
  EXPECT_TRUE(solid->render_mesh().invalid());
  annRenderMeshannPtr mesh = make_annRenderMesh(&document, giTriBlock(), utString("m"));
  solid->set_render_mesh(mesh);
  EXPECT_TRUE(solid->render_mesh() == mesh);

  EXPECT_EQ(solid->add_sub_surface(top), 1);
  EXPECT_EQ(top->add_sub_surface(side), 1);
  EXPECT_EQ(solid->num_sub_surfaces(), 1);
  EXPECT_TRUE(solid->sub_surface(0) == top);
  EXPECT_EQ(solid->add_sub_surface(solid), 0);
  EXPECT_EQ(side->add_sub_surface(solid), 0);
  EXPECT_EQ(solid->add_sub_surface(annSurfaceBaseannPtr()), 0);
  EXPECT_EQ(side->num_sub_surfaces(), 0);
}

TEST(annNamedItemTest, CarriesDisplayNameLevelAndStyleSet) {
  annDocument document;
  annCurveItemannPtr curve = make_annCurveItem(&document, utString("line"), utString("c1"));
  EXPECT_FALSE(curve->display_name_set());
  EXPECT_STREQ(curve->display_name().c_str(), "c1");
  curve->set_display_name(utString(""));
  EXPECT_TRUE(curve->display_name_set());
  EXPECT_STREQ(curve->display_name().c_str(), "");
  curve->set_display_name(utString("Bolt"));
  EXPECT_STREQ(curve->display_name().c_str(), "Bolt");

  EXPECT_TRUE(curve->level().invalid());
  EXPECT_TRUE(curve->style().invalid());
  annLevelannPtr level = make_annLevel(&document, 12, utString("12"));
  curve->set_level(level);
  annStyleSetannPtr styles = make_annStyleSet(&document, utString("curve style"));
  curve->set_style(styles);
  EXPECT_EQ(curve->level()->level(), 12);
  EXPECT_TRUE(curve->style() == styles);
  // The item keeps its level alive after the level has left the document.
  EXPECT_EQ(document.remove_item(level.pointer()), 1);
  level = annLevelannPtr();
  EXPECT_EQ(curve->level()->level(), 12);
}

TEST(annLevelTest, LevelsAndColoursKeepWhatTheyWereMadeWith) {
  annDocument document;
  annLevelannPtr level = make_annLevel(&document, 7, utString("7"));
  ASSERT_FALSE(level.invalid());
  EXPECT_EQ(level->level(), 7);
  EXPECT_TRUE(level->level_name().is_null());
  level->set_level_name(utString("Walls"));
  EXPECT_STREQ(level->level_name().c_str(), "Walls");
  EXPECT_STREQ(level->name().c_str(), "7");
  EXPECT_TRUE(document.find_item(utString("7"), sto_class_annLevel()) == level);

  annRGBColourannPtr colour = make_annRGBColour(&document, 1.0, 0.5, 0.25, utString("red"));
  EXPECT_EQ(colour->red(), 1.0);
  EXPECT_EQ(colour->green(), 0.5);
  EXPECT_EQ(colour->blue(), 0.25);
  annColourannPtr plain = colour;
  EXPECT_TRUE(annRGBColourannPtr::cast(plain) == colour);
  EXPECT_TRUE(document.find_item(utString("red"), sto_class_annColour()) == colour);

  EXPECT_TRUE(make_annLevel(nullptr, 1, utString("1")).invalid());
  EXPECT_TRUE(make_annRGBColour(nullptr, 0, 0, 0, utString("black")).invalid());
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
  document.set_name_space(std::make_shared<annNameSpace>(utString("bolt"), nullptr));
  make_annWorkplaneItem(&document, giWorkplane3(giWorkplaneWorld), utString("w1"));

  std::ostringstream out;
  document.print(out);
  EXPECT_EQ(out.str(), "annLevel \"3\" number 3 level name \"Walls\"\n"
                       "annStyleSet \"curve style\"\n"
                       "annRGBColour \"orange\" rgb 1 0.5 0\n"
                       "annCurveItem \"c1\" level 3 style \"curve style\" display \"Edge\" "
                       "description \"line\"\n"
                       "annPointItem \"p1\" at 1 -2.5 0\n"
                       "annFaceItem \"f1\" description \"disc\" mesh \"m1\" sub-surfaces 1\n"
                       "annRenderMesh \"m1\" triangles 0\n"
                       "annSurfaceItem \"s1\"\n"
                       "annWorkplaneItem \"w1\" in \"bolt\" origin 0 0 0\n");
}

TEST(annGroupTest, TagPicksTheKindAndItsStructureAnswer) {
  annDocument document;
  struct Case {
    const stoClass* tag;
    int structure;
  };
  const Case cases[] = {{sto_class_annGroup(), 0},
                        {sto_class_annComponentFile(), 0},
                        {sto_class_annUnlinkedSolid(), 1},
                        {sto_class_annDimension(), 1},
                        {sto_class_annWitnessLine(), 1},
                        {sto_class_annSymbol(), 1},
                        {sto_class_annPointSymbolInstance(), 1},
                        {sto_class_annGdtTolerance(), 1}};
  for (const Case& c : cases) {
    annGroupannPtr group = annGroup::make_annGroup(&document, c.tag, utString("g"));
    ASSERT_FALSE(group.invalid()) << c.tag->name();
    EXPECT_EQ(group->sto_class(), c.tag);
    EXPECT_EQ(group->structure(), c.structure) << c.tag->name();
    // The temporary instance of the tag answers as the made group does.
    std::unique_ptr<stoObject> temporary(c.tag->new_instance());
    EXPECT_EQ(annGroup::sto_dynamic_cast(temporary.get())->structure(), c.structure);
  }
  EXPECT_EQ(document.num_items(), 8u);
  EXPECT_TRUE(make_annGroup(&document, sto_class_annCurveItem(), utString("x")).invalid());
  EXPECT_TRUE(make_annGroup(&document, sto_class_annGeometryItem(), utString("x")).invalid());
  EXPECT_TRUE(make_annGroup(&document, nullptr, utString("x")).invalid());
  EXPECT_TRUE(make_annGroup(nullptr, sto_class_annGroup(), utString("x")).invalid());
  EXPECT_EQ(document.num_items(), 8u);
}

TEST(annGroupTest, KeepsMembersInOrderAndRefusesCycles) {
  annDocument document;
  annGroupannPtr outer = make_annGroup(&document, sto_class_annGroup(), utString("outer"));
  annGroupannPtr inner = make_annGroup(&document, sto_class_annGroup(), utString("inner"));
  annCurveItemannPtr curve = make_annCurveItem(&document, utString("line"), utString("c"));
  annPointItemannPtr point = make_annPointItem(&document, giPoint3(0, 0, 0), utString("p"));
  EXPECT_EQ(outer->add_group_geometry(point), 1);
  EXPECT_EQ(outer->add_group_geometry(inner), 1);
  EXPECT_EQ(inner->add_group_geometry(curve), 1);
  const annGeometryItemannPtrcoVariableArr& members = outer->get_group_geometry();
  ASSERT_EQ(members.size(), 2u);
  EXPECT_TRUE(members[0] == point);
  EXPECT_TRUE(members[1] == inner);
  EXPECT_EQ(outer->holds(curve.pointer()), 1);

  EXPECT_EQ(outer->add_group_geometry(outer), 0);
  EXPECT_EQ(inner->add_group_geometry(outer), 0);
  EXPECT_EQ(outer->add_group_geometry(annGeometryItemannPtr()), 0);
  EXPECT_EQ(inner->get_group_geometry().size(), 1u);

  EXPECT_TRUE(outer->group_name().is_null());
  outer->set_group_name(utString("Fixings"));
  EXPECT_STREQ(outer->group_name().c_str(), "Fixings");
}

TEST(annGroupTest, RemovingGeometryTakesItOutOfDocumentAndGroups) {
  annDocument document;
  annGroupannPtr first = make_annGroup(&document, sto_class_annGroup(), utString("g1"));
  annGroupannPtr second = make_annGroup(&document, sto_class_annGroup(), utString("g2"));
  annCurveItemannPtr curve = make_annCurveItem(&document, utString("line"), utString("c"));
  annPointItemannPtr point = make_annPointItem(&document, giPoint3(0, 0, 0), utString("p"));
  first->add_group_geometry(curve);
  first->add_group_geometry(point);
  first->add_group_geometry(curve);
  second->add_group_geometry(curve);

  EXPECT_EQ(document.remove_geometry(curve), 1);
  EXPECT_EQ(document.num_items(), 3u);
  ASSERT_EQ(first->get_group_geometry().size(), 1u);
  EXPECT_TRUE(first->get_group_geometry()[0] == point);
  EXPECT_EQ(second->get_group_geometry().size(), 0u);
  EXPECT_EQ(document.remove_geometry(curve), 0);
  EXPECT_EQ(document.remove_geometry(annNamedItemPtr()), 0);

  // Removing a group leaves its members in the document.
  EXPECT_EQ(document.remove_geometry(first), 1);
  EXPECT_EQ(document.num_items(), 2u);
  EXPECT_TRUE(document.find_item(utString("p"), sto_class_annPointItem()) == point);
}

TEST(annSPTTest, TransformMapsTheWorldOntoTheScaledWorkplane) {
  annDocument document;
  giWorkplane3 placed(giPoint3(1, 2, 3), giVector3(0, 1, 0), giVector3(-1, 0, 0));
  annSPTannPtr spt = annSPT::make_annSPT(&document, placed, 2.0, utString("t"));
  ASSERT_FALSE(spt.invalid());
  EXPECT_EQ(spt->scale(), 2.0);
  giXform3 xform = spt->xform();
  EXPECT_EQ(xform.code(), giXFORM_SIMILARITY);
  EXPECT_TRUE(xform * giPoint3(0, 0, 0) == giPoint3(1, 2, 3));
  EXPECT_TRUE(xform * giPoint3(1, 0, 0) == giPoint3(1, 4, 3));
  EXPECT_TRUE(xform * giPoint3(0, 1, 0) == giPoint3(-1, 2, 3));
  EXPECT_TRUE(xform * giPoint3(0, 0, 1) == giPoint3(1, 2, 5));
  EXPECT_TRUE(make_annSPT(&document, giWorkplane3(), 1.0, utString("u"))->xform().invalid());
  EXPECT_TRUE(make_annSPT(nullptr, placed, 1.0, utString("u")).invalid());

  // The world workplane moved by a shape-preserving transform, with the
  // scale the move answers, gives that transform back; a mirror included.
  const double mirror[4][4] = {{-3, 0, 0, 5}, {0, 3, 0, 6}, {0, 0, 3, 7}, {0, 0, 0, 1}};
  giXform3 given(mirror);
  giWorkplane3 moved(giWorkplaneWorld);
  double scale = moved.transform(given);
  EXPECT_TRUE(equal(make_annSPT(&document, moved, scale, utString("m"))->xform(), given, 1e-12));
}

TEST(annDocumentTest, PrintsGroupMembersIndentedUnderTheirGroups) {
  annDocument document;
  annGroupannPtr outer = make_annGroup(&document, sto_class_annGroup(), utString("outer"));
  outer->set_group_name(utString("Fixings"));
  outer->set_transform(
      make_annSPT(&document, giWorkplane3(giWorkplaneWorld), 1.5, utString("outer spt")));
  annGroupannPtr file =
      make_annGroup(&document, sto_class_annComponentFile(), utString("bolt.part"));
  annComponentFile::sto_dynamic_cast(file.pointer())->set_component_file(utString("/p/bolt"));
  annCurveItemannPtr curve = make_annCurveItem(&document, utString("line"), utString("c"));
  make_annPointItem(&document, giPoint3(0, 0, 0), utString("loose"));
  outer->add_group_geometry(file);
  outer->add_group_geometry(curve);
  file->add_group_geometry(curve);

  std::ostringstream out;
  document.print(out);
  EXPECT_EQ(out.str(), "annGroup \"outer\" group name \"Fixings\" transform \"outer spt\"\n"
                       "  annComponentFile \"bolt.part\" file \"/p/bolt\"\n"
                       "    annCurveItem \"c\" description \"line\"\n"
                       "  annCurveItem \"c\" description \"line\"\n"
                       "annSPT \"outer spt\" origin 0 0 0 scale 1.5\n"
                       "annPointItem \"loose\" at 0 0 0\n");
}
