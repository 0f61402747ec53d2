// vorabsDemo.cpp - a small host that walks a reader's translators into a recording sink.
//
// It registers a handful of translators with a test input endpoint (points,
// curves, a face placed by a translation, one translator reached twice, a
// workplane under a transform it cannot take), walks them into a recording
// sink through a test receiver, and prints each object's status, what both
// message channels received, and what the sink recorded by kind.
//
// Then it reads nested groups into an annotation document: a fixture group
// holding a group of faces and a point placed by a translation, a group of
// pins under a transform that does not preserve shape (its placement goes
// into the pins) and a loose datum point. The receiver routes every child
// back through the endpoint into a sink that builds and dresses annotation
// items, and the document is printed as it ends up.
//
// Then it translates annotation entities into a fresh document: a text
// under a rotation (sent inside a placed group) and a fill area with two
// holes, the second of which the reader cannot give, and prints that
// document.
//
// Last it reads dimensions and GD&T into a fresh document: a radial
// dimension with its leader and arrow, a counterbored hole dimension, and a
// datum set on a face with a note attached, and prints that document.
#include "kapHoleDimensionTranslator.h"
#include "vorabsFillAreaTranslator.h"
#include "vorabsAttributePtr.h"
#include "vorabsCurveTranslator.h"
#include "vorabsGdtDatumTranslator.h"
#include "vorabsIfStream.h"
#include "vorabsLibSinkTester.h"
#include "vorabsLibSinkTesterEx.h"
#include "vorabsOutputOstreamTester.h"
#include "vorabsRadialDimensionTranslator.h"
#include "vorabsTextTranslator.h"
#include "vorabsTestFaceTranslator.h"
#include "vorabsTestGroupTranslator.h"
#include "vorabsTestInterface.h"
#include "vorabsTestInterfaceEx.h"
#include "vorabsTestLibInputEx.h"
#include "vorabsTestPointTranslator.h"
#include "vorabsWorkplaneTranslator.h"

#include "ann/ann.h"
#include "top.h"
#include "vel.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <utility>

namespace {

// A reader's curve translator: delivers a stored curve under a stored name.
class DemoCurveTranslator final : public vorabsCurveTranslator {
public:
  DemoCurveTranslator(const vorabsContext& context, const char* name, velCurve3* curve)
      : vorabsCurveTranslator(context), name_(name), curve_(curve) {}
  void attributes(vorabsAttributeSet& set) const override {
    vorabsCurveTranslator::attributes(set);
    vorabsNamevorabsAttributePtr name;
    set.check_out(vorabsNAME, name);
    *name = vorabsName(name_, 0);
  }

protected:
  vorabsTranslationStatus create_curve(velCurvePtr3& curve) override {
    curve = curve_;
    return vorabsSTATUS_OK;
  }

private:
  utString name_;
  velCurvePtr3 curve_;
};

// A reader's workplane translator: the world workplane, named.
class DemoWorkplaneTranslator final : public vorabsWorkplaneTranslator {
public:
  DemoWorkplaneTranslator(const vorabsContext& context, const char* name)
      : vorabsWorkplaneTranslator(context), name_(name) {}
  void attributes(vorabsAttributeSet& set) const override {
    vorabsWorkplaneTranslator::attributes(set);
    vorabsNamevorabsAttributePtr name;
    set.check_out(vorabsNAME, name);
    *name = vorabsName(name_, 0);
  }

protected:
  vorabsTranslationStatus create_workplane(giWorkplane3& workplane) override {
    workplane = giWorkplane3(giWorkplaneWorld);
    return vorabsSTATUS_OK;
  }

private:
  utString name_;
};

const char* status_name(vorabsStatus status) {
  static const char* const names[] = {"vorabsSTATUS_OK",      "vorabsSTATUS_FAILED",
                                      "vorabsSTATUS_IGNORED", "vorabsSTATUS_COMPLETE_NO_ITEM",
                                      "vorabsSTATUS_ABORTED", "vorabsSTATUS_OUTSIDE_EXTENT",
                                      "vorabsSTATUS_UNKNOWN", "vorabsSTATUS_ZERO_AREA"};
  unsigned value = static_cast<unsigned>(status);
  return value < 8 ? names[value] : "invalid status";
}

topTopologyPtr unit_square_face() {
  auto* topology = new topTopology();
  topology->add_face(topFace(velSurfPtr(new velPlane(giWorkplane3(giWorkplaneWorld)))));
  return topTopologyPtr(topology);
}

void print_messages(const char* channel, const vorabsOutputOstreamTester& messages) {
  std::printf("%s channel (%d messages):\n", channel, messages.number_of_strings());
  for (int i = 0; i < messages.number_of_strings(); ++i)
    std::printf("  %s", messages.get_string(i).c_str());
}

template <class Entity, class Getter> void print_recorded(const char* kind, int count, Getter get) {
  std::printf("  %-15s %d:", kind, count);
  for (int i = 0; i < count; ++i) {
    Entity entity;
    utString name;
    get(i, entity, name);
    std::printf(" \"%s\"", name.c_str());
  }
  std::printf("\n");
}

vorabsTranslatorcoPrf point_translator(const vorabsContext& context, const char* name,
                                       const giPoint3& point) {
  return vorabsTranslatorcoPrf(new vorabsTestPointTranslator(context, utString(name), point));
}

// A document read through a test reader: the reader's translators are
// walked into a sink that builds and dresses annotation items, and the
// document is printed. The reading owns everything it holds.
struct DemoReading {
  DemoReading() : reader(nullptr) {
    context.set_document(&document);
    reader.set_error(&error);
    reader.set_output(&output);
  }
  int walk_and_print(const char* title);

  annDocument document;
  vorabsContext context;
  vorabsOutputOstreamTester output;
  vorabsOutputOstreamTester error;
  vorabsTestLibInputEx reader;
};

int DemoReading::walk_and_print(const char* title) {
  vorabsIfStream no_file(nullptr);
  if (!reader.read_input(context, no_file)) {
    std::printf("the reader could not read its input\n");
    return 1;
  }

  vorabsLibSinkTesterEx sink(&document);
  sink.set_error(&error);
  sink.set_output(&output);
  vorabsTestInterfaceEx receiver(reader, sink);
  vorabsAttributeSet inherited;

  std::printf("\n%s: %d objects from %d top-level translators\n", title, reader.num_objects(),
              reader.num_top_level_translators());
  int index = 0;
  while (++reader) {
    vorabsAttributeSet attributes;
    reader.attributes(attributes);
    vorabsNamevorabsAttributePtr name;
    utString shown = attributes.get(vorabsNAME, name) ? name->string() : utString("?");
    sink.prepare_for_new_geometry();
    vorabsTranslationStatus status = reader.send_to(inherited, receiver, sink);
    std::printf("object %d %-12s %s\n", ++index, shown.c_str(), status_name(status.status()));
  }
  print_messages("output", output);
  print_messages("error", error);
  std::printf("annotation document:\n");
  std::cout.flush();
  document.print(std::cout);
  std::cout.flush();
  return 0;
}

// Reads a fixture of nested groups into a document and prints the document.
int read_nested_groups() {
  DemoReading reading;
  const vorabsContext& context = reading.context;
  vorabsTestLibInputEx& reader = reading.reader;

  // A group's children are added before the group joins its parent, so
  // that the parent's count of translators includes them.
  auto plates = std::make_shared<vorabsTestGroupTranslator>(
      context, utString("plates"), giXform3(giXformTranslate, giVector3(0, 0, 25)));
  plates->add_translator(vorabsTranslatorcoPrf(
      new vorabsTestFaceTranslator(context, utString("top"), unit_square_face())));
  plates->add_translator(vorabsTranslatorcoPrf(
      new vorabsTestFaceTranslator(context, utString("bottom"), unit_square_face())));
  plates->add_translator(point_translator(context, "marker", giPoint3(0.5, 0.5, 0)));

  const double stretch[4][4] = {{1, 0, 0, 0}, {0, 2, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  auto pins =
      std::make_shared<vorabsTestGroupTranslator>(context, utString("pins"), giXform3(stretch));
  pins->add_translator(point_translator(context, "pin 1", giPoint3(1, 1, 0)));
  pins->add_translator(point_translator(context, "pin 2", giPoint3(2, 1, 0)));

  auto fixture = std::make_shared<vorabsTestGroupTranslator>(context, utString("fixture"),
                                                             giXform3(giXformIdentity));
  fixture->set_group_name(utString("Fixture 7"));
  fixture->add_translator(vorabsTranslatorcoPrf(plates));
  fixture->add_translator(vorabsTranslatorcoPrf(pins));
  reader.add_translator(vorabsTranslatorcoPrf(fixture));
  reader.add_translator(point_translator(context, "datum", giPoint3(0, 0, 0)));

  return reading.walk_and_print("nested groups");
}

void name_entity(vorabsAttributeSet& set, const char* text) {
  vorabsNamevorabsAttributePtr name;
  set.check_out(vorabsNAME, name);
  *name = vorabsName(utString(text), 0);
}

// A reader's text: "Hello" in 2.5 mm italic Arial, laid out from (10, 5).
class DemoTextTranslator final : public vorabsTextTranslator {
public:
  explicit DemoTextTranslator(const vorabsContext& context) : vorabsTextTranslator(context) {}
  void attributes(vorabsAttributeSet& set) const override {
    vorabsTextTranslator::attributes(set);
    name_entity(set, "greeting");
  }

protected:
  utString text_string() override { return utString("Hello"); }
  void font_details(double& height, utString& font_name) override {
    height = 2.5;
    font_name = utString("Arial");
  }
  void font_details_ex(kapFontInformation& information) const override {
    information.set_italic(1);
  }
  double text_width() override { return 12.0; }
  void text_workplane(giWorkplane3& workplane) override {
    workplane = giWorkplane3(giPoint3(10, 5, 0), giVector3(1, 0, 0), giVector3(0, 1, 0));
  }
};

velCurvePtr2 demo_square(double x, double y, double side) {
  auto* chain = new velCompCurve2(1e-6, 0);
  const giPoint2 corners[] = {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}};
  for (int i = 0; i < 4; ++i)
    chain->add_segment_end(velCurvePtr2(new velLine2(corners[i], corners[(i + 1) % 4])));
  return velCurvePtr2(chain);
}

// A reader's plate: a 40 mm square with a round hole and a hole the reader
// cannot give (its curve is missing).
class DemoPlateTranslator final : public vorabsFillAreaTranslator {
public:
  explicit DemoPlateTranslator(const vorabsContext& context) : vorabsFillAreaTranslator(context) {}
  void attributes(vorabsAttributeSet& set) const override {
    vorabsFillAreaTranslator::attributes(set);
    name_entity(set, "plate");
  }

protected:
  int num_inner_boundaries() override { return 2; }
  void inner_boundary(velCurvePtr2& curve, int index, vorabsAttributeSet&) override {
    if (index == 0)
      curve = velCurvePtr2(new velCircArc2(giPoint2(10, 10), 4, 0, 6.283185307179586));
  }
  void outer_boundary(velCurvePtr2& curve, vorabsAttributeSet&) override {
    curve = demo_square(0, 0, 40);
  }
  void complete_fill_area(annFillAreaannPtr&) override {}
};

// Translates a rotated text and a plate with holes and prints the document.
int translate_annotation() {
  DemoReading reading;
  const vorabsContext& context = reading.context;
  int failed = 0;
  vorabsTranslatorcoPrf text(new DemoTextTranslator(context));
  giXform3 previous;
  text->set_transform(
      giXform3(giXformRotate, giPoint3(10, 5, 0), giVector3(0, 0, 1), giAngle(0.5), failed),
      previous);
  reading.reader.add_translator(text);
  reading.reader.add_translator(vorabsTranslatorcoPrf(new DemoPlateTranslator(context)));
  return reading.walk_and_print("annotation entities");
}

// A reader's translator of a compound kind: names the entity; flattened
// contents keep their names.
template <class Base> class DemoNamed : public Base {
public:
  template <class... Args>
  explicit DemoNamed(const char* name, Args&&... args)
      : Base(std::forward<Args>(args)...), name_(name) {}
  void attributes(vorabsAttributeSet& set) const override {
    Base::attributes(set);
    vorabsNamevorabsAttributePtr name;
    set.check_out(vorabsNAME, name);
    *name = vorabsName(name_, 0);
  }

protected:
  vorabsNameMangler* create_name_mangler(utPtrRelease) const override { return nullptr; }

private:
  utString name_;
};

// A reader's hole: 6.6 drilled, counterbored 11 deep 6.8, no countersink.
class DemoHoleTranslator final : public DemoNamed<kapHoleDimensionTranslator> {
public:
  explicit DemoHoleTranslator(const vorabsContext& context)
      : DemoNamed("hole M6", giXform3(giXformIdentity), context) {}
  void hole_information(kapHoleInformation& hole) override {
    hole.set_hole_diameter(6.6);
    hole.set_counterbore_diameter(11);
    hole.set_counterbore_depth(6.8);
  }
};

vorabsTranslatorcoPrf line_translator(const vorabsContext& context, const char* name,
                                      const giPoint3& from, const giPoint3& to) {
  return vorabsTranslatorcoPrf(new DemoCurveTranslator(context, name, new velLine3(from, to)));
}

// Reads a radial dimension, a hole dimension and a datum into a document
// and prints the document.
int read_dimensions_and_gdt() {
  DemoReading reading;
  const vorabsContext& context = reading.context;
  vorabsTestLibInputEx& reader = reading.reader;
  const giXform3 identity(giXformIdentity);

  auto radius = std::make_shared<DemoNamed<vorabsRadialDimensionTranslator>>(
      "R5", giPoint3(20, 10, 0), identity, context);
  radius->add_translator(
      line_translator(context, "R5 leader", giPoint3(20, 10, 0), giPoint3(23.5, 13.5, 0)));
  radius->add_translator(point_translator(context, "R5 arrow", giPoint3(23.5, 13.5, 0)));
  reader.add_translator(vorabsTranslatorcoPrf(radius));

  auto hole = std::make_shared<DemoHoleTranslator>(context);
  hole->add_translator(
      line_translator(context, "hole leader", giPoint3(40, 0, 0), giPoint3(45, 5, 0)));
  reader.add_translator(vorabsTranslatorcoPrf(hole));

  auto datum = std::make_shared<DemoNamed<vorabsGdtDatumTranslator>>("datum A", utString("A"),
                                                                     identity, context);
  datum->add_associated_geometry_translator(vorabsTranslatorcoPrf(
      new vorabsTestFaceTranslator(context, utString("base face"), unit_square_face())));
  datum->add_attached_annotation_translator(
      point_translator(context, "datum A note", giPoint3(0, -5, 0)));
  datum->add_translator(
      line_translator(context, "datum A frame", giPoint3(0, -5, 0), giPoint3(5, -5, 0)));
  reader.add_translator(vorabsTranslatorcoPrf(datum));

  return reading.walk_and_print("dimensions and GD&T");
}

} // namespace

int main() {
  annDocument document;
  vorabsContext context;
  context.set_document(&document);

  vorabsOutputOstreamTester output;
  vorabsOutputOstreamTester error;
  vorabsTestLibInputEx reader(nullptr);
  reader.set_error(&error);
  reader.set_output(&output);

  reader.add_translator(vorabsTranslatorcoPrf(
      new vorabsTestPointTranslator(context, utString("origin"), giPoint3(0, 0, 0))));
  reader.add_translator(vorabsTranslatorcoPrf(
      new vorabsTestPointTranslator(context, utString("unset point"), giPoint3())));
  vorabsTranslatorcoPrf edge(new DemoCurveTranslator(
      context, "edge", new velLine3(giPoint3(0, 0, 0), giPoint3(10, 0, 0))));
  reader.add_translator(edge);
  reader.add_translator(vorabsTranslatorcoPrf(new DemoCurveTranslator(
      context, "rim",
      new velCircArc3(giPoint3(0, 0, 0), giVector3(0, 0, 1), giVector3(1, 0, 0), 5, 0, 3.14159))));

  vorabsTranslatorcoPrf face(
      new vorabsTestFaceTranslator(context, utString("lid"), unit_square_face()));
  giXform3 previous;
  face->set_transform(giXform3(giXformTranslate, giVector3(0, 0, 25)), previous);
  reader.add_translator(face);
  reader.add_translator(edge); // reached twice: the second time re-uses the first outcome

  vorabsTranslatorcoPrf datum(new DemoWorkplaneTranslator(context, "datum"));
  const double squash[4][4] = {{1, 0, 0, 0}, {0, 2, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  datum->set_transform(giXform3(squash), previous);
  reader.add_translator(datum);

  vorabsIfStream no_file(nullptr);
  if (!reader.read_input(context, no_file)) {
    std::printf("the reader could not read its input\n");
    return 1;
  }

  vorabsLibSinkTester sink;
  sink.set_error(&error);
  sink.set_output(&output);
  vorabsTestInterface receiver;
  vorabsAttributeSet inherited;

  std::printf("%d objects from %d top-level translators\n", reader.num_objects(),
              reader.num_top_level_translators());
  int index = 0;
  while (++reader) {
    vorabsAttributeSet attributes;
    reader.attributes(attributes);
    vorabsNamevorabsAttributePtr name;
    utString shown = attributes.get(vorabsNAME, name) ? name->string() : utString("?");
    vorabsTranslationStatus status = reader.send_to(inherited, receiver, sink);
    std::printf("object %d %-12s %s\n", ++index, shown.c_str(), status_name(status.status()));
  }

  print_messages("output", output);
  print_messages("error", error);
  std::printf("recorded by the sink:\n");
  print_recorded<giPoint3>("points", sink.number_of_points3(),
                           [&](int i, giPoint3& p, utString& n) { sink.get_point3(i, p, n); });
  print_recorded<velCurvePtr3>(
      "curves", sink.number_of_curves3(),
      [&](int i, velCurvePtr3& c, utString& n) { sink.get_curve3(i, c, n); });
  print_recorded<topTopologyPtr>(
      "topologies", sink.number_of_topologies(),
      [&](int i, topTopologyPtr& t, utString& n) { sink.get_topology(i, t, n); });
  print_recorded<giWorkplane3>(
      "workplanes", sink.number_of_workplane3(),
      [&](int i, giWorkplane3& w, utString& n) { sink.get_workplane3(i, w, n); });
  std::fflush(stdout);
  if (int failed = read_nested_groups())
    return failed;
  if (int failed = translate_annotation())
    return failed;
  return read_dimensions_and_gdt();
}
