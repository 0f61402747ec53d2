// vorabsHostReceiver.cpp - the host's side of a translation: the receiver and the object loop.
#include "vorabsHostReceiver.h"

#include "vorabsLibSource.h"
#include "vorabsVoid.h"

vorabsHostReceiver::vorabsHostReceiver(vorabsLibSource& source, vorabsLibSink& sink)
    : vorabsInterface(0), source_(source), sink_(sink) {
  set_process_views(1);
}

vorabsHostReceiver::~vorabsHostReceiver() = default;

void vorabsHostReceiver::set_process_views(int process) {
  if (process) {
    vorabsVoidvorabsAttributePtr views;
    own_attributes().check_out(vorabsPROCESSVIEWS, views);
  } else {
    own_attributes().remove(vorabsPROCESSVIEWS);
  }
}

int vorabsHostReceiver::run() {
  vorabsAttributeSet attributes;
  while (++source_) {
    if (translation_cancelled()) {
      cancelled_ = 1;
      break;
    }
    send(attributes);
  }
  return delivered_;
}

vorabsTranslationStatus vorabsHostReceiver::send(const vorabsAttributeSet& attributes) {
  const vorabsTranslationStatus status = source_.send_to(attributes, *this, sink_);
  ++delivered_;
  increment_progress(1);
  return status;
}

void vorabsHostReceiver::increment_progress(int count) {
  if (progress_ && count > 0)
    progress_(count);
}

vorabsTranslationStatus vorabsHostReceiver::send_sub_object(const vorabsAttributeSet& attributes) {
  if (translation_cancelled()) {
    cancelled_ = 1;
    return vorabsSTATUS_ABORTED;
  }
  return send(attributes);
}

void vorabsHostReceiver::prepare_for_new_geometry() {
  if (new_geometry_)
    new_geometry_();
}

int vorabsHostReceiver::translation_cancelled() const {
  return cancel_ ? cancel_() : 0;
}
