// translateReport.cpp - what a translation came to, as a readable report and as JSON.
#include "translateReport.h"

#include <cstdio>
#include <ostream>

namespace {

// The rate of what was delivered: entities that went through the translators.
double per_second(const translateResult& result) {
  return result.seconds > 0.0 ? result.total_delivered() / result.seconds : 0.0;
}

// The length of the UTF-8 sequence at text[at], 0 when none starts there.
size_t utf8_length(const std::string& text, size_t at) {
  const unsigned char c = static_cast<unsigned char>(text[at]);
  const size_t length = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
  if (length == 0 || at + length > text.size())
    return 0;
  for (size_t i = 1; i < length; ++i)
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
      return 0;
  return length;
}

void print_row(std::ostream& out, const std::string& label, const translateTally& t,
               int untranslated) {
  char line[200];
  std::snprintf(line, sizeof line, "  %-20s %8d %11d %8d %8d %13d\n",
                translate_escape(label).c_str(), t.read, t.translated, t.ignored, t.failed,
                untranslated);
  out << line;
}

// One row per DXF type; read = translated + ignored + failed + untranslated
// in every row, the untranslated ones being those of kinds the reader has
// no translator for (every entity of such a kind, wherever it lies).
void print_table(std::ostream& out, const char* heading,
                 const std::map<std::string, translateTally>& tallies,
                 const std::map<std::string, int>& untranslated) {
  if (tallies.empty())
    return;
  char line[200];
  std::snprintf(line, sizeof line, "  %-20s %8s %11s %8s %8s %13s\n", heading, "read", "translated",
                "ignored", "failed", "untranslated");
  out << line;
  translateTally total;
  int total_untranslated = 0;
  for (const auto& t : tallies) {
    const int none = untranslated.count(t.first) ? t.second.read : 0;
    print_row(out, t.first, t.second, none);
    total.read += t.second.read;
    total.translated += t.second.translated;
    total.ignored += t.second.ignored;
    total.failed += t.second.failed;
    total_untranslated += none;
  }
  print_row(out, "total", total, total_untranslated);
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
  translateTotals totals;
  totals.add(r);
  translate_json_totals(key(out, "totals"), totals);
  if (r.size >= 0)
    key(out, "size") << r.size;
  if (r.mtime_ns >= 0)
    key(out, "mtime_ns") << r.mtime_ns;
  key(out, "cancelled") << (r.cancelled ? "true" : "false");
  key(out, "seconds") << seconds;
  key(out, "entities_per_second") << static_cast<long>(per_second(r));
  key(out, "exit_status") << r.exit_status() << "\n}";
}

} // namespace

void translate_json_totals(std::ostream& out, const translateTotals& t) {
  out << "{\"read\": " << t.read << ", \"translated\": " << t.translated
      << ", \"ignored\": " << t.ignored << ", \"failed\": " << t.failed
      << ", \"untranslated\": " << t.untranslated << "}";
}

void translateTotals::add(const translateResult& r) {
  ++files;
  not_read += r.exit_status() == 2;
  with_failures += r.exit_status() == 1;
  for (const auto* tallies : {&r.entities, &r.block_entities})
    for (const auto& t : *tallies) {
      read += t.second.read;
      translated += t.second.translated;
      ignored += t.second.ignored;
      failed += t.second.failed;
    }
  untranslated += r.total_untranslated();
  seconds += r.seconds;
}

std::string translate_escape(const std::string& text) {
  std::string escaped;
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const size_t length = c >= 0x80 ? utf8_length(text, i) : (c >= 0x20 && c != 0x7F) || c == '\t';
    if (length > 0) {
      escaped.append(text, i, length);
      i += length;
      continue;
    }
    char code[8];
    std::snprintf(code, sizeof code, "\\x%02X", c);
    escaped += code;
    ++i;
  }
  return escaped;
}

void translate_print_messages(std::ostream& out, const translateResult& r, int quiet, int verbose) {
  const std::string file = translate_escape(r.file);
  for (const std::string& line : r.error)
    if (!quiet || line.compare(0, 7, "Warning") != 0)
      out << file << ": " << translate_escape(line) << "\n";
  if (verbose)
    for (const std::string& line : r.output)
      out << file << ": " << translate_escape(line) << "\n";
  if (r.cancelled)
    out << file << ": cancelled after " << r.delivered << " objects\n";
}

void translate_print_totals(std::ostream& out, const translateTotals& t) {
  char line[300];
  std::snprintf(line, sizeof line,
                "total: %d files (%d not read, %d with failures), %ld entities (%ld translated, "
                "%ld ignored, %ld failed, %ld untranslated), %.3f s\n",
                t.files, t.not_read, t.with_failures, t.read, t.translated, t.ignored, t.failed,
                t.untranslated, t.seconds);
  out << line;
}

void translate_print_report(std::ostream& out, const translateResult& r) {
  out << translate_escape(r.file) << ": ";
  if (!r.readable) {
    out << "not read (" << r.status << ")\n";
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
  print_table(out, "entity", r.entities, r.untranslated);
  print_table(out, "block entity", r.block_entities, r.untranslated);
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
