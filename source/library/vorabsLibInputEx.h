// vorabsLibInputEx.h - a reader that registers one translator per top-level source object.
//
// read_input (the format library's) calls add_translator once per top-level
// entity; the host then walks them with operator++ and has each one
// translated with send_to. The endpoint shares its translators with whoever
// else holds them.
#pragma once

#include "vorabs_export.h"

#include "vorabsLibInput.h"
#include "vorabsTranslatorPtrArray.h"

class VORABS_API vorabsLibInputEx : public vorabsLibInput {
public:
  explicit vorabsLibInputEx(const vorabsAppInfo* app)
      : vorabsLibInput(app), cursor_(translators_.iterator()) {}
  vorabsLibInputEx(const vorabsAppInfo* app, const utString& category_name)
      : vorabsLibInput(app, category_name), cursor_(translators_.iterator()) {}
  ~vorabsLibInputEx() override;

  // Hands the endpoint's channels (error first) to the translator and
  // registers it.
  void add_translator(const vorabsTranslatorcoPrf& translator);
  // The same for a handle the caller gives up: registering it moves the
  // reference instead of counting it up and down.
  void add_translator(vorabsTranslatorcoPrf&& translator);

  int operator++() override { return ++cursor_; }
  // All registered translators, nested ones included.
  int num_objects() const override { return translators_.total_num_translators(); }
  void attributes(vorabsAttributeSet& attributes) const override;
  vorabsTranslationStatus send_to(const vorabsAttributeSet& attributes, vorabsInterface& receiver,
                                  vorabsLibSink& sink) const override;
  int check_file_size(vorabsIfStream& stream) override;

  int num_top_level_translators() const { return translators_.num_top_level_translators(); }

private:
  vorabsTranslatorPtrArray translators_;
  vorabsTranslatorcoPrfcoVariableArrcoIterator cursor_;
};
