// dxflib_parse.cpp - dxflib's bare parse of one file, as a whole process.
//
// The baseline bench/whole_process.sh runs beside the command: dxflib reads
// the file into a creation adapter that only counts what it is given, so the
// process pays for reading and parsing and keeps nothing. Built only where
// libdxflib-dev is installed. Usage: dxflib_parse FILE; prints the count.
#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>

#include <cstdio>

namespace {

class Counter : public DL_CreationAdapter {
public:
  void addLine(const DL_LineData&) override { ++entities; }
  void addArc(const DL_ArcData&) override { ++entities; }
  void addCircle(const DL_CircleData&) override { ++entities; }
  void addPolyline(const DL_PolylineData&) override { ++entities; }
  void addVertex(const DL_VertexData&) override { ++vertices; }
  void addPoint(const DL_PointData&) override { ++entities; }
  void addText(const DL_TextData&) override { ++entities; }
  void addInsert(const DL_InsertData&) override { ++entities; }
  long entities = 0;
  long vertices = 0;
};

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: dxflib_parse FILE\n");
    return 2;
  }
  Counter counter;
  DL_Dxf dxf;
  if (!dxf.in(argv[1], &counter)) {
    std::fprintf(stderr, "dxflib_parse: cannot read %s\n", argv[1]);
    return 1;
  }
  std::printf("%ld entities, %ld vertices\n", counter.entities, counter.vertices);
  return 0;
}
