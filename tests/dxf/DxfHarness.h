// DxfHarness.h - reads DXF text through the reader into the self-check sink and records what came.
//
// A test writes a small DXF file as group pairs (Dxf), reads it with
// dxfLibInput driven the host's way, and inspects Entity records: the sink
// call's kind, the entity's name, layer, colour, curve font, line width and
// visibility, and its curve kind. Messages land in two recording channels.
#pragma once

#include "RecordingChannel.h"
#include "TempDir.h"

#include "dxfLibInput.h"
#include "vorabsLibSinkTesterEx.h"

#include <memory>
#include <string>
#include <vector>

// DXF text, two lines per pair.
class Dxf {
public:
  Dxf& operator()(int code, const std::string& value);
  Dxf& operator()(int code, double value);
  // 0 SECTION / 2 name ... 0 ENDSEC around the pairs added by body.
  template <class Body> Dxf& section(const char* name, Body body) {
    (*this)(0, "SECTION")(2, name);
    body(*this);
    return (*this)(0, "ENDSEC");
  }
  Dxf& layer(const std::string& name, int colour, const std::string& linetype = "CONTINUOUS",
             int flags = 0, int lineweight = -3);
  std::string text(bool eof = true) const { return eof ? text_ + "  0\nEOF\n" : text_; }

private:
  std::string text_;
};

struct Entity {
  std::string kind; // the sink call: "curve3", "point3", "triblock", "annotation"
  std::string name;
  std::string layer;  // "<number> <name>"
  std::string colour; // the colour name and hex form, "" without colour
  std::string font;   // curve font name and segment count, "" without
  double dash = 0.0;  // the curve font's first segment's length
  double width = -1.0;
  int visible = 1;
  std::string curve;      // the curve's kind
  int child = 0;          // sent as the child of a compound
  annNamedItemPtr item;   // what an annotation call sent
  std::string properties; // "title: value" lines
};

class DxfRead {
public:
  // Reads text from a file in a fresh temporary folder.
  explicit DxfRead(const std::string& text, int process_views = 0);
  // Reads the named file.
  DxfRead(const char* path, int process_views);

  int read_result = 0;
  std::vector<Entity> entities;
  std::vector<int> statuses; // of each top-level object
  RecordingChannel output;
  RecordingChannel error;
  std::unique_ptr<dxfLibInput> reader;
  std::unique_ptr<annDocument> document;

  // The entities whose name starts with type ("LINE", "LINE 1F"), a mangled
  // suffix allowed.
  std::vector<const Entity*> of(const std::string& type) const;
  std::string errors() const;

private:
  void run(const std::string& path, int process_views);
  TempDir folder_;
};
