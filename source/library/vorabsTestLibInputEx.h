// vorabsTestLibInputEx.h - an input endpoint of fixed identity whose file holds nothing.
//
// For checks and demonstrations: translators are registered by hand with
// add_translator; read_input reads nothing and succeeds.
#pragma once

#include "vorabsLibInputEx.h"

class VORABS_API vorabsTestLibInputEx : public vorabsLibInputEx {
public:
  explicit vorabsTestLibInputEx(const vorabsAppInfo* app) : vorabsLibInputEx(app) {}
  vorabsTestLibInputEx(const vorabsAppInfo* app, const utString& category_name)
      : vorabsLibInputEx(app, category_name) {}
  ~vorabsTestLibInputEx() override;

  const char* library_name() const override { return "vorabs"; }
  const char* option() const override { return "IGES"; }
  int database_number() const override { return 999; }
  void add_file_types(intcoSet&) const override {}
  void add_extensions(utStringcoSet&) const override {}
  const char* file_filter() const override { return "Test files (*)|*"; }
  const char* format_name() const override { return "vorabs"; }
  int read_input(const vorabsContext& context, vorabsIfStream& stream) override;
};
