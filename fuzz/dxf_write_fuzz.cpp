// dxf_write_fuzz.cpp - libFuzzer target: the DXF writer, from generated drawings back to entities.
//
// The input bytes drive a small generator of drawings: lines, arcs,
// ellipses, polylines, splines, points, triangle blocks, workplanes, texts,
// fill areas and groups nested deeply, with names and texts in any Unicode
// (empty and very long ones too) and coordinates that may be huge, tiny,
// NaN or infinite. Everything goes to dxfLibOutput, the file is written and
// read back through dxfLibInput into the self-check sink. Besides the
// sanitizers' checks, each run checks the writer's promise: every entity
// it accepted comes back (the same count of each kind, the same texts), and
// every one it refused was refused with a message.
#include "dxfLibInput.h"
#include "dxfLibOutput.h"

#include "ann/ann.h"
#include "utUnitTest.h"
#include "vel.h"
#include "velEllipse.h"
#include "velSpline.h"
#include "vorabsAttributePtr.h"
#include "vorabsColour.h"
#include "vorabsLayer.h"
#include "vorabsHostReceiver.h"
#include "vorabsLibSinkTesterEx.h"
#include "vorabsName.h"
#include "vorabsOfStream.h"
#include "vorabsOutput.h"
#include "vorabsVoid.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void check(bool condition, const char* what, const std::string& detail = std::string()) {
  if (!condition) {
    std::fprintf(stderr, "broken promise: %s %s\n", what, detail.c_str());
    std::abort();
  }
}

// Counts the messages written to it; with DXF_WRITE_FUZZ_VERBOSE set in the
// environment also prints them, to see why an input fails.
class Counter : public vorabsOutput {
public:
  void vtprintf(const char*, const char* format, va_list arguments) override {
    ++count;
    errors += std::strncmp(format, "Error", 5) == 0;
    static const bool verbose = std::getenv("DXF_WRITE_FUZZ_VERBOSE") != nullptr;
    if (verbose)
      std::vfprintf(stderr, format, arguments);
  }
  int count = 0;
  int errors = 0;
};

// Takes values from the input; past its end every value is zero.
class Bytes {
public:
  Bytes(const uint8_t* data, size_t size) : p_(data), end_(data + size) {}
  bool empty() const { return p_ >= end_; }
  uint8_t byte() { return p_ < end_ ? *p_++ : 0; }
  uint32_t word() { return byte() | uint32_t(byte()) << 8 | uint32_t(byte()) << 16; }

  double real() {
    static const double special[] = {0.0,
                                     1.0,
                                     -1.0,
                                     0.5,
                                     1e300,
                                     -1e300,
                                     1e-300,
                                     std::numeric_limits<double>::quiet_NaN(),
                                     std::numeric_limits<double>::infinity(),
                                     -std::numeric_limits<double>::infinity(),
                                     std::numeric_limits<double>::denorm_min(),
                                     1e15,
                                     123.456};
    uint8_t b = byte();
    if (b < sizeof special / sizeof special[0])
      return special[b];
    if (b < 24) {
      uint64_t bits = 0;
      for (int i = 0; i < 8; ++i)
        bits |= uint64_t(byte()) << (8 * i);
      double value;
      std::memcpy(&value, &bits, sizeof value);
      return value;
    }
    return (int(b) - 140) / 4.0;
  }
  giPoint3 point() { return giPoint3(real(), real(), real()); }
  giVector3 vector() { return giVector3(real(), real(), real()); }

  // A text in UTF-8: empty, very long, or a few characters of any plane.
  std::string text() {
    uint8_t length = byte();
    if (length == 0)
      return std::string();
    std::string out;
    if (length == 255) {
      std::string unit = text();
      if (unit.empty())
        unit = "x";
      while (out.size() < 5000)
        out += unit;
      return out;
    }
    for (int i = 0; i < length % 24 && !empty(); ++i)
      append(out, code());
    return out;
  }

private:
  unsigned int code() {
    uint8_t kind = byte();
    switch (kind & 3) {
    case 0:
      return 0x20 + byte() % 0x5F; // printable ASCII
    case 1:
      return byte() % 0x20 == 0 ? 0x7F : byte() % 0x20; // controls
    case 2:
      return 0xA0 + word() % 0x700; // Latin, Greek, Cyrillic ...
    default: {
      // The framework's strings hold one UTF-16 unit per character: those
      // beyond the BMP are '?' before any writer sees them.
      unsigned int c = word() % 0x10000;
      return c >= 0xD800 && c <= 0xDFFF ? 0xFFFD : c;
    }
    }
  }
  static void append(std::string& out, unsigned int c) {
    if (c == 0)
      c = ' ';
    if (c < 0x80) {
      out += char(c);
    } else if (c < 0x800) {
      out += char(0xC0 | c >> 6);
      out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += char(0xE0 | c >> 12);
      out += char(0x80 | (c >> 6 & 0x3F));
      out += char(0x80 | (c & 0x3F));
    } else {
      out += char(0xF0 | c >> 18);
      out += char(0x80 | (c >> 12 & 0x3F));
      out += char(0x80 | (c >> 6 & 0x3F));
      out += char(0x80 | (c & 0x3F));
    }
  }

  const uint8_t* p_;
  const uint8_t* end_;
};

// What came back, or what should: entities of each kind, and the texts.
struct Tally {
  int curves = 0, points = 0, meshes = 0, fills = 0;
  std::vector<std::string> texts;

  std::string describe() const {
    std::string out = "curves " + std::to_string(curves) + " points " + std::to_string(points) +
                      " meshes " + std::to_string(meshes) + " fills " + std::to_string(fills) +
                      " texts";
    for (const std::string& text : texts) {
      out += " [";
      for (char c : text) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", unsigned(static_cast<unsigned char>(c)));
        out += static_cast<unsigned char>(c) < 0x20 ? std::string(escaped) : std::string(1, c);
      }
      out += "]";
    }
    return out;
  }
};

// Generates one drawing into the writer and keeps the tally of what it accepted.
class Generator {
public:
  Generator(Bytes& in, dxfLibOutput& writer, annDocument& document)
      : in_(in), writer_(writer), document_(document) {}

  void drawing() {
    for (int i = 0; i < 24 && !in_.empty(); ++i)
      entity(0, nullptr);
  }
  const Tally& accepted() const { return accepted_; }

private:
  // One entity; inside a group its stand-in joins the group.
  void entity(int depth, annGroup* group) {
    vorabsAttributeSet attributes = attributes_of(group != nullptr);
    uint8_t kind = in_.byte() % 11;
    Tally counted;
    vorabsTranslationStatus status(vorabsSTATUS_FAILED);
    switch (kind) {
    case 0:
      status = writer_.curve3(velCurvePtr3(new velLine3(in_.point(), in_.point())), attributes);
      counted.curves = 1;
      break;
    case 1:
      status = writer_.curve3(arc(), attributes);
      counted.curves = 1;
      break;
    case 2:
      status = writer_.curve3(velCurvePtr3(new velEllipse3(in_.point(), in_.vector(), in_.vector(),
                                                           in_.real(), in_.real(), in_.real())),
                              attributes);
      counted.curves = 1;
      break;
    case 3:
      status = writer_.curve3(velCurvePtr3(new velPolyline3(points(in_.byte() % 9))), attributes);
      counted.curves = 1;
      break;
    case 4:
      status = writer_.curve3(spline(), attributes);
      counted.curves = 1;
      break;
    case 5:
      status = writer_.point3(in_.point(), attributes);
      counted.points = 1;
      break;
    case 6:
      status = writer_.triblock(triblock(), attributes);
      counted.meshes = 1;
      break;
    case 7:
      // A workplane becomes a UCS, not an entity: nothing comes back.
      writer_.workplane3(giWorkplane3(in_.point(), in_.vector(), in_.vector()), attributes);
      return;
    case 8: {
      std::string characters = in_.text();
      annNamedItemPtr item = text(characters);
      if (item.invalid())
        return;
      status = writer_.annotation(item, attributes);
      counted.texts.push_back(characters);
      break;
    }
    case 9: {
      annNamedItemPtr item = fill();
      if (item.invalid())
        return;
      status = writer_.annotation(item, attributes);
      counted.fills = 1;
      break;
    }
    default:
      if (depth < 12)
        nested(depth, attributes, counted);
      else
        return;
      status = last_group_status_;
      break;
    }
    if (status.status() != vorabsSTATUS_OK)
      return;
    if (group) {
      annGeometryItemannPtr stand_in = annGeometryItemannPtr::cast(writer_.current_annotation());
      if (stand_in.invalid() || !group->add_group_geometry(stand_in))
        return; // nothing of it is written
    }
    add(counted);
  }

  // A group of a few entities, some of them groups again.
  void nested(int depth, const vorabsAttributeSet& attributes, Tally& counted) {
    annGroupannPtr group =
        make_annGroup(&document_, sto_class_annGroup(), utString(in_.text().c_str()));
    Tally outside = accepted_;
    accepted_ = Tally();
    int members = in_.byte() % 5;
    for (int i = 0; i < members; ++i)
      entity(depth + 1, group.pointer());
    counted = accepted_;
    accepted_ = outside;
    last_group_status_ = group.invalid() ? vorabsTranslationStatus(vorabsSTATUS_FAILED)
                                         : writer_.annotation(group, attributes);
  }

  void add(const Tally& more) {
    accepted_.curves += more.curves;
    accepted_.points += more.points;
    accepted_.meshes += more.meshes;
    accepted_.fills += more.fills;
    accepted_.texts.insert(accepted_.texts.end(), more.texts.begin(), more.texts.end());
  }

  vorabsAttributeSet attributes_of(bool child) {
    vorabsAttributeSet set;
    uint8_t has = in_.byte();
    if (has & 1) {
      vorabsNamevorabsAttributePtr name;
      set.check_out(vorabsNAME, name);
      *name = vorabsName(utString(in_.text().c_str()), 0);
    }
    if (has & 2) {
      vorabsLayervorabsAttributePtr layer;
      set.check_out(vorabsLAYER, layer);
      *layer = vorabsLayer(int(in_.byte()), utString(in_.text().c_str()));
    }
    if (has & 4) {
      vorabsColourvorabsAttributePtr colour;
      set.check_out(vorabsCOLOUR, colour);
      *colour = vorabsColour(utString(""), in_.real(), in_.real(), in_.real(), -1);
    }
    if (child) {
      vorabsVoidvorabsAttributePtr marker;
      set.check_out(vorabsCHILDITEM, marker);
    }
    return set;
  }

  std::vector<giPoint3> points(int count) {
    std::vector<giPoint3> made;
    for (int i = 0; i < count; ++i)
      made.push_back(in_.point());
    return made;
  }

  velCurvePtr3 arc() {
    giWorkplane3 plane = frame();
    return velCurvePtr3(new velCircArc3(plane.origin(), plane.normal(), plane.u_vector(), size(),
                                        in_.real(), in_.real()));
  }

  velCurvePtr3 spline() {
    int degree = in_.byte() % 5;
    std::vector<giPoint3> control = points(in_.byte() % 8);
    std::vector<double> knots, weights;
    int knot_count = in_.byte() % 2 ? int(control.size()) + degree + 1 : in_.byte() % 12;
    for (int i = 0; i < knot_count; ++i)
      knots.push_back(in_.byte() % 2 ? double(i) : in_.real());
    if (in_.byte() % 2)
      for (size_t i = 0; i < control.size(); ++i)
        weights.push_back(in_.real());
    return velCurvePtr3(new velBSpline3(degree, control, knots, weights));
  }

  giTriBlock triblock() {
    giTriBlock block;
    giNodeXYZ* nodes = block.add_feature<giNodeXYZ>();
    giTriArr* triangles = block.add_feature<giTriArr>();
    int count = in_.byte() % 7;
    for (int i = 0; i < count; ++i)
      nodes->append(in_.point());
    int faces = in_.byte() % 5;
    for (int i = 0; i < faces; ++i)
      triangles->append(in_.byte() % 8 - 1, in_.byte() % 8 - 1, in_.byte() % 8 - 1);
    return block;
  }

  // Mostly a frame a text can have (turned in its plane), now and then one
  // of any vectors.
  giWorkplane3 frame() {
    if (in_.byte() % 4 == 0)
      return giWorkplane3(in_.point(), in_.vector(), in_.vector());
    double angle = in_.byte() * 0.1;
    return giWorkplane3(in_.point(), giVector3(std::cos(angle), std::sin(angle), 0),
                        giVector3(-std::sin(angle), std::cos(angle), 0));
  }
  double size() {
    uint8_t b = in_.byte();
    return b % 4 == 0 ? in_.real() : 0.1 + b;
  }

  annNamedItemPtr text(const std::string& characters) {
    utString name(in_.byte() % 2 ? "MTEXT" : "TEXT");
    annTextannPtr text = make_annText(&document_, utString(characters.c_str()), name);
    annTextFontannPtr font = make_annTextFont(&document_, size(), utString(in_.text().c_str()));
    annLCSannPtr lcs = make_annLCS(&document_, frame(), name);
    return make_annTextGeometry(&document_, text, font, lcs, in_.byte() % 2 ? 0.0 : size(), name);
  }

  annNamedItemPtr fill() {
    std::vector<giPoint2> corners;
    int count = in_.byte() % 6;
    for (int i = 0; i < count; ++i)
      corners.emplace_back(in_.real(), in_.real());
    if (!corners.empty())
      corners.push_back(corners.front());
    annCurveannPtr outer =
        make_annCurve(&document_, velCurvePtr2(new velPolyline2(corners)), utString("boundary"));
    return make_annFillArea(&document_, outer, annCurveannPtrcoSet(), utString("HATCH"));
  }

  Bytes& in_;
  dxfLibOutput& writer_;
  annDocument& document_;
  Tally accepted_;
  vorabsTranslationStatus last_group_status_{vorabsSTATUS_FAILED};
};

// The self-check sink, tallying what it receives.
class Tallying : public vorabsLibSinkTesterEx {
public:
  explicit Tallying(annDocument* document) : vorabsLibSinkTesterEx(document) {}
  vorabsTranslationStatus curve3(const velCurvePtr3& curve,
                                 const vorabsAttributeSet& set) override {
    ++got.curves;
    return vorabsLibSinkTesterEx::curve3(curve, set);
  }
  vorabsTranslationStatus point3(const giPoint3& point, const vorabsAttributeSet& set) override {
    ++got.points;
    return vorabsLibSinkTesterEx::point3(point, set);
  }
  vorabsTranslationStatus triblock(const giTriBlock& block,
                                   const vorabsAttributeSet& set) override {
    ++got.meshes;
    return vorabsLibSinkTesterEx::triblock(block, set);
  }
  vorabsTranslationStatus annotation(const annNamedItemPtr& item,
                                     const vorabsAttributeSet& set) override {
    if (auto* text = annTextGeometry::sto_dynamic_cast(item.pointer()))
      got.texts.push_back(text->text()->text().c_str());
    else if (annFillArea::sto_dynamic_cast(item.pointer()))
      ++got.fills;
    return vorabsLibSinkTesterEx::annotation(item, set);
  }
  Tally got;
};

std::string read_all(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The file each run writes, removed when the process ends normally (after
// a finding it stays, beside the input that made it).
std::string scratch_path() {
  static const std::string path =
      (access("/dev/shm", W_OK) == 0 ? std::string("/dev/shm") : std::string("/tmp")) +
      "/fuzz_dxf_write." + std::to_string(getpid()) + ".dxf";
  static const int removed_at_exit = std::atexit([] { unlink(path.c_str()); });
  (void)removed_at_exit;
  return path;
}

void round_trip(const uint8_t* data, size_t size) {
  Bytes in(data, size);
  static const char* const versions[][2] = {{"AC1024", ""},
                                            {"AC1015", "ANSI_1252"},
                                            {"AC1015", "ANSI_1251"},
                                            {"AC1015", "ANSI_932"},
                                            {"AC1032", ""}};
  const auto& version = versions[in.byte() % 5];
  std::string path = scratch_path();
  Counter writer_errors;
  Tally accepted;
  int failed = 0;
  {
    annDocument document;
    vorabsOfStream stream{utString(path.c_str())};
    dxfLibOutput writer(&stream, nullptr);
    writer.set_error(&writer_errors);
    writer.set_output(&writer_errors);
    check(writer.set_version(version[0], version[1]) != 0, "the version is taken");
    Generator generator(in, writer, document);
    generator.drawing();
    accepted = generator.accepted();
    failed = writer.num_failed();
    check(writer.write() != 0, "the drawing is written");
  }
  check(writer_errors.count >= failed, "each refusal has its message");

  std::string text = read_all(path);
  Counter channel;
  annDocument document;
  vorabsContext context;
  context.set_document(&document);
  dxfLibInput reader(nullptr);
  reader.set_error(&channel);
  reader.set_output(&channel);
  check(reader.read_buffer(context, text.data(), text.size(), "written") != 0,
        "the written file reads");
  Tallying sink(&document);
  sink.set_error(&channel);
  sink.set_output(&channel);
  vorabsHostReceiver(reader, sink).run();

  // The reader may refuse what the writer wrote, each with its message: a
  // fill area whose boundary encloses nothing, a spline it cannot draw.
  Tally got = sink.got;
  std::sort(accepted.texts.begin(), accepted.texts.end());
  std::sort(got.texts.begin(), got.texts.end());
  std::vector<std::string> lost;
  std::set_difference(accepted.texts.begin(), accepted.texts.end(), got.texts.begin(),
                      got.texts.end(), std::back_inserter(lost));
  int refused = channel.errors;
  if (std::getenv("DXF_WRITE_FUZZ_VERBOSE"))
    std::fprintf(stderr, "written: %s\nread:    %s\n", accepted.describe().c_str(),
                 got.describe().c_str());
  auto kept = [&](int read, int written) { return read <= written && written - read <= refused; };
  bool same = kept(got.curves, accepted.curves) && kept(got.points, accepted.points) &&
              kept(got.meshes, accepted.meshes) && kept(got.fills, accepted.fills) &&
              std::includes(accepted.texts.begin(), accepted.texts.end(), got.texts.begin(),
                            got.texts.end()) &&
              int(lost.size()) <= refused;
  check(same, "what was accepted comes back, or the reader says why not",
        "\nwritten: " + accepted.describe() + "\nread:    " + got.describe() +
            "\nrefused on reading: " + std::to_string(refused));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Native text is the C runtime's: UTF-8, as hosts set it.
  std::setlocale(LC_ALL, "C.UTF-8");
  static std::ostream nowhere(nullptr);
  utUnitTest::get_tester().set_ostream(&nowhere);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  round_trip(data, size);
  utUnitTest::get_tester().reset();
  return 0;
}
