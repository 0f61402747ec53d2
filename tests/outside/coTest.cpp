// Tests of the container library: paged and fixed arrays, shared references
// and the chunked string list.
#include "co.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(coArrayTest, PageArrayGrowsWithoutMovingAndArraysCopyDeeply) {
  coPageArr<int, 4> pages;
  pages[9] = 7;
  EXPECT_EQ(pages.size(), 10u);
  int* first = &pages[0];
  for (int i = 0; i < 100; ++i)
    pages.append(i);
  EXPECT_EQ(first, &pages[0]);
  EXPECT_EQ(pages[109], 99);
  coPageArr<int, 4> copy = pages;
  copy[0] = 5;
  EXPECT_EQ(pages[0], 0);
  int sum = 0;
  for (int value : copy)
    sum += value;
  EXPECT_EQ(sum, 5 + 7 + 99 * 100 / 2);

  coFixedArr<double> lengths(3);
  lengths[0] = 1.5;
  coFixedArr<double> fixed_copy = lengths;
  lengths[0] = 2.5;
  EXPECT_EQ(fixed_copy[0], 1.5);
}

namespace {
struct Counted {
  explicit Counted(int* deaths) : deaths_(deaths) {}
  ~Counted() { ++*deaths_; }
  int* deaths_;
};
} // namespace

TEST(coPrfTest, OwningReferencesDeleteOnceAndExternOnesNever) {
  int deaths = 0;
  {
    coPrf<Counted> first(new Counted(&deaths));
    coPrf<Counted> second = first;
    EXPECT_EQ(first.use_count(), 2);
    first.reset();
    EXPECT_EQ(deaths, 0);
  }
  EXPECT_EQ(deaths, 1);
  {
    Counted owned_elsewhere(&deaths);
    coPrf<Counted> borrowed(coPrfExtern, &owned_elsewhere);
    coPrf<Counted> copy = borrowed;
  }
  EXPECT_EQ(deaths, 2); // only the stack object's own death
}

TEST(coStringListTest, TextsKeepTheirBytesAcrossChunksAndOversizeTexts) {
  coStringList list;
  std::string huge(40000, 'x');
  std::vector<std::string> expected;
  for (int i = 0; i < 3000; ++i) { // several 16 KiB chunks
    std::string text = "key" + std::to_string(i);
    if (i == 1500)
      text = huge; // longer than a chunk: stored on its own
    list.append(text.c_str(), text.size());
    expected.push_back(text);
  }
  list.append(utString(""));
  expected.push_back("");
  ASSERT_EQ(list.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    ASSERT_EQ(list[i].length(), expected[i].size()) << i;
    ASSERT_STREQ(list[i].c_str(), expected[i].c_str()) << i;
  }
}
