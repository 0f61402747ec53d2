// translateJob.cpp - one file read through the DXF reader into a document, a DXF file or a plot,
// and what came of it.
#include "translateJob.h"

#include "translateHostSink.h"

#include "dxfLibInput.h"
#include "dxfLibOutput.h"
#ifdef VORABS_HAVE_PLOT
#include "plotLibOutput.h"
#endif

#include "vorabsAttributePtr.h"
#include "vorabsIfStream.h"
#include "vorabsInterface.h"
#include "vorabsMessage.h"
#include "vorabsMessageLog.h"
#include "vorabsVoid.h"

#include "vorabsOfStream.h"
#include "vorabsOutput.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <memory>
#include <set>
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

// The host's receiver: each sub-object passes it, to be counted and shown
// on the progress, or refused once the user has cancelled.
class Receiver final : public vorabsInterface {
public:
  Receiver(Job& job, translateHostSink* host, translateProgress* progress)
      : vorabsInterface(0), job_(job), host_(host), progress_(progress) {
    vorabsVoidvorabsAttributePtr views;
    own_attributes().check_out(vorabsPROCESSVIEWS, views);
  }
  void increment_progress(int count) override {
    if (progress_ && count > 0)
      progress_->advance(count);
  }
  vorabsTranslationStatus send_sub_object(const vorabsAttributeSet& attributes) override;
  void prepare_for_new_geometry() override {
    if (host_)
      host_->prepare_for_new_geometry();
  }
  int converting_annotation() const override { return 0; }
  int translation_cancelled() const override { return translate_cancel_requested(); }

private:
  Job& job_;
  translateHostSink* host_;
  translateProgress* progress_;
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
  // Translates the reader's current object and counts what came of it.
  vorabsTranslationStatus send(const vorabsAttributeSet& attributes, Receiver& receiver);
  void cancelled() { result_.cancelled = 1; }

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
  void walk(vorabsLibSink& sink, translateHostSink* host);
  void begin(const vorabsAttributeSet& own);
  void end(vorabsTranslationStatus status);
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
  vorabsLibSink* sink_ = nullptr;
};

void JobChannel::vtprintf(const char*, const char* format, va_list args) {
  job_.message(error_, vor_vformat(format, args).c_str());
}

vorabsTranslationStatus Receiver::send_sub_object(const vorabsAttributeSet& attributes) {
  if (translation_cancelled()) {
    job_.cancelled();
    return vorabsSTATUS_ABORTED;
  }
  return job_.send(attributes, *this);
}

translateResult Job::run() {
  const auto start = std::chrono::steady_clock::now();
  if (read()) {
    if (options_.output.empty()) {
      translateHostSink host(document_);
      host.set_error(&error_);
      host.set_output(&output_);
      walk(host, &host);
    } else if (options_.format == "dxf") {
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
  if (options_.format == "svg")
    plot.format = plotFormat::SVG;
  else if (options_.format == "png")
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

void Job::walk(vorabsLibSink& sink, translateHostSink* host) {
  sink_ = &sink;
  Receiver receiver(*this, host, options_.progress);
  result_.objects = reader_.num_objects();
  if (options_.progress)
    options_.progress->add_total(result_.objects);
  vorabsAttributeSet attributes;
  while (++reader_) {
    if (translate_cancel_requested()) {
      result_.cancelled = 1;
      break;
    }
    send(attributes, receiver);
  }
}

vorabsTranslationStatus Job::send(const vorabsAttributeSet& attributes, Receiver& receiver) {
  vorabsAttributeSet own;
  reader_.attributes(own);
  begin(own);
  vorabsTranslationStatus status = reader_.send_to(attributes, receiver, *sink_);
  end(status);
  ++result_.delivered;
  receiver.increment_progress(1);
  return status;
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
    frame.in_block = parent->in_block || parent->entity;
  }
  if (!frame.shown && entity_name && (file.counts.count(type) || file.block_counts.count(type))) {
    frame.entity = 1;
    frame.type = type;
  }
  frames_.push_back(frame);
}

void Job::end(vorabsTranslationStatus status) {
  const Frame frame = frames_.back();
  frames_.pop_back();
  if (!frame.entity || (result_.cancelled && status == vorabsSTATUS_ABORTED))
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
      result_.blocks += !block.name.empty() && block.name[0] != '*';
  }
  result_.untranslated = reader_.untranslated();
  result_.unbuilt = reader_.unbuilt();
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
