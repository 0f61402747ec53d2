// dxfRoundTripTest.cpp - read, write, read again: nothing lost, on files nobody here wrote.
//
// The bundled sample, drawings ezdxf writes in an old and a new version,
// and the 200,000-entity benchmark drawing when DXF_ROUNDTRIP_FILE names
// it (made by ../shared/data/gen_dxf.py, never checked in; a few minutes
// under the sanitizers).
// Where Debian's ezdxf is installed, it also compares the original and the
// written file entity by entity as an outside oracle.
#include "DxfRoundTrip.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

bool have_ezdxf() {
  return std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") == 0;
}

// What the reader translates, for the oracle to compare.
const char* const written_kinds =
    "LINE,ARC,CIRCLE,ELLIPSE,LWPOLYLINE,POLYLINE,SPLINE,POINT,3DFACE,SOLID,INSERT";

void expect_round_trip(const std::string& in, const TempDir& folder, const char* version) {
  SCOPED_TRACE(in + " as " + version);
  std::string out = folder.file("written.dxf");
  RecordingChannel error;
  ASSERT_TRUE(convert(in, out, error, version)) << all(error);
  EXPECT_TRUE(same_reading(in, out)) << all(error);
  if (have_ezdxf()) {
    std::string oracle = "/usr/bin/python3 " VORABS_SOURCE_DIR "/tests/dxf/ezdxf_compare.py " + in +
                         " " + out + " " + written_kinds;
    EXPECT_EQ(std::system(oracle.c_str()), 0);
  }
}

TEST(dxfRoundTripTest, TheSampleAndEzdxfDrawingsComeBackAsTheyWere) {
  TempDir folder;
  expect_round_trip(VORABS_SOURCE_DIR "/samples/bracket.dxf", folder, "AC1024");
  expect_round_trip(VORABS_SOURCE_DIR "/samples/bracket.dxf", folder, "AC1015");
  if (!have_ezdxf())
    return;
  for (const char* version : {"R2000", "R2018"}) {
    std::string made = folder.file(std::string(version) + ".dxf");
    std::string command = "/usr/bin/python3 " VORABS_SOURCE_DIR "/samples/dxf_sample.py " + made +
                          " " + version + " >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    expect_round_trip(made, folder, "AC1027");
  }
}

TEST(dxfRoundTripTest, TheBenchmarkDrawingComesBackAsItWas) {
  const char* named = std::getenv("DXF_ROUNDTRIP_FILE");
  std::string path = named ? named : "";
  if (path.empty() || access(path.c_str(), R_OK) != 0)
    GTEST_SKIP() << "DXF_ROUNDTRIP_FILE names no file: make one with ../shared/data/gen_dxf.py";
  TempDir folder;
  expect_round_trip(path, folder, "AC1024");
}

} // namespace
