// readmeSnippetsTest.cpp - every C++ snippet of the README compiles, and the host one reads the
// sample.
//
// The snippets are taken from the README at build time
// (extract_snippets.py), so a snippet that stops compiling fails the build.
#include "dxfLibInput.h"
#include "vorabsAttributePtr.h"
#include "vorabsDocumentSink.h"
#include "vorabsHostReceiver.h"
#include "vorabsIfStream.h"
#include "vorabsSelfCheckGTest.h"
#include "vorabsTestTranslation.h"

#include "utUnitTest.h"

#include <gtest/gtest.h>

#include <iostream>

// Named, not anonymous: snippets that no test calls are compiled all the same.
namespace readme {

// What a snippet does with a value it has read.
template <class T> void use(const T&) {}

#include "readme_snippets.h"

} // namespace readme

namespace {

using readme::read_into_document;

TEST(readmeSnippetsTest, TheHostSnippetReadsTheSampleIntoADocument) {
  annDocument document;
  EXPECT_EQ(read_into_document(VORABS_SOURCE_DIR "/samples/bracket.dxf", document), 134);
  EXPECT_GT(document.num_items(), 50u);
  EXPECT_EQ(read_into_document(VORABS_SOURCE_DIR "/no-such.dxf", document), -1);
  EXPECT_EQ(read_into_document(VORABS_SOURCE_DIR "/README.md", document), -1); // no DXF at all
}

} // namespace
