// RecordingChannel.cpp - a message channel that keeps every message with its domain.
#include "RecordingChannel.h"

void RecordingChannel::vtprintf(const char* domain, const char* format, va_list args) {
  utString text = vor_vformat(format, args);
  messages.push_back(Message{domain ? domain : "", text.c_str()});
}

std::vector<std::string> RecordingChannel::texts() const {
  std::vector<std::string> result;
  for (const Message& message : messages)
    result.push_back(message.text);
  return result;
}
