// RecordingChannel.h - a message channel that keeps every message with its domain.
//
// For tests that check the exact text of a message, the channel it went to
// and the catalogue domain it was written with.
#pragma once

#include "vorabsOutput.h"

#include <string>
#include <vector>

class RecordingChannel : public vorabsOutput {
public:
  struct Message {
    std::string domain;
    std::string text;
  };

  void vtprintf(const char* domain, const char* format, va_list args) override;

  // The texts alone, in the order written.
  std::vector<std::string> texts() const;

  std::vector<Message> messages;
};
