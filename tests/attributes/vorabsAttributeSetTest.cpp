// Tests of attribute keys and attribute sets.
#include "vorabsAttributeKey.h"
#include "vorabsAttributePtr.h"
#include "vorabsAttributeSet.h"

#include "co.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {
void set_name(vorabsAttributeSet& set, const char* name) {
  vorabsNamevorabsAttributePtr ptr;
  set.check_out(vorabsNAME, ptr);
  *ptr = vorabsName(utString(name), 0);
}

std::string name_of(const vorabsAttributeSet& set) {
  vorabsNamevorabsAttributePtr ptr;
  return set.get(vorabsNAME, ptr) ? ptr->string().c_str() : "<none>";
}

void mark(vorabsAttributeSet& set, const vorabsAttributeKey& key) {
  vorabsVoidvorabsAttributePtr marker;
  set.check_out(key, marker);
}
} // namespace

TEST(vorabsAttributeKeyTest, EqualityIsExactAndHashFollowsTheName) {
  vorabsAttributeKey colour(utString("colour"));
  EXPECT_TRUE(colour == vorabsCOLOUR);
  EXPECT_FALSE(vorabsAttributeKey(utString("Colour")) == vorabsCOLOUR);
  EXPECT_EQ(co_hash(colour), co_hash(vorabsCOLOUR));
  EXPECT_EQ(co_hash(vorabsCOLOUR), co_hash(utString("colour")));
  EXPECT_TRUE(vorabsAttributeKey() == vorabsAttributeKey(utString("")));
  EXPECT_TRUE(vorabsAttributeKey() == vorabsAttributeKey(utString()));
  EXPECT_FALSE(vorabsAttributeKey() == vorabsNAME);
  vorabsAttributeKey assigned;
  assigned = vorabsLAYER;
  EXPECT_TRUE(assigned == vorabsLAYER);
  EXPECT_STREQ(assigned.name().c_str(), "layer");
}

TEST(vorabsAttributeKeyTest, GlobalKeysCarryTheirNames) {
  const std::pair<const vorabsAttributeKey*, const char*> keys[] = {
      {&vorabsANGLEPOINT, "angle_point"},
      {&vorabsANNOTATION, "annotation"},
      {&vorabsBODY, "body"},
      {&vorabsCHILDITEM, "child_item"},
      {&vorabsCOLOUR, "colour"},
      {&vorabsCONVERTINGANNOTATION, "converting_annotation"},
      {&vorabsCURVE, "curve"},
      {&vorabsCURVEFONT, "curvefont"},
      {&vorabsDISPLAYNAME, "display_name"},
      {&vorabsFACE, "face"},
      {&vorabsFROMQVX, "fromqvx"},
      {&vorabsGEOMETRYSIZE, "geometry_size"},
      {&vorabsGEOMETRYSTYLE, "geometry_style"},
      {&vorabsGEOMETRYTOLERANCE, "geometry_tolerance"},
      {&vorabsGEOMETRYUNIT, "geometry_unit"},
      {&vorabsHIERARCHY, "hierarchy"},
      {&vorabsLAYER, "layer"},
      {&vorabsLINEWIDTH, "line_width"},
      {&vorabsNAME, "name"},
      {&vorabsNAME_SPACE, "name_space"},
      {&vorabsNAME_SPACE_PATH, "name_space_path"},
      {&vorabsOBJECTTYPE, "object_type"},
      {&vorabsPARASOLID, "parasolid"},
      {&vorabsPARENT, "parent"},
      {&vorabsPARENTITEM, "parent_item"},
      {&vorabsPOINT, "point"},
      {&vorabsPOINTCLOUD, "pointcloud"},
      {&vorabsPRECURSOR, "precursor"},
      {&vorabsPROCESSVIEWS, "process_views"},
      {&vorabsPROPERTIES, "properties"},
      {&vorabsSCALEFACTOR, "scale_factor"},
      {&vorabsSTRUCTURE, "structure"},
      {&vorabsSUPPRESSOUTPUT, "suppress_output"},
      {&vorabsSURFACE, "surface"},
      {&vorabsTOPOLOGY, "topology"},
      {&vorabsTRIANGLEBLOCK, "triangleblock"},
      {&vorabsTYPE, "type"},
      {&vorabsVISIBLE, "visible"},
      {&vorabsWORKPLANE, "workplane"},
  };
  EXPECT_EQ(std::size(keys), 39u);
  std::set<std::string> distinct;
  for (const auto& [key, name] : keys) {
    EXPECT_STREQ(key->name().c_str(), name);
    distinct.insert(name);
  }
  EXPECT_EQ(distinct.size(), 39u);
}

TEST(vorabsAttributeSetTest, CheckOutReplacesTheOldValue) {
  vorabsAttributeSet set;
  vorabsColourvorabsAttributePtr colour;
  set.check_out(vorabsCOLOUR, colour);
  EXPECT_TRUE(colour->invalid());
  *colour = vorabsColour(2);
  vorabsColourvorabsAttributePtr again;
  set.check_out(vorabsCOLOUR, again);
  EXPECT_TRUE(again->invalid()); // a fresh default, not the red one
  EXPECT_EQ(set.num_attributes(), 1);
  vorabsColourvorabsAttributePtr reader;
  ASSERT_TRUE(set.get(vorabsCOLOUR, reader));
  EXPECT_TRUE(reader->invalid());
}

TEST(vorabsAttributeSetTest, GetLeavesThePointerAloneWhenAbsent) {
  vorabsAttributeSet set;
  vorabsLayervorabsAttributePtr layer;
  EXPECT_EQ(set.get(vorabsLAYER, layer), 0);
  EXPECT_TRUE(layer.invalid());

  vorabsAttributeSet other;
  vorabsLayervorabsAttributePtr writer;
  other.check_out(vorabsLAYER, writer);
  *writer = vorabsLayer(7);
  ASSERT_EQ(other.get(vorabsLAYER, layer), 1);
  EXPECT_EQ(set.get(vorabsLAYER, layer), 0);
  EXPECT_EQ(layer->layer(), 7); // still refers to the other set's value
  EXPECT_FALSE(set.member(vorabsLAYER));
  EXPECT_TRUE(other.member(vorabsLAYER));
}

TEST(vorabsAttributeSetTest, GetWithAnotherMemberIsRefused) {
  vorabsAttributeSet set;
  set_name(set, "web");
  vorabsColourvorabsAttributePtr wrong;
  set.get(vorabsNAME, wrong);
  EXPECT_TRUE(wrong.invalid());
  EXPECT_EQ(name_of(set), "web");
}

TEST(vorabsAttributeSetTest, MergeReplacesSharedKeysAndKeepsTheRest) {
  vorabsAttributeSet target;
  set_name(target, "old");
  vorabsColourvorabsAttributePtr colour;
  target.check_out(vorabsCOLOUR, colour);
  *colour = vorabsColour(4);

  vorabsAttributeSet source;
  vorabsLayervorabsAttributePtr layer;
  source.check_out(vorabsLAYER, layer);
  *layer = vorabsLayer(3);
  set_name(source, "new");

  target.merge(source);
  EXPECT_EQ(target.num_attributes(), 3);
  EXPECT_EQ(name_of(target), "new");
  vorabsColourvorabsAttributePtr kept;
  ASSERT_TRUE(target.get(vorabsCOLOUR, kept));
  EXPECT_EQ(kept->colour_number(), 4);
  vorabsLayervorabsAttributePtr merged;
  ASSERT_TRUE(target.get(vorabsLAYER, merged));
  EXPECT_EQ(merged->layer(), 3);
  // The merged values are copies: the source can change or die.
  *layer = vorabsLayer(9);
  EXPECT_EQ(merged->layer(), 3);
  target.merge(target);
  EXPECT_EQ(target.num_attributes(), 3);
}

TEST(vorabsAttributeSetTest, DeepCopyIsIndependent) {
  vorabsAttributeSet original;
  set_name(original, "plate");
  mark(original, vorabsFACE);
  mark(original, vorabsTOPOLOGY);
  doublevorabsAttributePtr width;
  original.check_out(vorabsLINEWIDTH, width);
  *width = 0.35;

  vorabsAttributeSet copy(utCopy, original);
  EXPECT_EQ(copy.num_attributes(), 4);
  EXPECT_TRUE(copy.member(vorabsFACE));
  EXPECT_TRUE(copy.member(vorabsTOPOLOGY));
  vorabsNamevorabsAttributePtr name;
  ASSERT_TRUE(copy.get(vorabsNAME, name));
  *name = vorabsName(utString("changed"), 0);
  EXPECT_EQ(name_of(original), "plate");
  doublevorabsAttributePtr copied_width;
  ASSERT_TRUE(copy.get(vorabsLINEWIDTH, copied_width));
  EXPECT_EQ(*copied_width, 0.35);

  // Copy construction and assignment are deep as well.
  vorabsAttributeSet assigned;
  set_name(assigned, "to be replaced");
  mark(assigned, vorabsCURVE);
  assigned = original;
  EXPECT_FALSE(assigned.member(vorabsCURVE));
  EXPECT_EQ(name_of(assigned), "plate");
  set_name(original, "changed again");
  EXPECT_EQ(name_of(assigned), "plate");
  vorabsAttributeSet constructed(assigned);
  EXPECT_EQ(name_of(constructed), "plate");
  assigned = assigned;
  EXPECT_EQ(name_of(assigned), "plate");
}

TEST(vorabsAttributeSetTest, RemoveAndClear) {
  vorabsAttributeSet set;
  set_name(set, "rib");
  mark(set, vorabsCURVE);
  mark(set, vorabsANNOTATION);
  EXPECT_EQ(set.remove(vorabsCURVE), 1);
  EXPECT_EQ(set.remove(vorabsCURVE), 0);
  EXPECT_EQ(set.remove(vorabsAttributeKey(utString("Curve"))), 0);
  EXPECT_FALSE(set.member(vorabsCURVE));
  EXPECT_TRUE(set.member(vorabsANNOTATION));
  EXPECT_EQ(name_of(set), "rib");
  EXPECT_EQ(set.num_attributes(), 2);
  set.clear();
  EXPECT_EQ(set.num_attributes(), 0);
  EXPECT_FALSE(set.member(vorabsNAME));
  // Usable again after clear.
  set_name(set, "again");
  EXPECT_EQ(name_of(set), "again");
}

TEST(vorabsAttributeSetTest, KeysMatchByCharactersNotIdentity) {
  vorabsAttributeSet set;
  vorabsAttributeKey local(utString("name"));
  vorabsNamevorabsAttributePtr ptr;
  set.check_out(local, ptr);
  *ptr = vorabsName(utString("by local key"), 0);
  EXPECT_EQ(name_of(set), "by local key");
  EXPECT_FALSE(set.member(vorabsAttributeKey(utString("Name"))));
  // Many keys: each finds its own value.
  for (int i = 0; i < 100; ++i) {
    utString key_name("key_");
    key_name << i;
    utBoolvorabsAttributePtr value;
    set.check_out(vorabsAttributeKey(key_name), value);
    *value = i;
  }
  for (int i = 0; i < 100; ++i) {
    utString key_name("key_");
    key_name << i;
    utBoolvorabsAttributePtr value;
    ASSERT_TRUE(set.get(vorabsAttributeKey(key_name), value));
    EXPECT_EQ(*value, i);
  }
  EXPECT_EQ(set.num_attributes(), 101);
}

TEST(vorabsAttributeSetTest, LookupsStayRightAcrossGrowthAndRemoval) {
  // Sets small enough for the inline index and larger ones that are scanned
  // must answer alike, also after removals shift the entries.
  vorabsAttributeSet set;
  auto key = [](int i) {
    utString name("attribute_");
    name << i;
    return vorabsAttributeKey(name);
  };
  for (int i = 0; i < 20; ++i) {
    doublevorabsAttributePtr value;
    set.check_out(key(i), value);
    *value = i;
  }
  for (int removed = 0; removed < 20; removed += 2) {
    EXPECT_EQ(set.remove(key(removed)), 1);
    for (int i = 0; i < 20; ++i) {
      doublevorabsAttributePtr value;
      bool expected = i % 2 == 1 || i > removed;
      ASSERT_EQ(set.get(key(i), value) == 1, expected) << "key " << i << " after " << removed;
      if (expected) {
        EXPECT_EQ(*value, i);
      }
    }
  }
  EXPECT_EQ(set.num_attributes(), 10);
  EXPECT_STREQ(set.key(0).name().c_str(), "attribute_1"); // insertion order kept
  EXPECT_FALSE(set.member(key(20)));
}

TEST(vorabsAttributeSetTest, GenericAndTypedReadsAgree) {
  vorabsAttributeSet set;
  set_name(set, "boss");
  vorabsNamevorabsAttributePtr typed;
  vorabsNamevorabsAttributePtr generic;
  ASSERT_EQ(set.get(vorabsNAME, typed), 1);
  ASSERT_EQ(set.get(vorabsNAME, static_cast<vorabsAttributePtrBase&>(generic)), 1);
  EXPECT_EQ(&*typed, &*generic);
  // Through either form a value of another type counts as absent, and the
  // pointer stays untouched: readers fall back to their defaults.
  vorabsLayervorabsAttributePtr wrong;
  EXPECT_EQ(set.get(vorabsNAME, wrong), 0);
  EXPECT_EQ(set.get(vorabsNAME, static_cast<vorabsAttributePtrBase&>(wrong)), 0);
  EXPECT_TRUE(wrong.invalid());
  EXPECT_TRUE(set.member(vorabsNAME));
}
