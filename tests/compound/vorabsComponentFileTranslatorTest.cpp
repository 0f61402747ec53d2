// Tests of the component-file translator on real files in a temporary folder:
// how a referenced file is found, the messages of each outcome, the name
// space its items are made in, and assemblies that refer back to themselves.
#include "vorabsComponentFileTranslator.h"

#include "RecordingChannel.h"
#include "TempDir.h"
#include "TestHelpers.h"
#include "TextComponentFile.h"
#include "vorabsLibSinkTesterEx.h"
#include "vorabsTestInterfaceEx.h"
#include "vorabsTestLibInputEx.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using Texts = std::vector<std::string>;

class vorabsComponentFileTranslatorTest : public ::testing::Test {
protected:
  vorabsComponentFileTranslatorTest() { context.set_document(&document); }

  std::string write(const std::string& name, const std::string& text) {
    std::ofstream(folder.file(name)) << text;
    return folder.file(name);
  }
  std::shared_ptr<TextComponentFile> component(const std::string& name,
                                               const std::string& referencing = "") {
    output.messages.clear();
    error.messages.clear();
    return std::make_shared<TextComponentFile>(
        utString(name.c_str()), utString(referencing.c_str()), context, &output, &error);
  }
  // Reads the component and walks it as the only top-level object.
  vorabsStatus translate(const std::shared_ptr<TextComponentFile>& top) {
    top->add_translators();
    vorabsTestLibInputEx reader(nullptr);
    reader.set_error(&error);
    reader.set_output(&output);
    reader.add_translator(vorabsTranslatorcoPrf(top));
    vorabsTestInterfaceEx receiver(reader, sink);
    ++reader;
    return reader.send_to(vorabsAttributeSet(), receiver, sink).status();
  }
  // Without the folder's name.
  std::string strip(std::string text) const {
    for (size_t at; (at = text.find(folder.path() + "/")) != std::string::npos;)
      text.erase(at, folder.path().size() + 1);
    return text;
  }
  Texts texts(const RecordingChannel& channel) const {
    Texts result;
    for (const std::string& text : channel.texts())
      result.push_back(strip(text));
    return result;
  }
  // Each member of the group with the path of its name space.
  Texts members(const annNamedItem* group) const {
    Texts result;
    for (size_t i = 0; group && i < group->num_members(); ++i)
      result.push_back(strip(std::string(group->member(i)->name().c_str()) + " in " +
                             annNameSpacePath(group->member(i)->name_space()).text().c_str()));
    return result;
  }

  TempDir folder;
  annDocument document;
  vorabsContext context;
  RecordingChannel output;
  RecordingChannel error;
  vorabsLibSinkTesterEx sink{&document};
};

} // namespace

TEST_F(vorabsComponentFileTranslatorTest, NestedComponentsAreMadeInTheirOwnNameSpacesInTurn) {
  const std::string inner = write("inner.txt", "point 1 0 0\n");
  const std::string outer =
      write("outer.txt", "point 0 0 0\ncomponent " + inner + "\nnothing\npoint 2 0 0\n");
  auto top = component(outer);
  EXPECT_EQ(translate(top), vorabsSTATUS_OK);
  // Names that open as given are used unchanged, without a resolution line.
  EXPECT_EQ(texts(output), Texts({"Reading externally referenced file outer.txt.\n",
                                  "Reading externally referenced file inner.txt.\n"}));
  EXPECT_EQ(error.texts(), Texts());
  const annComponentFile* made = annComponentFile::sto_dynamic_cast(top->group().pointer());
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->component_file(), utString(outer.c_str()));
  EXPECT_TRUE(made->group_name().is_null());
  // The object without a translator is skipped; the group of each
  // component is made in the component's name space.
  EXPECT_EQ(members(made),
            Texts({"p1 in outer.txt", "inner.txt in outer.txt/inner.txt", "p2 in outer.txt"}));
  EXPECT_EQ(members(made->member(1)), Texts({"p1 in outer.txt/inner.txt"}));
  EXPECT_EQ(document.current_name_space(), nullptr);
}

TEST_F(vorabsComponentFileTranslatorTest, MissingFolderFallsBackOnTheReferencingFilesFolder) {
  std::filesystem::create_directory(folder.file("parts"));
  write("parts/bolt.txt", "point 0 0 0\n");
  auto top = component("no/such\\bolt.txt", folder.file("parts/assembly.txt"));
  EXPECT_EQ(translate(top), vorabsSTATUS_OK);
  EXPECT_EQ(texts(output),
            Texts({"Externally referenced file no/such\\bolt.txt was resolved to parts/bolt.txt.\n",
                   "Reading externally referenced file parts/bolt.txt.\n"}));
  // '\' ends the referencing file's folder too.
  const std::string odd = write("odd\\bolt.txt", "");
  EXPECT_EQ(
      top->resolve_file_name(utString(folder.file("odd\\a.txt").c_str()), utString("bolt.txt")),
      utString(odd.c_str()));
}

TEST_F(vorabsComponentFileTranslatorTest, UnusableFilesLeaveAnEmptyComponent) {
  std::filesystem::create_directory(folder.file("folder"));
  const std::string locked = write("locked.txt", "point 0 0 0\n");
  std::filesystem::permissions(locked, std::filesystem::perms::none);
  const bool locks = !std::ifstream(locked); // not for root
  for (const std::string& name : {folder.file("missing.txt"), folder.file("folder"), std::string(),
                                  locks ? locked : std::string()}) {
    EXPECT_EQ(component(name)->add_translators(), 0);
    EXPECT_EQ(texts(error),
              Texts({"Error : Unable to find externally referenced file " + strip(name) + ".\n"}));
    EXPECT_EQ(output.texts(), Texts());
  }
  auto unreadable = component(write("bad.txt", "point 0 0 0\ncircle 1\n"));
  EXPECT_EQ(unreadable->add_translators(), 0);
  EXPECT_EQ(texts(error), Texts({"Error : Unable to read externally referenced file bad.txt.\n"}));
  EXPECT_EQ(unreadable->num_top_level_translators(), 0);

  EXPECT_EQ(translate(component(write("empty.txt", ""))), vorabsSTATUS_IGNORED);
  EXPECT_EQ(texts(output), Texts({"Reading externally referenced file empty.txt.\n",
                                  "Warning : No objects read from externally referenced file "
                                  "empty.txt.\n",
                                  "Ignoring empty component empty.txt.\n"}));
  EXPECT_EQ(error.texts(), Texts());
}

TEST_F(vorabsComponentFileTranslatorTest, ReferenceBackToAFileInProgressFailsAndTheRestIsMade) {
  write("a.txt", "point 0 0 0\ncomponent b.txt\ncomponent c.txt\n");
  // The same file by another name.
  write("b.txt", "component " + folder.file("./a.txt") + "\npoint 1 0 0\n");
  write("c.txt", "component c.txt\npoint 2 0 0\n");
  auto top = component("a.txt", folder.file("top.txt"));
  EXPECT_EQ(translate(top), vorabsSTATUS_OK);
  EXPECT_EQ(texts(error),
            Texts({"Error : Circular reference to externally referenced file ./a.txt is not "
                   "followed.\n",
                   "Error : Circular reference to externally referenced file c.txt is not "
                   "followed.\n",
                   "Error : 1 of the 2 geometry items in component b.txt could not be "
                   "translated.\n",
                   "Error : 1 of the 2 geometry items in component c.txt could not be "
                   "translated.\n"}));
  EXPECT_EQ(members(top->group().pointer()),
            Texts({"p1 in a.txt", "b.txt in a.txt/b.txt", "c.txt in a.txt/c.txt"}));
  EXPECT_EQ(members(top->group()->member(1)), Texts({"p1 in a.txt/b.txt"}));
}
