// Tests of the external context, which hands its channels to a converter,
// and of the body editor that edits nothing.
#include "kapDefaultBodyEditor.h"
#include "kapExternalContext.h"
#include "kapExternalConverterWithStreams.h"

#include "RecordingChannel.h"
#include "TestHelpers.h"

#include <gtest/gtest.h>

#include <string>
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

} // namespace

TEST(kapAuxiliaryRecordTest, ExternalContextHandsItsOwnChannelsToTheConverter) {
  RecordingChannel output;
  RecordingChannel error;
  kapExternalContext context(&output, &error);
  Converter converter;
  EXPECT_EQ(context.face_topology(7, converter)->num_faces(), 1);
  EXPECT_EQ(context.body_topology(9, converter)->num_faces(), 2);
  ASSERT_EQ(converter.calls.size(), 2u);
  for (const Converter::Call& call : converter.calls)
    EXPECT_EQ(call.kind + std::to_string(call.id) + (call.output == &output ? " out" : "") +
                  (call.error == &error ? " err" : ""),
              &call == &converter.calls[0] ? "face7 out err" : "body9 out err");
}

TEST(kapAuxiliaryRecordTest, DefaultEditorEditsNothingAndLeavesTheFacesUnread) {
  aqtIBodycoPrf body(new aqtIBody());
  body->add_shell(*planes(2));
  const kapDefaultBodyEditor editor;
  kapBodyEditStatus status = kapBODY_EDIT_DONE;
  EXPECT_TRUE(editor.copy(body, status).invalid());
  EXPECT_EQ(status, kapBODY_EDIT_NOT_DONE);
  // A copy of the iterator, which shares its position, still starts at the
  // first face.
  std::vector<aqtIFacecoPrf> faces{aqtIFacecoPrf(new aqtIFace(body->shell(0).face(0), 0))};
  coiIterator<aqtIFacecoPrf> walk(faces.begin(), faces.end());
  status = kapBODY_EDIT_DONE;
  EXPECT_TRUE(editor.subset_body(body, walk, status).invalid());
  EXPECT_EQ(status, kapBODY_EDIT_NOT_DONE);
  aqtIFacecoPrf face;
  EXPECT_EQ(walk.next(face), 1);
  EXPECT_EQ(face, faces[0]);
}
