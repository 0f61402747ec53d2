// Tests of the translation status and the memo entry's key.
#include "vorabsProcessedItem.h"
#include "vorabsTranslationStatus.h"

#include "co.h"
#include "gi.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(vorabsTranslationStatusTest, PredicatesOverEveryValue) {
  // value: complete, can_be_repaired, invalid
  const int expected[8][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 0}, {1, 0, 0},
                              {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 1, 0}};
  for (int value = 0; value < 8; ++value) {
    vorabsTranslationStatus status(static_cast<vorabsStatus>(value));
    EXPECT_EQ(status.status(), value);
    EXPECT_EQ(status.complete(), expected[value][0]) << value;
    EXPECT_EQ(status.can_be_repaired(), expected[value][1]) << value;
    EXPECT_EQ(status.invalid(), expected[value][2]) << value;
  }
  for (int32_t value : {8, 9, 1000, INT32_MAX, -1, INT32_MIN}) {
    vorabsTranslationStatus status(static_cast<vorabsStatus>(value));
    EXPECT_TRUE(status.invalid()) << value;
    EXPECT_FALSE(status.complete()) << value;
    EXPECT_FALSE(status.can_be_repaired()) << value;
  }
}

TEST(vorabsProcessedItemTest, HashesTheLinearPartAndComparesTheWholeTransformExactly) {
  giXform3 identity(giXformIdentity);
  vorabsProcessedItem at_identity(identity);
  vorabsProcessedItem at_moved(giXform3(giXformTranslate, giVector3(5.0, 0.0, 0.0)));

  // The exclusive or of the nine byte hashes: the six zeros cancel, three
  // ones leave the hash of one.
  double one = 1.0;
  EXPECT_EQ(co_hash(at_identity), co_hash(&one, sizeof one));
  EXPECT_EQ(co_hash(at_identity), co_hash(at_moved));
  EXPECT_FALSE(at_identity == at_moved);

  // Item and status take no part in equality.
  vorabsProcessedItem done(identity);
  done.set_status(vorabsSTATUS_IGNORED);
  EXPECT_TRUE(done == at_identity);
  EXPECT_EQ(at_identity.status().status(), vorabsSTATUS_UNKNOWN);

  // A negative zero equals a zero with no tolerance, so both hash alike.
  const double plus[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  const double minus[4][4] = {{1, -0.0, 0, 0}, {0, 1, -0.0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  vorabsProcessedItem a{giXform3(plus)}, b{giXform3(minus)};
  ASSERT_TRUE(a == b);
  EXPECT_EQ(co_hash(a), co_hash(b));
  const double scaled[4][4] = {{2, 0, 0, 0}, {0, 2, 0, 0}, {0, 0, 2, 0}, {0, 0, 0, 1}};
  EXPECT_FALSE(a == vorabsProcessedItem(giXform3(scaled)));
}
