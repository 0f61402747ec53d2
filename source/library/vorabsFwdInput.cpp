// vorabsFwdInput.cpp - a source that passes every call on to the source it wraps.
#include "vorabsFwdInput.h"

vorabsFwdInput::~vorabsFwdInput() = default;

void vorabsFwdInput::set_output(vorabsOutput* output) {
  output_ = output;
  wrapped_->set_output(output);
}

void vorabsFwdInput::set_error(vorabsOutput* error) {
  error_ = error;
  wrapped_->set_error(error);
}

const char* vorabsFwdInput::library_name() const {
  return wrapped_->library_name();
}

const char* vorabsFwdInput::option() const {
  return wrapped_->option();
}

int vorabsFwdInput::database_number() const {
  return wrapped_->database_number();
}

void vorabsFwdInput::add_file_types(intcoSet& types) const {
  wrapped_->add_file_types(types);
}

void vorabsFwdInput::add_extensions(utStringcoSet& extensions) const {
  wrapped_->add_extensions(extensions);
}

const char* vorabsFwdInput::file_filter() const {
  return wrapped_->file_filter();
}

const char* vorabsFwdInput::format_name() const {
  return wrapped_->format_name();
}

int vorabsFwdInput::operator++() {
  return ++*wrapped_;
}

int vorabsFwdInput::num_objects() const {
  return wrapped_->num_objects();
}

void vorabsFwdInput::attributes(vorabsAttributeSet& attributes) const {
  wrapped_->attributes(attributes);
}

vorabsTranslationStatus vorabsFwdInput::send_to(const vorabsAttributeSet& attributes,
                                                vorabsInterface& receiver,
                                                vorabsLibSink& sink) const {
  return wrapped_->send_to(attributes, receiver, sink);
}
