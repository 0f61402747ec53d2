// Tests of the external context, which hands its channels to a converter,
// and of the body editor that edits nothing.
#include "kapDefaultBodyEditor.h"
#include "kapExternalContext.h"
#include "kapExternalConverterWithStreams.h"
#include "kapILoopChecker.h"

#include "RecordingChannel.h"
#include "TestHelpers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class Converter : public kapExternalConverterWithStreams {
public:
  topTopologyPtr make_face_topology(int id, vorabsOutput* out, vorabsOutput* err) const override {
    calls.push_back({"face", id, out, err});
    return planes(1);
  }
  topTopologyPtr make_body_topology(int id, vorabsOutput* out, vorabsOutput* err) const override {
    calls.push_back({"body", id, out, err});
    return planes(2);
  }
  struct Call {
    std::string kind;
    int id;
    vorabsOutput* output;
    vorabsOutput* error;
  };
  mutable std::vector<Call> calls;
};

class AcceptAll : public kapILoopChecker {
public:
  int accept_loop(const aqtIFacecoPrf&, int) const override { return 1; }
};

} // namespace

TEST(kapAuxiliaryRecordTest, ExternalContextHandsItsOwnChannelsToTheConverter) {
  RecordingChannel output;
  RecordingChannel error;
  kapExternalContext context(&output, &error);
  Converter converter;
  EXPECT_EQ(context.face_topology(7, converter)->num_faces(), 1);
  EXPECT_EQ(context.body_topology(9, converter)->num_faces(), 2);
  ASSERT_EQ(converter.calls.size(), 2u);
  EXPECT_EQ(converter.calls[0].kind, "face");
  EXPECT_EQ(converter.calls[0].id, 7);
  EXPECT_EQ(converter.calls[1].kind, "body");
  EXPECT_EQ(converter.calls[1].id, 9);
  for (const Converter::Call& call : converter.calls) {
    EXPECT_EQ(call.output, &output);
    EXPECT_EQ(call.error, &error);
  }
}

TEST(kapAuxiliaryRecordTest, DefaultEditorReportsNotDoneAndAnEmptyBodyForEveryEdit) {
  aqtIBodycoPrf body(new aqtIBody());
  body->add_shell(*planes(2));
  const kapDefaultBodyEditor editor;
  kapBodyEditStatus status = kapBODY_EDIT_DONE;
  EXPECT_TRUE(editor.copy(body, status).invalid());
  EXPECT_EQ(status, kapBODY_EDIT_NOT_DONE);
  status = kapBODY_EDIT_DONE;
  EXPECT_TRUE(editor.scale(body, 2.0, status).invalid());
  EXPECT_EQ(status, kapBODY_EDIT_NOT_DONE);

  status = kapBODY_EDIT_DONE;
  int first = 7, second = 7, third = 7;
  EXPECT_TRUE(editor.check_loops(body, AcceptAll(), first, second, third, status).invalid());
  EXPECT_EQ(status, kapBODY_EDIT_NOT_DONE);
  EXPECT_EQ(first + second + third, 0);

  status = kapBODY_EDIT_DONE;
  coVariableArr<aqtIBodycoPrf> pieces;
  editor.connected_faces(body, coiFiller<aqtIBodycoPrf>::into(pieces), status);
  EXPECT_EQ(status, kapBODY_EDIT_NOT_DONE);
  EXPECT_TRUE(pieces.empty());

  // The faces are dropped unread: a copy of the iterator, which shares its
  // position, still starts at the first face.
  std::vector<aqtIFacecoPrf> faces{aqtIFacecoPrf(new aqtIFace(body->shell(0).face(0), 0))};
  coiIterator<aqtIFacecoPrf> walk(faces.begin(), faces.end());
  status = kapBODY_EDIT_DONE;
  EXPECT_TRUE(editor.subset_body(body, walk, status).invalid());
  EXPECT_EQ(status, kapBODY_EDIT_NOT_DONE);
  aqtIFacecoPrf face;
  EXPECT_EQ(walk.next(face), 1);
  EXPECT_EQ(face, faces[0]);
}
