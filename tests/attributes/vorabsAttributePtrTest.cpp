// Tests of the typed attribute pointers: ownership, casts and type ids.
#include "vorabsAttributePtr.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {
// Owning pointers made by the family, released through the base.
std::unique_ptr<vorabsAttributePtrBase> own(vorabsAttributePtrBase* p) {
  return std::unique_ptr<vorabsAttributePtrBase>(p);
}
} // namespace

TEST(vorabsAttributePtrTest, ReadersReferToAStoredValueWithoutOwningIt) {
  vorabsNamevorabsAttributePtr empty;
  EXPECT_TRUE(empty.invalid());
  EXPECT_FALSE(empty.owns());
  auto stored = own(empty.make_new());
  EXPECT_TRUE(stored->owns());
  {
    vorabsNamevorabsAttributePtr writer;
    writer.point_to(*stored);
    EXPECT_FALSE(writer.owns());
    EXPECT_TRUE(writer->invalid()); // a default value
    *writer = vorabsName(utString("flange"), 0);
  } // the reader's death leaves the value alone
  vorabsNamevorabsAttributePtr reader;
  reader.point_to(*stored);
  EXPECT_STREQ(reader->string().c_str(), "flange");

  // Pointing at another member is refused: the reader keeps what it had.
  vorabsLayervorabsAttributePtr layer_owner(new vorabsLayer(5));
  reader.point_to(layer_owner);
  EXPECT_STREQ(reader->string().c_str(), "flange");
  vorabsColourvorabsAttributePtr colour;
  colour.point_to(layer_owner);
  EXPECT_TRUE(colour.invalid());
}

TEST(vorabsAttributePtrTest, OwnersFreeOnceAndClonesAreIndependent) {
  // Runs under the leak checker: every owning form must release exactly once.
  { utBoolvorabsAttributePtr owner(new utBool(1)); }
  { doublevorabsAttributePtr owner(nullptr); }

  vorabsNamevorabsAttributePtr original(new vorabsName(utString("rib"), 4));
  auto cloned = own(original.clone());
  *original = vorabsName(utString("web"), 5);
  vorabsNamevorabsAttributePtr view;
  view.point_to(*cloned);
  EXPECT_STREQ(view->string().c_str(), "rib");
  EXPECT_EQ(view->number(), 4);
}

TEST(vorabsAttributePtrTest, EveryMemberHasItsOwnTypeIdKeptByCopies) {
  std::unique_ptr<vorabsAttributePtrBase> members[] = {
      std::make_unique<utStringvorabsAttributePtr>(),
      std::make_unique<utBoolvorabsAttributePtr>(),
      std::make_unique<vorabsVoidvorabsAttributePtr>(),
      std::make_unique<vorabsTypevorabsAttributePtr>(),
      std::make_unique<vorabsStylevorabsAttributePtr>(),
      std::make_unique<vorabsPrecursorvorabsAttributePtr>(),
      std::make_unique<vorabsObjectTypevorabsAttributePtr>(),
      std::make_unique<vorabsNamevorabsAttributePtr>(),
      std::make_unique<vorabsLayervorabsAttributePtr>(),
      std::make_unique<vorabsCurveFontvorabsAttributePtr>(),
      std::make_unique<vorabsColourvorabsAttributePtr>(),
      std::make_unique<vorLengthUnitvorabsAttributePtr>(),
      std::make_unique<kapPropertiesvorabsAttributePtr>(),
      std::make_unique<giAnglevorabsAttributePtr>(),
      std::make_unique<doublevorabsAttributePtr>(),
      std::make_unique<annNameSpacePathvorabsAttributePtr>(),
      std::make_unique<annHierarchyvorabsAttributePtr>(),
  };
  for (size_t i = 0; i < std::size(members); ++i) {
    const vorabsAttributePtrBase& p = *members[i];
    const char* name = p.ut_dynamic_type().name();
    EXPECT_TRUE(p.ut_is_kind_of(vorabsAttributePtrBase::ut_static_type())) << name;
    for (size_t j = 0; j < std::size(members); ++j)
      EXPECT_EQ(p.ut_is_kind_of(members[j]->ut_dynamic_type()) != 0, i == j) << name << " " << j;
    // make_new and clone keep the member; clone of an empty pointer is a default value.
    EXPECT_EQ(&own(p.make_new())->ut_dynamic_type(), &p.ut_dynamic_type());
    EXPECT_EQ(&own(p.clone())->ut_dynamic_type(), &p.ut_dynamic_type());
  }

  vorabsColourvorabsAttributePtr colour(new vorabsColour(1));
  vorabsAttributePtrBase* base = &colour;
  EXPECT_EQ(vorabsColourvorabsAttributePtr::ut_dynamic_cast(base), &colour);
  EXPECT_EQ(vorabsLayervorabsAttributePtr::ut_dynamic_cast(base), nullptr);
  EXPECT_EQ(vorabsColourvorabsAttributePtr::ut_dynamic_cast(
                static_cast<vorabsAttributePtrBase*>(nullptr)),
            nullptr);
  auto stored = own(colour.clone()); // a stored value answers as its member
  EXPECT_NE(vorabsColourvorabsAttributePtr::ut_dynamic_cast(stored.get()), nullptr);
}
