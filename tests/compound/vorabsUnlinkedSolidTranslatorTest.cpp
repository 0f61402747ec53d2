// Tests of the unlinked-solid translator: which child items join the solid,
// the flattening of unmoved groups, and the parent every face names.
#include "vorabsUnlinkedSolidTranslator.h"

#include "CompoundHarness.h"
#include "Named.h"

#include "vorResource.h"

#include <gtest/gtest.h>

namespace {

class Solid : public Named<vorabsUnlinkedSolidTranslator> {
public:
  explicit Solid(const vorabsContext& context) : Named("S", giXform3(giXformIdentity), context) {}

protected:
  utString parent_id() const override { return utString("solid 7"); }
};

// A child that hands a ready-made item to the sink.
class ItemChild : public vorabsTranslator {
public:
  ItemChild(const vorabsContext& context, const annNamedItemPtr& item)
      : vorabsTranslator(context), item(item) {}
  void attributes(vorabsAttributeSet&) const override {}

protected:
  vorabsTranslationStatus create_item(const vorabsAttributeSet& attributes, const giXform3&,
                                      vorabsInterface&, vorabsLibSink& sink) override {
    return sink.annotation(item, attributes);
  }

private:
  annNamedItemPtr item;
};

class vorabsUnlinkedSolidTranslatorTest : public ::testing::Test, public CompoundScene {
protected:
  ~vorabsUnlinkedSolidTranslatorTest() override {
    vor_resource_table_inquire().reset(vorTolCoincBreakPoints);
  }
  annGeometryItemannPtr surface(const char* name) {
    annSurfaceItemannPtr item = make_annSurfaceItem(&document, utString("plane"), utString(name));
    item->set_surface(velSurfPtr(new velPlane(giWorkplane3(giWorkplaneWorld))));
    return item;
  }
  annGeometryItemannPtr face(const char* name, int faces) {
    annFaceItemannPtr item = make_annFaceItem(&document, utString("face"), utString(name));
    item->set_topology(planes(faces));
    return item;
  }
  annGeometryItemannPtr group(const char* name, std::vector<annGeometryItemannPtr> members,
                              const giXform3* moved = nullptr) {
    annGroupannPtr made = make_annGroup(&document, sto_class_annGroup(), utString(name));
    for (const annGeometryItemannPtr& member : members)
      made->add_group_geometry(member);
    if (moved) {
      giWorkplane3 workplane(giWorkplaneWorld);
      const double scale = workplane.transform(*moved);
      made->set_transform(make_annSPT(&document, workplane, scale, utString(name)));
    }
    return made;
  }
  // The names of the solid's members after a run over the items.
  std::vector<std::string> solid_of(const std::vector<annGeometryItemannPtr>& items) {
    auto solid = std::make_shared<Solid>(context);
    for (const annGeometryItemannPtr& item : items)
      solid->add_translator(vorabsTranslatorcoPrf(std::make_shared<ItemChild>(context, item)));
    with_children(solid, {});
    EXPECT_EQ(run(), vorabsSTATUS_OK);
    std::vector<std::string> names;
    if (!solid->group().invalid())
      for (size_t i = 0; i < solid->group()->num_members(); ++i)
        names.push_back(solid->group()->member(i)->name().c_str());
    return names;
  }
};

} // namespace

TEST_F(vorabsUnlinkedSolidTranslatorTest, KeepsFacesAndFlattensOnlyUnmovedGroups) {
  const giXform3 far = translation(1e-3, 0, 0);
  const giXform3 near = translation(1e-9, 0, 0);
  annSurfaceItemannPtr bare = make_annSurfaceItem(&document, utString("plane"), utString("bare"));
  const std::vector<annGeometryItemannPtr> items = {
      surface("s1"),
      face("f1", 1),
      face("two faces", 2),
      bare,
      make_annPointItem(&document, giPoint3(0, 0, 0), utString("point")),
      group("g1", {surface("s2"), group("g2", {face("f2", 1), face("two more", 2)})}),
      group("moved", {surface("s3")}, &far),
      group("hardly moved", {surface("s4")}, &near)};
  EXPECT_EQ(solid_of(items), std::vector<std::string>({"s1", "f1", "s2", "f2", "s4"}));
  EXPECT_EQ(error.texts(), Texts());
  EXPECT_EQ(output.texts(), Texts());

  // Every child, and the solid itself, names the solid as parent.
  ASSERT_EQ(receiver.sent.size(), items.size());
  for (const vorabsAttributeSet& sent : receiver.sent) {
    utStringvorabsAttributePtr parent;
    ASSERT_TRUE(sent.get(vorabsPARENT, parent));
    EXPECT_EQ(*parent, utString("solid 7"));
  }
  EXPECT_EQ(sink.text(sink.calls.size() - 1, vorabsPARENT), "solid 7");
  EXPECT_TRUE(sink.calls.back().attributes.member(vorabsSTRUCTURE));

  // The tolerance is the one the resource table holds now.
  vor_resource_table_inquire().set_value(vorTolCoincBreakPoints, 1e-2);
  EXPECT_EQ(solid_of({group("moved again", {surface("s5")}, &far)}),
            std::vector<std::string>({"s5"}));
}

TEST_F(vorabsUnlinkedSolidTranslatorTest, AnEmptySolidIsIgnoredByItsKindWord) {
  with_children(std::make_shared<Solid>(context), {});
  EXPECT_EQ(run(), vorabsSTATUS_IGNORED);
  EXPECT_EQ(output.texts(), Texts({"Ignoring empty unlinked solid S.\n"}));
}
