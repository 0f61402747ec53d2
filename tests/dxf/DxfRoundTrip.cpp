// DxfRoundTrip.cpp - a reading into any sink, and the comparison of two readings.
#include "DxfRoundTrip.h"

#include "dxfLibOutput.h"
#include "vorabsIfStream.h"
#include "vorabsHostReceiver.h"

#include "vorabsOfStream.h"

#include <algorithm>
#include <cmath>
#include <cctype>
#include <map>
#include <set>
#include <sstream>

std::string all(const RecordingChannel& channel) {
  std::string text;
  for (const std::string& t : channel.texts())
    text += t;
  return text;
}

namespace {

// Records where every curve, point and triangle node lies.
class SampleSink : public vorabsLibSink {
public:
  const char* library_name() const override { return "samples"; }
  const char* option() const override { return "samples"; }
  int database_number() const override { return 0; }
  void add_file_types(intcoSet&) const override {}
  void add_extensions(utStringcoSet&) const override {}
  const char* file_filter() const override { return "|"; }
  const char* format_name() const override { return "samples"; }

  vorabsTranslationStatus curve3(const velCurvePtr3& curve, const vorabsAttributeSet&) override {
    double t0, t1;
    curve->parameter_range(t0, t1);
    for (int i = 0; i <= 4; ++i)
      add(curve->position(t0 + (t1 - t0) * i / 4));
    return vorabsSTATUS_OK;
  }
  vorabsTranslationStatus point3(const giPoint3& p, const vorabsAttributeSet&) override {
    add(p);
    return vorabsSTATUS_OK;
  }
  vorabsTranslationStatus triblock(const giTriBlock& block, const vorabsAttributeSet&) override {
    const giNodeXYZ* nodes = block.find_feature<giNodeXYZ>();
    for (size_t i = 0; nodes && i < nodes->size(); ++i)
      add((*nodes)[i]);
    return vorabsSTATUS_OK;
  }
  std::vector<double> samples;

private:
  void add(const giPoint3& p) { samples.insert(samples.end(), {p.x, p.y, p.z}); }
};

// Drives reader over the named file into sink, as a host does.
int translate(const std::string& in, vorabsLibSink& sink, RecordingChannel& error) {
  annDocument document;
  dxfLibInput reader(nullptr);
  reader.set_error(&error);
  vorabsContext context;
  context.set_document(&document);
  vorabsIfStream stream(in.c_str());
  if (!reader.read_input(context, stream))
    return 0;
  vorabsHostReceiver(reader, sink).run();
  return 1;
}

} // namespace

std::vector<double> samples(const std::string& path) {
  SampleSink sink;
  RecordingChannel error;
  translate(path, sink, error);
  return sink.samples;
}

// Reads in with the DXF reader and writes what it sends to out.
int convert(const std::string& in, const std::string& out, RecordingChannel& error,
            const char* version, const char* code_page) {
  vorabsOfStream file{utString(out.c_str())};
  dxfLibOutput writer(&file, nullptr);
  writer.set_error(&error);
  EXPECT_TRUE(writer.set_version(version, code_page));
  return translate(in, writer, error) && writer.write();
}

// Everything an entity of the reader carries but its name, which holds the handle.
std::vector<std::string> looks(const DxfRead& read) {
  // Inserts and block definitions are how entities are placed, not
  // entities of their own: a writer may nest them otherwise (an array of
  // inserts as a block of inserts, a stretched insert as its block's
  // geometry moved). The entities they place are compared, and inserts
  // are counted by type.
  std::set<std::string> blocks;
  for (const dxfBlock& block : read.reader->file()->blocks)
    blocks.insert(block.name);
  std::vector<std::string> out;
  for (const Entity& e : read.entities) {
    std::string type = e.name.substr(0, e.name.find_first_of(" _"));
    std::string base = e.name.substr(0, e.name.find_last_of('_'));
    if (e.kind == "annotation" && (type == "INSERT" || blocks.count(e.name) || blocks.count(base)))
      continue;
    // A circle or arc under a stretch is an ellipse, and is written as one.
    if ((type == "CIRCLE" || type == "ARC") && e.curve == "elliptical arc")
      type = "ELLIPSE";
    std::ostringstream look;
    // The layer by name: its number is its place in the table, and a writer
    // makes only the layers its entities use.
    std::string layer = e.layer.substr(e.layer.find(' ') + 1);
    look << e.kind << " " << type << " " << e.curve << " | " << layer << " | " << e.colour << " | "
         << e.font << " | " << e.width << " | " << e.visible;
    out.push_back(look.str());
  }
  return out;
}

namespace {

// The entities of model and paper space by type: those of the active
// layout stand in the ENTITIES section, those of the others in their
// *Paper_Space blocks, and a writer may make another layout the active one.
std::map<std::string, int> space_counts(const dxfFile& file) {
  std::map<std::string, int> counts = file.counts;
  for (const dxfBlock& block : file.blocks) {
    std::string name = block.name;
    for (char& c : name)
      c = char(std::toupper(static_cast<unsigned char>(c)));
    if (name.compare(0, 12, "*PAPER_SPACE") == 0 && name != "*PAPER_SPACE")
      for (const dxfEntity& e : block.entities)
        ++counts[dxf_kind_name(e.kind)];
  }
  return counts;
}

} // namespace

::testing::AssertionResult same_reading(const std::string& first, const std::string& second) {
  DxfRead a(first.c_str(), 1), b(second.c_str(), 1);
  if (!a.read_result || !b.read_result)
    return ::testing::AssertionFailure() << "a file could not be read";
  // In any order: a drawing's own geometry and its viewports, say, are
  // read in the order of the file but written geometry first.
  std::vector<std::string> looks_a = looks(a), looks_b = looks(b);
  std::sort(looks_a.begin(), looks_a.end());
  std::sort(looks_b.begin(), looks_b.end());
  for (size_t i = 0; i < std::max(looks_a.size(), looks_b.size()); ++i) {
    std::string x = i < looks_a.size() ? looks_a[i] : "(none)";
    std::string y = i < looks_b.size() ? looks_b[i] : "(none)";
    if (x != y)
      return ::testing::AssertionFailure() << "entity " << i << ": " << x << " became " << y;
  }
  std::vector<double> at_a = samples(first), at_b = samples(second);
  if (at_a.size() != at_b.size())
    return ::testing::AssertionFailure() << at_a.size() << " positions became " << at_b.size();
  for (size_t i = 0; i < at_a.size(); ++i)
    if (!(std::fabs(at_a[i] - at_b[i]) <= 1e-9 * std::fmax(1, std::fabs(at_a[i]))))
      return ::testing::AssertionFailure()
             << "position " << i << ": " << at_a[i] << " became " << at_b[i];
  // What the reader translates comes back as many times, by DXF type.
  std::map<std::string, int> counts_a = space_counts(*a.reader->file()),
                             counts_b = space_counts(*b.reader->file());
  for (const auto& count : counts_a) {
    if (a.reader->untranslated().count(count.first) || count.first == "VIEWPORT")
      continue;
    auto found = counts_b.find(count.first);
    int written = found == counts_b.end() ? 0 : found->second;
    if (written != count.second)
      return ::testing::AssertionFailure()
             << count.second << " " << count.first << " became " << written;
  }
  return ::testing::AssertionSuccess();
}
