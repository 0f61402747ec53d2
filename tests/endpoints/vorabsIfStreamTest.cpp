// Tests of the input file stream.
#include "vorabsIfStream.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

TEST(vorabsIfStreamTest, ANamedStreamIsValidUntilOpeningFails) {
  vorabsIfStream nameless(nullptr);
  EXPECT_TRUE(nameless.invalid());
  EXPECT_TRUE(nameless.file_name().is_null());

  TempDir dir;
  const std::string missing = dir.file("missing.dat");
  vorabsIfStream stream(missing.c_str());
  EXPECT_FALSE(stream.invalid());
  EXPECT_EQ(std::string(stream.file_name().c_str()), missing);
  EXPECT_EQ(stream.open_stream(), 0);
  EXPECT_TRUE(stream.invalid());
  EXPECT_EQ(stream.close_stream(), 0);

  // initialise names a stream made without a name; it does not open it.
  nameless.initialise(utString(missing.c_str()));
  EXPECT_FALSE(nameless.invalid());
  EXPECT_FALSE(nameless.stream().is_open());
}

TEST(vorabsIfStreamTest, OpensAFileOnceAndReadsItInBinary) {
  TempDir dir;
  const std::string path = dir.file("model.dat");
  std::ofstream(path, std::ios::binary) << "line one\r\nline two\n";
  vorabsIfStream stream(path.c_str());
  ASSERT_EQ(stream.open_stream(), 1);
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
