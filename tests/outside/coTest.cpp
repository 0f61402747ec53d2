// Tests of the container library: hashing, containers and shared references.
#include "co.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(coHashTest, StringsHashByTheirCharacters) {
  utString a("colour");
  utString b = utString("col") + "our";
  EXPECT_EQ(co_hash(a), co_hash(b));
  EXPECT_EQ(co_hash(a), co_hash("colour", 6));
  EXPECT_NE(co_hash(a), co_hash(utString("Colour")));
  EXPECT_EQ(co_hash(utString()), co_hash(utString("")));
}

TEST(coSetTest, AddRemoveAndIterate) {
  coSet<utString> names(4, 50);
  EXPECT_TRUE(names.add(utString("a")));
  EXPECT_FALSE(names.add(utString("a")));
  EXPECT_TRUE(names.add(utString("b")));
  EXPECT_TRUE(names.member(utString("a")));
  EXPECT_TRUE(names.remove(utString("a")));
  EXPECT_FALSE(names.remove(utString("a")));
  std::vector<std::string> seen;
  for (const utString& name : names)
    seen.push_back(name.c_str());
  EXPECT_EQ(seen, std::vector<std::string>{"b"});
  int x = 0;
  coPtrSet<int> pointers;
  EXPECT_TRUE(pointers.add(&x));
  EXPECT_TRUE(pointers.member(&x));
}

TEST(coTableTest, InsertReplacesAndLookupAdds) {
  coTable<utString, int> table;
  EXPECT_TRUE(table.insert(utString("one"), 1));
  EXPECT_FALSE(table.insert(utString("one"), 11));
  EXPECT_EQ(*table.find(utString("one")), 11);
  EXPECT_EQ(table.find(utString("two")), nullptr);
  table.lookup(utString("two")) = 2;
  EXPECT_EQ(table.size(), 2u);
  EXPECT_TRUE(table.remove(utString("one")));
  EXPECT_FALSE(table.member(utString("one")));
}

TEST(coPageArrTest, IndexingPastTheEndGrowsAndElementsNeverMove) {
  coPageArr<int, 4> array;
  array[9] = 7;
  EXPECT_EQ(array.size(), 10u);
  EXPECT_EQ(array[0], 0);
  int* first = &array[0];
  for (int i = 0; i < 100; ++i)
    array.append(i);
  EXPECT_EQ(first, &array[0]);
  EXPECT_EQ(array.size(), 110u);
  EXPECT_EQ(array[109], 99);
  coPageArr<int, 4> copy = array;
  copy[0] = 5;
  EXPECT_EQ(array[0], 0);
  int sum = 0;
  for (int value : copy)
    sum += value;
  EXPECT_EQ(sum, 5 + 7 + 99 * 100 / 2);
}

TEST(coArrayTest, FixedArrayCopiesDeeplyAndVariableArrayKeepsOrder) {
  coFixedArr<double> lengths(3);
  lengths[0] = 1.5;
  coFixedArr<double> copy = lengths;
  lengths[0] = 2.5;
  EXPECT_EQ(copy[0], 1.5);
  EXPECT_EQ(copy.size(), 3u);
  coFixedArr<double> empty;
  EXPECT_EQ(empty.size(), 0u);
  EXPECT_EQ(empty.begin(), empty.end());

  coVariableArr<int> values;
  for (int i = 0; i < 5; ++i)
    values.append(i);
  values.remove(1);
  EXPECT_EQ(values.size(), 4u);
  EXPECT_EQ(values[1], 2);
  EXPECT_EQ(values.last(), 4);

  coDynArr<char> bytes;
  bytes.append("ab", 2);
  bytes.append('\0');
  EXPECT_EQ(bytes.count(), 3u);
  EXPECT_STREQ(bytes.data(), "ab");
}

TEST(coDListTest, CursorWalksInsertsAndRemoves) {
  coDList<int> list;
  EXPECT_FALSE(list.first());
  for (int i = 1; i <= 4; ++i)
    list.append(i);
  ASSERT_TRUE(list.first());
  list.next();           // on 2
  list.remove_current(); // now on 3
  EXPECT_EQ(list.current(), 3);
  list.insert_before(20);
  list.insert_after(30);
  std::vector<int> order(list.begin(), list.end());
  EXPECT_EQ(order, (std::vector<int>{1, 20, 3, 30, 4}));
  ASSERT_TRUE(list.last());
  EXPECT_EQ(list.current(), 4);
  ASSERT_TRUE(list.previous());
  EXPECT_EQ(list.current(), 30);
  list.first();
  EXPECT_FALSE(list.previous());
  EXPECT_FALSE(list.valid());
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
    EXPECT_TRUE(first == second);
    first.reset();
    EXPECT_EQ(deaths, 0);
  }
  EXPECT_EQ(deaths, 1);
  {
    Counted owned_elsewhere(&deaths);
    coPrf<Counted> borrowed(coPrfExtern, &owned_elsewhere);
    coPrf<Counted> copy = borrowed;
    EXPECT_EQ(copy.get(), &owned_elsewhere);
  }
  EXPECT_EQ(deaths, 2); // only the stack object's own death
  EXPECT_TRUE(coPrf<Counted>().invalid());
}
