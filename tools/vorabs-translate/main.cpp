// main.cpp - vorabs-translate: reads DXF files through the framework and reports what came of them.
//
//   vorabs-translate FILE... [--report report.json] [--dump] [--quiet] [-j N]
//                    [-o OUT.dxf|OUT.pdf|OUT.svg|OUT.png] [plot options]
//
// Each file is read into an annotation document of its own (or, with -o,
// into a new DXF file or a plot), several at once with -j. The readable report goes
// to standard output, a progress bar to standard error when that is a
// terminal; Ctrl-C stops every translation at its next object. Exit status:
// 0 everything translated, 1 some entities failed, 2 usage errors and files
// that could not be read or written.
#include "translateJob.h"
#include "translateReport.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <clocale>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

const char* const usage =
    "usage: vorabs-translate FILE... [--report report.json] [--dump] [--quiet] [-j N] "
    "[-o OUT.dxf]\n"
    "  --report FILE  write the report as JSON to FILE\n"
    "  --dump         print each translated document\n"
    "  --quiet        no readable report and no progress bar\n"
    "  -j N           translate N files at once\n"
    "  -o OUT.dxf     write the entities of the one FILE to a new DXF file\n"
    "  -o OUT.pdf|OUT.svg|OUT.png  draw the one FILE as a PDF, SVG or PNG\n"
    "  --format F     dxf, pdf, svg or png, whatever the extension of -o\n"
    "plot options (PDF, SVG, PNG):\n"
    "  --window X0,Y0,X1,Y1  plot this window of model space, mapped onto the whole page\n"
    "  --width PX     PNG width in pixels (the height follows the window)\n"
    "  --dpi N        PNG pixels per inch of paper, for line weights (96)\n"
    "  --background white|black\n"
    "  --layout NAME|all  plot paper-space layouts instead of model space\n";

struct Arguments {
  std::vector<std::string> files;
  std::string report;
  std::string output;
  std::string format;
  translatePlotOptions plot;
  int plot_options = 0; // some plot option was given
  int dump = 0;
  int quiet = 0;
  int jobs = 1;
};

// The four numbers of X0,Y0,X1,Y1, finite, the first corner below and left
// of the second.
bool parse_window(const std::string& text, double window[4]) {
  const char* at = text.c_str();
  for (int i = 0; i < 4; ++i) {
    char* end = nullptr;
    window[i] = std::strtod(at, &end);
    if (end == at || !std::isfinite(window[i]) || *end != (i < 3 ? ',' : '\0'))
      return false;
    at = end + 1;
  }
  return window[0] < window[2] && window[1] < window[3];
}

bool parse_number(const std::string& text, double low, double high, double& value) {
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0' && value >= low && value <= high;
}

// A plot option and its value; 0 when arg is none, the fault when the value is wrong.
const char* parse_plot_option(const std::string& arg, const std::string& value, Arguments& args,
                              int& taken) {
  taken = 1;
  double number = 0;
  if (arg == "--window") {
    args.plot.has_window = 1;
    return parse_window(value, args.plot.window)
               ? nullptr
               : "--window takes X0,Y0,X1,Y1 with X0 < X1 and Y0 < Y1";
  }
  if (arg == "--width") {
    if (!parse_number(value, 1, 32767, number) || number != std::floor(number))
      return "--width takes a whole number of pixels from 1 to 32767";
    args.plot.width = int(number);
    return nullptr;
  }
  if (arg == "--dpi") {
    if (!parse_number(value, 1, 2400, number))
      return "--dpi takes a number from 1 to 2400";
    args.plot.dpi = number;
    return nullptr;
  }
  if (arg == "--background") {
    if (value != "white" && value != "black")
      return "--background takes white or black";
    args.plot.black_background = value == "black";
    return nullptr;
  }
  if (arg == "--layout") {
    args.plot.layout = value;
    return value.empty() ? "--layout takes a layout's name or all" : nullptr;
  }
  taken = 0;
  return nullptr;
}

// The output's format: the one given, or the extension's, DXF otherwise.
const char* choose_format(Arguments& args) {
  std::string extension;
  const size_t dot = args.output.rfind('.');
  if (dot != std::string::npos && args.output.find('/', dot) == std::string::npos)
    extension = args.output.substr(dot + 1);
  for (char& c : extension)
    c = char(std::tolower(static_cast<unsigned char>(c)));
  if (args.format.empty())
    args.format =
        extension == "pdf" || extension == "svg" || extension == "png" ? extension : "dxf";
  if (args.format != "dxf" && args.format != "pdf" && args.format != "svg" && args.format != "png")
    return "--format takes dxf, pdf, svg or png";
  if (args.plot_options && (args.output.empty() || args.format == "dxf"))
    return "plot options need -o with a PDF, SVG or PNG file";
  if (args.plot.has_window && !args.plot.layout.empty())
    return "--window plots model space; it cannot go with --layout";
  return nullptr;
}

// 0 when the arguments are usable; otherwise what is wrong with them.
const char* parse(int argc, char** argv, Arguments& args) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool has_value = i + 1 < argc;
    int taken = 0;
    if (arg.compare(0, 2, "--") == 0 && arg != "--report" && arg != "--format")
      if (const char* wrong = parse_plot_option(arg, has_value ? argv[i + 1] : "", args, taken))
        return has_value ? wrong : "an option lacks its value";
    if (taken && !has_value)
      return "an option lacks its value";
    if (taken) {
      args.plot_options = 1;
      ++i;
      continue;
    }
    if (arg == "--format") {
      if (!has_value)
        return "an option lacks its value";
      args.format = argv[++i];
    } else if (arg == "--report" || arg == "-o" || arg == "-j") {
      if (!has_value)
        return "an option lacks its value";
      const std::string value = argv[++i];
      if (arg == "--report")
        args.report = value;
      else if (arg == "-o")
        args.output = value;
      else if ((args.jobs = std::atoi(value.c_str())) < 1 ||
               value.find_first_not_of("0123456789") != std::string::npos)
        return "-j takes a positive number";
    } else if (arg == "--dump") {
      args.dump = 1;
    } else if (arg == "--quiet") {
      args.quiet = 1;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return "unknown option";
    } else {
      args.files.push_back(arg);
    }
  }
  if (args.files.empty())
    return "no file given";
  if (!args.output.empty() && args.files.size() != 1)
    return "-o takes exactly one input file";
  return choose_format(args);
}

// A bar on standard error, redrawn when the share done grows by a step.
class TerminalBar final : public translateProgress {
public:
  ~TerminalBar() override {
    if (drawn_ >= 0)
      std::fprintf(stderr, "\r%60s\r", "");
  }
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

private:
  std::atomic<long> total_{0};
  std::atomic<long> done_{0};
  std::mutex mutex_;
  int drawn_ = -1;
};

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
}

std::vector<translateResult> translate_all(const Arguments& args, translateProgress* progress) {
  std::vector<translateResult> results(args.files.size());
  translateOptions options;
  options.output = args.output;
  options.format = args.format;
  options.plot = args.plot;
  options.dump = args.dump;
  options.progress = progress;
  std::atomic<size_t> next{0};
  auto work = [&]() {
    for (size_t i; (i = next++) < args.files.size();)
      results[i] = translate_file(args.files[i], options);
  };
  const size_t workers = std::min(args.files.size(), static_cast<size_t>(args.jobs));
  std::vector<std::thread> threads;
  for (size_t i = 1; i < workers; ++i)
    threads.emplace_back(work);
  work();
  for (std::thread& thread : threads)
    thread.join();
  return results;
}

int report(const Arguments& args, const std::vector<translateResult>& results) {
  int status = 0;
  for (const translateResult& result : results) {
    status = std::max(status, result.exit_status());
    if (!args.quiet)
      translate_print_report(std::cout, result);
    else if (result.exit_status() == 2)
      for (const std::string& line : result.error)
        std::cerr << "vorabs-translate: " << line << "\n";
    if (args.dump)
      std::cout << "document of " << result.file << ":\n" << result.document;
  }
  if (args.report.empty())
    return status;
  std::ofstream json(args.report, std::ios::binary);
  translate_write_json(json, results);
  json.close();
  if (!json) {
    std::cerr << "vorabs-translate: cannot write the report " << args.report << "\n";
    return 2;
  }
  return status;
}

} // namespace

int main(int argc, char** argv) {
  set_locale();
  Arguments args;
  if (const char* wrong = parse(argc, argv, args)) {
    std::cerr << "vorabs-translate: " << wrong << "\n" << usage;
    return 2;
  }
  catch_interrupt();
  std::vector<translateResult> results;
  if (!args.quiet && isatty(STDERR_FILENO)) {
    TerminalBar bar;
    results = translate_all(args, &bar);
  } else {
    results = translate_all(args, nullptr);
  }
  return report(args, results);
}
