// vorabsTestInterface.cpp - a receiver for checks.
#include "vorabsTestInterface.h"

vorabsTestInterface::~vorabsTestInterface() = default;

void vorabsTestInterface::increment_progress(int) {}

vorabsTranslationStatus vorabsTestInterface::send_sub_object(const vorabsAttributeSet&) {
  return vorabsSTATUS_FAILED;
}

void vorabsTestInterface::prepare_for_new_geometry() {}

int vorabsTestInterface::converting_annotation() const {
  return 0;
}

int vorabsTestInterface::translation_cancelled() const {
  return 0;
}
