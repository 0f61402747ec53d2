// dxfProxyGraphicsTest.cpp - proxy graphics bytes decoded into entity records.
#include "dxfProxyGraphics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <sstream>

namespace {

const double pi = 3.14159265358979323846;

// One command's data, little-endian.
class Data {
public:
  Data& i(int32_t v) {
    for (int k = 0; k < 4; ++k)
      bytes += char((uint32_t(v) >> (8 * k)) & 0xFF);
    return *this;
  }
  Data& d(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof v);
    for (int k = 0; k < 8; ++k)
      bytes += char((bits >> (8 * k)) & 0xFF);
    return *this;
  }
  Data& p(double x, double y, double z) { return d(x).d(y).d(z); }
  Data& raw(const std::string& text) {
    bytes += text;
    return *this;
  }
  std::string bytes;
};

// Proxy graphics: the header (size, count), then each command as its size,
// type and data.
std::string graphics(std::initializer_list<std::pair<int, Data>> commands) {
  std::string body;
  for (const auto& c : commands)
    body += Data().i(int32_t(8 + c.second.bytes.size())).i(c.first).bytes + c.second.bytes;
  return Data().i(int32_t(8 + body.size())).i(int32_t(commands.size())).bytes + body;
}

dxfEntity owner() {
  dxfEntity e;
  e.kind = dxfKind::ACAD_PROXY_ENTITY;
  e.has_handle = 1;
  e.handle = 0x2F;
  e.layer = 3;
  e.colour = 5;
  return e;
}

double round3(double v) {
  return std::round(v * 1000) / 1000 + 0.0;
}

// "KIND colour | points | numbers" of a record, rounded.
std::string describe(const dxfEntity& e) {
  std::ostringstream out;
  out << dxf_kind_name(e.kind) << " " << e.colour << " |";
  for (int k = 0; k < 2; ++k)
    out << " " << round3(e.p[k].x) << "," << round3(e.p[k].y) << "," << round3(e.p[k].z);
  out << " | " << round3(e.d40) << " " << round3(e.a50) << " " << round3(e.a51);
  for (const dxfVertex& v : e.vertices)
    out << " (" << round3(v.x) << "," << round3(v.y) << "," << round3(v.z) << ")";
  if (!e.text.empty())
    out << " '" << e.text << "'";
  return out.str();
}

std::vector<std::string> decode(const std::string& bytes, std::vector<std::string>& notes) {
  std::vector<std::string> out;
  for (const dxfEntity& e : dxf_proxy_graphics(bytes, owner(), notes))
    out.push_back(describe(e));
  return out;
}

TEST(dxfProxyGraphicsTest, CurvesComeOutInWorldCoordinatesWithTheColourSetBeforeThem) {
  std::vector<std::string> notes;
  std::string bytes = graphics({
      {2, Data().p(1, 2, 0).d(3).p(0, 0, 1)},                           // circle
      {14, Data().i(1)},                                                // red from here on
      {4, Data().p(0, 0, 0).d(2).p(0, 0, 1).p(0, 1, 0).d(pi / 2).i(0)}, // arc 90 to 180
      {6, Data().i(2).p(0, 0, 0).p(4, 0, 0)},                           // a line
      {6, Data().i(3).p(0, 0, 0).p(1, 0, 0).p(1, 1, 5)},                // a 3D polyline
      {5, Data().p(1, 0, 0).p(0, 1, 0).p(-1, 0, 0)},                    // arc through 3 points
  });
  EXPECT_EQ(decode(bytes, notes), (std::vector<std::string>{
                                      "CIRCLE 5 | 1,2,0 0,0,0 | 3 0 0",
                                      "ARC 1 | 0,0,0 0,0,0 | 2 90 180",
                                      "LINE 1 | 0,0,0 4,0,0 | 0 0 0",
                                      "POLYLINE 1 | 0,0,0 0,0,0 | 0 0 0 (0,0,0) (1,0,0) (1,1,5)",
                                      "ARC 1 | 0,0,0 0,0,0 | 1 0 180",
                                  }));
  EXPECT_TRUE(notes.empty());
}

TEST(dxfProxyGraphicsTest, RecordsBelongToTheirOwnerAndAreMarkedAsItsGraphics) {
  std::vector<std::string> notes;
  std::vector<dxfEntity> made =
      dxf_proxy_graphics(graphics({{2, Data().p(0, 0, 0).d(1).p(0, 0, 1)}}), owner(), notes);
  ASSERT_EQ(made.size(), 1u);
  EXPECT_EQ(made[0].graphics, 1);
  EXPECT_EQ(made[0].layer, 3);
  EXPECT_EQ(made[0].handle, 0x2Fu);
}

TEST(dxfProxyGraphicsTest, AFilledPolygonIsASolidHatchAnOpenOneAClosedPolyline) {
  std::vector<std::string> notes;
  Data square = Data().i(4).p(0, 0, 2).p(1, 0, 2).p(1, 1, 2).p(0, 1, 2);
  Data clockwise = Data().i(4).p(0, 0, 2).p(0, 1, 2).p(1, 1, 2).p(1, 0, 2);
  std::vector<dxfEntity> made = dxf_proxy_graphics(
      graphics({{7, square}, {20, Data().i(1)}, {7, clockwise}}), owner(), notes);
  ASSERT_EQ(made.size(), 2u);
  EXPECT_EQ(made[0].kind, dxfKind::POLYLINE);
  EXPECT_EQ(made[0].i70, 8 | 1);
  ASSERT_EQ(made[1].kind, dxfKind::HATCH);
  const dxfHatch& hatch = made[1].extra->hatch;
  EXPECT_EQ(hatch.solid, 1);
  ASSERT_EQ(hatch.paths.size(), 1u);
  EXPECT_EQ(hatch.paths[0].vertices.size(), 4u);
  EXPECT_DOUBLE_EQ(made[1].p[0].z, 2.0);      // the elevation of its plane
  EXPECT_DOUBLE_EQ(made[1].extrusion.z, 1.0); // facing up, whatever its turn
  EXPECT_DOUBLE_EQ(hatch.paths[0].vertices[1].y, 1.0);
}

TEST(dxfProxyGraphicsTest, TextsKeepTheirStringHeightAndDirection) {
  std::vector<std::string> notes;
  std::string bytes = graphics({
      {10, Data().p(1, 1, 0).p(0, 0, 1).p(0, 1, 0).d(2.5).d(1).d(0).raw(std::string("AB\0\0", 4))},
      {38, Data()
               .p(2, 0, 0)
               .p(0, 0, 1)
               .p(1, 0, 0)
               .raw(std::string("\xC4\0\\\0\0\0\0\0", 8)) // "Ä\" and its end
               .i(2)
               .i(1)
               .d(3)
               .d(0.8)
               .d(0)
               .d(1)},
  });
  EXPECT_EQ(decode(bytes, notes),
            (std::vector<std::string>{"TEXT 5 | 1,1,0 0,0,0 | 2.5 90 0 'AB'",
                                      "TEXT 5 | 2,0,0 0,0,0 | 3 0 0 '\\U+00C4\\U+005C'"}));
}

TEST(dxfProxyGraphicsTest, APushedTransformMovesWhatFollowsUntilPopped) {
  std::vector<std::string> notes;
  Data shift;
  for (double v : {1, 0, 0, 10, 0, 2, 0, 20, 0, 0, 1, 0, 0, 0, 0, 1}) // scale y by 2, move
    shift.d(v);
  Data point_line = Data().i(2).p(0, 1, 0).p(1, 1, 0);
  std::string bytes = graphics({{29, shift}, {6, point_line}, {31, Data()}, {6, point_line}});
  EXPECT_EQ(decode(bytes, notes), (std::vector<std::string>{"LINE 5 | 10,22,0 11,22,0 | 0 0 0",
                                                            "LINE 5 | 0,1,0 1,1,0 | 0 0 0"}));
}

TEST(dxfProxyGraphicsTest, AShellIsAPolyfaceMeshItsLargerFacesFanned) {
  std::vector<std::string> notes;
  Data shell = Data().i(5).p(0, 0, 0).p(1, 0, 0).p(1, 1, 0).p(0, 1, 0).p(2, 2, 0);
  shell.i(9).i(5).i(0).i(1).i(2).i(3).i(4).i(-2).i(0).i(1); // a pentagon, a hole
  std::vector<dxfEntity> made = dxf_proxy_graphics(graphics({{9, shell}}), owner(), notes);
  ASSERT_EQ(made.size(), 1u);
  EXPECT_EQ(made[0].i70, 64);
  ASSERT_EQ(made[0].vertices.size(), 5u + 3u);
  EXPECT_EQ(made[0].vertices[7].index[0], 1);
  EXPECT_EQ(made[0].vertices[7].index[2], 5);
}

TEST(dxfProxyGraphicsTest, AMeshIsItsRowAndColumnLines) {
  std::vector<std::string> notes;
  Data grid = Data().i(2).i(2).p(0, 0, 0).p(1, 0, 0).p(0, 1, 0).p(1, 1, 0);
  Data empty = Data().i(2000000000).i(0);
  EXPECT_EQ(
      decode(graphics({{8, grid}, {8, empty}}), notes),
      (std::vector<std::string>{"LINE 5 | 0,0,0 1,0,0 | 0 0 0", "LINE 5 | 0,1,0 1,1,0 | 0 0 0",
                                "LINE 5 | 0,0,0 0,1,0 | 0 0 0", "LINE 5 | 1,0,0 1,1,0 | 0 0 0"}));
}

TEST(dxfProxyGraphicsTest, UnknownCommandsAreSkippedByTheirSizeAndUndrawnOnesNoted) {
  std::vector<std::string> notes;
  std::string bytes = graphics(
      {{99, Data().i(7).i(8)}, {33, Data().i(4).i(0)}, {2, Data().p(0, 0, 0).d(1).p(0, 0, 1)}});
  EXPECT_EQ(decode(bytes, notes).size(), 1u);
  EXPECT_EQ(notes, std::vector<std::string>{"its lightweight polylines are not drawn"});
}

TEST(dxfProxyGraphicsTest, TruncatedDataIsNeverReadPastItsEnd) {
  std::string whole =
      graphics({{6, Data().i(2).p(0, 0, 0).p(4, 0, 0)}, {2, Data().p(0, 0, 0).d(1).p(0, 0, 1)}});
  // Every prefix decodes what it holds whole, and says when it ends early.
  for (size_t n = 0; n < whole.size(); ++n) {
    std::vector<std::string> notes;
    std::string cut = whole.substr(0, n); // a copy of its own: the sanitizer sees past its end
    std::vector<dxfEntity> made = dxf_proxy_graphics(cut, owner(), notes);
    EXPECT_LE(made.size(), n >= 8 + 8 + 52 ? 1u : 0u) << n;
    if (n >= 8) {
      EXPECT_FALSE(notes.empty()) << n;
    }
  }
  // A command whose points do not fit in its size, and one counting more
  // points than it holds.
  std::vector<std::string> notes;
  EXPECT_TRUE(dxf_proxy_graphics(graphics({{2, Data().p(0, 0, 0)}}), owner(), notes).empty());
  EXPECT_TRUE(
      dxf_proxy_graphics(graphics({{6, Data().i(1000000).p(0, 0, 0)}}), owner(), notes).empty());
  EXPECT_EQ(notes.size(), 2u);
}

TEST(dxfProxyGraphicsTest, TheEntityDecoderTakesTheGraphicsChunksUpToTheirCount) {
  std::string bytes = graphics({{2, Data().p(1, 2, 0).d(3).p(0, 0, 1)}});
  std::string hex;
  for (unsigned char c : bytes) {
    char two[3];
    std::snprintf(two, sizeof two, "%02X", c);
    hex += two;
  }
  std::string count = std::to_string(bytes.size());
  std::string first = hex.substr(0, 40), rest = hex.substr(40);
  dxfTags tags = {{90, "498"}, {92, count}, {310, first},         {310, rest},
                  {93, "16"},  {310, "00"}, {310, "not hex data"}};
  dxfEntity e = owner();
  dxfFile file;
  dxf_decode_proxy_entity(tags, e, file);
  ASSERT_TRUE(e.extra);
  ASSERT_EQ(e.extra->graphics.size(), 1u);
  EXPECT_EQ(describe(e.extra->graphics[0]), "CIRCLE 5 | 1,2,0 0,0,0 | 3 0 0");
  EXPECT_TRUE(file.diagnostics.empty());
}

} // namespace
