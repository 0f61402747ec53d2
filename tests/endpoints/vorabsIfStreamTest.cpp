// Tests of the input file stream and the channel pair handed to readers and writers.
#include "vorabsIfStream.h"
#include "vorabsStream.h"

#include "RecordingChannel.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

TEST(vorabsIfStreamTest, WithoutANameTheStreamIsInvalid) {
  vorabsIfStream stream(nullptr);
  EXPECT_TRUE(stream.invalid());
  EXPECT_TRUE(stream.file_name().is_null());
  EXPECT_FALSE(stream.stream().is_open());
}

TEST(vorabsIfStreamTest, AMissingFileIsValidUntilOpeningFails) {
  TempDir dir;
  const std::string missing = dir.file("missing.dat");
  vorabsIfStream stream(missing.c_str());
  EXPECT_FALSE(stream.invalid());
  EXPECT_EQ(std::string(stream.file_name().c_str()), missing);
  EXPECT_FALSE(stream.stream().is_open());

  EXPECT_EQ(stream.open_stream(), 0);
  EXPECT_TRUE(stream.invalid());
  EXPECT_EQ(stream.close_stream(), 0);

  // initialise names a stream made without a name; it does not open it.
  vorabsIfStream later(nullptr);
  later.initialise(utString(missing.c_str()));
  EXPECT_FALSE(later.invalid());
  EXPECT_FALSE(later.stream().is_open());
}

TEST(vorabsIfStreamTest, OpensAFileOnceAndReadsItInBinary) {
  TempDir dir;
  const std::string path = dir.file("model.dat");
  std::ofstream(path, std::ios::binary) << "line one\r\nline two\n";
  vorabsIfStream stream(path.c_str());
  ASSERT_EQ(stream.open_stream(), 1);
  EXPECT_FALSE(stream.invalid());
  char first[5] = {};
  stream.stream().read(first, 4);
  EXPECT_EQ(std::string(first), "line");

  // Opening an open stream keeps its position: it is not opened again.
  EXPECT_EQ(stream.open_stream(), 1);
  std::string rest((std::istreambuf_iterator<char>(stream.stream())),
                   std::istreambuf_iterator<char>());
  EXPECT_EQ(rest, " one\r\nline two\n");
  // Reading past the end leaves the stream invalid.
  EXPECT_EQ(stream.stream().get(), std::char_traits<char>::eof());
  EXPECT_TRUE(stream.invalid());
  EXPECT_EQ(stream.open_stream(), 0);

  vorabsIfStream again(path.c_str());
  ASSERT_EQ(again.open_stream(), 1);
  EXPECT_EQ(again.close_stream(), 1);
  EXPECT_FALSE(again.stream().is_open());
  EXPECT_FALSE(again.invalid());
  EXPECT_EQ(again.open_stream(), 1);
  EXPECT_EQ(again.stream().get(), 'l');
}

TEST(vorabsStreamTest, HoldsAndResetsTheTwoChannels) {
  vorabsStream stream;
  EXPECT_EQ(stream.output_stream(), nullptr);
  EXPECT_EQ(stream.error_stream(), nullptr);
  RecordingChannel output, error;
  stream.set_output(&output);
  stream.set_error(&error);
  EXPECT_EQ(stream.output_stream(), &output);
  EXPECT_EQ(stream.error_stream(), &error);
  stream.reset_output();
  EXPECT_EQ(stream.output_stream(), nullptr);
  EXPECT_EQ(stream.error_stream(), &error);
  stream.reset_error();
  EXPECT_EQ(stream.error_stream(), nullptr);
}
