// The ready-made unlinked solid over the sink tester: the solid keeps the
// single faces the sink tester builds, and names itself parent.
#include "vorabsTestUnlinkedSolidTranslator.h"

#include "TestHelpers.h"
#include "vorabsLibSinkTesterEx.h"
#include "vorabsTestFaceTranslator.h"
#include "vorabsTestInterfaceEx.h"
#include "vorabsTestLibInputEx.h"

#include <gtest/gtest.h>

TEST(vorabsTestUnlinkedSolidTranslatorTest, KeepsTheSingleFacesTheSinkTesterBuilds) {
  annDocument document;
  vorabsContext context;
  context.set_document(&document);
  auto solid = std::make_shared<vorabsTestUnlinkedSolidTranslator>(context, utString("solid"));
  for (int faces : {1, 2, 1}) // the two-face topology is dropped
    solid->add_translator(vorabsTranslatorcoPrf(
        new vorabsTestFaceTranslator(context, utString("F") << faces, planes(faces))));
  vorabsAttributeSet own;
  solid->attributes(own);
  utStringvorabsAttributePtr parent;
  ASSERT_TRUE(own.get(vorabsPARENT, parent));
  EXPECT_EQ(*parent, utString("solid"));

  vorabsTestLibInputEx reader(nullptr);
  reader.add_translator(vorabsTranslatorcoPrf(solid));
  vorabsLibSinkTesterEx sink(&document);
  vorabsTestInterfaceEx receiver(reader, sink);
  ASSERT_TRUE(++reader);
  EXPECT_EQ(reader.send_to(vorabsAttributeSet(), receiver, sink).status(), vorabsSTATUS_OK);
  const annUnlinkedSolid* made =
      annUnlinkedSolid::sto_dynamic_cast(sink.current_annotation().pointer());
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->num_members(), 2u);
}
