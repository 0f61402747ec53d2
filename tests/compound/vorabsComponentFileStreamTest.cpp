// Tests of the stream a component file is found through and handed on to its reader.
#include "RecordingChannel.h"
#include "TempDir.h"
#include "TextComponentFile.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

// Looks at another file first and then names the one it was asked for, as
// a reader with its own search rules might.
class LooksElsewhereFirst : public TextComponentFile {
public:
  LooksElsewhereFirst(const std::string& elsewhere, const std::string& file,
                      const vorabsContext& context, vorabsOutput* channel)
      : TextComponentFile(utString(file.c_str()), utString(""), context, channel, channel),
        elsewhere_(elsewhere.c_str()) {}

protected:
  utString resolve_file_name(const utString& referencing_file, const utString& file) override {
    TextComponentFile::resolve_file_name(referencing_file, elsewhere_);
    return file;
  }

private:
  utString elsewhere_;
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
  auto component = std::make_shared<LooksElsewhereFirst>(
      folder.file("other.txt"), folder.file("part.txt"), context, &channel);
  EXPECT_EQ(component->add_translators(), 1);
  // Read by its own name: the stream opened for the other file is not used.
  EXPECT_EQ(component->num_top_level_translators(), 1);
}
