// main.cpp - vorabs-translate: reads CAD files through the framework and reports what came of them.
//
//   vorabs-translate [OPTION]... FILE...
//   vorabs-translate --manifest LIST [--shard K/N] [--out-dir DIR] [--results FILE.jsonl]
//   vorabs-translate --merge FILE.jsonl...
//
// Each file is read into an annotation document of its own (or, with -o,
// into a new file), several at once with -j. The readable report goes to
// standard output, errors and warnings to standard error, a progress bar
// too when that is a terminal; Ctrl-C stops every translation at its next
// object. Exit status: 0 everything translated, 1 some entities failed, 2
// usage errors and files that could not be read or written.
#include "translateArguments.h"
#include "translateBatch.h"
#include "translateReport.h"
#include "translateRun.h"

#include "vorabsVersion.h"

#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

// The formats the command reads and writes, one row each.
struct Format {
  const char* name;
  const char* extensions;
  int reads;
  int writes;
};

const Format formats[] = {
    {"DXF", ".dxf", 1, 1},
#ifdef VORABS_HAVE_PLOT
    {"PDF", ".pdf", 0, 1},
    {"SVG", ".svg", 0, 1},
    {"PNG", ".png", 0, 1},
#endif
};

void print_version() {
  std::cout << "vorabs-translate " << vorabs_version() << " (library vorabs " << vorabs_version()
            << ")\n";
  for (int writing = 0; writing < 2; ++writing) {
    std::cout << (writing ? "writes:" : "reads:");
    for (const Format& format : formats)
      if (writing ? format.writes : format.reads)
        std::cout << " " << format.name;
    std::cout << "\n";
  }
}

void print_formats() {
  for (const Format& format : formats) {
    char line[160];
    std::snprintf(line, sizeof line, "%-8s %-12s %s\n", format.name, format.extensions,
                  format.reads && format.writes ? "read, write"
                  : format.reads                ? "read"
                                                : "write");
    std::cout << line;
  }
}

extern "C" void on_interrupt(int) {
  translate_request_cancel();
}

// Native strings follow the C library's locale; a plain C locale would
// lose every character beyond ASCII.
void set_locale() {
  const char* locale = std::setlocale(LC_ALL, "");
  if (!locale || std::strcmp(locale, "C") == 0 || std::strcmp(locale, "POSIX") == 0)
    std::setlocale(LC_ALL, "C.UTF-8");
}

void catch_interrupt() {
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_handler = on_interrupt;
  action.sa_flags = SA_RESETHAND; // a second Ctrl-C ends the program
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr); // a cluster engine's preemption
}

int fail(const std::string& message) {
  std::cerr << "vorabs-translate: " << translate_escape(message) << "\n";
  return 2;
}

} // namespace

int main(int argc, char** argv) {
  set_locale();
  translateArguments args;
  const std::string wrong = translate_parse_arguments(argc, argv, args);
  if (!wrong.empty()) {
    fail(wrong);
    std::cerr << "Try 'vorabs-translate --help'.\n";
    return 2;
  }
  if (args.show == "help")
    return std::cout << translate_usage(), 0;
  if (args.show == "version")
    return print_version(), 0;
  if (args.show == "formats")
    return print_formats(), 0;
  if (args.merge)
    return translate_merge(args.files, args.manifest, args.report, std::cout);
  catch_interrupt();
  if (!args.manifest.empty() || !args.results.empty())
    return translate_run_batch(args);
  std::vector<translateTask> tasks;
  for (const std::string& file : args.files)
    tasks.push_back({file, args.output});
  const std::string clash = translate_output_clash(tasks, {args.report, args.results});
  if (!clash.empty())
    return fail(clash);
  return translate_run(args, tasks);
}
