// vorabsHostReceiverTest.cpp - the package's host receiver and object loop, over the DXF reader.
#include "RecordingSink.h"

#include "dxfLibInput.h"
#include "vorabsDocumentSink.h"
#include "vorabsHostReceiver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A line in model space and an insert of a block of two lines.
const char drawing[] = "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nB\n70\n0\n10\n0\n20\n0\n"
                       "0\nLINE\n5\n10\n8\n0\n10\n0\n20\n0\n11\n1\n21\n0\n"
                       "0\nLINE\n5\n11\n8\n0\n10\n0\n20\n0\n11\n0\n21\n1\n"
                       "0\nENDBLK\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n"
                       "0\nLINE\n5\n20\n8\n0\n10\n5\n20\n5\n11\n6\n21\n6\n"
                       "0\nINSERT\n5\n21\n8\n0\n2\nB\n10\n2\n20\n2\n0\nENDSEC\n0\nEOF\n";

class vorabsHostReceiverTest : public ::testing::Test {
protected:
  vorabsHostReceiverTest() : reader(nullptr) {
    context.set_document(&document);
    reader.read_buffer(context, drawing, sizeof drawing - 1, "inserts.dxf");
  }
  annDocument document;
  vorabsContext context;
  dxfLibInput reader;
  RecordingSink sink;
};

TEST_F(vorabsHostReceiverTest, RunRoutesTheChildrenOfAnInsertIntoTheSinkAndCountsThem) {
  vorabsHostReceiver receiver(reader, sink);
  int progress = 0, new_geometry = 0;
  receiver.set_progress_hook([&](int count) { progress += count; });
  receiver.set_new_geometry_hook([&]() { ++new_geometry; });
  const int delivered = receiver.run();
  int curves = 0;
  for (const RecordingSink::Call& call : sink.calls)
    curves += call.kind == "curve3";
  EXPECT_EQ(curves, 3);
  // The line, the insert, its block and the block's two lines: the reader
  // counts nested objects too.
  EXPECT_EQ(delivered, 5);
  EXPECT_EQ(delivered, reader.num_objects());
  EXPECT_EQ(progress, delivered);
  EXPECT_GE(new_geometry, 1);
  EXPECT_FALSE(receiver.cancelled());
}

TEST_F(vorabsHostReceiverTest, ACancellationStopsTheLoopAndRefusesSubObjects) {
  vorabsHostReceiver receiver(reader, sink);
  int asked = 0;
  receiver.set_cancel_hook([&]() { return ++asked > 1; });
  EXPECT_EQ(receiver.run(), 1);
  EXPECT_TRUE(receiver.cancelled());
  EXPECT_EQ(receiver.send_sub_object(vorabsAttributeSet()).status(), vorabsSTATUS_ABORTED);
}

TEST_F(vorabsHostReceiverTest, ADocumentSinkGetsAnItemForEveryLine) {
  vorabsDocumentSink items(document);
  vorabsHostReceiver receiver(reader, items);
  receiver.set_new_geometry_hook([&]() { items.prepare_for_new_geometry(); });
  receiver.run();
  size_t curves = 0;
  for (size_t i = 0; i < document.num_items(); ++i)
    curves += std::string(document.item(i)->sto_class()->name()) == "annCurveItem";
  EXPECT_EQ(curves, 3u);
}

} // namespace
