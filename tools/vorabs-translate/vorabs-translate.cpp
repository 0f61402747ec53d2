// vorabs-translate.cpp - the command-line host: DXF files into annotation documents, with a report.
//
//   vorabs-translate FILE... [--report report.json] [--dump] [--quiet] [-j N]
//
// Each file is read by the DXF reader and every object is translated into
// the framework's self-check sink, which builds an annotation document; one
// document, context, reader and set of channels per file, so that -j N
// translates N files at once. The report gives entities per kind and
// status, skipped entity types, the messages, time and speed. Ctrl-C stops
// at the next object and the report says so. Exit status: 0 when every
// entity translated, 1 when some failed or the run was cancelled, 2 for
// usage errors and files that could not be read.
#include "dxfLibInput.h"

#include "vorabsAttributePtr.h"
#include "vorabsIfStream.h"
#include "vorabsLibSinkTesterEx.h"
#include "vorabsOutput.h"
#include "vorabsTestInterfaceEx.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

std::atomic<int> cancelled{0};

void on_interrupt(int) {
  cancelled = 1;
}

// Keeps every message of one channel.
class Collector : public vorabsOutput {
public:
  void vtprintf(const char*, const char* format, va_list args) override {
    char buffer[2048];
    vsnprintf(buffer, sizeof buffer, format, args);
    lines.push_back(buffer);
  }
  std::vector<std::string> lines;
};

struct Tally {
  int read = 0;
  int translated = 0;
  int failed = 0;
};

struct Result {
  std::string file;
  std::string version;
  int readable = 0;
  int cancelled = 0;
  std::map<std::string, Tally> entities;
  std::map<std::string, Tally> block_entities;
  std::map<std::string, int> skipped;
  int layers = 0;
  int blocks = 0;
  Collector output;
  Collector error;
  double seconds = 0.0;
  std::string dump;
  int any_failed() const {
    for (const auto* table : {&entities, &block_entities})
      for (const auto& kind : *table)
        if (kind.second.failed)
          return 1;
    return 0;
  }
};

// The DXF type word at the start of an entity name ("LINE 1F" -> "LINE"),
// or "" for a name that is no entity's (a block definition's).
std::string type_of(const vorabsAttributeSet& set, const dxfFile& file) {
  vorabsNamevorabsAttributePtr name;
  if (!set.get(vorabsNAME, name))
    return "";
  std::string text = (*name).string().c_str();
  std::string word = text.substr(0, text.find_first_of(" _"));
  return file.counts.count(word) || file.block_counts.count(word) ? word : "";
}

// The host's receiver: counts each sub-object's outcome by type, shows
// progress and answers cancellation.
class Receiver : public vorabsTestInterfaceEx {
public:
  Receiver(dxfLibInput& input, vorabsLibSinkTesterEx& sink, Result& result, int progress)
      : vorabsTestInterfaceEx(input, sink), input_(input), result_(result), progress_(progress) {}

  vorabsTranslationStatus send_sub_object(const vorabsAttributeSet& attributes) override {
    if (cancelled)
      return vorabsSTATUS_ABORTED;
    vorabsAttributeSet own;
    input_.attributes(own);
    vorabsTranslationStatus status = vorabsTestInterfaceEx::send_sub_object(attributes);
    count(own, status, in_block_);
    increment_progress(1);
    return status;
  }
  // One top-level object.
  vorabsTranslationStatus send_top(const vorabsAttributeSet& attributes, vorabsLibSink& sink) {
    vorabsAttributeSet own;
    input_.attributes(own);
    std::string type = type_of(own, *input_.file());
    // What an insert or a dimension holds is the geometry of a block.
    in_block_ = type == "INSERT" || type == "DIMENSION";
    vorabsTranslationStatus status = input_.send_to(attributes, *this, sink);
    count(own, status, false);
    increment_progress(1);
    return status;
  }
  void increment_progress(int step) override {
    done_ += step;
    if (!progress_ || done_ - shown_ < 2000)
      return;
    shown_ = done_;
    int total = input_.num_objects();
    int width = 40, filled = total ? int(double(done_) / total * width) : width;
    filled = filled > width ? width : filled;
    std::fprintf(stderr, "\r[%s%s] %d/%d", std::string(size_t(filled), '#').c_str(),
                 std::string(size_t(width - filled), ' ').c_str(), done_, total);
  }
  int translation_cancelled() const override { return cancelled; }

private:
  void count(const vorabsAttributeSet& own, const vorabsTranslationStatus& status, bool block) {
    std::string type = type_of(own, *input_.file());
    if (type.empty())
      return;
    Tally& tally = (block ? result_.block_entities : result_.entities)[type];
    if (status == vorabsSTATUS_FAILED)
      ++tally.failed;
    else if (status != vorabsSTATUS_ABORTED)
      ++tally.translated;
  }
  dxfLibInput& input_;
  Result& result_;
  int progress_;
  bool in_block_ = false;
  int done_ = 0;
  int shown_ = 0;
};

void translate(const std::string& path, Result& result, int progress, int dump) {
  auto start = std::chrono::steady_clock::now();
  result.file = path;
  annDocument document;
  vorabsContext context;
  context.set_document(&document);
  dxfLibInput reader(nullptr);
  reader.set_error(&result.error);
  reader.set_output(&result.output);
  vorabsIfStream stream(path.c_str());
  result.readable = reader.read_input(context, stream);
  if (const dxfFile* file = reader.file()) {
    result.version = file->version;
    result.layers = int(file->layers.size());
    result.blocks = int(file->blocks.size());
    result.skipped = file->skipped;
    for (const auto& kind : file->counts)
      result.entities[kind.first].read = kind.second;
    for (const auto& kind : file->block_counts)
      result.block_entities[kind.first].read = kind.second;
  }
  if (result.readable) {
    vorabsLibSinkTesterEx sink(&document);
    sink.set_error(&result.error);
    sink.set_output(&result.output);
    Receiver receiver(reader, sink, result, progress);
    vorabsAttributeSet attributes;
    while (!cancelled && ++reader)
      receiver.send_top(attributes, sink);
    result.cancelled = cancelled;
    if (progress)
      std::fprintf(stderr, "\r%*s\r", 60, "");
  }
  if (dump) {
    std::ostringstream out;
    document.print(out);
    result.dump = out.str();
  }
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\')
      out += '\\', out += char(c);
    else if (c < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      out += escape;
    } else
      out += char(c);
  }
  return out + "\"";
}

std::string json_tallies(const std::map<std::string, Tally>& table) {
  std::string out = "{";
  for (const auto& kind : table)
    out += (out.size() > 1 ? ", " : "") + quoted(kind.first) +
           ": {\"read\": " + std::to_string(kind.second.read) +
           ", \"translated\": " + std::to_string(kind.second.translated) +
           ", \"failed\": " + std::to_string(kind.second.failed) + "}";
  return out + "}";
}

std::string json_lines(const std::vector<std::string>& lines) {
  std::string out = "[";
  for (const std::string& line : lines)
    out += (out.size() > 1 ? ", " : "") + quoted(line);
  return out + "]";
}

std::string json(const Result& r) {
  std::string skipped = "{";
  for (const auto& kind : r.skipped)
    skipped +=
        (skipped.size() > 1 ? ", " : "") + quoted(kind.first) + ": " + std::to_string(kind.second);
  skipped += "}";
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.3f", r.seconds);
  return "{\"file\": " + quoted(r.file) +
         ", \"format\": \"dxf\", \"version\": " + quoted(r.version) +
         ", \"entities\": " + json_tallies(r.entities) +
         ", \"block_entities\": " + json_tallies(r.block_entities) + ", \"skipped\": " + skipped +
         ", \"layers\": " + std::to_string(r.layers) + ", \"blocks\": " + std::to_string(r.blocks) +
         ", \"messages\": {\"output\": " + json_lines(r.output.lines) +
         ", \"error\": " + json_lines(r.error.lines) +
         "}, \"cancelled\": " + (r.cancelled ? "true" : "false") + ", \"seconds\": " + seconds +
         "}";
}

void print_tallies(std::ostream& out, const char* title,
                   const std::map<std::string, Tally>& table) {
  if (table.empty())
    return;
  out << title << "\n";
  char line[128];
  for (const auto& kind : table) {
    std::snprintf(line, sizeof line, "  %-14s %8d read %8d translated %6d failed\n",
                  kind.first.c_str(), kind.second.read, kind.second.translated, kind.second.failed);
    out << line;
  }
}

void print(std::ostream& out, const Result& r) {
  out << r.file << ": DXF " << r.version << ", " << r.layers << " layers, " << r.blocks
      << " blocks\n";
  print_tallies(out, "entities:", r.entities);
  print_tallies(out, "in blocks:", r.block_entities);
  for (const auto& kind : r.skipped)
    out << "  skipped " << kind.first << ": " << kind.second << "\n";
  for (const std::string& line : r.error.lines)
    out << "  " << line;
  int total = 0;
  for (const auto* table : {&r.entities, &r.block_entities})
    for (const auto& kind : *table)
      total += kind.second.translated;
  char timing[128];
  std::snprintf(timing, sizeof timing, "%.3f s, %.0f entities per second%s\n", r.seconds,
                r.seconds > 0 ? total / r.seconds : 0.0, r.cancelled ? " (cancelled)" : "");
  out << timing;
  out << r.dump;
}

int usage() {
  std::cerr << "usage: vorabs-translate FILE... [--report report.json] [--dump] [--quiet] [-j N]\n";
  return 2;
}

} // namespace

int main(int argc, char** argv) {
  std::vector<std::string> files;
  std::string report;
  int dump = 0, quiet = 0, jobs = 1;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--report" && i + 1 < argc)
      report = argv[++i];
    else if (arg == "--dump")
      dump = 1;
    else if (arg == "--quiet")
      quiet = 1;
    else if (arg == "-j" && i + 1 < argc)
      jobs = std::atoi(argv[++i]);
    else if (arg.size() > 1 && arg[0] == '-')
      return usage();
    else
      files.push_back(arg);
  }
  if (files.empty() || jobs < 1)
    return usage();
  std::signal(SIGINT, on_interrupt);
  int progress = !quiet && isatty(2) && jobs == 1;

  std::vector<Result> results(files.size());
  std::atomic<size_t> next{0};
  auto worker = [&]() {
    for (size_t i = next++; i < files.size(); i = next++)
      translate(files[i], results[i], progress, dump);
  };
  std::vector<std::thread> threads;
  for (int j = 1; j < jobs && size_t(j) < files.size(); ++j)
    threads.emplace_back(worker);
  worker();
  for (std::thread& thread : threads)
    thread.join();

  int status = 0;
  std::string all = results.size() == 1 ? "" : "[";
  for (const Result& r : results) {
    if (!quiet)
      print(std::cout, r);
    else
      for (const std::string& line : r.error.lines)
        std::cerr << line;
    status = !r.readable ? 2 : status == 2 ? 2 : r.any_failed() || r.cancelled ? 1 : status;
    all += (all.size() > 1 ? ", " : "") + json(r);
  }
  if (results.size() > 1)
    all += "]";
  if (!report.empty()) {
    std::ofstream out(report);
    out << all << "\n";
    if (!out) {
      std::cerr << "vorabs-translate: cannot write " << report << "\n";
      return 2;
    }
  }
  return status;
}
