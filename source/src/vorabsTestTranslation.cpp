// vorabsTestTranslation.cpp - the self-check driver: runs a reader over one file and checks it.
#include "vorabsTestTranslation.h"

#include "vorabsContext.h"
#include "vorabsIfStream.h"
#include "vorabsLibInput.h"
#include "vorabsTestExpectedObjects.h"
#include "vorabsTestInterfaceEx.h"

#include "utUnitTest.h"

namespace {

const char* const source_file = "source/src/vorabsTestTranslation";

} // namespace

vorabsTestTranslation::vorabsTestTranslation(utUnitTest& reporter, vorabsLibInput& input,
                                             const utString& file_name)
    : reporter_(&reporter), input_(&input), file_name_(file_name), channel_(reporter.get_ostream()),
      sink_(&document_) {}

vorabsTestTranslation::~vorabsTestTranslation() = default;

void vorabsTestTranslation::check(int passed, const char* expression, int line, const char* message,
                                  const char* function) {
  reporter_->utest_handler(passed, expression, source_file, line, message, function);
}

void vorabsTestTranslation::translate_file() {
  vorabsIfStream input_stream(file_name_.c_str());
  input_stream.open_stream();
  input_->set_error(&channel_);
  input_->set_output(&channel_);

  vorabsContext context;
  context.set_document(&document_);
  check(input_->read_input(context, input_stream), "m_input->read_input(context, input_stream)",
        __LINE__, "translate_file | file didnt read ok", "vorabsTestTranslation::translate_file");

  const vorabsAttributeSet inherited;
  vorabsTestInterfaceEx receiver(*input_, sink_);
  while (++*input_) {
    const vorabsTranslationStatus status = input_->send_to(inherited, receiver, sink_);
    check(status != vorabsSTATUS_FAILED, "status != vorabsSTATUS_FAILED", __LINE__,
          "translate_file | sent the object ok", "vorabsTestTranslation::translate_file");
  }
  completed_ = 1;
}

void vorabsTestTranslation::check_objects(const vorabsTestExpectedObjects& objects) {
  const char* const function = "vorabsTestTranslation::check_objects";
  check(objects.compare_number_of_topologies(sink_.number_of_topologies()),
        "objects.compare_number_of_topologies(topologies)", __LINE__,
        "vorabsTestTranslation::check_objects | number of topologies", function);
  check(objects.compare_number_of_curves3(sink_.number_of_curves3()),
        "objects.compare_number_of_curves3(curves3)", __LINE__,
        "vorabsTestTranslation::check_objects | number of curves3", function);
  check(objects.compare_number_of_points(sink_.number_of_points3()),
        "objects.compare_number_of_points(points)", __LINE__,
        "vorabsTestTranslation::check_objects | number of points", function);
  check(objects.compare_number_of_surfaces(sink_.number_of_surfaces()),
        "objects.compare_number_of_surfaces(surfaces)", __LINE__,
        "vorabsTestTranslation::check_objects | number of surfaces", function);
  check(objects.compare_number_of_triblocks(sink_.number_of_triblocks()),
        "objects.compare_number_of_triblocks(triblocks)", __LINE__,
        "vorabsTestTranslation::check_objects | number of triblocks", function);
  check(objects.compare_number_of_workplane3(sink_.number_of_workplane3()),
        "objects.compare_number_of_workplane3(workplane3)", __LINE__,
        "vorabsTestTranslation::check_objects | number of workplane3", function);
  check(objects.check_num_of_objects(input_->num_objects()),
        "objects.check_num_of_objects(num_objects)", __LINE__,
        "vorabsTestTranslation::check_objects | number of objects", function);
}
