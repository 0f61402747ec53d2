// translateRun.h - the command's run over its inputs: translations on several threads, each
// file's report and messages as soon as it and those before it are done, one total line.
//
// The readable report goes to standard output (unless quiet, or the JSON
// report goes there); errors and warnings go to standard error, each line
// led by the file it concerns, informational messages only when verbose,
// only errors when quiet. Results are dropped once reported unless the
// JSON report needs them, so that a long list does not pile up in memory.
#pragma once

#include "translateArguments.h"
#include "translateJob.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct translateTask {
  std::string input;
  std::string output; // empty: into a document
};

// Called on the thread that finished each result, before it is reported;
// returns what went wrong with it (reported as an error, exit status 2) or
// an empty text.
using translateFinished = std::function<std::string(const translateResult&)>;

// What is wrong when an output (a task's, or one of others: the report, the
// results file) is one of the inputs, checked before anything is read; an
// empty text when none is.
std::string translate_output_clash(const std::vector<translateTask>& tasks,
                                   const std::vector<std::string>& others);

// Translates the tasks as the arguments say; earlier adds the exit statuses
// of inputs done by an earlier run (a resumed batch). The exit status.
int translate_run(const translateArguments& args, const std::vector<translateTask>& tasks,
                  const translateFinished& finished = nullptr, int earlier = 0);
