// Tests of attribute keys and attribute sets.
#include "vorabsAttributeKey.h"
#include "vorabsAttributePtr.h"
#include "vorabsAttributeSet.h"

#include "TestHelpers.h"
#include "co.h"

#include <gtest/gtest.h>

#include <string>
#include <unordered_map>

namespace {
void set_name(vorabsAttributeSet& set, const char* name) {
  put(set, vorabsNAME, vorabsName(utString(name), 0));
}

std::string name_of(const vorabsAttributeSet& set) {
  vorabsNamevorabsAttributePtr ptr;
  return set.get(vorabsNAME, ptr) ? ptr->string().c_str() : "<none>";
}

vorabsAttributeKey numbered_key(int i) {
  utString name("attribute_");
  name << i;
  return vorabsAttributeKey(name);
}
} // namespace

TEST(vorabsAttributeKeyTest, EqualityIsExactAndTheHashFollowsTheName) {
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
}

TEST(vorabsAttributeSetTest, CheckOutReplacesTheOldValueWithAFreshDefault) {
  vorabsAttributeSet set;
  vorabsColourvorabsAttributePtr colour;
  set.check_out(vorabsCOLOUR, colour);
  EXPECT_TRUE(colour->invalid());
  *colour = vorabsColour(2);
  vorabsColourvorabsAttributePtr again;
  set.check_out(vorabsCOLOUR, again);
  EXPECT_TRUE(again->invalid()); // a fresh default, not the red one
  EXPECT_EQ(set.num_attributes(), 1);
}

TEST(vorabsAttributeSetTest, GetLeavesThePointerAloneWhenAbsentOrOfAnotherType) {
  vorabsAttributeSet set, other;
  vorabsLayervorabsAttributePtr layer;
  EXPECT_EQ(set.get(vorabsLAYER, layer), 0);
  EXPECT_TRUE(layer.invalid());
  put(other, vorabsLAYER, vorabsLayer(7));
  ASSERT_EQ(other.get(vorabsLAYER, layer), 1);
  EXPECT_EQ(set.get(vorabsLAYER, layer), 0);
  EXPECT_EQ(layer->layer(), 7); // still refers to the other set's value

  // Through the typed and the generic form a value of another type counts as
  // absent and the pointer stays as it was: readers fall back to defaults.
  set_name(set, "boss");
  EXPECT_EQ(set.get(vorabsNAME, layer), 0);
  EXPECT_EQ(set.get(vorabsNAME, static_cast<vorabsAttributePtrBase&>(layer)), 0);
  EXPECT_EQ(layer->layer(), 7);
  vorabsNamevorabsAttributePtr typed, generic;
  ASSERT_EQ(set.get(vorabsNAME, typed), 1);
  ASSERT_EQ(set.get(vorabsNAME, static_cast<vorabsAttributePtrBase&>(generic)), 1);
  EXPECT_EQ(&*typed, &*generic);
}

TEST(vorabsAttributeSetTest, MergeReplacesSharedKeysWithCopiesAndKeepsTheRest) {
  vorabsAttributeSet target, source;
  set_name(target, "old");
  put(target, vorabsCOLOUR, vorabsColour(4));
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
  *layer = vorabsLayer(9); // the source can change or die
  EXPECT_EQ(merged->layer(), 3);
  target.merge(target);
  EXPECT_EQ(target.num_attributes(), 3);
}

TEST(vorabsAttributeSetTest, CopiesAreDeepAndIndependent) {
  vorabsAttributeSet original;
  set_name(original, "plate");
  mark(original, vorabsFACE);
  put(original, vorabsLINEWIDTH, 0.35);

  vorabsAttributeSet copy(utCopy, original);
  EXPECT_EQ(copy.num_attributes(), 3);
  EXPECT_TRUE(copy.member(vorabsFACE));
  vorabsNamevorabsAttributePtr name;
  ASSERT_TRUE(copy.get(vorabsNAME, name));
  *name = vorabsName(utString("changed"), 0);
  EXPECT_EQ(name_of(original), "plate");
  doublevorabsAttributePtr copied_width;
  ASSERT_TRUE(copy.get(vorabsLINEWIDTH, copied_width));
  EXPECT_EQ(*copied_width, 0.35);

  // Assignment replaces everything; copy construction is deep as well.
  vorabsAttributeSet assigned;
  set_name(assigned, "to be replaced");
  mark(assigned, vorabsCURVE);
  assigned = original;
  EXPECT_FALSE(assigned.member(vorabsCURVE));
  set_name(original, "changed again");
  EXPECT_EQ(name_of(assigned), "plate");
  vorabsAttributeSet constructed(assigned);
  set_name(assigned, "changed too");
  EXPECT_EQ(name_of(constructed), "plate");
  constructed = constructed;
  EXPECT_EQ(name_of(constructed), "plate");
}

TEST(vorabsAttributeSetTest, KeysMatchByCharactersAcrossGrowthAndRemoval) {
  vorabsAttributeSet set;
  vorabsNamevorabsAttributePtr ptr;
  set.check_out(vorabsAttributeKey(utString("name")), ptr);
  *ptr = vorabsName(utString("by local key"), 0);
  EXPECT_EQ(name_of(set), "by local key");
  EXPECT_FALSE(set.member(vorabsAttributeKey(utString("Name"))));
  // Two names of the same hash are still two keys.
  std::unordered_map<unsigned int, int> seen;
  int first = 0, second = 0;
  for (int i = 100; second == 0; ++i)
    if (auto [at, fresh] = seen.emplace(co_hash(numbered_key(i).name()), i); !fresh) {
      first = at->second;
      second = i;
    }
  EXPECT_FALSE(numbered_key(first) == numbered_key(second));
  mark(set, numbered_key(first));
  EXPECT_FALSE(set.member(numbered_key(second)));
  EXPECT_EQ(set.remove(numbered_key(first)), 1);

  // Small sets are found through an index, larger ones are scanned: each
  // must answer alike, also after removals shift the entries across the line.
  for (int i = 0; i < 20; ++i)
    put(set, numbered_key(i), double(i));
  for (int removed = 0; removed < 20; removed += 2) {
    EXPECT_EQ(set.remove(numbered_key(removed)), 1);
    for (int i = 0; i < 20; ++i) {
      doublevorabsAttributePtr value;
      bool expected = i % 2 == 1 || i > removed;
      ASSERT_EQ(set.get(numbered_key(i), value) == 1, expected) << i << " after " << removed;
      if (expected) {
        EXPECT_EQ(*value, i);
      }
    }
  }
  EXPECT_EQ(set.num_attributes(), 11);
  EXPECT_STREQ(set.key(1).name().c_str(), "attribute_1"); // insertion order kept
  EXPECT_FALSE(set.member(numbered_key(20)));
  EXPECT_EQ(name_of(set), "by local key");
}
