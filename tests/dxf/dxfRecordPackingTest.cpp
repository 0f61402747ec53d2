// dxfRecordPackingTest.cpp - records that wait packed in the entity list come back as they
// went in, bit for bit, and only chunks that can be packed are.
#include "dxfRecords.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace {

template <class T> bool same_bits(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}

bool same_point(const dxfPoint& a, const dxfPoint& b) {
  return same_bits(a.x, b.x) && same_bits(a.y, b.y) && same_bits(a.z, b.z);
}

bool same_vertex(const dxfVertex& a, const dxfVertex& b) {
  return same_bits(a.x, b.x) && same_bits(a.y, b.y) && same_bits(a.z, b.z) &&
         same_bits(a.bulge, b.bulge) && a.flags == b.flags &&
         std::equal(a.index, a.index + 4, b.index) && same_bits(a.start_width, b.start_width) &&
         same_bits(a.end_width, b.end_width);
}

// Every field of two records with at most a style, a layout and extended
// data in their extra parts, compared bit for bit.
::testing::AssertionResult same_record(const dxfEntity& a, const dxfEntity& b) {
  const bool head = a.kind == b.kind && a.invisible == b.invisible &&
                    a.paper_space == b.paper_space && a.has_handle == b.has_handle &&
                    a.graphics == b.graphics && a.part_of == b.part_of && a.line == b.line &&
                    same_bits(a.linetype_scale, b.linetype_scale) && a.handle == b.handle &&
                    a.layer == b.layer && a.linetype == b.linetype && a.colour == b.colour &&
                    a.true_colour == b.true_colour && a.lineweight == b.lineweight;
  bool points = same_point(a.extrusion, b.extrusion);
  for (int i = 0; i < 4; ++i)
    points = points && same_point(a.p[i], b.p[i]);
  const double ra[] = {a.d40, a.d41, a.d42, a.d43, a.d44, a.d45, a.a50, a.a51};
  const double rb[] = {b.d40, b.d41, b.d42, b.d43, b.d44, b.d45, b.a50, b.a51};
  const int ia[] = {a.i70, a.i71, a.i72, a.i73, a.i74, a.i69, a.i68, a.scale_given};
  const int ib[] = {b.i70, b.i71, b.i72, b.i73, b.i74, b.i69, b.i68, b.scale_given};
  const bool numbers = std::memcmp(ra, rb, sizeof ra) == 0 && std::memcmp(ia, ib, sizeof ia) == 0;
  bool vertices = a.vertices.size() == b.vertices.size();
  for (size_t i = 0; vertices && i < a.vertices.size(); ++i)
    vertices = same_vertex(a.vertices[i], b.vertices[i]);
  bool texts = a.text == b.text && a.name == b.name && !a.extra == !b.extra;
  if (texts && a.extra)
    texts = a.extra->style == b.extra->style && a.extra->layout == b.extra->layout &&
            a.extra->xdata == b.extra->xdata;
  if (head && points && numbers && vertices && texts)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "head " << head << " points " << points << " numbers " << numbers << " vertices "
         << vertices << " texts " << texts << " (line " << a.line << ")";
}

// Records of every shape the reader makes of plain entities: one with
// every field set, one as new, one of signed zeros and numbers that are
// not finite, a polyline of bare vertices, a text with a style alone.
std::vector<dxfEntity> samples() {
  std::vector<dxfEntity> made(5);
  dxfEntity& full = made[0];
  full.kind = dxfKind::MTEXT;
  full.part_of = dxfKind::MULTILEADER;
  full.invisible = full.has_handle = full.graphics = 1;
  full.linetype_scale = 2.5f;
  full.handle = 0xABCDEF0123ull;
  full.layer = 3, full.linetype = 4, full.colour = 5, full.true_colour = 0x102030;
  full.lineweight = 35;
  for (int i = 0; i < 4; ++i)
    full.p[i] = {1.0 + i, 2.0 + i, 3.0 + i};
  full.extrusion = {0.0, -1.0, 0.5};
  full.d40 = 1, full.d41 = 2, full.d42 = 3, full.d43 = 4, full.d44 = 5, full.d45 = 6;
  full.a50 = 7, full.a51 = 8;
  full.i70 = 1, full.i71 = -2, full.i72 = 3, full.i73 = 4, full.i74 = 5, full.i69 = 6;
  full.i68 = 0, full.scale_given = 15;
  dxfVertex v;
  v.x = 1, v.y = 2, v.z = 3, v.bulge = 0.5, v.flags = 32, v.start_width = 0.25f;
  v.end_width = 0.5f;
  v.index[0] = 1, v.index[3] = -4;
  full.vertices = {v, dxfVertex()};
  full.text = std::string("two\0lines", 9);
  full.name = "name";
  full.more().style = "ROMANS";
  full.more().layout = "Model";
  full.more().xdata = {{"ACAD", "1000 a; 1070 3"}, {"", ""}};
  made[4].kind = dxfKind::TEXT;
  made[4].more().style = "";

  dxfEntity& odd = made[2];
  odd.kind = dxfKind::LINE;
  odd.p[0] = {-0.0, 0.0, -0.0};
  odd.d40 = std::numeric_limits<double>::quiet_NaN();
  odd.a50 = -std::numeric_limits<double>::infinity();
  odd.linetype_scale = -0.0f;
  odd.extrusion = {0.0, 0.0, -0.0};

  dxfEntity& polyline = made[3];
  polyline.kind = dxfKind::LWPOLYLINE;
  for (int i = 0; i < 50; ++i) {
    dxfVertex bare;
    bare.x = i, bare.y = -i;
    polyline.vertices.push_back(bare);
  }
  return made;
}

dxfEntity copy_of(const dxfEntity& e, int line) {
  dxfEntity copy;
  copy.kind = e.kind, copy.part_of = e.part_of, copy.invisible = e.invisible;
  copy.paper_space = e.paper_space, copy.has_handle = e.has_handle, copy.graphics = e.graphics;
  copy.line = line;
  copy.linetype_scale = e.linetype_scale, copy.handle = e.handle, copy.layer = e.layer;
  copy.linetype = e.linetype, copy.colour = e.colour, copy.true_colour = e.true_colour;
  copy.lineweight = e.lineweight;
  std::copy(e.p, e.p + 4, copy.p);
  copy.extrusion = e.extrusion;
  copy.d40 = e.d40, copy.d41 = e.d41, copy.d42 = e.d42, copy.d43 = e.d43, copy.d44 = e.d44;
  copy.d45 = e.d45, copy.a50 = e.a50, copy.a51 = e.a51;
  copy.i70 = e.i70, copy.i71 = e.i71, copy.i72 = e.i72, copy.i73 = e.i73, copy.i74 = e.i74;
  copy.i69 = e.i69, copy.i68 = e.i68, copy.scale_given = e.scale_given;
  copy.vertices = e.vertices, copy.text = e.text, copy.name = e.name;
  if (e.extra) {
    copy.more().style = e.extra->style;
    copy.more().layout = e.extra->layout;
    copy.more().xdata = e.extra->xdata;
  }
  return copy;
}

bool any_record(const dxfEntity&) {
  return true;
}

bool only_lines(const dxfEntity& e) {
  return e.kind == dxfKind::LINE;
}

// A chunk and one record more, from the samples in turn: the first chunk
// is full, and packed when its records allow.
dxfEntityList filled(bool (*packable)(const dxfEntity&), const std::vector<dxfEntity>& from) {
  dxfEntityList list;
  list.set_packing(packable);
  for (size_t i = 0; i <= dxfEntityList::chunk_size; ++i)
    list.push_back(copy_of(from[i % from.size()], int(i)));
  return list;
}

TEST(dxfRecordPackingTest, PackedRecordsReadBackBitForBitAndUnpackWhenReached) {
  const std::vector<dxfEntity> made = samples();
  dxfEntityList list = filled(any_record, made);
  ASSERT_EQ(list.packed(0), 1);
  EXPECT_EQ(list.packed(1), 0); // the chunk being filled
  dxfEntity scratch;
  for (size_t i = 0; i < dxfEntityList::chunk_size; ++i)
    ASSERT_TRUE(same_record(list.read(i, scratch), copy_of(made[i % made.size()], int(i))));
  EXPECT_EQ(list.packed(0), 1); // reading one by one leaves the chunk packed
  const dxfEntity& first = list[0];
  EXPECT_EQ(list.packed(0), 0);
  EXPECT_EQ(list.held(0), 1);
  EXPECT_EQ(&list[0], &first);
  for (size_t i = 0; i < dxfEntityList::chunk_size; ++i)
    ASSERT_TRUE(same_record(list[i], copy_of(made[i % made.size()], int(i))));
  list.release_chunk(0);
  EXPECT_EQ(list.held(0), 0);
}

TEST(dxfRecordPackingTest, AChunkIsPackedOnlyWhenEachOfItsRecordsMayBe) {
  const std::vector<dxfEntity> made = samples();
  EXPECT_EQ(filled(only_lines, made).packed(0), 0);
  dxfEntityList list;
  list.set_packing(any_record);
  for (size_t i = 0; i <= dxfEntityList::chunk_size; ++i) {
    dxfEntity e = copy_of(made[0], int(i));
    if (i == 1)
      e.more().knots = {0.0, 1.0};
    list.push_back(std::move(e));
  }
  EXPECT_EQ(list.packed(0), 0);
  ASSERT_TRUE(list[1].extra);
  EXPECT_EQ(list[1].extra->knots.size(), 2u);
  dxfEntityList unpacked;
  for (size_t i = 0; i <= dxfEntityList::chunk_size; ++i)
    unpacked.push_back(copy_of(made[0], int(i)));
  EXPECT_EQ(unpacked.packed(0), 0); // no packing asked for
}

} // namespace
