// translateBatch.h - batch translation of a list of inputs, one shard of it at a time, with
// results kept as JSON lines so that an interrupted shard resumes, and their merge.
//
// A manifest names one input per line (blank lines do not count). Shard K
// of N takes the inputs whose index modulo N is K, so that N tasks of a
// cluster engine share the list without talking to each other. Each input's
// JSON report becomes one line of a results file, written with one append
// (whole or not at all), so that a task that is killed loses only the input
// it was translating; a rerun skips every input whose line is there for the
// same size and modification time. The merge reads the results files of all
// shards into one summary that leaves out times, so that it can be compared
// with the summary of a run on one machine.
#pragma once

#include "translateJob.h"

#include <iosfwd>
#include <map>
#include <mutex>
#include <string>
#include <vector>

struct translateArguments;

struct translateBatchEntry {
  size_t index = 0;   // in the manifest
  std::string input;  // as the manifest names it
  std::string output; // the file to write, empty when none is asked for
};

// The inputs a manifest names, or what is wrong with it (unreadable, empty).
std::string translate_read_manifest(const std::string& path, std::vector<std::string>& inputs);

// The entries of shard K of N; with out_dir, each input's output is
// out_dir/STEM.dxf (STEM-INDEX.dxf when an earlier input has the same stem).
std::vector<translateBatchEntry> translate_shard(const std::vector<std::string>& inputs, int shard,
                                                 int shards, const std::string& out_dir);

// A results file: the lines there when it was opened, and appends to it.
// Appends from several threads are serialised; several processes may
// append to one file on a local disk, each line being one write.
class translateResultsFile {
public:
  translateResultsFile() = default;
  translateResultsFile(const translateResultsFile&) = delete;
  translateResultsFile& operator=(const translateResultsFile&) = delete;
  ~translateResultsFile();

  // Reads the lines already there and opens the file to append; what is
  // wrong when it cannot (the file is then not used).
  std::string open(const std::string& path);
  // The exit status of the input's earlier result when one is there for
  // this size and modification time (and was not cancelled), else -1.
  int done(const std::string& input, long long size, long long mtime_ns) const;
  // Appends the result as one line; what is wrong when it could not.
  std::string append(const translateResult& result);

private:
  struct Earlier {
    long long size;
    long long mtime_ns;
    int exit_status;
  };
  std::string path_;
  int fd_ = -1;
  std::map<std::string, Earlier> earlier_; // by the input's name as JSON text
  std::mutex mutex_;
};

// One JSON object on one line: the result's report with its size and time.
std::string translate_json_line(const translateResult& result);

// Runs the shard the arguments name; the exit status.
int translate_run_batch(const translateArguments& args);

// Reads results files into one summary: a line on out, and with report a
// JSON summary ("-" for standard output); the exit status, the worst of the
// files' (2 when a results file cannot be read). With a manifest, only its
// inputs count, and an input without a result is reported missing (exit 2).
int translate_merge(const std::vector<std::string>& results, const std::string& manifest,
                    const std::string& report, std::ostream& out);
