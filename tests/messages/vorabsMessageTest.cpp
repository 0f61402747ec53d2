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

TEST(vorabsMessagePtrTest, EmptyHandlesAndUnnamedClassesCompareAndHash) {
  // Grouping by class in the log pins equal and sibling classes; here a
  // derived class, the empty handles and an id without a name, which counts
  // as the empty name.
  NamedMessage curve(kCurve, "A", vorabsSEVERITY_WARNING), open(kOpenCurve, "A");
  vorabsMessagePtr none, other_none, first(&curve);
  EXPECT_FALSE(first == vorabsMessagePtr(&open));
  EXPECT_TRUE(none == other_none);
  EXPECT_FALSE(none == first);
  EXPECT_FALSE(first == none);
  EXPECT_EQ(co_hash(none), 0u);
  EXPECT_EQ(first(), &curve);
  static const utTypeID unnamed(nullptr, &vorabsMessage::ut_static_type());
  static const utTypeID empty_name("", &vorabsMessage::ut_static_type());
  NamedMessage no_name(unnamed, "4"), empty(empty_name, "5");
  EXPECT_TRUE(vorabsMessagePtr(&no_name) == vorabsMessagePtr(&empty));
  EXPECT_EQ(co_hash(vorabsMessagePtr(&no_name)), co_hash(utString("")));
}
