// vorabsLibInputEx.cpp - a reader that registers one translator per top-level source object.
#include "vorabsLibInputEx.h"

#include <utility>

vorabsLibInputEx::~vorabsLibInputEx() = default;

void vorabsLibInputEx::add_translator(const vorabsTranslatorcoPrf& translator) {
  add_translator(vorabsTranslatorcoPrf(translator));
}

void vorabsLibInputEx::add_translator(vorabsTranslatorcoPrf&& translator) {
  if (!translator.invalid()) {
    translator->set_error(error());
    translator->set_output(output());
  }
  translators_.add_translator(std::move(translator));
}

// Both need the cursor on a translator; off it they do nothing (attributes)
// or fail (send_to) rather than read past the array.
void vorabsLibInputEx::attributes(vorabsAttributeSet& attributes) const {
  if (cursor_.on_handle() && !cursor_.current().invalid())
    cursor_.current()->current_translator()->attributes(attributes);
}

vorabsTranslationStatus vorabsLibInputEx::send_to(const vorabsAttributeSet& attributes,
                                                  vorabsInterface& receiver,
                                                  vorabsLibSink& sink) const {
  if (!cursor_.on_handle() || cursor_.current().invalid())
    return vorabsSTATUS_FAILED;
  return cursor_.current()->current_translator()->process(attributes, receiver, sink);
}

int vorabsLibInputEx::check_file_size(vorabsIfStream&) {
  return 1;
}
