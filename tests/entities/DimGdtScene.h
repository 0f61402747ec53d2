// DimGdtScene.h - a reader, receiver and building sink for the dimension and GD&T tests.
//
// A scene routes a top-level translator through a test reader into a sink
// that builds annotation items in the scene's document, as a host would:
// every child passes the receiver and comes back through the reader's
// current translator.
#pragma once

#include "Named.h"
#include "RecordingChannel.h"
#include "TestHelpers.h"
#include "vorabsLibSinkTesterEx.h"
#include "vorabsTestInterfaceEx.h"
#include "vorabsTestLibInputEx.h"
#include "vorabsTestPointTranslator.h"

#include <memory>
#include <string>

struct DimGdtScene {
  DimGdtScene() : reader(nullptr), sink(&document), receiver(reader, sink) {
    context.set_document(&document);
    reader.set_error(&error);
    reader.set_output(&output);
    sink.set_error(&error);
    sink.set_output(&output);
  }
  vorabsTranslatorcoPrf point(const char* name, const giPoint3& at = giPoint3(0, 0, 0)) {
    return vorabsTranslatorcoPrf(new vorabsTestPointTranslator(context, utString(name), at));
  }
  // Translates the translator as the reader's one top-level object (once
  // per scene).
  vorabsStatus run(const vorabsTranslatorcoPrf& top) {
    reader.add_translator(top);
    ++reader;
    sink.prepare_for_new_geometry();
    return reader.send_to(vorabsAttributeSet(), receiver, sink).status();
  }
  // The names of the items, in order, separated by blanks.
  template <class Items> static std::string names(const Items& items) {
    std::string text;
    for (const auto& item : items)
      text += (text.empty() ? "" : " ") + std::string(item.name().c_str());
    return text;
  }

  // What the item prints of its own, without the group's placement.
  static std::string own_details(const annNamedItem& item) {
    std::ostringstream out;
    item.print_details(out);
    std::string text = out.str();
    const std::string placement = " transform \"";
    if (text.compare(0, placement.size(), placement) == 0)
      text.erase(0, text.find('"', placement.size()) + 1);
    return text;
  }

  annDocument document;
  vorabsContext context;
  RecordingChannel output;
  RecordingChannel error;
  vorabsTestLibInputEx reader;
  vorabsLibSinkTesterEx sink;
  vorabsTestInterfaceEx receiver;
};
