// vorabsMessageLog.h - collects messages and prints one summary block per message class.
//
// The log owns every message added to it and deletes them all when it is
// destroyed; it only grows. It never owns its two channels, which the host
// sets and keeps alive: informational blocks go to the output channel,
// warning and error blocks to the error channel. print_messages groups the
// messages by class (see vorabsMessagePtr); the first message of a class is
// the group's representative, whose severity chooses the header and channel
// and whose text is printed once, under the keys of every message of the
// class in the order they were added. Groups come out in the order of the
// grouping table's hash, not in the order they were first reported.
//
// Bad input is tolerated rather than checked: a null message given to
// add_message is not logged (nothing is taken over); a group whose channel is
// not set when printing is left out, and the groups of the other channel
// still print; a null or empty key is listed as an empty entry that takes one
// column, its separator.
#pragma once

#include "vorabs_export.h"

#include "vorabsMessage.h"
#include "vorabsMessagePtr.h"

#include "co.h"
#include "ut.h"

#include <memory>

class vorabsOutput;

// The log's storage: pages of 256 holders, each owning one message.
using vorabsMessagecoPageArrPrgcoPrg = std::unique_ptr<vorabsMessage>;
using vorabsMessagecoPageArrPrgcoPrgcoPageArr = coPageArr<vorabsMessagecoPageArrPrgcoPrg, 256>;

// The grouping table: message class (by a representative handle) to the
// owned list of the keys reported for it.
// A group's keys, copied into one buffer as they are gathered, so that
// printing a large log reads them in order rather than all over memory.
using utStringcoPageArr = coStringList;
using utStringcoPageArrcoTablePrgcoPrg = std::unique_ptr<utStringcoPageArr>;
using vorabsMessagePtrutStringcoPageArrcoTablePrgcoPrgcoTable =
    coTable<vorabsMessagePtr, utStringcoPageArrcoTablePrgcoPrg>;
using vorabsMessagePtrutStringcoPageArrcoTablePrgcoPrgcoTableP =
    vorabsMessagePtrutStringcoPageArrcoTablePrgcoPrgcoTable::map_type::value_type;
using vorabsMessagePtrutStringcoPageArrcoTablePrgcoPrgcoTablePcoSet =
    vorabsMessagePtrutStringcoPageArrcoTablePrgcoPrgcoTable::map_type;
using utStringcoPageArrcoTablePrgcoPrgvorabsMessagePtrcoTablecoIterator2 =
    vorabsMessagePtrutStringcoPageArrcoTablePrgcoPrgcoTable::const_iterator;

class VORABS_API vorabsMessageLog {
public:
  vorabsMessageLog() = default;
  vorabsMessageLog(const vorabsMessageLog&) = delete;
  vorabsMessageLog& operator=(const vorabsMessageLog&) = delete;
  ~vorabsMessageLog();

  void set_output(vorabsOutput* channel) { output_ = channel; }
  void set_error(vorabsOutput* channel) { error_ = channel; }
  // The width at which print_list wraps the keys; 0 or less puts every key
  // on a line of its own.
  void set_line_length(int length) { line_length_ = length; }

  // Appends message after all earlier ones and takes it over, whatever the
  // claim says.
  void add_message(utPtrClaim claim, vorabsMessage* message);

  // Prints one block per message class through the channels set now. The log
  // stays as it is: printing twice prints everything twice.
  void print_messages() const;

protected:
  // Adds every logged message's key to the list of its class, in the order
  // the messages were added.
  void create_table(vorabsMessagePtrutStringcoPageArrcoTablePrgcoPrgcoTable& table) const;
  // Writes keys separated by commas, starting a new line before any key that
  // would pass the line length.
  void print_list(const utStringcoPageArr* keys, vorabsOutput* channel) const;

private:
  vorabsMessagecoPageArrPrgcoPrgcoPageArr messages_;
  vorabsOutput* output_ = nullptr;
  vorabsOutput* error_ = nullptr;
  int line_length_ = 75;
};
