// Tests of message type identity and of the handle that compares messages by class.
#include "vorabsMessage.h"
#include "vorabsMessagePtr.h"

#include "co.h"
#include "vorabsOutput.h"

#include <gtest/gtest.h>

namespace {

const utTypeID kCurve("CurveMessage", &vorabsMessage::ut_static_type());
const utTypeID kOpenCurve("OpenCurveMessage", &kCurve);

// A message of the class with the given id.
struct NamedMessage final : vorabsMessage {
  NamedMessage(const utTypeID& id, const char* key, vorabsSeverity severity = vorabsSEVERITY_ERROR)
      : vorabsMessage(key, severity), id(id) {}
  const utTypeID& ut_dynamic_type() const override { return id; }
  void print(vorabsOutput*) override {}
  const utTypeID& id;
};

// A class that answers the base id: it counts as a plain vorabsMessage.
struct AnonymousMessage final : vorabsMessage {
  using vorabsMessage::vorabsMessage;
  void print(vorabsOutput*) override {}
};

} // namespace

TEST(vorabsMessageTest, ClassesAnswerTheirOwnIdsAndKinds) {
  EXPECT_STREQ(vorabsMessage::ut_static_type().name(), "vorabsMessage");
  EXPECT_EQ(vorabsMessage::ut_static_type().parent(), nullptr);
  NamedMessage open(kOpenCurve, "C7");
  AnonymousMessage anonymous("", vorabsSEVERITY_ERROR);
  EXPECT_EQ(&anonymous.ut_dynamic_type(), &vorabsMessage::ut_static_type());
  EXPECT_TRUE(open.ut_is_kind_of(kCurve));
  EXPECT_TRUE(open.ut_is_kind_of(vorabsMessage::ut_static_type()));
  EXPECT_FALSE(anonymous.ut_is_kind_of(kCurve));
  vorabsMessage* as_base = &open;
  EXPECT_EQ(vorabsMessage::ut_dynamic_cast(as_base), as_base);
  EXPECT_EQ(vorabsMessage::ut_dynamic_cast(static_cast<vorabsMessage*>(nullptr)), nullptr);
}

TEST(vorabsMessagePtrTest, EqualityAndHashFollowTheClassNameOnly) {
  NamedMessage a1(kCurve, "A", vorabsSEVERITY_WARNING);
  NamedMessage a2(kCurve, "B"); // other key and severity, same class
  NamedMessage open(kOpenCurve, "A", vorabsSEVERITY_WARNING);
  vorabsMessagePtr none, other_none;
  vorabsMessagePtr first(&a1), second(&a2), derived(&open);
  EXPECT_TRUE(none == other_none);
  EXPECT_FALSE(none == first);
  EXPECT_FALSE(first == none);
  EXPECT_TRUE(first == second);
  EXPECT_FALSE(first == derived); // a derived class is a class of its own
  EXPECT_EQ(co_hash(first), co_hash(utString("CurveMessage")));
  EXPECT_EQ(co_hash(first), co_hash(second));
  EXPECT_EQ(co_hash(derived), co_hash(utString("OpenCurveMessage")));
  EXPECT_EQ(co_hash(none), 0u);
  EXPECT_EQ(vorabsMessagePtr(derived)(), &open);

  // An id without a name counts as the empty name (grouping by the same name
  // under different id objects is a log test).
  static const utTypeID unnamed(nullptr, &vorabsMessage::ut_static_type());
  static const utTypeID empty_name("", &vorabsMessage::ut_static_type());
  NamedMessage no_name(unnamed, "4"), empty(empty_name, "5");
  EXPECT_TRUE(vorabsMessagePtr(&no_name) == vorabsMessagePtr(&empty));
  EXPECT_EQ(co_hash(vorabsMessagePtr(&no_name)), co_hash(utString("")));
}
