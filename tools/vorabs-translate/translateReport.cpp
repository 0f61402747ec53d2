// translateReport.cpp - what a translation came to, as a readable report and as JSON.
#include "translateReport.h"

#include <cstdio>
#include <ostream>

namespace {

double per_second(const translateResult& result) {
  return result.seconds > 0.0 ? result.total_read() / result.seconds : 0.0;
}

void print_row(std::ostream& out, const std::string& label, const translateTally& t) {
  char line[160];
  std::snprintf(line, sizeof line, "  %-20s %8d %11d %8d %8d\n", label.c_str(), t.read,
                t.translated, t.ignored, t.failed);
  out << line;
}

void print_table(std::ostream& out, const char* heading,
                 const std::map<std::string, translateTally>& tallies) {
  if (tallies.empty())
    return;
  char line[160];
  std::snprintf(line, sizeof line, "  %-20s %8s %11s %8s %8s\n", heading, "read", "translated",
                "ignored", "failed");
  out << line;
  translateTally total;
  for (const auto& t : tallies) {
    print_row(out, t.first, t.second);
    total.read += t.second.read;
    total.translated += t.second.translated;
    total.ignored += t.second.ignored;
    total.failed += t.second.failed;
  }
  print_row(out, "total", total);
}

void print_counts(std::ostream& out, const char* heading,
                  const std::map<std::string, int>& counts) {
  if (counts.empty())
    return;
  out << "  " << heading << ":";
  const char* separator = " ";
  for (const auto& c : counts) {
    out << separator << c.first << " " << c.second;
    separator = ", ";
  }
  out << "\n";
}

void json_string(std::ostream& out, const std::string& text) {
  out << '"';
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out << '\\' << c;
    } else if (c == '\n') {
      out << "\\n";
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out << escaped;
    } else {
      out << c;
    }
  }
  out << '"';
}

void json_counts(std::ostream& out, const std::map<std::string, int>& counts) {
  out << "{";
  const char* separator = "";
  for (const auto& c : counts) {
    out << separator;
    json_string(out, c.first);
    out << ": " << c.second;
    separator = ", ";
  }
  out << "}";
}

void json_tallies(std::ostream& out, const std::map<std::string, translateTally>& tallies) {
  out << "{";
  const char* separator = "";
  for (const auto& t : tallies) {
    out << separator << "\n    ";
    json_string(out, t.first);
    out << ": {\"read\": " << t.second.read << ", \"translated\": " << t.second.translated
        << ", \"ignored\": " << t.second.ignored << ", \"failed\": " << t.second.failed << "}";
    separator = ",";
  }
  out << (tallies.empty() ? "}" : "\n  }");
}

void json_lines(std::ostream& out, const std::vector<std::string>& lines) {
  out << "[";
  const char* separator = "";
  for (const std::string& line : lines) {
    out << separator;
    json_string(out, line);
    separator = ", ";
  }
  out << "]";
}

// Starts the field key of an object whose first field has been written.
std::ostream& key(std::ostream& out, const char* name) {
  return out << ",\n  \"" << name << "\": ";
}

void json_result(std::ostream& out, const translateResult& r) {
  out << "{\n  \"file\": ";
  json_string(out, r.file);
  key(out, "format") << "\"dxf\"";
  const std::pair<const char*, const std::string*> texts[] = {
      {"version", &r.version}, {"status", &r.status}, {"units", &r.units}};
  for (const auto& text : texts)
    json_string(key(out, text.first), *text.second);
  json_tallies(key(out, "entities"), r.entities);
  json_tallies(key(out, "block_entities"), r.block_entities);
  json_counts(key(out, "skipped"), r.skipped);
  json_counts(key(out, "untranslated"), r.untranslated);
  json_counts(key(out, "unbuilt"), r.unbuilt);
  const std::pair<const char*, long> numbers[] = {{"layers", r.layers},
                                                  {"blocks", r.blocks},
                                                  {"objects", r.objects},
                                                  {"delivered", r.delivered}};
  for (const auto& number : numbers)
    key(out, number.first) << number.second;
  json_lines(key(out, "messages") << "{\"output\": ", r.output);
  json_lines(out << ", \"error\": ", r.error);
  json_string(out << "}"
                  << ",\n  \"summary\": ",
              r.summary);
  if (r.written.empty())
    key(out, "written") << "null";
  else
    json_string(key(out, "written"), r.written);
  char seconds[64];
  std::snprintf(seconds, sizeof seconds, "%.6f", r.seconds);
  key(out, "cancelled") << (r.cancelled ? "true" : "false");
  key(out, "seconds") << seconds;
  key(out, "entities_per_second") << static_cast<long>(per_second(r));
  key(out, "exit_status") << r.exit_status() << "\n}";
}

} // namespace

void translate_print_report(std::ostream& out, const translateResult& r) {
  out << r.file << ": ";
  if (!r.readable) {
    out << "not read (" << r.status << ")\n";
    for (const std::string& line : r.error)
      out << "  " << line << "\n";
    return;
  }
  out << "DXF " << r.version;
  if (!r.units.empty())
    out << ", " << r.units;
  out << ", " << r.layers << (r.layers == 1 ? " layer, " : " layers, ") << r.blocks
      << (r.blocks == 1 ? " block" : " blocks");
  if (r.status != "ok")
    out << ", " << r.status;
  out << "\n";
  print_table(out, "entity", r.entities);
  print_table(out, "block entity", r.block_entities);
  print_counts(out, "not translated by the reader", r.untranslated);
  print_counts(out, "could not be built", r.unbuilt);
  print_counts(out, "skipped (unknown)", r.skipped);
  out << "  messages: " << r.error.size() << " on the error channel, " << r.output.size()
      << " on the output channel\n";
  if (!r.summary.empty())
    out << "\n" << r.summary;
  char timing[160];
  std::snprintf(timing, sizeof timing,
                "  %d entities in %.3f s (%.0f entities/s), %d objects delivered\n", r.total_read(),
                r.seconds, per_second(r), r.delivered);
  out << timing;
  if (r.cancelled)
    out << "  cancelled: the translation stopped after " << r.delivered << " objects\n";
  if (!r.written.empty())
    out << "  written: " << r.written << "\n";
}

void translate_write_json(std::ostream& out, const std::vector<translateResult>& results) {
  if (results.size() == 1) {
    json_result(out, results.front());
  } else {
    out << "[";
    for (size_t i = 0; i < results.size(); ++i) {
      out << (i ? ",\n" : "\n");
      json_result(out, results[i]);
    }
    out << "\n]";
  }
  out << "\n";
}
