// vorabsTestInterface.h - a receiver for checks: counts nothing and has no sub-objects.
//
// send_sub_object fails; every other operation does nothing or answers 0.
#pragma once

#include "vorabsInterface.h"

class VORABS_API vorabsTestInterface : public vorabsInterface {
public:
  vorabsTestInterface() : vorabsInterface(1000) {}
  ~vorabsTestInterface() override;

  void increment_progress(int count) override;
  vorabsTranslationStatus send_sub_object(const vorabsAttributeSet& attributes) override;
  void prepare_for_new_geometry() override;
  int converting_annotation() const override;
  int translation_cancelled() const override;
};
