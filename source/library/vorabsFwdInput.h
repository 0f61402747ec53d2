// vorabsFwdInput.h - a source that stands in front of another source and passes every call on.
//
// A format library derives from it and overrides only what it wants to
// change; everything else reaches the wrapped source unchanged, statuses
// and messages included. The channels set on the forwarder are kept in its
// own fields before they are passed on, so that a derived forwarder finds
// them there. The wrapped source is not owned and must outlive the
// forwarder; the forwarder has no category of its own.
#pragma once

#include "vorabs_export.h"

#include "vorabsLibSource.h"

class VORABS_API vorabsFwdInput : public vorabsLibSource {
public:
  explicit vorabsFwdInput(vorabsLibSource* wrapped) : wrapped_(wrapped) {}
  ~vorabsFwdInput() override;

  void set_output(vorabsOutput* output) override;
  void set_error(vorabsOutput* error) override;
  const char* library_name() const override;
  const char* option() const override;
  int database_number() const override;
  void add_file_types(intcoSet& types) const override;
  void add_extensions(utStringcoSet& extensions) const override;
  const char* file_filter() const override;
  const char* format_name() const override;
  int operator++() override;
  int num_objects() const override;
  void attributes(vorabsAttributeSet& attributes) const override;
  vorabsTranslationStatus send_to(const vorabsAttributeSet& attributes, vorabsInterface& receiver,
                                  vorabsLibSink& sink) const override;

  vorabsLibSource* wrapped() const { return wrapped_; }
  vorabsOutput* output() const { return output_; }
  vorabsOutput* error() const { return error_; }

private:
  vorabsLibSource* wrapped_;
  vorabsOutput* output_ = nullptr;
  vorabsOutput* error_ = nullptr;
};
