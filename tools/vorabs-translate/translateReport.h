// translateReport.h - what a translation came to, as a readable report and as JSON.
//
// The readable report lists the entities per DXF type and outcome (model
// and paper space, then block definitions), what the reader did not
// translate or skipped, the message log's summaries, and the time taken.
// The JSON report carries the same fields for one file as an object, for
// several files as an array of them (the fields are described in the
// README).
#pragma once

#include "translateJob.h"

#include <iosfwd>
#include <string>
#include <vector>

// What several files came to together: the one total line of a run.
struct translateTotals {
  int files = 0;
  int not_read = 0;      // exit status 2
  int with_failures = 0; // exit status 1
  long read = 0, translated = 0, ignored = 0, failed = 0, untranslated = 0;
  double seconds = 0.0;
  void add(const translateResult& result);
};

// The text with every byte that is not printable (controls, DEL, bytes
// that are not UTF-8) written as \xNN, for messages on a terminal.
std::string translate_escape(const std::string& text);

void translate_print_report(std::ostream& out, const translateResult& result);
// The result's message lines, each led by the file: errors always,
// warnings unless quiet, informational lines only when verbose.
void translate_print_messages(std::ostream& out, const translateResult& result, int quiet,
                              int verbose);
void translate_print_totals(std::ostream& out, const translateTotals& totals);
// {"read": ..., "translated": ..., "ignored": ..., "failed": ..., "untranslated": ...}
void translate_json_totals(std::ostream& out, const translateTotals& totals);
void translate_write_json(std::ostream& out, const std::vector<translateResult>& results);
