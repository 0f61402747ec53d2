// dxfReleaseWalkedTest.cpp - a reader walked once lets go of what it has passed, and delivers
// the same.
#include "DxfHarness.h"
#include "RecordingSink.h"

#include "dxfLibInput.h"
#include "vorabsHostReceiver.h"
#include "vorabsLayer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

// Lines and inserts of one block, enough for several chunks of records;
// with a layout, a viewport of it shows model space.
std::string drawing(int lines, bool with_viewport) {
  Dxf dxf;
  dxf.section("BLOCKS", [](Dxf& d) {
    d(0, "BLOCK")(2, "B")(70, 0)(10, 0.0)(20, 0.0);
    d(0, "LINE")(8, "0")(10, 0.0)(20, 0.0)(11, 1.0)(21, 0.0);
    d(0, "ENDBLK");
  });
  dxf.section("ENTITIES", [&](Dxf& d) {
    for (int i = 0; i < lines; ++i) {
      d(0, "LINE")(8, "0")(10, double(i))(20, 0.0)(11, double(i))(21, 1.0);
      if (i % 500 == 0)
        d(0, "INSERT")(8, "0")(2, "B")(10, double(i))(20, 5.0);
    }
    if (with_viewport)
      d(0, "VIEWPORT")(67, 1)(8, "0")(10, 5.0)(20, 5.0)(40, 10.0)(41, 10.0)(68, 2)(69, 2)(12, 5.0)(
          22, 5.0)(45, 10.0);
  });
  return dxf.text();
}

struct Walk {
  explicit Walk(const std::string& text, int release) : reader(nullptr) {
    context.set_document(&document);
    read = reader.read_buffer(context, text.data(), text.size(), "walked.dxf");
    reader.set_release_walked(release);
    delivered = vorabsHostReceiver(reader, sink).run();
  }
  // What reached the sink: each call's kind and name.
  std::vector<std::pair<std::string, std::string>> calls() const {
    std::vector<std::pair<std::string, std::string>> made;
    for (size_t i = 0; i < sink.calls.size(); ++i)
      made.emplace_back(sink.calls[i].kind, sink.name(i));
    return made;
  }
  int chunks_held() const {
    int held = 0;
    for (size_t c = 0; c < reader.entities().num_chunks(); ++c)
      held += reader.entities().held(c);
    return held;
  }
  annDocument document;
  vorabsContext context;
  dxfLibInput reader;
  RecordingSink sink;
  int read = 0;
  int delivered = 0;
};

TEST(dxfReleaseWalkedTest, AReleasingWalkDeliversWhatAKeepingWalkDoesAndFreesTheRecords) {
  const std::string text = drawing(2500, false);
  Walk keeping(text, 0), releasing(text, 1);
  ASSERT_EQ(keeping.read, 1);
  ASSERT_EQ(releasing.read, 1);
  EXPECT_EQ(releasing.delivered, keeping.delivered);
  EXPECT_EQ(releasing.calls(), keeping.calls());
  ASSERT_GE(keeping.reader.entities().num_chunks(), 3u);
  EXPECT_EQ(keeping.chunks_held(), int(keeping.reader.entities().num_chunks()));
  EXPECT_EQ(releasing.chunks_held(), 0);
}

TEST(dxfReleaseWalkedTest, RecordsStayWhileAViewportShowsModelSpace) {
  const std::string text = drawing(1500, true);
  Walk keeping(text, 0), releasing(text, 1);
  EXPECT_EQ(releasing.calls(), keeping.calls());
  EXPECT_EQ(releasing.chunks_held(), int(releasing.reader.entities().num_chunks()));
}

TEST(dxfReleaseWalkedTest, AWalkWithoutReleaseCanBeMadeAgain) {
  const std::string text = drawing(10, false);
  Walk once(text, 0);
  RecordingSink again;
  EXPECT_EQ(vorabsHostReceiver(once.reader, again).run(), once.delivered);
  EXPECT_EQ(again.calls.size(), once.sink.calls.size());
}

// Plain entities' translators are made again as the walk reaches them: a
// second file read by the same reader leaves the first one's whole.
TEST(dxfReleaseWalkedTest, TwoFilesReadByOneReaderAreWalkedEachWithItsOwnLayers) {
  auto line_on = [](const char* layer) {
    Dxf dxf;
    dxf.section("ENTITIES",
                [&](Dxf& d) { d(0, "LINE")(8, layer)(10, 0.0)(20, 0.0)(11, 1.0)(21, 0.0); });
    return dxf.text();
  };
  const std::string first = line_on("FIRST"), second = line_on("SECOND");
  annDocument document;
  vorabsContext context;
  context.set_document(&document);
  dxfLibInput reader(nullptr);
  ASSERT_EQ(reader.read_buffer(context, first.data(), first.size(), "first.dxf"), 1);
  ASSERT_EQ(reader.read_buffer(context, second.data(), second.size(), "second.dxf"), 1);
  RecordingSink sink;
  EXPECT_EQ(vorabsHostReceiver(reader, sink).run(), 2);
  auto layer = [&](size_t i) {
    vorabsLayervorabsAttributePtr layer;
    return std::string(sink.calls.at(i).attributes.get(vorabsLAYER, layer) ? layer->name().c_str()
                                                                           : "");
  };
  ASSERT_EQ(sink.calls.size(), 2u);
  EXPECT_EQ(layer(0), "FIRST");
  EXPECT_EQ(layer(1), "SECOND");
}

// Lines alone wait for the walk packed; a draw order reaches into packed
// chunks in its own order, and each walk delivers the same.
TEST(dxfReleaseWalkedTest, PackedRecordsAreWalkedInTheirDrawOrder) {
  Dxf dxf;
  dxf.section("TABLES", [](Dxf& t) {
    t(0, "TABLE")(2, "BLOCK_RECORD")(0, "BLOCK_RECORD")(5, "1F")(2, "*Model_Space")(0, "ENDTAB");
  });
  const int lines = 2100;
  dxf.section("ENTITIES", [&](Dxf& d) {
    for (int i = 1; i <= lines; ++i) {
      char handle[16];
      snprintf(handle, sizeof handle, "%X", 1000 + i);
      d(0, "LINE")(5, handle)(8, "0")(62, i % 7 + 1)(10, double(i))(20, 0.0)(11, double(i))(21,
                                                                                            1.0);
    }
  });
  dxf.section("OBJECTS", [](Dxf& o) {
    o(0, "SORTENTSTABLE")(5, "B0")(100, "AcDbSortentsTable")(330, "1F")(331, "3E9")(5, "FFFF");
  });
  const std::string text = dxf.text();
  annDocument document;
  vorabsContext context;
  context.set_document(&document);
  dxfLibInput reader(nullptr);
  ASSERT_EQ(reader.read_buffer(context, text.data(), text.size(), "packed.dxf"), 1);
  EXPECT_EQ(reader.entities().packed(0), 1);
  EXPECT_EQ(reader.entities().packed(1), 1);
  Walk keeping(text, 0), releasing(text, 1);
  ASSERT_EQ(keeping.delivered, lines);
  EXPECT_EQ(releasing.calls(), keeping.calls());
  EXPECT_EQ(releasing.chunks_held(), 0);
  const auto calls = keeping.calls();
  EXPECT_NE(calls.front().second.find("3EA"), std::string::npos) << calls.front().second;
  EXPECT_NE(calls.back().second.find("3E9"), std::string::npos) << calls.back().second;
}

TEST(dxfEntityListTest, RecordsStayInPlaceAsTheListGrowsAndAMovedListIsEmpty) {
  dxfEntityList list;
  dxfEntity first;
  first.line = 7;
  list.push_back(std::move(first));
  const dxfEntity* at = &list[0];
  for (int i = 1; i < 3000; ++i) {
    dxfEntity e;
    e.line = i;
    list.push_back(std::move(e));
  }
  EXPECT_EQ(&list[0], at);
  EXPECT_EQ(list.size(), 3000u);
  EXPECT_EQ(list.back().line, 2999);
  int sum = 0;
  for (const dxfEntity& e : list)
    sum += e.line == 1500;
  EXPECT_EQ(sum, 1);
  dxfEntityList moved(std::move(list));
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(list.num_chunks(), 0u);
  EXPECT_EQ(moved.size(), 3000u);
}

} // namespace
