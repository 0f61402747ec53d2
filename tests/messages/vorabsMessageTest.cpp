// Tests of the handle that compares messages by class.
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

} // namespace

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
