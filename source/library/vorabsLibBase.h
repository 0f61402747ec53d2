// vorabsLibBase.h - the root of every endpoint: what a format library says of itself.
//
// Names, option, file types, extensions, filter and format number are the
// format library's to supply; the base holds the translator category, shared
// with whoever asks for it (empty unless a category name was given).
#pragma once

#include "vorabs_export.h"

#include "vorabsTranslatorCategory.h"

#include "co.h"
#include "ut.h"

class vorabsOutput;

using intcoSet = coSet<int>;
using utStringcoSet = coSet<utString>;

class VORABS_API vorabsLibBase {
public:
  vorabsLibBase() = default;
  explicit vorabsLibBase(const utString& category_name);
  vorabsLibBase(const vorabsLibBase&) = delete;
  vorabsLibBase& operator=(const vorabsLibBase&) = delete;

  virtual void set_output(vorabsOutput* output) = 0;
  virtual void set_error(vorabsOutput* error) = 0;
  virtual const char* library_name() const = 0;
  virtual const char* option() const = 0;
  virtual int database_number() const = 0;
  virtual void add_file_types(intcoSet& types) const = 0;
  virtual void add_extensions(utStringcoSet& extensions) const = 0;
  // A file-dialog filter: description, "|", pattern.
  virtual const char* file_filter() const = 0;
  virtual const char* format_name() const = 0;
  virtual vorabsTranslatorCategorycoPrf translator_category();
  virtual ~vorabsLibBase();

private:
  vorabsTranslatorCategorycoPrf category_;
};
