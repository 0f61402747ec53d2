// vorabsTestInterfaceEx.cpp - a receiver for checks that routes sub-objects back through a reader.
#include "vorabsTestInterfaceEx.h"

#include "vorabsLibSinkTesterEx.h"
#include "vorabsLibSource.h"

vorabsTestInterfaceEx::~vorabsTestInterfaceEx() = default;

vorabsTranslationStatus
vorabsTestInterfaceEx::send_sub_object(const vorabsAttributeSet& attributes) {
  prepare_for_new_geometry();
  return input_->send_to(attributes, *this, *sink_);
}

void vorabsTestInterfaceEx::prepare_for_new_geometry() {
  sink_->prepare_for_new_geometry();
}
