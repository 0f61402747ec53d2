// Tests of the annotation model stand-in: class tags, handles, the document.
#include "ann/ann.h"

#include <gtest/gtest.h>

#include <memory>

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
