// DxfRoundTrip.h - reading a DXF file, writing what came with the DXF writer, and comparing.
//
// A round trip reads a file through the reader the host's way, sends what
// comes to the writer, and reads the written file again. same_reading
// compares two readings entity by entity: kinds, layers, colours, curve
// fonts, widths and visibility (names hold handles, which a writer gives
// anew), the positions sampled along every curve and at every point and
// node (equal within 1e-9 relative), and the counts per DXF type of what
// the reader translates.
#pragma once

#include "DxfHarness.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Every message of channel, one after the other.
std::string all(const RecordingChannel& channel);
// Reads in and writes what the reader sends to out; nonzero when written.
int convert(const std::string& in, const std::string& out, RecordingChannel& error,
            const char* version = "AC1024", const char* code_page = "ANSI_1252");
// The positions sampled along the curves and at the points of a file.
std::vector<double> samples(const std::string& path);
// What each entity of a reading carries but its name.
std::vector<std::string> looks(const DxfRead& read);
// Both files read the same.
::testing::AssertionResult same_reading(const std::string& first, const std::string& second);
