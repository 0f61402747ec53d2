// DxfHarness.cpp - the DXF test harness: a recording self-check sink and the host's loop.
#include "DxfHarness.h"

#include "kapProperties.h"
#include "kapProperty.h"
#include "kapPropertyPtrArray.h"
#include "vorabsAttributePtr.h"
#include "vorabsIfStream.h"
#include "vorabsTestInterfaceEx.h"
#include "vorabsVoid.h"

#include <cstdio>
#include <fstream>
#include <sstream>

Dxf& Dxf::operator()(int code, const std::string& value) {
  text_ += std::to_string(code) + "\n" + value + "\n";
  return *this;
}

Dxf& Dxf::operator()(int code, double value) {
  std::ostringstream out;
  out << value;
  return (*this)(code, out.str());
}

Dxf& Dxf::layer(const std::string& name, int colour, const std::string& linetype, int flags,
                int lineweight) {
  return (*this)(0, "LAYER")(2, name)(70, flags)(62, colour)(6, linetype)(370, lineweight);
}

namespace {

template <class T> bool read(const vorabsAttributeSet& set, const vorabsAttributeKey& key, T& out) {
  vorabsAttributePtr<T> pointer;
  if (!set.get(key, pointer))
    return false;
  out = *pointer;
  return true;
}

class RecordingTester : public vorabsLibSinkTesterEx {
public:
  RecordingTester(annDocument* document, std::vector<Entity>& out)
      : vorabsLibSinkTesterEx(document), out_(out) {}
  vorabsTranslationStatus curve3(const velCurvePtr3& curve,
                                 const vorabsAttributeSet& set) override {
    record("curve3", set).curve = curve.invalid() ? "" : curve->kind();
    return vorabsLibSinkTesterEx::curve3(curve, set);
  }
  vorabsTranslationStatus point3(const giPoint3& point, const vorabsAttributeSet& set) override {
    record("point3", set);
    return vorabsLibSinkTesterEx::point3(point, set);
  }
  vorabsTranslationStatus triblock(const giTriBlock& block,
                                   const vorabsAttributeSet& set) override {
    record("triblock", set);
    return vorabsLibSinkTesterEx::triblock(block, set);
  }
  vorabsTranslationStatus annotation(const annNamedItemPtr& item,
                                     const vorabsAttributeSet& set) override {
    record("annotation", set).item = item;
    return vorabsLibSinkTesterEx::annotation(item, set);
  }

private:
  Entity& record(const char* kind, const vorabsAttributeSet& set) {
    Entity e;
    e.kind = kind;
    vorabsName name;
    if (read(set, vorabsNAME, name))
      e.name = name.string().c_str();
    vorabsLayer layer;
    if (read(set, vorabsLAYER, layer))
      e.layer = std::to_string(layer.layer()) + " " + layer.name().c_str();
    vorabsColour colour;
    if (read(set, vorabsCOLOUR, colour)) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "#%02X%02X%02X", int(colour.red() * 255 + 0.5),
                    int(colour.green() * 255 + 0.5), int(colour.blue() * 255 + 0.5));
      e.colour = std::string(colour.name().c_str()) + (colour.name().empty() ? "" : " ") + hex;
    }
    vorabsCurveFont font;
    if (read(set, vorabsCURVEFONT, font)) {
      e.font = std::string(font.name().c_str()) + "/" + std::to_string(font.num_segments());
      e.dash = font.num_segments() > 0 ? font.segment_length(0) : 0.0;
    }
    read(set, vorabsLINEWIDTH, e.width);
    utBool visible = 1;
    if (read(set, vorabsVISIBLE, visible))
      e.visible = visible;
    e.child = set.member(vorabsCHILDITEM);
    kapProperties properties;
    if (read(set, vorabsPROPERTIES, properties) && !properties.invalid())
      for (int i = 0; i < properties.properties()->num_properties(); ++i) {
        kapPropertycoPrf p = properties.properties()->read(i);
        e.properties += std::string(p->title().c_str()) + ": " + p->value().c_str() + "\n";
      }
    out_.push_back(e);
    return out_.back();
  }
  std::vector<Entity>& out_;
};

} // namespace

DxfRead::DxfRead(const std::string& text, int process_views) {
  std::string path = folder_.file("test.dxf");
  std::ofstream(path, std::ios::binary) << text;
  run(path, process_views);
}

DxfRead::DxfRead(const char* path, int process_views) {
  run(path, process_views);
}

void DxfRead::run(const std::string& path, int process_views) {
  document.reset(new annDocument());
  reader.reset(new dxfLibInput(nullptr));
  reader->set_error(&error);
  reader->set_output(&output);
  vorabsIfStream stream(path.c_str());
  vorabsContext context;
  context.set_document(document.get());
  read_result = reader->read_input(context, stream);
  if (!read_result)
    return;
  RecordingTester sink(document.get(), entities);
  sink.set_error(&error);
  sink.set_output(&output);
  struct Receiver : vorabsTestInterfaceEx {
    Receiver(const vorabsLibSource& input, vorabsLibSinkTesterEx& sink, int views)
        : vorabsTestInterfaceEx(input, sink) {
      if (views) {
        vorabsVoidvorabsAttributePtr marker;
        own_attributes().check_out(vorabsPROCESSVIEWS, marker);
      }
    }
  } receiver(*reader, sink, process_views);
  vorabsAttributeSet attributes;
  while (++*reader)
    statuses.push_back(reader->send_to(attributes, receiver, sink).status());
}

std::vector<const Entity*> DxfRead::of(const std::string& type) const {
  std::vector<const Entity*> found;
  for (const Entity& e : entities)
    if (e.name.compare(0, type.size(), type) == 0 &&
        (e.name.size() == type.size() || e.name[type.size()] == ' ' || e.name[type.size()] == '_'))
      found.push_back(&e);
  return found;
}

std::string DxfRead::errors() const {
  std::string all;
  for (const std::string& text : error.texts())
    all += text;
  return all;
}
