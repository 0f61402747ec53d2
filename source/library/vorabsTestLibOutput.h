// vorabsTestLibOutput.h - an output endpoint of fixed identity that accepts everything.
//
// For checks: every geometric and annotation entity is accepted without
// being stored (bodies keep the default refusal), every attribute set is
// supported, and write succeeds.
#pragma once

#include "vorabsLibOutput.h"

class VORABS_API vorabsTestLibOutput : public vorabsLibOutput {
public:
  vorabsTestLibOutput(vorabsOfStream* stream, const vorabsAppInfo* app)
      : vorabsLibOutput(stream, app) {}
  ~vorabsTestLibOutput() override;

  const char* library_name() const override { return "vorabs"; }
  const char* option() const override { return "IGES"; }
  int database_number() const override { return 999; }
  void add_file_types(intcoSet&) const override {}
  void add_extensions(utStringcoSet&) const override {}
  const char* file_filter() const override { return "Test files (*)|*"; }
  const char* format_name() const override { return "vorabs"; }

  vorabsTranslationStatus curve3(const velCurvePtr3&, const vorabsAttributeSet&) override;
  vorabsTranslationStatus surface(const velSurfPtr&, const vorabsAttributeSet&) override;
  vorabsTranslationStatus topology(const topTopologyPtr&, const vorabsAttributeSet&) override;
  vorabsTranslationStatus workplane3(const giWorkplane3&, const vorabsAttributeSet&) override;
  vorabsTranslationStatus point3(const giPoint3&, const vorabsAttributeSet&) override;
  vorabsTranslationStatus triblock(const giTriBlock&, const vorabsAttributeSet&) override;
  vorabsTranslationStatus annotation(const annNamedItemPtr&, const vorabsAttributeSet&) override;
  int supported(const vorabsAttributeSet&) const override { return 1; }
  int write() override { return 1; }
};
