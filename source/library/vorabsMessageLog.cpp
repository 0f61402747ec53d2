// vorabsMessageLog.cpp - collects messages and prints one summary block per message class.
#include "vorabsMessageLog.h"

#include "vorabsOutput.h"

#include <cstdint>
#include <utility>

namespace {
const char* const catalogue = "vorabs";
const char* const verbatim = "DO_NOT_TRANSLATE";
constexpr size_t prefetch_distance = 32;
constexpr size_t recent_slots = 256;
} // namespace

vorabsMessageLog::~vorabsMessageLog() = default;

void vorabsMessageLog::add_message(utPtrClaim, vorabsMessage* message) {
  if (!message)
    return;
  messages_[messages_.size()] = vorabsMessagecoPageArrPrgcoPrg(message);
}

void vorabsMessageLog::create_table(
    vorabsMessagePtrutStringcoPageArrcoTablePrgcoPrgcoTable& table) const {
  // The messages of one class share one type id object, so the list last
  // found for an id is remembered in a small slot array: the class name is
  // then hashed and compared once per id rather than once per message.
  // Different ids that share a name still meet in the table.
  struct Slot {
    const utTypeID* id;
    utStringcoPageArr* keys;
  };
  Slot recent[recent_slots] = {};
  const size_t count = messages_.size();
  for (size_t i = 0; i < count; ++i) {
    if (i + prefetch_distance < count)
      __builtin_prefetch(messages_[i + prefetch_distance].get());
    vorabsMessage* message = messages_[i].get();
    const utTypeID* id = &message->ut_dynamic_type();
    const uintptr_t bits = reinterpret_cast<uintptr_t>(id);
    Slot& slot = recent[((bits >> 4) ^ (bits >> 12)) % recent_slots];
    if (slot.id != id) {
      // An existing entry keeps the handle it was made with: the first
      // message of the class stays the representative.
      utStringcoPageArrcoTablePrgcoPrg& keys = table.lookup(vorabsMessagePtr(message));
      if (!keys)
        keys = std::make_unique<utStringcoPageArr>();
      slot = Slot{id, keys.get()};
    }
    slot.keys->append(message->key());
  }
}

void vorabsMessageLog::print_list(const utStringcoPageArr* keys, vorabsOutput* channel) const {
  if (!keys || !channel)
    return;
  const size_t count = keys->size();
  long long column = 0;
  for (size_t i = 0; i < count; ++i) {
    const utStringcoPageArr::Text key = (*keys)[i];
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
  for (vorabsMessagePtrutStringcoPageArrcoTablePrgcoPrgcoTableP& entry : table) {
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
    if (channel) {
      print_list(entry.second.get(), channel);
      channel->tprintf(catalogue, "\n\nThe message was \n\n\"");
      representative->print(channel);
      channel->tprintf(verbatim, "\"\n\n");
    }
    // Released now, while the keys just printed are still in the cache.
    entry.second.reset();
  }
}
