// translateBatch.cpp - batch translation of one shard of a manifest, its results as JSON lines,
// and their merge.
#include "translateBatch.h"

#include "translateArguments.h"
#include "translateReport.h"
#include "translateRun.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The members of a JSON object written on one line, each as its raw text
// (strings keep their quotes and escapes); false when the line is not one
// whole object (a line cut short).
class JsonLine {
public:
  explicit JsonLine(const std::string& text) : text_(text) {}

  bool members(std::map<std::string, std::string>& found) {
    if (!skip('{'))
      return false;
    if (skip('}'))
      return at_end();
    do {
      space();
      const size_t key = at_;
      if (!value() || text_[key] != '"')
        return false;
      const size_t key_end = at_;
      if (!skip(':'))
        return false;
      space();
      const size_t start = at_;
      if (!value())
        return false;
      found[text_.substr(key + 1, key_end - key - 2)] = text_.substr(start, at_ - start);
    } while (skip(','));
    return skip('}') && at_end();
  }

private:
  void space() {
    while (at_ < text_.size() && std::strchr(" \t\r\n", text_[at_]))
      ++at_;
  }
  bool skip(char c) {
    space();
    if (at_ >= text_.size() || text_[at_] != c)
      return false;
    ++at_;
    return true;
  }
  bool at_end() {
    space();
    return at_ == text_.size();
  }
  // Steps over one value, nested ones included.
  bool value() {
    space();
    if (at_ >= text_.size())
      return false;
    const char c = text_[at_];
    if (c == '"') {
      for (++at_; at_ < text_.size() && text_[at_] != '"'; ++at_)
        at_ += text_[at_] == '\\';
      return at_ < text_.size() && ++at_;
    }
    if (c == '{' || c == '[') {
      const char close = c == '{' ? '}' : ']';
      ++at_;
      if (skip(close))
        return true;
      do {
        if (!value() || (c == '{' && (!skip(':') || !value())))
          return false;
      } while (skip(','));
      return skip(close);
    }
    const size_t start = at_;
    while (at_ < text_.size() && !std::strchr(",}] \t\r\n", text_[at_]))
      ++at_;
    return at_ > start;
  }

  const std::string& text_;
  size_t at_ = 0;
};

long long number(const std::map<std::string, std::string>& members, const char* name) {
  const auto found = members.find(name);
  return found == members.end() ? -1 : std::atoll(found->second.c_str());
}

// The JSON text of a name, as the results file holds it.
std::string json_text(const std::string& name) {
  translateResult named;
  named.file = name;
  const std::string line = translate_json_line(named);
  std::map<std::string, std::string> members;
  JsonLine(line).members(members);
  return members["file"];
}

// Calls take with the members of every whole line of the file; false when
// it cannot be read.
template <class Take> bool read_lines(const std::string& path, Take take) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return false;
  std::string line;
  while (std::getline(in, line)) {
    std::map<std::string, std::string> members;
    if (JsonLine(line).members(members) && members.count("file"))
      take(members);
  }
  return !in.bad();
}

std::string stem_of(const std::string& input) {
  return std::filesystem::path(input).stem().string();
}

} // namespace

std::string translate_read_manifest(const std::string& path, std::vector<std::string>& inputs) {
  std::ifstream in(path, std::ios::binary);
  struct stat info;
  if (!in || (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)))
    return "cannot read the manifest " + path + ": " +
           (in ? "it is a directory" : std::strerror(errno));
  std::string line;
  while (std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
      line.pop_back();
    if (!line.empty())
      inputs.push_back(line);
  }
  if (in.bad())
    return "cannot read the manifest " + path;
  return inputs.empty() ? "the manifest " + path + " names no file" : "";
}

std::vector<translateBatchEntry> translate_shard(const std::vector<std::string>& inputs, int shard,
                                                 int shards, const std::string& out_dir) {
  std::vector<translateBatchEntry> entries;
  std::set<std::string> stems;
  for (size_t i = 0; i < inputs.size(); ++i) {
    // Every shard names every output, so that stems taken by lines of
    // other shards lead to the same names everywhere.
    std::string output;
    if (!out_dir.empty()) {
      std::string stem = stem_of(inputs[i]);
      if (!stems.insert(stem).second)
        stem += "-" + std::to_string(i);
      output = (std::filesystem::path(out_dir) / (stem + ".dxf")).string();
    }
    if (static_cast<int>(i % static_cast<size_t>(shards)) == shard)
      entries.push_back({i, inputs[i], output});
  }
  return entries;
}

translateResultsFile::~translateResultsFile() {
  if (fd_ >= 0)
    ::close(fd_);
}

std::string translateResultsFile::open(const std::string& path) {
  path_ = path;
  read_lines(path, [&](const std::map<std::string, std::string>& m) {
    const auto cancelled = m.find("cancelled");
    if (number(m, "size") < 0 || (cancelled != m.end() && cancelled->second == "true"))
      return;
    earlier_[m.at("file")] = {number(m, "size"), number(m, "mtime_ns"),
                              static_cast<int>(number(m, "exit_status"))};
  });
  struct stat info;
  if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
    return "cannot write the results " + path + ": it is a directory";
  fd_ = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0)
    return "cannot write the results " + path + ": " + std::strerror(errno);
  // A line cut short by a full disk would swallow the next one.
  if (::fstat(fd_, &info) == 0 && info.st_size > 0) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(-1, std::ios::end);
    if (in.get() != '\n' && ::write(fd_, "\n", 1) != 1)
      return "cannot write the results " + path + ": " + std::strerror(errno);
  }
  return "";
}

int translateResultsFile::done(const std::string& input, long long size, long long mtime_ns) const {
  const auto found = earlier_.find(json_text(input));
  if (found == earlier_.end() || size < 0 || found->second.size != size ||
      found->second.mtime_ns != mtime_ns)
    return -1;
  return found->second.exit_status;
}

std::string translateResultsFile::append(const translateResult& result) {
  const std::string line = translate_json_line(result) + "\n";
  std::lock_guard<std::mutex> lock(mutex_);
  const ssize_t written = ::write(fd_, line.data(), line.size());
  if (written == static_cast<ssize_t>(line.size()))
    return "";
  const std::string why = written < 0 ? std::strerror(errno) : "the disk is full";
  struct stat info;
  if (written > 0 && ::fstat(fd_, &info) == 0 && ::ftruncate(fd_, info.st_size - written) != 0)
    return "cannot write the result of " + result.file + " to " + path_ + ": " + why +
           ", and a part of its line is left there";
  return "cannot write the result of " + result.file + " to " + path_ + ": " + why;
}

std::string translate_json_line(const translateResult& result) {
  std::ostringstream pretty;
  translate_write_json(pretty, {result});
  // Line breaks are only layout: inside strings they are escaped.
  std::string line;
  const std::string text = pretty.str();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n') {
      line += text[i];
      continue;
    }
    while (i + 1 < text.size() && text[i + 1] == ' ')
      ++i;
    if (i + 1 < text.size() && line.back() == ',')
      line += ' ';
  }
  return line;
}

int translate_run_batch(const translateArguments& args) {
  std::vector<std::string> inputs = args.files;
  if (!args.manifest.empty()) {
    const std::string wrong = translate_read_manifest(args.manifest, inputs);
    if (!wrong.empty())
      return std::cerr << "vorabs-translate: " << translate_escape(wrong) << "\n", 2;
  }
  std::error_code failed;
  if (!args.out_dir.empty() && !std::filesystem::is_directory(args.out_dir) &&
      !std::filesystem::create_directories(args.out_dir, failed))
    return std::cerr << "vorabs-translate: cannot make the folder "
                     << translate_escape(args.out_dir) << ": " << failed.message() << "\n",
           2;
  const std::vector<translateBatchEntry> entries =
      translate_shard(inputs, args.shard, args.shards, args.out_dir);
  translateResultsFile results;
  if (!args.results.empty()) {
    const std::string wrong = results.open(args.results);
    if (!wrong.empty())
      return std::cerr << "vorabs-translate: " << translate_escape(wrong) << "\n", 2;
  }
  std::vector<translateTask> tasks;
  int earlier = 0, skipped = 0;
  for (const translateBatchEntry& entry : entries) {
    struct stat info;
    const int done = args.results.empty() || ::stat(entry.input.c_str(), &info) != 0
                         ? -1
                         : results.done(entry.input, info.st_size,
                                        info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec);
    if (done >= 0) {
      earlier = std::max(earlier, done);
      ++skipped;
    } else {
      tasks.push_back({entry.input, entry.output});
    }
  }
  const std::string clash = translate_output_clash(tasks, {args.report, args.results});
  if (!clash.empty())
    return std::cerr << "vorabs-translate: " << translate_escape(clash) << "\n", 2;
  if (args.verbose)
    std::cerr << "vorabs-translate: shard " << args.shard << "/" << args.shards << ": "
              << entries.size() << " of " << inputs.size() << " inputs, " << skipped
              << " done already\n";
  translateFinished finished;
  if (!args.results.empty())
    finished = [&results](const translateResult& result) {
      return result.cancelled ? std::string() : results.append(result);
    };
  return translate_run(args, tasks, finished, earlier);
}

// Keeps of latest the results of the manifest's inputs; the number of
// inputs without one, each named on standard error.
static int keep_manifest(const std::string& manifest,
                         std::map<std::string, std::map<std::string, std::string>>& latest,
                         int& status) {
  std::vector<std::string> inputs;
  const std::string wrong = translate_read_manifest(manifest, inputs);
  if (!wrong.empty()) {
    std::cerr << "vorabs-translate: " << translate_escape(wrong) << "\n";
    status = 2;
    return 0;
  }
  std::map<std::string, std::map<std::string, std::string>> kept;
  int missing = 0;
  for (const std::string& input : inputs) {
    const auto found = latest.find(json_text(input));
    if (found != latest.end()) {
      kept.insert(*found);
    } else if (++missing <= 10) {
      std::cerr << "vorabs-translate: " << translate_escape(input) << ": no result\n";
    }
  }
  latest.swap(kept);
  if (missing > 0) {
    std::cerr << "vorabs-translate: " << missing << " of " << inputs.size()
              << " inputs have no result\n";
    status = 2;
  }
  return missing;
}

int translate_merge(const std::vector<std::string>& files, const std::string& manifest,
                    const std::string& report, std::ostream& out) {
  // By input, the last line wins: a rerun appends a newer result.
  std::map<std::string, std::map<std::string, std::string>> latest;
  int status = 0;
  for (const std::string& file : files)
    if (!read_lines(
            file, [&](const std::map<std::string, std::string>& m) { latest[m.at("file")] = m; })) {
      std::cerr << "vorabs-translate: cannot read the results " << translate_escape(file) << "\n";
      status = 2;
    }
  const int missing = manifest.empty() ? 0 : keep_manifest(manifest, latest, status);
  translateTotals totals;
  std::map<std::string, int> statuses;
  std::ostringstream rows;
  const char* separator = "";
  for (const auto& entry : latest) {
    const auto& m = entry.second;
    std::map<std::string, std::string> counts;
    JsonLine(m.count("totals") ? m.at("totals") : "{}").members(counts);
    const int exit_status = static_cast<int>(number(m, "exit_status"));
    status = std::max(status, exit_status);
    ++totals.files;
    totals.not_read += exit_status == 2;
    totals.with_failures += exit_status == 1;
    totals.read += std::max(0LL, number(counts, "read"));
    totals.translated += std::max(0LL, number(counts, "translated"));
    totals.ignored += std::max(0LL, number(counts, "ignored"));
    totals.failed += std::max(0LL, number(counts, "failed"));
    totals.untranslated += std::max(0LL, number(counts, "untranslated"));
    totals.seconds += std::atof(m.count("seconds") ? m.at("seconds").c_str() : "0");
    const std::string parse = m.count("status") ? m.at("status") : "\"\"";
    ++statuses[parse];
    rows << separator << "\n    {\"file\": " << entry.first << ", \"status\": " << parse
         << ", \"exit_status\": " << exit_status
         << ", \"totals\": " << (m.count("totals") ? m.at("totals") : "{}") << "}";
    separator = ",";
  }
  if (report != "-") // standard output holds the JSON alone
    translate_print_totals(out, totals);
  if (report.empty())
    return status;
  std::ofstream file;
  if (report != "-")
    file.open(report, std::ios::binary);
  std::ostream& json = report == "-" ? out : file;
  json << "{\n  \"files\": " << totals.files << ",\n  \"missing\": " << missing
       << ",\n  \"exit_status\": " << status << ",\n  \"totals\": ";
  translate_json_totals(json, totals);
  json << ",\n  \"statuses\": {";
  separator = "";
  for (const auto& s : statuses) {
    json << separator << s.first << ": " << s.second;
    separator = ", ";
  }
  json << "},\n  \"results\": [" << rows.str() << "\n  ]\n}\n";
  if (report != "-")
    file.close();
  if (!json) {
    std::cerr << "vorabs-translate: cannot write the summary " << translate_escape(report) << "\n";
    return 2;
  }
  return status;
}
