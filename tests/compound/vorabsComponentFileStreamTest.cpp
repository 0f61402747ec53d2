// Tests of the stream a component file is found through and handed on to its reader.
#include "RecordingChannel.h"
#include "TempDir.h"
#include "TextComponentFile.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

// Looks at other.txt first and then names the file it was asked for, as a
// reader with its own search rules might.
class LooksElsewhereFirst : public TextComponentFile {
public:
  using TextComponentFile::TextComponentFile;

protected:
  utString resolve_file_name(const utString& referencing_file, const utString& file) override {
    TextComponentFile::resolve_file_name(referencing_file, utString("other.txt"));
    return file;
  }
};

} // namespace

TEST(vorabsComponentFileStreamTest, OnlyTheResolvedFileIsHandedOn) {
  TempDir folder;
  std::ofstream(folder.file("other.txt")) << "point 0 0 0\npoint 1 0 0\n";
  std::ofstream(folder.file("part.txt")) << "point 2 0 0\n";
  annDocument document;
  vorabsContext context;
  context.set_document(&document);
  RecordingChannel channel;
  LooksElsewhereFirst component(utString(folder.file("part.txt").c_str()),
                                utString(folder.file("top.txt").c_str()), context, &channel,
                                &channel);
  EXPECT_EQ(component.add_translators(), 1);
  // Read by its own name: the stream opened for the other file is not used.
  EXPECT_EQ(component.num_top_level_translators(), 1);
}
