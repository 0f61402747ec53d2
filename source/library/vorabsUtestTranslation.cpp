// vorabsUtestTranslation.cpp - runs a reader it owns over one file into a sink tester.
#include "vorabsUtestTranslation.h"

#include "vorabsTestInterfaceEx.h"

#include "utUnitTest.h"

vorabsUtestTranslation::vorabsUtestTranslation(const utString& file_name,
                                               std::unique_ptr<vorabsLibInputEx> input,
                                               utUnitTest& reporter)
    : file_name_(file_name), channel_(reporter.get_ostream()), stream_(file_name.c_str()),
      document_(utString("vorabsUtestTranslation")), sink_(&document_), input_(std::move(input)) {
  context_.set_document(&document_);
  if (!input_)
    return;
  input_->set_error(&channel_);
  input_->set_output(&channel_);
}

vorabsUtestTranslation::~vorabsUtestTranslation() = default;

bool vorabsUtestTranslation::translate_everything() {
  if (!input_)
    return false;
  // The reader sees whether the file opened in the stream's state.
  stream_.open_stream();
  if (!input_->read_input(context_, stream_))
    return false;
  const vorabsAttributeSet inherited;
  vorabsTestInterfaceEx receiver(*input_, sink_);
  while (++*input_) {
    sink_.prepare_for_new_geometry();
    const vorabsTranslationStatus status = input_->send_to(inherited, receiver, sink_);
    if (status == vorabsSTATUS_FAILED)
      return false;
    if (status == vorabsSTATUS_OK)
      ++passed_;
  }
  return true;
}
