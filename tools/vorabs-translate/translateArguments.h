// translateArguments.h - the command line of vorabs-translate: what the user asked for, read
// through one table of options.
//
// Each option is one row of the table in translateArguments.cpp: its short
// and long spelling, the name of its value (none for a switch), its line of
// help, and what it sets. Values are taken as users type them: "-j 2",
// "-j2", "--jobs=2", "--report FILE", "--report=FILE", "--report -". Adding
// an option is adding a row (and a field here).
#pragma once

#include "translateJob.h"

#include <string>
#include <vector>

struct translateArguments {
  std::vector<std::string> files; // the inputs, or with --merge the results files
  std::string report;             // JSON report: a file, "-" for standard output
  std::string output;             // -o: the one input's translation
  // The output's format: "dxf", "pdf", "svg" or "png"; after parsing, the
  // one --format gave or the extension of -o says (DXF when it is none).
  std::string format;
  translatePlotOptions plot; // how a PDF, SVG or PNG is drawn
  int plot_options = 0;      // some plot option was given
  int dump = 0;
  int quiet = 0;   // no readable report, no progress bar, only errors
  int verbose = 0; // informational messages too
  int jobs = 1;
  // What to do instead of translating: "help", "version", "formats".
  std::string show;
  // Batch translation over a list of inputs (translateBatch.h).
  std::string manifest;
  int shard = 0;
  int shards = 1;
  std::string out_dir;
  std::string results;
  int merge = 0; // the files are results files to merge into one summary
};

// Reads argv into args; empty when they are usable, otherwise what is wrong
// (naming the option).
std::string translate_parse_arguments(int argc, const char* const* argv, translateArguments& args);

// The usage text: a synopsis and one line per option.
std::string translate_usage();
