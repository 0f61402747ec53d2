// vorabsFwdOutput.h - a sink that stands in front of another sink and passes every call on.
//
// A format library derives from it and overrides only what it wants to
// change; everything else reaches the wrapped sink unchanged, statuses,
// messages and unit proposals included. The channels and the application
// information set on the forwarder are stored as any sink stores them
// before they are passed on. invalid() and translator_category() are the
// forwarder's own: 0 and empty. The wrapped sink is not owned and must
// outlive the forwarder.
#pragma once

#include "vorabs_export.h"

#include "vorabsLibSink.h"

class VORABS_API vorabsFwdOutput : public vorabsLibSink {
public:
  explicit vorabsFwdOutput(vorabsLibSink* wrapped) : wrapped_(wrapped) {}
  ~vorabsFwdOutput() override;

  void set_output(vorabsOutput* output) override;
  void set_error(vorabsOutput* error) override;
  const char* library_name() const override;
  const char* option() const override;
  int database_number() const override;
  void add_file_types(intcoSet& types) const override;
  void add_extensions(utStringcoSet& extensions) const override;
  const char* file_filter() const override;
  const char* format_name() const override;

  vorabsTranslationStatus curve3(const velCurvePtr3& curve,
                                 const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus surface(const velSurfPtr& surface,
                                  const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus topology(const topTopologyPtr& topology,
                                   const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus workplane3(const giWorkplane3& workplane,
                                     const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus point3(const giPoint3& point,
                                 const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus triblock(const giTriBlock& block,
                                   const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus annotation(const annNamedItemPtr& item,
                                     const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus body(const aqtIBodycoPrf& body,
                               const vorabsAttributeSet& attributes) override;
  annNamedItemPtr current_annotation() override;
  int valid_units(vorLengthUnit& unit) const override;
  void set_application_info(const vorabsAppInfo* info) override;
  int supported(const vorabsAttributeSet& attributes) const override;

  vorabsLibSink* wrapped() const { return wrapped_; }

private:
  vorabsLibSink* wrapped_;
};
