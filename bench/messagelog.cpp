// Printing a message log beside a plain snprintf loop writing the same text.
// Read the ratio of each MessageLog run to its Baseline twin, and the ratio
// of each 1,000,000-message run to its 100,000-message run.
//
// MessageLog_Print: a log of N messages spread over 100 message classes
// (a third each warnings, informations and errors; keys of 8 characters, so
// 8 keys to a 75-column line) prints its summary into channels that discard
// what they are given: what is measured is the log's own work (grouping,
// key lists, wrapping, the channel calls).
// Baseline_Format: the same blocks, already grouped, formatted with snprintf
// into one string, wrapped at the same width: the cost of making the text.
// MessageLog_PrintFormatted: as MessageLog_Print, but the channels format
// every piece with vsnprintf before discarding it, as a real channel would;
// the log writes key and comma as two pieces, so this pays about two
// formattings per key where the baseline pays one.
//
// The log reads every message and its key where they were allocated, and
// then each class's keys in turn, which lie scattered among all the others.
// 100,000 messages (about 8 MB with their keys) stay in a large last-level
// cache between iterations where 1,000,000 cannot, so the larger run pays
// memory and TLB misses that the smaller one does not.
#include "vorabsMessageLog.h"

#include "vorabsOutput.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int classes = 100;
constexpr int line_length = 75;
const char* const message_text = "Curve could not be joined to its neighbour";

// A channel that keeps nothing.
class DiscardingChannel final : public vorabsOutput {
public:
  void vtprintf(const char*, const char* format, va_list) override {
    benchmark::DoNotOptimize(format);
  }
};

// A channel that formats what it is given and keeps nothing.
class FormattingChannel final : public vorabsOutput {
public:
  void vtprintf(const char*, const char* format, va_list args) override {
    char text[256];
    int written = std::vsnprintf(text, sizeof text, format, args);
    benchmark::DoNotOptimize(written);
    benchmark::DoNotOptimize(text);
  }
};

class BenchMessage final : public vorabsMessage {
public:
  BenchMessage(const utTypeID& id, const utString& key, vorabsSeverity severity)
      : vorabsMessage(key, severity), id_(id) {}
  const utTypeID& ut_dynamic_type() const override { return id_; }
  void print(vorabsOutput* channel) override { channel->tprintf("vorabs", "%s", message_text); }

private:
  const utTypeID& id_;
};

struct Classes {
  Classes() {
    for (int c = 0; c < classes; ++c) {
      char name[32];
      std::snprintf(name, sizeof name, "BenchMessage%02d", c);
      names.emplace_back(name);
    }
    for (const std::string& name : names)
      ids.push_back(std::make_unique<utTypeID>(name.c_str(), &vorabsMessage::ut_static_type()));
  }
  std::vector<std::string> names;
  std::vector<std::unique_ptr<utTypeID>> ids;
};

const Classes& message_classes() {
  static const Classes all;
  return all;
}

vorabsSeverity severity_of(int message_class) {
  static const vorabsSeverity severities[3] = {vorabsSEVERITY_WARNING, vorabsSEVERITY_INFORMATION,
                                               vorabsSEVERITY_ERROR};
  return severities[message_class % 3];
}

std::string key_of(int i) {
  char key[16];
  std::snprintf(key, sizeof key, "E%07d", i);
  return key;
}

template <class Channel> void print_log(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const Classes& all = message_classes();
  vorabsMessageLog log;
  for (int i = 0; i < count; ++i) {
    int c = i % classes;
    log.add_message(utPTR_CLAIM, new BenchMessage(*all.ids[size_t(c)], utString(key_of(i).c_str()),
                                                  severity_of(c)));
  }
  Channel output, error;
  log.set_output(&output);
  log.set_error(&error);
  for (auto _ : state)
    log.print_messages();
  state.SetItemsProcessed(state.iterations() * count);
}

#define MESSAGELOG_BENCHMARK(name)                                                                 \
  BENCHMARK(name)->Arg(100000)->Arg(1000000)->Iterations(5)->Unit(benchmark::kMillisecond)

void MessageLog_Print(benchmark::State& state) {
  print_log<DiscardingChannel>(state);
}
MESSAGELOG_BENCHMARK(MessageLog_Print);

void MessageLog_PrintFormatted(benchmark::State& state) {
  print_log<FormattingChannel>(state);
}
MESSAGELOG_BENCHMARK(MessageLog_PrintFormatted);

void append_format(std::string& out, const char* format, const char* text) {
  char buffer[256];
  int written = std::snprintf(buffer, sizeof buffer, format, text);
  if (written > 0)
    out.append(buffer, size_t(written) < sizeof buffer ? size_t(written) : sizeof buffer - 1);
}

void Baseline_Format(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  struct Group {
    vorabsSeverity severity;
    std::vector<std::string> keys;
  };
  std::vector<Group> groups(classes);
  for (int i = 0; i < count; ++i) {
    int c = i % classes;
    groups[size_t(c)].severity = severity_of(c);
    groups[size_t(c)].keys.push_back(key_of(i));
  }
  std::string out;
  for (auto _ : state) {
    out.clear();
    for (const Group& group : groups) {
      append_format(out, "%s",
                    group.severity == vorabsSEVERITY_WARNING
                        ? "A warning message has been reported for these entities: \n\n"
                    : group.severity == vorabsSEVERITY_INFORMATION
                        ? "An informational message has been reported for these entities : \n\n"
                        : "An error message has been reported for these entities : \n\n");
      long long column = 0;
      for (size_t k = 0; k < group.keys.size(); ++k) {
        const std::string& key = group.keys[k];
        long long width = static_cast<long long>(key.size()) + 1;
        if (column + width > line_length) {
          out += '\n';
          column = 0;
        }
        append_format(out, "%s", key.c_str());
        column += width;
        if (k + 1 < group.keys.size())
          out += ',';
      }
      append_format(out, "\n\nThe message was \n\n\"%s\"\n\n", message_text);
    }
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * count);
}
MESSAGELOG_BENCHMARK(Baseline_Format);

} // namespace

BENCHMARK_MAIN();
