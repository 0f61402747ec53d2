// vorabsFwdOutput.cpp - a sink that passes every call on to the sink it wraps.
#include "vorabsFwdOutput.h"

vorabsFwdOutput::~vorabsFwdOutput() = default;

void vorabsFwdOutput::set_output(vorabsOutput* output) {
  vorabsLibSink::set_output(output);
  wrapped_->set_output(output);
}

void vorabsFwdOutput::set_error(vorabsOutput* error) {
  vorabsLibSink::set_error(error);
  wrapped_->set_error(error);
}

void vorabsFwdOutput::set_application_info(const vorabsAppInfo* info) {
  vorabsLibSink::set_application_info(info);
  wrapped_->set_application_info(info);
}

const char* vorabsFwdOutput::library_name() const {
  return wrapped_->library_name();
}

const char* vorabsFwdOutput::option() const {
  return wrapped_->option();
}

int vorabsFwdOutput::database_number() const {
  return wrapped_->database_number();
}

void vorabsFwdOutput::add_file_types(intcoSet& types) const {
  wrapped_->add_file_types(types);
}

void vorabsFwdOutput::add_extensions(utStringcoSet& extensions) const {
  wrapped_->add_extensions(extensions);
}

const char* vorabsFwdOutput::file_filter() const {
  return wrapped_->file_filter();
}

const char* vorabsFwdOutput::format_name() const {
  return wrapped_->format_name();
}

vorabsTranslationStatus vorabsFwdOutput::curve3(const velCurvePtr3& curve,
                                                const vorabsAttributeSet& attributes) {
  return wrapped_->curve3(curve, attributes);
}

vorabsTranslationStatus vorabsFwdOutput::surface(const velSurfPtr& surface,
                                                 const vorabsAttributeSet& attributes) {
  return wrapped_->surface(surface, attributes);
}

vorabsTranslationStatus vorabsFwdOutput::topology(const topTopologyPtr& topology,
                                                  const vorabsAttributeSet& attributes) {
  return wrapped_->topology(topology, attributes);
}

vorabsTranslationStatus vorabsFwdOutput::workplane3(const giWorkplane3& workplane,
                                                    const vorabsAttributeSet& attributes) {
  return wrapped_->workplane3(workplane, attributes);
}

vorabsTranslationStatus vorabsFwdOutput::point3(const giPoint3& point,
                                                const vorabsAttributeSet& attributes) {
  return wrapped_->point3(point, attributes);
}

vorabsTranslationStatus vorabsFwdOutput::triblock(const giTriBlock& block,
                                                  const vorabsAttributeSet& attributes) {
  return wrapped_->triblock(block, attributes);
}

vorabsTranslationStatus vorabsFwdOutput::annotation(const annNamedItemPtr& item,
                                                    const vorabsAttributeSet& attributes) {
  return wrapped_->annotation(item, attributes);
}

vorabsTranslationStatus vorabsFwdOutput::body(const aqtIBodycoPrf& body,
                                              const vorabsAttributeSet& attributes) {
  return wrapped_->body(body, attributes);
}

annNamedItemPtr vorabsFwdOutput::current_annotation() {
  return wrapped_->current_annotation();
}

int vorabsFwdOutput::valid_units(vorLengthUnit& unit) const {
  return wrapped_->valid_units(unit);
}

int vorabsFwdOutput::supported(const vorabsAttributeSet& attributes) const {
  return wrapped_->supported(attributes);
}
