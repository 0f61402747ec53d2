// EntityHarness.h - a document, channels and a recording sink for the entity translator tests.
#pragma once

#include "RecordingChannel.h"
#include "RecordingSink.h"
#include "TestHelpers.h"
#include "vorabsTestInterface.h"

#include <gtest/gtest.h>

#include <cmath>

class EntityHarness : public ::testing::Test {
protected:
  EntityHarness() { context.set_document(&document); }

  // Processes translator under transform with an entity named "E".
  vorabsStatus run(vorabsTranslator& translator, const giXform3& transform) {
    translator.set_output(&output);
    translator.set_error(&error);
    place(translator, transform);
    return translator.process(named("E"), receiver, sink).status();
  }
  // The single item the sink received.
  annNamedItem* sent() const {
    return sink.calls.size() == 1 ? sink.calls[0].item.pointer() : nullptr;
  }

  annDocument document;
  vorabsContext context;
  RecordingChannel output;
  RecordingChannel error;
  ItemSink sink;
  vorabsTestInterface receiver;
};

inline ::testing::AssertionResult near(double actual, double expected, double tolerance = 1e-9) {
  if (std::fabs(actual - expected) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << actual << " is not " << expected;
}
