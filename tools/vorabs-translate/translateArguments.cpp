// translateArguments.cpp - the command line of vorabs-translate, read through one table of options.
#include "translateArguments.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

using Setter = std::string (*)(translateArguments&, const std::string&);

struct Option {
  const char* short_name; // "-j", or null
  const char* long_name;  // "--jobs", or null
  const char* value;      // the value's name in the usage; null for a switch
  const char* help;
  Setter set;
};

// A positive number, or -1.
int positive(const std::string& text) {
  if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
    return -1;
  const int number = std::atoi(text.c_str());
  return number > 0 ? number : -1;
}

std::string set_shard(translateArguments& a, const std::string& value) {
  const size_t slash = value.find('/');
  const std::string k = value.substr(0, slash);
  const int n = slash == std::string::npos ? -1 : positive(value.substr(slash + 1));
  const int index = k == "0" ? 0 : positive(k);
  if (n < 1 || index < 0 || index >= n)
    return "--shard takes K/N with 0 <= K < N, not '" + value + "'";
  a.shard = index;
  a.shards = n;
  return "";
}

// The four numbers of X0,Y0,X1,Y1, finite, the first corner below and left
// of the second.
std::string set_window(translateArguments& a, const std::string& value) {
  const char* at = value.c_str();
  double* window = a.plot.window;
  a.plot_options = a.plot.has_window = 1;
  for (int i = 0; i < 4; ++i) {
    char* end = nullptr;
    window[i] = std::strtod(at, &end);
    if (end == at || !std::isfinite(window[i]) || *end != (i < 3 ? ',' : '\0'))
      return "--window takes X0,Y0,X1,Y1, not '" + value + "'";
    at = end + 1;
  }
  if (!(window[0] < window[2] && window[1] < window[3]))
    return "--window takes X0,Y0,X1,Y1 with X0 < X1 and Y0 < Y1";
  return "";
}

// A number from low to high, or NaN.
double number_in(const std::string& text, double low, double high) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0' && value >= low && value <= high ? value : std::nan("");
}

std::string set_width(translateArguments& a, const std::string& value) {
  const double width = number_in(value, 1, 32767);
  a.plot_options = 1;
  if (!(width == std::floor(width)))
    return "--width takes a whole number of pixels from 1 to 32767, not '" + value + "'";
  a.plot.width = int(width);
  return "";
}

std::string set_dpi(translateArguments& a, const std::string& value) {
  a.plot_options = 1;
  a.plot.dpi = number_in(value, 1, 2400);
  return std::isnan(a.plot.dpi) ? "--dpi takes a number from 1 to 2400, not '" + value + "'" : "";
}

std::string set_background(translateArguments& a, const std::string& value) {
  a.plot_options = 1;
  a.plot.black_background = value == "black";
  return value == "white" || value == "black" ? "" : "--background takes white or black";
}

// The output's format: the one given, or the extension's, DXF otherwise.
std::string choose_format(translateArguments& args) {
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
    return "--format takes dxf, pdf, svg or png, not '" + args.format + "'";
  if (args.output.empty() && args.format != "dxf")
    return "--format needs -o";
  if (args.plot_options && (args.output.empty() || args.format == "dxf"))
    return "plot options need -o with a PDF, SVG or PNG file";
  if (args.plot.has_window && !args.plot.layout.empty())
    return "--window plots model space; it cannot go with --layout";
  return "";
}

const Option options[] = {
    {"-h", "--help", nullptr, "print this help and exit",
     [](translateArguments& a, const std::string&) { return a.show = "help", std::string(); }},
    {nullptr, "--version", nullptr, "print the version and the formats read and written",
     [](translateArguments& a, const std::string&) { return a.show = "version", std::string(); }},
    {nullptr, "--formats", nullptr, "list the formats with their extensions",
     [](translateArguments& a, const std::string&) { return a.show = "formats", std::string(); }},
    {"-o", "--output", "OUT",
     "write the one FILE to a new file: OUT.dxf, or a plot OUT.pdf|svg|png",
     [](translateArguments& a, const std::string& v) { return a.output = v, std::string(); }},
    {nullptr, "--format", "F", "dxf, pdf, svg or png, whatever the extension of -o",
     [](translateArguments& a, const std::string& v) { return a.format = v, std::string(); }},
    {nullptr, "--window", "X0,Y0,X1,Y1", "plot this window of model space onto the whole page",
     set_window},
    {nullptr, "--width", "PX", "PNG width in pixels (the height follows the window)", set_width},
    {nullptr, "--dpi", "N", "PNG pixels per inch of paper, for line weights (96)", set_dpi},
    {nullptr, "--background", "white|black", "the plot's paper (white)", set_background},
    {nullptr, "--layout", "NAME|all", "plot paper-space layouts instead of model space",
     [](translateArguments& a, const std::string& v) {
       a.plot_options = 1;
       a.plot.layout = v;
       return v.empty() ? std::string("--layout takes a layout's name or all") : std::string();
     }},
    {nullptr, "--report", "FILE", "write the report as JSON to FILE ('-': standard output)",
     [](translateArguments& a, const std::string& v) { return a.report = v, std::string(); }},
    {nullptr, "--dump", nullptr, "print each translated document",
     [](translateArguments& a, const std::string&) { return a.dump = 1, std::string(); }},
    {"-j", "--jobs", "N", "translate N files at once",
     [](translateArguments& a, const std::string& v) {
       return (a.jobs = positive(v)) > 0 ? std::string()
                                         : "-j takes a positive number, not '" + v + "'";
     }},
    {"-q", "--quiet", nullptr, "no readable report, no progress bar, only errors",
     [](translateArguments& a, const std::string&) { return a.quiet = 1, std::string(); }},
    {"-v", "--verbose", nullptr, "informational messages too",
     [](translateArguments& a, const std::string&) { return a.verbose = 1, std::string(); }},
    {nullptr, "--manifest", "LIST", "translate the files LIST names, one a line",
     [](translateArguments& a, const std::string& v) { return a.manifest = v, std::string(); }},
    {nullptr, "--shard", "K/N", "of LIST, only the lines whose index modulo N is K", set_shard},
    {nullptr, "--out-dir", "DIR", "write each input of LIST into DIR as a DXF file",
     [](translateArguments& a, const std::string& v) { return a.out_dir = v, std::string(); }},
    {nullptr, "--results", "FILE.jsonl",
     "append each file's JSON report as a line; skip inputs already there",
     [](translateArguments& a, const std::string& v) { return a.results = v, std::string(); }},
    {nullptr, "--merge", nullptr,
     "the FILEs are results files: print their one summary (with --manifest, of its inputs)",
     [](translateArguments& a, const std::string&) { return a.merge = 1, std::string(); }},
};

const Option* find(const std::string& name) {
  for (const Option& option : options)
    if ((option.short_name && name == option.short_name) ||
        (option.long_name && name == option.long_name))
      return &option;
  return nullptr;
}

// Reads the option at argv[i] (advancing i past its value); empty when it
// was taken.
std::string take_option(int argc, const char* const* argv, int& i, translateArguments& args) {
  const std::string arg = argv[i];
  std::string name = arg, value;
  int inline_value = 0;
  if (arg.compare(0, 2, "--") == 0 && arg.find('=') != std::string::npos) {
    name = arg.substr(0, arg.find('='));
    value = arg.substr(arg.find('=') + 1);
    inline_value = 1;
  } else if (arg.compare(0, 2, "--") != 0 && arg.size() > 2 && find(arg.substr(0, 2)) &&
             find(arg.substr(0, 2))->value) {
    name = arg.substr(0, 2); // -j2, -oOUT.dxf
    value = arg.substr(2);
    inline_value = 1;
  }
  const Option* option = find(name);
  if (!option)
    return "unknown option '" + arg + "'";
  if (!option->value) {
    if (inline_value)
      return "option '" + name + "' takes no value";
    return option->set(args, "");
  }
  if (!inline_value) {
    if (i + 1 >= argc)
      return "option '" + name + "' needs a value (" + option->value + ")";
    value = argv[++i];
  }
  return option->set(args, value);
}

} // namespace

std::string translate_parse_arguments(int argc, const char* const* argv, translateArguments& args) {
  int only_files = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (only_files || arg.size() < 2 || arg[0] != '-') {
      args.files.push_back(arg);
    } else if (arg == "--") {
      only_files = 1;
    } else {
      const std::string wrong = take_option(argc, argv, i, args);
      if (!wrong.empty())
        return wrong;
    }
  }
  if (!args.show.empty())
    return "";
  if (args.quiet && args.verbose)
    return "--quiet and --verbose exclude each other";
  if (!args.manifest.empty() && !args.files.empty() && !args.merge)
    return "--manifest takes no FILE arguments";
  if (args.manifest.empty() && (args.shards > 1 || !args.out_dir.empty()))
    return args.shards > 1 ? "--shard needs --manifest" : "--out-dir needs --manifest";
  if (args.merge && args.files.empty())
    return "--merge needs results files";
  if (args.files.empty() && args.manifest.empty())
    return "no file given";
  if (!args.output.empty() && (args.files.size() != 1 || !args.manifest.empty()))
    return "-o takes exactly one input file (--out-dir for several)";
  return choose_format(args);
}

std::string translate_usage() {
  std::string text = "usage: vorabs-translate [OPTION]... FILE...\n"
                     "       vorabs-translate --manifest LIST [--shard K/N] [--out-dir DIR] "
                     "[--results FILE.jsonl]\n"
                     "       vorabs-translate --merge FILE.jsonl...\n"
                     "Reads CAD files through the translation framework and reports what came of "
                     "them.\n";
  for (const Option& option : options) {
    std::string names = option.short_name ? std::string(option.short_name) + ", " : "    ";
    names += option.long_name ? option.long_name : "";
    if (option.value)
      names += std::string(" ") + option.value;
    char line[200];
    std::snprintf(line, sizeof line, "  %-26s %s\n", names.c_str(), option.help);
    text += line;
  }
  text += "Exit status: 0 everything translated, 1 some entities failed (or a file broke off, or "
          "the run was cancelled), 2 usage errors and files that could not be read or written.\n";
  return text;
}
