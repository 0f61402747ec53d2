// vorabsMessageLog.cpp - collects messages and prints one summary block per message class.
#include "vorabsMessageLog.h"

#include "vorabsOutput.h"

#include <utility>

namespace {
const char* const catalogue = "vorabs";
const char* const verbatim = "DO_NOT_TRANSLATE";
} // namespace

vorabsMessageLog::~vorabsMessageLog() = default;

void vorabsMessageLog::add_message(utPtrClaim, vorabsMessage* message) {
  if (!message)
    return;
  messages_[messages_.size()] = vorabsMessagecoPageArrPrgcoPrg(message);
}

void vorabsMessageLog::create_table(
    vorabsMessagePtrutStringcoPageArrcoTablePrgcoPrgcoTable& table) const {
  for (const vorabsMessagecoPageArrPrgcoPrg& message : messages_) {
    // An existing entry keeps the handle it was made with: the first message
    // of the class stays the representative.
    utStringcoPageArrcoTablePrgcoPrg& keys = table.lookup(vorabsMessagePtr(message.get()));
    if (!keys)
      keys = std::make_unique<utStringcoPageArr>();
    keys->append(message->key());
  }
}

void vorabsMessageLog::print_list(const utStringcoPageArr* keys, vorabsOutput* channel) const {
  if (!keys || !channel)
    return;
  const size_t count = keys->size();
  long long column = 0;
  for (size_t i = 0; i < count; ++i) {
    const utString& key = (*keys)[i];
    const long long width = static_cast<long long>(key.length()) + 1; // the separator
    if (column + width > line_length_) {
      channel->tprintf(verbatim, "\n");
      column = 0;
    }
    channel->tprintf(verbatim, "%s", key.c_str());
    column += width;
    if (i + 1 < count)
      channel->tprintf(verbatim, ",");
  }
}

void vorabsMessageLog::print_messages() const {
  vorabsMessagePtrutStringcoPageArrcoTablePrgcoPrgcoTable table;
  create_table(table);
  for (const vorabsMessagePtrutStringcoPageArrcoTablePrgcoPrgcoTableP& entry : table) {
    vorabsMessage* representative = entry.first();
    vorabsOutput* channel = nullptr;
    switch (representative->severity()) {
    case vorabsSEVERITY_WARNING:
      channel = error_;
      if (channel)
        channel->tprintf(catalogue, "A warning message has been reported for these entities: \n\n");
      break;
    case vorabsSEVERITY_INFORMATION:
      channel = output_;
      if (channel)
        channel->tprintf(catalogue,
                         "An informational message has been reported for these entities : \n\n");
      break;
    default:
      channel = error_;
      if (channel)
        channel->tprintf(catalogue, "An error message has been reported for these entities : \n\n");
      break;
    }
    if (!channel)
      continue;
    print_list(entry.second.get(), channel);
    channel->tprintf(catalogue, "\n\nThe message was \n\n\"");
    representative->print(channel);
    channel->tprintf(verbatim, "\"\n\n");
  }
}
