// Tests of name spaces made for components and of finding items within them.
#include "ann/ann.h"

#include <gtest/gtest.h>

TEST(annNameSpaceTest, MadeInsideTheCurrentOneAndItemsAreFoundOnlyInTheirOwn) {
  annDocument document;
  EXPECT_EQ(make_annNameSpace(nullptr, utString("a"), utString("b")), nullptr);
  annNameSpacePtr outer = make_annNameSpace(&document, utString("/parts/a.txt"), utString("a.txt"));
  EXPECT_EQ(outer->reference(), utString("a.txt"));
  document.set_name_space(outer);
  annNameSpacePtr inner = make_annNameSpace(&document, utString("b"), utString("b"));
  EXPECT_EQ(inner->parent(), outer);
  annStyleSetannPtr in_outer = make_annStyleSet(&document, utString("s"));
  document.set_name_space(inner);
  EXPECT_TRUE(document.find_item(utString("s"), sto_class_annStyleSet()).invalid());
  // An item moved to another name space is found there.
  in_outer->set_name_space(inner);
  EXPECT_TRUE(document.find_item(utString("s"), sto_class_annStyleSet()) == in_outer);
  document.set_name_space(outer);
  EXPECT_TRUE(document.find_item(utString("s"), sto_class_annStyleSet()).invalid());
}
