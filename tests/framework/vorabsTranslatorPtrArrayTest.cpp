// Tests of translator handles, the translator array and translator categories.
#include "vorabsTranslatorCategory.h"
#include "vorabsTranslatorPtrArray.h"

#include "ScriptedTranslator.h"

#include <gtest/gtest.h>

#include <memory>

TEST(vorabsTranslatorPtrArrayTest, TotalsCountNestedTranslatorsAtTheTimeOfAdding) {
  vorabsContext context;
  vorabsTranslatorPtrArray array;
  EXPECT_EQ(array.total_num_translators(), 0);
  EXPECT_EQ(array.num_top_level_translators(), 0);

  auto* plain = new ScriptedTranslator(context);
  array.add_translator(vorabsTranslatorcoPrf(plain));
  EXPECT_EQ(array.total_num_translators(), 1);

  // A compound with two plain children counts three.
  auto* compound = new ScriptedTranslator(context);
  compound->size = 3;
  array.add_translator(vorabsTranslatorcoPrf(compound));
  EXPECT_EQ(array.total_num_translators(), 4);
  EXPECT_EQ(array.num_top_level_translators(), 2);

  // Growing afterwards is not seen by the total.
  compound->size = 10;
  EXPECT_EQ(array.total_num_translators(), 4);

  vorabsTranslatorcoPrfcoVariableArrcoIterator it = array.iterator();
  ASSERT_TRUE(++it);
  EXPECT_EQ(it.current().get(), plain);
  ASSERT_TRUE(++it);
  EXPECT_EQ(it.current().get(), compound);
  EXPECT_FALSE(++it);
}

TEST(vorabsTranslatorPtrArrayTest, ReadSharesAndClearReleasesButKeepsTheCounts) {
  vorabsContext context;
  bool destroyed = false;
  auto* translator = new ScriptedTranslator(context);
  translator->destroyed = &destroyed;
  vorabsTranslatorPtrArray array;
  {
    vorabsTranslatorcoPrf mine(translator);
    array.add_translator(mine);
  }
  EXPECT_FALSE(destroyed);
  vorabsTranslatorcoPrf read = array.read(0);
  EXPECT_EQ(read.get(), translator);
  EXPECT_EQ(read.use_count(), 2);

  array.clear();
  EXPECT_FALSE(destroyed); // the copy read out still holds it
  EXPECT_TRUE(array.read(0).invalid());
  EXPECT_EQ(array.num_top_level_translators(), 1);
  EXPECT_EQ(array.total_num_translators(), 1);
  read.reset();
  EXPECT_TRUE(destroyed);
}

TEST(vorabsTranslatorPtrArrayTest, TheArrayReleasesItsTranslatorsWhenDestroyed) {
  vorabsContext context;
  bool destroyed = false;
  {
    vorabsTranslatorPtrArray array;
    auto* translator = new ScriptedTranslator(context);
    translator->destroyed = &destroyed;
    array.add_translator(vorabsTranslatorcoPrf(translator));
  }
  EXPECT_TRUE(destroyed);
}

TEST(vorabsTranslatorcoPrfTest, ExternHandlesNeverDelete) {
  vorabsContext context;
  bool destroyed = false;
  {
    ScriptedTranslator on_stack(context);
    on_stack.destroyed = &destroyed;
    {
      vorabsTranslatorcoPrf borrowed(coPrfExtern, &on_stack);
      vorabsTranslatorcoPrf copy = borrowed;
      vorabsTranslatorPtrArray array;
      array.add_translator(copy);
      EXPECT_TRUE(borrowed.external());
      EXPECT_TRUE(copy.external());
      EXPECT_TRUE(array.read(0).external());
      EXPECT_EQ(array.read(0).get(), &on_stack);
    }
    EXPECT_FALSE(destroyed); // every extern handle is gone; the translator lives on
  }
  EXPECT_TRUE(destroyed);

  // Owning handles, in all their forms, are not external.
  vorabsTranslatorcoPrf owning(new ScriptedTranslator(context));
  EXPECT_FALSE(owning.external());
  std::shared_ptr<vorabsTranslator> shared = owning;
  EXPECT_EQ(owning.use_count(), 2);
  vorabsTranslatorcoPrf from_shared(std::make_shared<ScriptedTranslator>(context));
  EXPECT_FALSE(from_shared.external());
  EXPECT_FALSE(vorabsTranslatorcoPrf().external());
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
