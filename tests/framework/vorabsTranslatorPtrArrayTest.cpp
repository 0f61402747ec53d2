// Tests of the translator array and translator categories.
#include "vorabsTranslatorCategory.h"
#include "vorabsTranslatorPtrArray.h"

#include "ScriptedTranslator.h"

#include <gtest/gtest.h>

TEST(vorabsTranslatorPtrArrayTest, TotalsCountNestedTranslatorsAtTheTimeOfAdding) {
  vorabsContext context;
  vorabsTranslatorPtrArray array;
  EXPECT_EQ(array.total_num_translators(), 0);
  auto* plain = new ScriptedTranslator(context);
  auto* compound = new ScriptedTranslator(context);
  compound->size = 3;
  array.add_translator(vorabsTranslatorcoPrf(plain));
  array.add_translator(vorabsTranslatorcoPrf(compound));
  EXPECT_EQ(array.total_num_translators(), 4);
  EXPECT_EQ(array.num_top_level_translators(), 2);
  compound->size = 10; // growing afterwards is not seen
  EXPECT_EQ(array.total_num_translators(), 4);
}

TEST(vorabsTranslatorPtrArrayTest, TheArraySharesItsTranslatorsAndClearKeepsTheCounts) {
  vorabsContext context;
  bool destroyed = false, destroyed_with_array = false;
  auto* translator = new ScriptedTranslator(context);
  translator->destroyed = &destroyed;
  vorabsTranslatorcoPrf read;
  {
    vorabsTranslatorPtrArray array;
    array.add_translator(vorabsTranslatorcoPrf(translator));
    read = array.read(0);
    EXPECT_EQ(read.get(), translator);
    EXPECT_EQ(read.use_count(), 2);
    array.clear();
    EXPECT_TRUE(array.read(0).invalid());
    EXPECT_EQ(array.num_top_level_translators(), 1);
    EXPECT_EQ(array.total_num_translators(), 1);
    EXPECT_FALSE(destroyed); // the copy read out still holds it

    auto* other = new ScriptedTranslator(context);
    other->destroyed = &destroyed_with_array;
    array.add_translator(vorabsTranslatorcoPrf(other));
  }
  EXPECT_TRUE(destroyed_with_array);
  read.reset();
  EXPECT_TRUE(destroyed);
}

TEST(vorabsTranslatorCategoryTest, GroupOrderFromTheExactName) {
  const struct {
    const char* name;
    int group_order;
  } cases[] = {{"APPLICATION", 1}, {"KERNEL", 1},  {"NEUTRAL", 1},  {"TRIANGLE", 1},
               {"FOOTWEAR", 2},    {"DENTAL", 2},  {"footwear", 0}, {"Dental", 0},
               {"FOOTWEAR ", 0},   {"KERNELS", 0}, {"", 0},         {"OTHER", 0}};
  for (const auto& c : cases) {
    vorabsTranslatorCategory category{utString(c.name)};
    EXPECT_EQ(category.group_order(), c.group_order) << '"' << c.name << '"';
    EXPECT_STREQ(category.name().c_str(), c.name);
  }
}
