// vorabsHostReceiver.h - the host's side of a translation, written once: the receiver and the
// object loop.
//
// A host that reads a file through an input endpoint makes one receiver
// over the endpoint (the source) and the sink the entities go to, then
// calls run(): every object of the source is translated into the sink, and
// every sub-object a compound translator hands back (send_sub_object) is
// routed into the source again, so that nested objects reach the sink, are
// counted, show on the progress and can be cancelled like top-level ones.
// A host that needs to see each object (to count outcomes by entity)
// derives and overrides send(). The receiver refers to the source, the sink
// and the host's hooks; the host owns them all and keeps them alive while
// the receiver is used. The hooks may be empty.
#pragma once

#include "vorabs_export.h"

#include "vorabsInterface.h"

#include <functional>

class vorabsLibSource;
class vorabsLibSink;

class VORABS_API vorabsHostReceiver : public vorabsInterface {
public:
  // The views of drawings are processed unless set_process_views(0) says
  // otherwise.
  vorabsHostReceiver(vorabsLibSource& source, vorabsLibSink& sink);
  ~vorabsHostReceiver() override;

  // Called when a compound's items are done, so that a sink that gathers
  // items (a document host, the self-check's tester) starts afresh.
  void set_new_geometry_hook(std::function<void()> hook) { new_geometry_ = std::move(hook); }
  // Told how many objects were done since it was last called.
  void set_progress_hook(std::function<void(int)> hook) { progress_ = std::move(hook); }
  // Asked before every object; nonzero stops the translation. Must be cheap
  // and may be called from any thread translating.
  void set_cancel_hook(std::function<int()> hook) { cancel_ = std::move(hook); }
  // Nonzero has drawings' views (viewports) processed as views of model space.
  void set_process_views(int process);

  // Translates every object of the source into the sink, from the source's
  // current position; the number of objects delivered, nested ones included.
  int run();

  // Translates the source's current object into the sink: the hook a
  // deriving host wraps to see every object.
  virtual vorabsTranslationStatus send(const vorabsAttributeSet& attributes);

  int delivered() const { return delivered_; }
  // Nonzero once a cancellation stopped the run or refused a sub-object.
  int cancelled() const { return cancelled_; }

  void increment_progress(int count) override;
  vorabsTranslationStatus send_sub_object(const vorabsAttributeSet& attributes) override;
  void prepare_for_new_geometry() override;
  int converting_annotation() const override { return 0; }
  int translation_cancelled() const override;

  vorabsLibSource& source() const { return source_; }
  vorabsLibSink& sink() const { return sink_; }

private:
  vorabsLibSource& source_;
  vorabsLibSink& sink_;
  std::function<void()> new_geometry_;
  std::function<void(int)> progress_;
  std::function<int()> cancel_;
  int delivered_ = 0;
  int cancelled_ = 0;
};
