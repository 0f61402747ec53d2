// vorabsTestInterfaceEx.h - a receiver for checks that routes sub-objects back through a reader.
//
// send_sub_object has the reader translate its current object (which a
// compound being processed has pointed at the child in hand) into the sink
// tester, after starting a fresh grouping there; prepare_for_new_geometry
// goes to the sink tester. The reader and the sink tester belong to the
// caller, who keeps them alive while the receiver is used.
#pragma once

#include "vorabsTestInterface.h"

class vorabsLibSource;
class vorabsLibSinkTesterEx;

class VORABS_API vorabsTestInterfaceEx : public vorabsTestInterface {
public:
  vorabsTestInterfaceEx(const vorabsLibSource& input, vorabsLibSinkTesterEx& sink)
      : input_(&input), sink_(&sink) {}
  ~vorabsTestInterfaceEx() override;

  vorabsTranslationStatus send_sub_object(const vorabsAttributeSet& attributes) override;
  void prepare_for_new_geometry() override;

private:
  const vorabsLibSource* input_;
  vorabsLibSinkTesterEx* sink_;
};
