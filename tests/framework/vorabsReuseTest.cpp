// Tests of what a translator keeps compactly: its placement, held exactly,
// and the re-use of stored items, which completes attributes per thread.
#include "vorabsStoredTransform.h"
#include "vorabsTranslator.h"

#include "RecordingSink.h"
#include "ScriptedTranslator.h"
#include "TestHelpers.h"
#include "vorabsTestInterface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

TEST(vorabsStoredTransformTest, KeepsEveryValueBitForBit) {
  // An identity with a negative zero is equal to the identity, but it is
  // kept as given, not replaced by the shared identity.
  const double minus[4][4] = {{1, -0.0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  vorabsStoredTransform held{giXform3(minus)};
  double kept = giXform3Acc::matrix_value(held.get(), 0, 1);
  EXPECT_TRUE(std::signbit(kept));
  EXPECT_FALSE(held.same_shared(vorabsStoredTransform(giXformIdentity)));
  EXPECT_TRUE(vorabsStoredTransform().get().invalid());
}

TEST(vorabsReuseTest, ThreadsReuseTheirItemsIndependently) {
  // One thread's entities mark themselves child items, the other's do not:
  // only the second sends its stored item again on every re-use.
  auto reuse = [](int child, size_t* sent) {
    annDocument document;
    vorabsContext context;
    context.set_document(&document);
    RecordingSink sink;
    sink.current = make_annCurveItem(&document, utString("line"), utString("C1"));
    vorabsTestInterface receiver;
    ScriptedTranslator translator(context);
    translator.child = child;
    vorabsAttributeSet incoming;
    for (int i = 0; i < 2000; ++i)
      translator.process(incoming, receiver, sink);
    *sent = sink.calls.size();
  };
  size_t sent_by_child = 1, sent_by_top = 0;
  std::thread child_thread(reuse, 1, &sent_by_child);
  std::thread top_thread(reuse, 0, &sent_by_top);
  child_thread.join();
  top_thread.join();
  EXPECT_EQ(sent_by_child, 0u);
  EXPECT_EQ(sent_by_top, 1999u);
}
