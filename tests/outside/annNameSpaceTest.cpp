// Tests of name spaces made for components and of finding items within them.
#include "ann/ann.h"

#include <gtest/gtest.h>

TEST(annNameSpaceTest, MadeInsideTheCurrentOneAndItemsAreFoundOnlyInTheirOwn) {
  annDocument document;
  EXPECT_EQ(make_annNameSpace(nullptr, utString("a"), utString("b")), nullptr);
  annNameSpacePtr outer = make_annNameSpace(&document, utString("/parts/a.txt"), utString("a.txt"));
  EXPECT_EQ(outer->parent(), nullptr);
  EXPECT_EQ(outer->reference(), utString("a.txt"));
  document.set_name_space(outer);
  annNameSpacePtr inner = make_annNameSpace(&document, utString("b"), utString("b"));
  EXPECT_EQ(inner->parent(), outer);
  EXPECT_EQ(document.current_name_space(), outer);

  // The same name in two name spaces: each found where it was made.
  annStyleSetannPtr in_outer = make_annStyleSet(&document, utString("s"));
  document.set_name_space(inner);
  annStyleSetannPtr in_inner = make_annStyleSet(&document, utString("s"));
  EXPECT_TRUE(document.find_item(utString("s"), sto_class_annStyleSet()) == in_inner);
  document.set_name_space(outer);
  EXPECT_TRUE(document.find_item(utString("s"), sto_class_annStyleSet()) == in_outer);

  // An item moved to another name space is found there, and no longer here.
  in_outer->set_name_space(inner);
  EXPECT_TRUE(document.find_item(utString("s"), sto_class_annStyleSet()).invalid());
  document.set_name_space(inner);
  EXPECT_TRUE(document.find_item(utString("s"), sto_class_annStyleSet()) == in_inner);
  EXPECT_EQ(document.remove_item(in_inner.pointer()), 1);
  EXPECT_TRUE(document.find_item(utString("s"), sto_class_annStyleSet()) == in_outer);
}
