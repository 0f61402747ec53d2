// translateRun.cpp - the command's run over its inputs: threads, reports, messages, totals.
#include "translateRun.h"

#include "translateReport.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <cstdio>
#include <fstream>
#include <map>
#include <tuple>
#include <iostream>
#include <mutex>
#include <thread>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A bar on standard error, redrawn when the share done grows by a step.
class TerminalBar final : public translateProgress {
public:
  ~TerminalBar() override { clear(); }
  void add_total(long objects) override { total_ += objects; }
  void advance(long objects) override {
    const long done = done_ += objects;
    const long total = std::max(total_.load(), 1L);
    const int step = static_cast<int>(std::min(done, total) * 50 / total);
    std::lock_guard<std::mutex> lock(mutex_);
    if (step == drawn_)
      return;
    drawn_ = step;
    std::fprintf(stderr, "\r[%-50.*s] %3d%%", step,
                 "##################################################", step * 2);
    std::fflush(stderr);
  }
  // Before a message is written: the bar is drawn again on its next step.
  void clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (drawn_ >= 0)
      std::fprintf(stderr, "\r%60s\r", "");
    drawn_ = -1;
  }

private:
  std::atomic<long> total_{0};
  std::atomic<long> done_{0};
  std::mutex mutex_;
  int drawn_ = -1;
};

// Reports the results in the order of the tasks as they become ready;
// keeps only those that wait for an earlier one, and all of them only when
// the JSON report needs them, so that a long list does not pile up.
class Reporter {
public:
  Reporter(const translateArguments& args, TerminalBar* bar) : args_(args), bar_(bar) {}

  void done(size_t index, translateResult result, const std::string& trouble) {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_.emplace(index, std::make_pair(std::move(result), trouble));
    for (auto first = pending_.begin(); first != pending_.end() && first->first == next_;
         first = pending_.begin(), ++next_) {
      report(first->second.first, first->second.second);
      if (!args_.report.empty())
        kept_.push_back(std::move(first->second.first));
      pending_.erase(first);
    }
  }
  const std::vector<translateResult>& results() const { return kept_; }
  int status() const { return status_; }
  const translateTotals& totals() const { return totals_; }

private:
  void report(const translateResult& r, const std::string& trouble) {
    if (bar_)
      bar_->clear();
    status_ = std::max(status_, r.exit_status());
    translate_print_messages(std::cerr, r, args_.quiet, args_.verbose);
    if (!trouble.empty()) {
      std::cerr << "vorabs-translate: " << translate_escape(trouble) << "\n";
      status_ = 2;
    }
    if (!args_.quiet && args_.report != "-")
      translate_print_report(std::cout, r);
    if (args_.dump)
      std::cout << "document of " << translate_escape(r.file) << ":\n" << r.document;
    totals_.add(r);
  }

  const translateArguments& args_;
  TerminalBar* bar_;
  std::mutex mutex_;
  std::map<size_t, std::pair<translateResult, std::string>> pending_;
  std::vector<translateResult> kept_;
  size_t next_ = 0;
  int status_ = 0;
  translateTotals totals_;
};

void translate_tasks(const translateArguments& args, const std::vector<translateTask>& tasks,
                     const translateFinished& finished, Reporter& reporter,
                     translateProgress* progress) {
  std::atomic<size_t> next{0};
  auto work = [&]() {
    // Once cancelled, the inputs not begun are left alone: a rerun of a
    // batch takes them up.
    for (size_t i; !translate_cancel_requested() && (i = next++) < tasks.size();) {
      translateOptions options;
      options.output = tasks[i].output;
      options.format = args.format;
      options.plot = args.plot;
      options.dump = args.dump;
      options.progress = progress;
      translateResult result = translate_file(tasks[i].input, options);
      const std::string trouble = finished ? finished(result) : std::string();
      reporter.done(i, std::move(result), trouble);
    }
  };
  const size_t workers = std::min(tasks.size(), static_cast<size_t>(args.jobs));
  std::vector<std::thread> threads;
  for (size_t i = 1; i < workers; ++i)
    threads.emplace_back(work);
  work();
  for (std::thread& thread : threads)
    thread.join();
}

int write_json(const std::string& path, const std::vector<translateResult>& results) {
  if (path == "-") {
    translate_write_json(std::cout, results);
    return std::cout.flush() ? 0 : 2;
  }
  std::ofstream json(path, std::ios::binary);
  translate_write_json(json, results);
  json.close();
  if (json)
    return 0;
  std::cerr << "vorabs-translate: cannot write the report " << translate_escape(path) << "\n";
  return 2;
}

// Where a name leads: the file on disk (device and inode), or for a file not
// made yet its absolute, normal path.
struct Place {
  dev_t device = 0;
  ino_t inode = 0;
  std::string path;
  bool operator<(const Place& o) const {
    return std::tie(device, inode, path) < std::tie(o.device, o.inode, o.path);
  }
};

Place place_of(const std::string& name) {
  Place place;
  struct stat info;
  if (::stat(name.c_str(), &info) == 0) {
    place.device = info.st_dev;
    place.inode = info.st_ino;
  } else {
    std::error_code ignored;
    place.path = std::filesystem::absolute(name, ignored).lexically_normal().string();
  }
  return place;
}

} // namespace

std::string translate_output_clash(const std::vector<translateTask>& tasks,
                                   const std::vector<std::string>& others) {
  std::map<Place, const std::string*> inputs;
  for (const translateTask& task : tasks)
    inputs.emplace(place_of(task.input), &task.input);
  std::vector<std::string> outputs = others;
  for (const translateTask& task : tasks)
    outputs.push_back(task.output);
  for (const std::string& output : outputs) {
    if (output.empty() || output == "-")
      continue;
    const auto found = inputs.find(place_of(output));
    if (found != inputs.end())
      return "the output " + output + " is the input " + *found->second +
             ": refusing to write over it";
  }
  return "";
}

int translate_run(const translateArguments& args, const std::vector<translateTask>& tasks,
                  const translateFinished& finished, int earlier) {
  std::unique_ptr<TerminalBar> bar;
  if (!args.quiet && isatty(STDERR_FILENO))
    bar.reset(new TerminalBar);
  Reporter reporter(args, bar.get());
  translate_tasks(args, tasks, finished, reporter, bar.get());
  bar.reset();
  if (!args.quiet && args.report != "-" && tasks.size() > 1)
    translate_print_totals(std::cout, reporter.totals());
  int status = std::max(reporter.status(), earlier);
  if (!args.report.empty())
    status = std::max(status, write_json(args.report, reporter.results()));
  return status;
}
