// translateJob.cpp - one file read through the DXF reader into a document, a DXF file or a plot,
// and what came of it.
#include "translateJob.h"

#include "vorabsDocumentSink.h"

#include "dxfLibInput.h"
#include "dxfLibOutput.h"
#ifdef VORABS_HAVE_PLOT
#include "plotLibOutput.h"
#endif

#include "vorabsAttributePtr.h"
#include "vorabsIfStream.h"
#include "vorabsHostReceiver.h"
#include "vorabsMessage.h"
#include "vorabsMessageLog.h"

#include "vorabsOfStream.h"
#include "vorabsOutput.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <fstream>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <sstream>

namespace {

std::atomic<int> cancel_requested{0};

// One logged message: its text, and the kind it belongs to (all messages
// of one text but for the entity's name).
class LoggedMessage final : public vorabsMessage {
public:
  LoggedMessage(const utString& key, vorabsSeverity severity, const utTypeID& kind,
                std::string text)
      : vorabsMessage(key, severity), kind_(kind), text_(std::move(text)) {}
  const utTypeID& ut_dynamic_type() const override { return kind_; }
  void print(vorabsOutput* channel) override {
    channel->tprintf("DO_NOT_TRANSLATE", "%s", text_.c_str());
  }

private:
  const utTypeID& kind_;
  std::string text_;
};

// Collects everything written to it as one text.
class TextChannel final : public vorabsOutput {
public:
  void vtprintf(const char*, const char* format, va_list args) override {
    text += vor_vformat(format, args).c_str();
  }
  std::string text;
};

const char* status_word(dxfParseStatus status) {
  static const char* const words[] = {"ok",     "truncated", "malformed", "empty",
                                      "binary", "dwg",       "unreadable"};
  return status >= 0 && status <= dxfPARSE_UNREADABLE ? words[status] : "unknown";
}

const char* unit_word(vorLengthUnit unit) {
  static const char* const words[] = {"millimetre", "centimetre", "metre", "inch", "foot",
                                      "micrometre", "kilometre",  "mile",  "yard"};
  return unit >= 0 && unit <= vorLENGTH_YARD ? words[unit] : "";
}

// The version the writer writes for a file of this version.
std::string output_version(const std::string& version) {
  if (version.size() == 6 && version >= "AC1015" && version <= "AC1032")
    return version;
  return version < "AC1015" ? "AC1015" : "AC1032";
}

bool is_paper_space(const std::string& name) {
  static const char prefix[] = "*PAPER_SPACE";
  if (name.size() < sizeof prefix - 1)
    return false;
  for (size_t i = 0; i + 1 < sizeof prefix; ++i)
    if (std::toupper(static_cast<unsigned char>(name[i])) != prefix[i])
      return false;
  return true;
}

// False only for a file that can be read and holds text without the
// group-code structure of ASCII DXF in its first lines (a group code on a
// line of its own, its value on the next). Missing, empty, binary DXF and
// DWG files are left to the reader, which names what they are.
bool looks_like_dxf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char head[4096];
  in.read(head, sizeof head);
  const std::string text(head, static_cast<size_t>(in.gcount()));
  if (text.empty() || text.compare(0, 18, "AutoCAD Binary DXF") == 0 ||
      text.compare(0, 4, "AC10") == 0)
    return true;
  std::istringstream lines(text);
  std::string line;
  int pairs = 0;
  while (pairs < 2 && std::getline(lines, line)) {
    const size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos && pairs == 0)
      continue; // blank lines before the first group
    const size_t last = line.find_last_not_of(" \t\r");
    const std::string code = first == std::string::npos ? "" : line.substr(first, last - first + 1);
    const size_t digits = !code.empty() && code[0] == '-' ? 1 : 0;
    if (code.size() <= digits || code.find_first_not_of("0123456789", digits) != std::string::npos)
      return false;
    if (!std::getline(lines, line))
      return true; // a group broken off: the reader says where
    ++pairs;
  }
  return true;
}

// "pdf", "svg" or "png" when the output is a plot: as the options say, or
// by the output's extension when they name no format; empty for DXF.
std::string plot_format(const translateOptions& options) {
  std::string format = options.format;
  if (format.empty()) {
    const size_t dot = options.output.rfind('.');
    if (dot != std::string::npos && options.output.find('/', dot) == std::string::npos)
      format = options.output.substr(dot + 1);
    for (char& c : format)
      c = char(std::tolower(static_cast<unsigned char>(c)));
  }
  return format == "pdf" || format == "svg" || format == "png" ? format : std::string();
}

enum Outcome { TRANSLATED, IGNORED, FAILED };

Outcome outcome_of(vorabsTranslationStatus status) {
  if (status.complete())
    return TRANSLATED;
  switch (status.status()) {
  case vorabsSTATUS_IGNORED:
  case vorabsSTATUS_OUTSIDE_EXTENT:
  case vorabsSTATUS_ZERO_AREA:
    return IGNORED;
  default:
    return FAILED;
  }
}

class Job;

// A channel of the translation: every message becomes a line of the result
// and an entry of the log.
class JobChannel final : public vorabsOutput {
public:
  JobChannel(Job& job, int error) : job_(job), error_(error) {}
  void vtprintf(const char* domain, const char* format, va_list args) override;

private:
  Job& job_;
  int error_;
};

// The host's receiver, which shows the job every object it translates so
// that outcomes are counted by entity.
class Receiver final : public vorabsHostReceiver {
public:
  Receiver(Job& job, vorabsLibSource& source, vorabsLibSink& sink)
      : vorabsHostReceiver(source, sink), job_(job) {}
  vorabsTranslationStatus send(const vorabsAttributeSet& attributes) override;

private:
  Job& job_;
};

class Job {
public:
  Job(const std::string& path, const translateOptions& options)
      : path_(path), options_(options), reader_(nullptr), output_(*this, 0), error_(*this, 1) {
    result_.file = path;
    reader_.set_error(&error_);
    reader_.set_output(&output_);
  }

  translateResult run();
  void message(int error, const std::string& text);
  // Before and after the reader's current object is translated: counts
  // what came of it.
  void begin(const vorabsAttributeSet& own);
  void end(vorabsTranslationStatus status);
  const dxfLibInput& reader() const { return reader_; }
  size_t num_items() const { return document_.num_items(); }
  // When writing a file nothing reads the document afterwards: the items
  // made from position first on that nothing but the document holds (the
  // annotation of what was just written, not the looks and levels found
  // again) are taken out of it, newest first, so that a conversion holds
  // what is still to be written, not all.
  void drop_written(size_t first);

private:
  // An object being translated: its name, its DXF type when it stands for
  // an entity, and where it lies.
  struct Frame {
    std::string name;
    std::string type;
    int entity = 0;
    int in_block = 0; // inside a block definition
    int shown = 0;    // model space seen through a viewport, counted already
  };

  int read();
  void write_dxf();
  void write_plot();
  // Writes what the writer made, or drops it when the run was cancelled.
  void finish_output(vorabsLibOutput& writer, vorabsOfStream& file);
  void walk(vorabsLibSink& sink, vorabsDocumentSink* host);
  void finish();
  void move_to_paper_space(const dxfEntity& e);
  const utTypeID& kind_of(const std::string& text, const std::string& key);

  std::string path_;
  const translateOptions& options_;
  translateResult result_;
  annDocument document_;
  dxfLibInput reader_;
  JobChannel output_;
  JobChannel error_;
  vorabsMessageLog log_;
  std::map<std::string, std::unique_ptr<utTypeID>> kinds_;
  std::vector<Frame> frames_;
  std::set<std::pair<std::string, int>> counted_;
};

void JobChannel::vtprintf(const char*, const char* format, va_list args) {
  job_.message(error_, vor_vformat(format, args).c_str());
}

vorabsTranslationStatus Receiver::send(const vorabsAttributeSet& attributes) {
  vorabsAttributeSet own;
  job_.reader().attributes(own);
  job_.begin(own);
  const size_t items = job_.num_items();
  const vorabsTranslationStatus status = vorabsHostReceiver::send(attributes);
  job_.end(status);
  job_.drop_written(items);
  return status;
}

translateResult Job::run() {
  struct stat info;
  if (::stat(path_.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
    result_.size = info.st_size;
    result_.mtime_ns = info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec;
  }
  const auto start = std::chrono::steady_clock::now();
  if (read()) {
    if (options_.output.empty()) {
      vorabsDocumentSink host(document_);
      host.set_error(&error_);
      host.set_output(&output_);
      walk(host, &host);
    } else if (plot_format(options_).empty()) {
      write_dxf();
    } else {
      write_plot();
    }
  }
  finish();
  result_.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return result_;
}

void Job::write_dxf() {
  vorabsOfStream file{utString(options_.output.c_str())};
  dxfLibOutput writer(&file, nullptr);
  writer.set_error(&error_);
  writer.set_output(&output_);
  if (!writer.set_version(output_version(result_.version), reader_.file()->code_page))
    writer.set_version(output_version(result_.version), "ANSI_1252");
  vorLengthUnit unit;
  if (reader_.length_unit(unit))
    writer.set_units(unit);
  walk(writer, nullptr);
  finish_output(writer, file);
}

void Job::write_plot() {
#ifdef VORABS_HAVE_PLOT
  plotOptions plot;
  if (plot_format(options_) == "svg")
    plot.format = plotFormat::SVG;
  else if (plot_format(options_) == "png")
    plot.format = plotFormat::PNG;
  const translatePlotOptions& given = options_.plot;
  plot.has_window = given.has_window;
  std::copy(given.window, given.window + 4, plot.window);
  plot.width_px = given.width;
  plot.dpi = given.dpi;
  plot.black_background = given.black_background;
  plot.layout = given.layout;
  vorabsOfStream file{utString(options_.output.c_str())};
  plotLibOutput writer(&file, nullptr);
  writer.set_error(&error_);
  writer.set_output(&output_);
  writer.set_options(plot);
  vorLengthUnit unit;
  if (reader_.length_unit(unit))
    writer.set_units(unit);
  walk(writer, nullptr);
  finish_output(writer, file);
#else
  message(1, "Error : This build has no plot output (cairo and pango were missing).");
  result_.write_failed = 1;
#endif
}

void Job::finish_output(vorabsLibOutput& writer, vorabsOfStream& file) {
  if (result_.cancelled)
    file.discard();
  else if (writer.write()) // says itself why it could not write
    result_.written = options_.output;
  else
    result_.write_failed = 1;
}

int Job::read() {
  if (!looks_like_dxf(path_)) {
    result_.status = "not-dxf";
    result_.error.push_back("not a DXF file: its first lines are not group codes");
    return 0;
  }
  vorabsContext context;
  context.set_document(&document_);
  vorabsIfStream stream(path_.c_str());
  result_.readable = reader_.read_input(context, stream);
  result_.status = status_word(reader_.parse_status());
  const dxfFile* file = reader_.file();
  if (!file)
    return 0;
  result_.version = file->version;
  vorLengthUnit unit;
  if (reader_.length_unit(unit))
    result_.units = unit_word(unit);
  return result_.readable;
}

void Job::walk(vorabsLibSink& sink, vorabsDocumentSink* host) {
  Receiver receiver(*this, reader_, sink);
  if (host)
    receiver.set_new_geometry_hook([host]() { host->prepare_for_new_geometry(); });
  if (translateProgress* progress = options_.progress) {
    progress->add_total(reader_.num_objects());
    receiver.set_progress_hook([progress](int count) { progress->advance(count); });
  }
  receiver.set_cancel_hook(translate_cancel_requested);
  result_.objects = reader_.num_objects();
  // The file is walked once: what has been translated need not stay.
  reader_.set_release_walked(1);
  result_.delivered = receiver.run();
  result_.cancelled = receiver.cancelled();
}

// Styles, their sets and colours are found again by name, levels by
// number: they stay for the objects still to come, whoever holds them.
bool found_again(const annNamedItem& item) {
  const stoClass* kind = item.sto_class();
  for (const stoClass* kept : {annStyle::sto_static_class(), annStyleSet::sto_static_class(),
                               annColour::sto_static_class(), annLevel::sto_static_class()})
    if (kind->is_kind_of(kept))
      return true;
  return false;
}

void Job::drop_written(size_t first) {
  if (options_.output.empty() || options_.dump)
    return;
  for (size_t i = document_.num_items(); i-- > first;) {
    const std::shared_ptr<annNamedItem>& item = document_.item(i);
    if (item.use_count() == 1 && !found_again(*item))
      document_.remove_item(item.get());
  }
}

void Job::begin(const vorabsAttributeSet& own) {
  Frame frame;
  vorabsNamevorabsAttributePtr name;
  if (own.get(vorabsNAME, name) && !name.invalid())
    frame.name = name->string().c_str();
  const size_t space = frame.name.find(' ');
  const std::string type = frame.name.substr(0, space);
  // An entity's name is its type word and its handle ("LINE 1F");
  // block definitions, layouts and the cells of insert arrays are named
  // otherwise.
  const bool entity_name =
      space == std::string::npos || frame.name.find(' ', space + 1) == std::string::npos;
  const dxfFile& file = *reader_.file();
  const Frame* parent = frames_.empty() ? nullptr : &frames_.back();
  if (parent) {
    frame.shown = parent->shown || (parent->entity && parent->type == "VIEWPORT");
    // An insert's attributes stand where the insert stands, not in its block.
    frame.in_block = parent->in_block || (parent->entity && type != "ATTRIB");
  }
  // A part named as the entity it belongs to (a multileader's text) is
  // that entity's, not another.
  const bool own_part = parent && parent->entity && parent->name == frame.name;
  if (!frame.shown && entity_name && !own_part &&
      (file.counts.count(type) || file.block_counts.count(type))) {
    frame.entity = 1;
    frame.type = type;
  }
  frames_.push_back(frame);
}

void Job::end(vorabsTranslationStatus status) {
  const Frame frame = frames_.back();
  frames_.pop_back();
  if (!frame.entity || (status == vorabsSTATUS_ABORTED && translate_cancel_requested()))
    return;
  const Outcome outcome = outcome_of(status);
  // A block placed under several transforms is translated once for each:
  // its entities count once for every outcome they had.
  if (frame.in_block && frame.name != frame.type &&
      !counted_.insert(std::make_pair(frame.name, int(outcome))).second)
    return;
  translateTally& tally = (frame.in_block ? result_.block_entities : result_.entities)[frame.type];
  (outcome == TRANSLATED ? tally.translated : outcome == IGNORED ? tally.ignored : tally.failed)++;
}

void Job::finish() {
  if (const dxfFile* file = reader_.file()) {
    for (const auto& count : file->counts)
      result_.entities[count.first].read = count.second;
    for (const auto& count : file->block_counts)
      result_.block_entities[count.first].read = count.second;
    for (const dxfBlock& block : file->blocks)
      if (is_paper_space(block.name))
        for (const dxfEntity& e : block.entities)
          move_to_paper_space(e);
    result_.skipped = file->skipped;
    result_.layers = int(file->layers.size());
    for (const dxfBlock& block : file->blocks)
      // R12 names its spaces $MODEL_SPACE and $PAPER_SPACE.
      result_.blocks += !block.name.empty() && block.name[0] != '*' && block.name[0] != '$';
  }
  result_.untranslated = reader_.untranslated();
  result_.unbuilt = reader_.unbuilt();
  for (const auto& ignored : reader_.ignored())
    result_.entities[ignored.first].ignored += ignored.second;
  for (const auto& ignored : reader_.ignored_in_blocks())
    result_.block_entities[ignored.first].ignored += ignored.second;
  // The entities of blocks that nothing places are read and never reach a
  // translator: they made nothing, without a fault.
  for (auto& t : result_.block_entities) {
    const int rest = t.second.read - t.second.translated - t.second.ignored - t.second.failed;
    if (rest > 0 && !result_.untranslated.count(t.first) && !result_.cancelled)
      t.second.ignored += rest;
  }
  TextChannel summary;
  log_.set_output(&summary);
  log_.set_error(&summary);
  log_.print_messages();
  result_.summary = summary.text;
  if (options_.dump) {
    std::ostringstream out;
    document_.print(out);
    result_.document = out.str();
  }
}

// The entities of a layout other than the first lie in a block of its own,
// *Paper_Space0 and so on; they count as entities of paper space.
void Job::move_to_paper_space(const dxfEntity& e) {
  auto in_block = result_.block_entities.find(dxf_kind_name(e.kind));
  if (in_block == result_.block_entities.end() || in_block->second.read == 0)
    return;
  if (--in_block->second.read == 0 &&
      in_block->second.translated + in_block->second.ignored + in_block->second.failed == 0)
    result_.block_entities.erase(in_block);
  result_.entities[dxf_kind_name(e.kind)].read++;
  if (e.extra)
    for (const dxfEntity& child : e.extra->children)
      move_to_paper_space(child);
}

void Job::message(int error, const std::string& text) {
  std::string line = text;
  while (!line.empty() && line.back() == '\n')
    line.pop_back();
  (error ? result_.error : result_.output).push_back(line);
  const std::string key = frames_.empty() ? path_ : frames_.back().name;
  vorabsSeverity severity = !error                               ? vorabsSEVERITY_INFORMATION
                            : line.compare(0, 7, "Warning") == 0 ? vorabsSEVERITY_WARNING
                                                                 : vorabsSEVERITY_ERROR;
  log_.add_message(utPTR_NO_CLAIM,
                   new LoggedMessage(utString(key.c_str()), severity, kind_of(line, key), line));
}

const utTypeID& Job::kind_of(const std::string& text, const std::string& key) {
  std::string kind = text;
  const size_t at = key.empty() ? std::string::npos : kind.find(key);
  if (at != std::string::npos)
    kind.replace(at, key.size(), "%s");
  auto found = kinds_.find(kind);
  if (found == kinds_.end()) {
    found = kinds_.emplace(kind, nullptr).first;
    found->second.reset(new utTypeID(found->first.c_str(), &vorabsMessage::ut_static_type()));
  }
  return *found->second;
}

} // namespace

translateProgress::~translateProgress() = default;

int translateResult::total_read() const {
  int total = 0;
  for (const auto& e : entities)
    total += e.second.read;
  for (const auto& e : block_entities)
    total += e.second.read;
  return total;
}

int translateResult::total_failed() const {
  int total = 0;
  for (const auto& e : entities)
    total += e.second.failed;
  for (const auto& e : block_entities)
    total += e.second.failed;
  for (const auto& e : unbuilt)
    total += e.second;
  return total;
}

int translateResult::total_delivered() const {
  int total = 0;
  for (const auto* tallies : {&entities, &block_entities})
    for (const auto& e : *tallies)
      total += e.second.translated + e.second.ignored + e.second.failed;
  return total;
}

int translateResult::total_untranslated() const {
  int total = 0;
  for (const auto& e : untranslated)
    total += e.second;
  return total;
}

int translateResult::exit_status() const {
  if (!readable || write_failed)
    return 2;
  return total_failed() > 0 || status != "ok" || cancelled ? 1 : 0;
}

translateResult translate_file(const std::string& path, const translateOptions& options) {
  return Job(path, options).run();
}

void translate_request_cancel() {
  cancel_requested.store(1);
}

int translate_cancel_requested() {
  return cancel_requested.load();
}
