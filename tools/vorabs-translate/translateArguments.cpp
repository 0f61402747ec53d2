// translateArguments.cpp - the command line of vorabs-translate, read through one table of options.
#include "translateArguments.h"

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

const Option options[] = {
    {"-h", "--help", nullptr, "print this help and exit",
     [](translateArguments& a, const std::string&) { return a.show = "help", std::string(); }},
    {nullptr, "--version", nullptr, "print the version and the formats read and written",
     [](translateArguments& a, const std::string&) { return a.show = "version", std::string(); }},
    {nullptr, "--formats", nullptr, "list the formats with their extensions",
     [](translateArguments& a, const std::string&) { return a.show = "formats", std::string(); }},
    {"-o", "--output", "OUT.dxf", "write the entities of the one FILE to a new file",
     [](translateArguments& a, const std::string& v) { return a.output = v, std::string(); }},
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
  return "";
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
