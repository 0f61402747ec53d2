// plotLibOutputTest.cpp - the plot writer: what it draws lands where the drawing says, and what it
// refuses.
#include "PlotImage.h"
#include "RecordingChannel.h"
#include "TempDir.h"

#include "plotLibOutput.h"

#include "vorabsAttributePtr.h"
#include "vorabsColour.h"
#include "vorabsCurveFont.h"
#include "vorabsLayer.h"
#include "vorabsName.h"
#include "vorabsVoid.h"

#include "ann/ann.h"
#include "vel.h"
#include "vorabsOfStream.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr double pi = 3.14159265358979323846;

vorabsAttributeSet entity(const char* name, int child = 0, const char* aci = "ACI 7") {
  vorabsAttributeSet set;
  vorabsNamevorabsAttributePtr n;
  set.check_out(vorabsNAME, n);
  *n = vorabsName(utString(name), 0);
  vorabsColourvorabsAttributePtr colour;
  set.check_out(vorabsCOLOUR, colour);
  const bool red = std::string(aci) == "ACI 1";
  *colour = vorabsColour(utString(aci), 1, red ? 0 : 1, red ? 0 : 1, -1);
  vorabsLayervorabsAttributePtr layer;
  set.check_out(vorabsLAYER, layer);
  *layer = vorabsLayer(1, utString("Outline"));
  if (child) {
    vorabsVoidvorabsAttributePtr mark;
    set.check_out(vorabsCHILDITEM, mark);
  }
  return set;
}

velCurvePtr3 line(double x0, double y0, double x1, double y1) {
  return velCurvePtr3(new velLine3(giPoint3(x0, y0, 0), giPoint3(x1, y1, 0)));
}

velCurvePtr3 circle(double x, double y, double r) {
  return velCurvePtr3(
      new velCircArc3(giPoint3(x, y, 0), giVector3(0, 0, 1), giVector3(1, 0, 0), r, 0, 2 * pi));
}

annCurveannPtr square(annDocument& document, double x0, double y0, double x1, double y1) {
  std::vector<giPoint2> corners{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}};
  return make_annCurve(&document, velCurvePtr2(new velPolyline2(corners)), utString("square"));
}

// A plot writer on a file of a temporary folder, with its channels.
struct Plot {
  explicit Plot(const char* name, plotFormat format = plotFormat::PNG)
      : path(folder.file(name)), stream(utString(path.c_str())), writer(&stream, nullptr) {
    writer.set_error(&error);
    writer.set_output(&output);
    options.format = format;
  }
  // Writes with the window x0, y0, x1, y1 at width pixels.
  bool write(double x0, double y0, double x1, double y1, int width) {
    options.has_window = 1;
    options.window[0] = x0, options.window[1] = y0, options.window[2] = x1, options.window[3] = y1;
    options.width_px = width;
    writer.set_options(options);
    return writer.write() != 0;
  }
  bool exists() const { return std::ifstream(path).good(); }

  TempDir folder;
  std::string path;
  vorabsOfStream stream;
  plotLibOutput writer;
  plotOptions options;
  annDocument document;
  RecordingChannel error, output;
};

std::string all(const RecordingChannel& channel) {
  std::string text;
  for (const std::string& line : channel.texts())
    text += line;
  return text;
}

TEST(plotLibOutputTest, CurvesFillsAndTextsLandWhereTheWindowPutsThem) {
  Plot plot("shapes.png");
  plotLibOutput& w = plot.writer;
  EXPECT_TRUE(w.curve3(line(10, 50, 90, 50), entity("LINE 1")).complete());
  EXPECT_TRUE(w.curve3(circle(150, 50, 30), entity("CIRCLE 2", 0, "ACI 1")).complete());
  // A square with a square hole: filled even-odd, the hole stays empty.
  annCurveannPtrcoSet holes;
  holes.add(square(plot.document, 20, 10, 30, 20));
  annFillAreaannPtr fill = make_annFillArea(&plot.document, square(plot.document, 10, 0, 40, 30),
                                            holes, utString("HATCH 3"));
  EXPECT_TRUE(w.annotation(annNamedItemPtr(fill), entity("HATCH 3")).complete());
  ASSERT_TRUE(plot.write(0, 0, 200, 100, 400)) << all(plot.error);
  EXPECT_EQ(all(plot.error), "");
  PlotImage image(plot.path);
  ASSERT_TRUE(image.valid());
  // The window is mapped exactly: 400 x 200 pixels, 2 pixels a unit, y up.
  EXPECT_EQ(image.width(), 400);
  EXPECT_EQ(image.height(), 200);
  EXPECT_TRUE(image.ink(100, 100)); // the line's middle, (50, 50)
  EXPECT_FALSE(image.ink(100, 80, 3));
  int r, g, b;
  image.rgb(360, 100, r, g, b); // the circle at (180, 50), red
  EXPECT_TRUE(image.ink(360, 100));
  EXPECT_TRUE(image.ink(300, 40));      // its top, (150, 80)
  EXPECT_FALSE(image.ink(300, 100, 5)); // its centre
  EXPECT_TRUE(image.ink(30, 190, 0));   // the fill at (15, 5)
  EXPECT_FALSE(image.ink(50, 170, 2));  // its hole at (25, 15)
  EXPECT_GT(w.num_drawn(), 2);
}

TEST(plotLibOutputTest, CurveFontsBecomeDashesAndSolidsFillWhereFacesShowTheirEdges) {
  Plot plot("dashes.png");
  vorabsAttributeSet dashed = entity("LINE 1");
  vorabsCurveFontvorabsAttributePtr font;
  dashed.check_out(vorabsCURVEFONT, font);
  *font = vorabsCurveFont(utString("DASHED"));
  font->set_num_segments(2);
  font->set_segment_length(0, 10);
  font->set_segment_length(1, 10);
  font->set_first_visible(1);
  plot.writer.curve3(line(0, 40, 100, 40), dashed);
  // A solid and a 3D face, each the square from (x, 0) to (x + 20, 20).
  auto block = [](double x) {
    giTriBlock block;
    giNodeXYZ* nodes = block.add_feature<giNodeXYZ>();
    for (const giPoint3& p :
         {giPoint3(x, 0, 0), giPoint3(x + 20, 0, 0), giPoint3(x + 20, 20, 0), giPoint3(x, 20, 0)})
      nodes->append(p);
    block.add_feature<giTriArr>()->append(0, 1, 2);
    block.find_feature<giTriArr>()->append(0, 2, 3);
    return block;
  };
  plot.writer.triblock(block(10), entity("SOLID 2"));
  plot.writer.triblock(block(60), entity("3DFACE 3"));
  ASSERT_TRUE(plot.write(0, 0, 100, 50, 200)) << all(plot.error);
  PlotImage image(plot.path);
  EXPECT_TRUE(image.ink(10, 20, 0));   // (5, 40): a dash
  EXPECT_FALSE(image.ink(30, 20, 2));  // (15, 40): a gap
  EXPECT_TRUE(image.ink(50, 20, 0));   // (25, 40): the next dash
  EXPECT_TRUE(image.ink(40, 80, 0));   // the solid's inside, (20, 10)
  EXPECT_FALSE(image.ink(140, 80, 3)); // the face's inside, (70, 10), on no diagonal
  EXPECT_TRUE(image.ink(120, 80, 1));  // its left edge, (60, 10)
}

// A mesh shows the edges of its faces: a four-cornered face, two triangles
// on its diagonal (a, b, c) then (c, d, a), shows no diagonal; a fan of
// triangles shows every edge.
TEST(plotLibOutputTest, AMeshShowsItsFacesEdgesWithoutTheDiagonalsOfItsQuadrilaterals) {
  Plot plot("mesh.png");
  auto mesh = [](std::initializer_list<giPoint3> corners,
                 std::initializer_list<std::array<int, 3>> triangles) {
    giTriBlock block;
    giNodeXYZ* nodes = block.add_feature<giNodeXYZ>();
    for (const giPoint3& p : corners)
      nodes->append(p);
    giTriArr* made = block.add_feature<giTriArr>();
    for (const auto& t : triangles)
      made->append(t[0], t[1], t[2]);
    return block;
  };
  // Two squares side by side, from x 10 to 50 and y 0 to 20.
  plot.writer.triblock(
      mesh({{10, 0, 0}, {30, 0, 0}, {50, 0, 0}, {50, 20, 0}, {30, 20, 0}, {10, 20, 0}},
           {{0, 1, 4}, {4, 5, 0}, {1, 2, 3}, {3, 4, 1}}),
      entity("MESH 1"));
  // A five-cornered face as a fan from its first corner (60, 0).
  plot.writer.triblock(mesh({{60, 0, 0}, {90, 0, 0}, {90, 20, 0}, {75, 30, 0}, {60, 20, 0}},
                            {{0, 1, 2}, {0, 2, 3}, {0, 3, 4}}),
                       entity("MESH 2"));
  ASSERT_TRUE(plot.write(0, 0, 100, 50, 200)) << all(plot.error);
  PlotImage image(plot.path);
  // 2 pixels a unit, y down from 50.
  EXPECT_FALSE(image.ink(40, 80, 3)); // (20, 10), on the first square's diagonal
  EXPECT_FALSE(image.ink(80, 80, 3)); // (40, 10), on the second's
  EXPECT_TRUE(image.ink(60, 80, 1));  // (30, 10), the edge they share
  EXPECT_TRUE(image.ink(150, 80, 1)); // (75, 10), the fan's first inner edge
}

TEST(plotLibOutputTest, AWindowDeepInsideLongLinesDrawsThemWhereTheyCrossIt) {
  Plot plot("zoom.png");
  // Lines a billion units long, seen through a window a hundred wide.
  plot.writer.curve3(line(-1e9, -1e9, 1e9, 1e9), entity("LINE 1"));
  plot.writer.curve3(line(-1e9, 80, 1e9, 80), entity("LINE 2"));
  std::vector<giPoint2> far{{-1e9, -1e9}, {1e9, -1e9}, {1e9, 20}, {-1e9, 20}, {-1e9, -1e9}};
  annFillAreaannPtr fill = make_annFillArea(
      &plot.document,
      make_annCurve(&plot.document, velCurvePtr2(new velPolyline2(far)), utString("far")),
      annCurveannPtrcoSet(), utString("HATCH 3"));
  plot.writer.annotation(annNamedItemPtr(fill), entity("HATCH 3"));
  ASSERT_TRUE(plot.write(0, 0, 100, 100, 100)) << all(plot.error);
  PlotImage image(plot.path);
  EXPECT_TRUE(image.ink(50, 50));     // the diagonal through (50, 50)
  EXPECT_TRUE(image.ink(70, 30));     // and (70, 70)
  EXPECT_FALSE(image.ink(30, 30, 3)); // nowhere else
  EXPECT_TRUE(image.ink(10, 20));     // the line at y 80
  EXPECT_TRUE(image.ink(40, 90, 0));  // the fill below y 20
  EXPECT_FALSE(image.ink(10, 60, 2)); // and nothing of it above
}

TEST(plotLibOutputTest, ColourSevenFollowsTheBackgroundOtherColoursStay) {
  Plot plot("black.png");
  plot.writer.curve3(line(0, 10, 100, 10), entity("LINE 1"));
  plot.writer.curve3(line(0, 30, 100, 30), entity("LINE 2", 0, "ACI 1"));
  plot.options.black_background = 1;
  ASSERT_TRUE(plot.write(0, 0, 100, 40, 100)) << all(plot.error);
  PlotImage image(plot.path);
  int r, g, b;
  image.rgb(50, 30, r, g, b); // colour 7 at y 10: white on black
  EXPECT_GT(std::min({r, g, b}), 100);
  image.rgb(50, 10, r, g, b); // red stays red
  EXPECT_GT(r, 100);
  EXPECT_LT(g, 60);
  image.rgb(50, 20, r, g, b); // the background
  EXPECT_LT(std::max({r, g, b}), 10);
}

TEST(plotLibOutputTest, AGroupIsDrawnUnderEveryPlacementOfIt) {
  Plot plot("groups.png");
  plotLibOutput& w = plot.writer;
  // A block of one line from (0, 0) to (10, 0), built once.
  ASSERT_TRUE(w.curve3(line(0, 0, 10, 0), entity("LINE 1", 1)).complete());
  annGroupannPtr block = make_annGroup(&plot.document, sto_class_annGroup(), utString("BLOCK"));
  block->add_group_geometry(annGeometryItemannPtr::cast(w.current_annotation()));
  ASSERT_TRUE(w.annotation(annNamedItemPtr(block), entity("BLOCK", 1)).complete());
  // Placed at (20, 20), and turned a quarter at (60, 10) at twice the size.
  auto place = [&](const char* name, const giWorkplane3& frame, double scale) {
    annGroupannPtr insert = make_annGroup(&plot.document, sto_class_annGroup(), utString(name));
    insert->add_group_geometry(annGeometryItemannPtr(block));
    insert->set_transform(make_annSPT(&plot.document, frame, scale, utString(name)));
    return w.annotation(annNamedItemPtr(insert), entity(name)).complete();
  };
  ASSERT_TRUE(place("INSERT 1", giWorkplane3(giPoint3(20, 20, 0), {1, 0, 0}, {0, 1, 0}), 1));
  ASSERT_TRUE(place("INSERT 2", giWorkplane3(giPoint3(60, 10, 0), {0, 1, 0}, {-1, 0, 0}), 2));
  // A fill area the sink only meets inside the group that places it.
  annGroupannPtr placed = make_annGroup(&plot.document, sto_class_annGroup(), utString("HATCH 4"));
  placed->add_group_geometry(annGeometryItemannPtr(make_annFillArea(
      &plot.document, square(plot.document, 0, 0, 5, 5), annCurveannPtrcoSet(), utString("f"))));
  placed->set_transform(make_annSPT(
      &plot.document, giWorkplane3(giPoint3(85, 30, 0), {1, 0, 0}, {0, 1, 0}), 1, utString("t")));
  ASSERT_TRUE(w.annotation(annNamedItemPtr(placed), entity("HATCH 4")).complete());
  ASSERT_TRUE(plot.write(0, 0, 100, 40, 100)) << all(plot.error);
  PlotImage image(plot.path);
  EXPECT_TRUE(image.ink(25, 20));    // (25, 20) on the first
  EXPECT_FALSE(image.ink(5, 40, 2)); // nothing where the block was defined
  EXPECT_TRUE(image.ink(60, 15));    // (60, 25) on the turned one, which reaches y 30
  EXPECT_TRUE(image.ink(60, 11));
  EXPECT_FALSE(image.ink(70, 25, 2));
  EXPECT_TRUE(image.ink(87, 7, 0)); // inside the placed fill, (87, 33)
}

TEST(plotLibOutputTest, TextsShowAtTheirPlaceAndSize) {
  Plot plot("text.png");
  annTextannPtr characters = make_annText(&plot.document, utString("HHHH"), utString("t"));
  annTextFontannPtr font = make_annTextFont(&plot.document, 10, utString("f"));
  annLCSannPtr frame = make_annLCS(
      &plot.document, giWorkplane3(giPoint3(10, 10, 0), {1, 0, 0}, {0, 1, 0}), utString("l"));
  annTextGeometryannPtr text =
      make_annTextGeometry(&plot.document, characters, font, frame, 1.0, utString("TEXT 1"));
  ASSERT_TRUE(plot.writer.annotation(annNamedItemPtr(text), entity("TEXT 1")).complete());
  ASSERT_TRUE(plot.write(0, 0, 100, 40, 200)) << all(plot.error);
  PlotImage image(plot.path);
  // Capitals stand on the baseline at y 10 and reach y 20 (pixels 60 to 40).
  EXPECT_TRUE(image.ink(24, 50, 2));
  EXPECT_FALSE(image.ink(24, 34, 2)); // above the capitals
  EXPECT_FALSE(image.ink(24, 66, 2)); // below the baseline
  EXPECT_FALSE(image.ink(10, 50, 2)); // left of the origin
}

TEST(plotLibOutputTest, LayoutsArePagesWithTheirViewsClipped) {
  Plot plot("sheet.png");
  plotLibOutput& w = plot.writer;
  // Model space: a line from (0, 50) to (400, 50); the view shows it at
  // half size through a box from (0, 0) to (100, 100) of a 200 x 100 sheet.
  w.curve3(line(0, 50, 400, 50), entity("LINE 1"));
  annSPTannPtr spt = make_annSPT(
      &plot.document, giWorkplane3(giPoint3(0, 0, 0), {1, 0, 0}, {0, 1, 0}), 0.5, utString("view"));
  annViewannPtr view =
      make_annView(&plot.document, annNamedItemPtr(spt),
                   giBox3(giPoint3(0, 0, 0), giPoint3(100, 100, 0)), utString("VIEWPORT 1"));
  ASSERT_TRUE(w.annotation(annNamedItemPtr(view), entity("VIEWPORT 1", 1)).complete());
  w.curve3(line(150, 0, 150, 100), entity("LINE 2", 1));
  annNamedItemPtr paper_line = w.current_annotation();
  annGeometryItemannPtrcoSet geometry;
  geometry.add(annGeometryItemannPtr::cast(paper_line));
  annPresentationannPtr sheet =
      make_annPresentation(&plot.document, annStyleSetannPtr(), geometry,
                           annStyleAssignmentannPtrcoSet(), utString("Sheet A"));
  sheet->add_presentation(annPresentationannPtr(view));
  sheet->set_paper_size(200, 100);
  ASSERT_TRUE(w.annotation(annNamedItemPtr(sheet), entity("Sheet A")).complete());

  plot.options.layout = "Nowhere";
  plot.options.width_px = 200;
  plot.writer.set_options(plot.options);
  EXPECT_FALSE(w.write());
  EXPECT_EQ(all(plot.error),
            "Error : Layout Nowhere does not exist; the drawing's layouts are: Sheet A.\n");
  EXPECT_FALSE(plot.exists());

  plot.options.layout = "sheet a"; // names match whatever their case
  plot.writer.set_options(plot.options);
  ASSERT_TRUE(w.write()) << all(plot.error);
  PlotImage image(plot.path);
  ASSERT_EQ(image.width(), 200);
  ASSERT_EQ(image.height(), 100);
  EXPECT_TRUE(image.ink(50, 75));      // the model line at sheet (50, 25)
  EXPECT_FALSE(image.ink(120, 75, 3)); // clipped at the view's edge
  EXPECT_TRUE(image.ink(150, 20));     // the sheet's own line
}

TEST(plotLibOutputTest, WhatCannotBeDrawnIsRefusedWithAMessage) {
  Plot plot("bad.pdf", plotFormat::PDF);
  plotLibOutput& w = plot.writer;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(w.curve3(line(0, 0, nan, 1), entity("LINE 7")).status(), vorabsSTATUS_FAILED);
  EXPECT_EQ(w.surface(velSurfPtr(), entity("SURFACE 8")).status(), vorabsSTATUS_FAILED);
  EXPECT_EQ(all(plot.error), "Error : Entity LINE 7 has failed: its coordinates are not finite.\n"
                             "Entity SURFACE 8 has failed: Surfaces not supported by output "
                             "format.\n");
  EXPECT_EQ(w.num_failed(), 1);
  vorabsAttributeSet environment;
  vorabsVoidvorabsAttributePtr mark;
  environment.check_out(vorabsSURFACE, mark);
  EXPECT_FALSE(w.supported(environment));

  // Nothing to draw: a message and no file.
  plot.error.messages.clear();
  plot.writer.set_options(plot.options);
  EXPECT_FALSE(w.write());
  EXPECT_EQ(all(plot.error),
            "Error : The drawing has nothing to plot: its model space is empty.\n");
  EXPECT_FALSE(plot.exists());

  // Only points at one place: no extents.
  plot.error.messages.clear();
  w.point3(giPoint3(5, 5, 0), entity("POINT 1"));
  w.point3(giPoint3(5, 5, 0), entity("POINT 2"));
  EXPECT_FALSE(w.write());
  EXPECT_EQ(all(plot.error),
            "Error : The drawing has no extents: everything in it lies at one point.\n");

  // Extents beyond what a page can hold.
  plot.error.messages.clear();
  w.curve3(line(-1e300, 0, 1e300, 1), entity("LINE 9"));
  EXPECT_FALSE(w.write());
  EXPECT_NE(all(plot.error).find("are too large to plot"), std::string::npos) << all(plot.error);
  EXPECT_FALSE(plot.exists());
}

TEST(plotLibOutputTest, AnUnwritablePathLeavesNoFileAndSaysWhy) {
  TempDir folder;
  const std::string path = folder.file("missing/folder/out.svg");
  vorabsOfStream stream{utString(path.c_str())};
  plotLibOutput writer(&stream, nullptr);
  RecordingChannel error;
  writer.set_error(&error);
  plotOptions options;
  options.format = plotFormat::SVG;
  writer.set_options(options);
  writer.curve3(line(0, 0, 10, 10), entity("LINE 1"));
  EXPECT_FALSE(writer.write());
  EXPECT_EQ(all(error).find("Error : Cannot write " + path + ": "), 0u) << all(error);
  EXPECT_FALSE(std::ifstream(path).good());

  // A disk that fills up while the plot is written, piece by piece: it
  // fails, and neither the file nor its temporary is left. In a child, since
  // the limit is the process's.
  for (plotFormat format : {plotFormat::SVG, plotFormat::PDF, plotFormat::PNG}) {
    const std::string target = folder.file("full.plot");
    const pid_t child = fork();
    if (child == 0) {
      std::signal(SIGXFSZ, SIG_IGN);
      rlimit limit{4096, 4096};
      setrlimit(RLIMIT_FSIZE, &limit);
      vorabsOfStream file{utString(target.c_str())};
      plotLibOutput full(&file, nullptr);
      options.format = format;
      full.set_options(options);
      for (int i = 0; i < 3000; ++i)
        full.curve3(line(i, 0, i * 0.5, 100), entity("LINE 2", 0, i % 2 ? "ACI 1" : "ACI 7"));
      _exit(full.write() ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << int(format);
    EXPECT_FALSE(std::ifstream(target).good());
  }
  EXPECT_EQ(std::system(("rmdir " + folder.path() + " && mkdir " + folder.path()).c_str()), 0)
      << "something was left in the folder";
}

TEST(plotLibOutputTest, AWriterWritesOneFileAndLetsGoOfWhatItDrew) {
  Plot plot("once.png");
  plot.writer.curve3(line(0, 0, 10, 10), entity("LINE 1"));
  ASSERT_TRUE(plot.write(0, 0, 10, 10, 100)) << all(plot.error);
  EXPECT_EQ(plot.writer.model_space().size(), 0u);
  EXPECT_FALSE(plot.write(0, 0, 10, 10, 100));
  EXPECT_EQ(all(plot.error),
            "Error : The plot was drawn already; a writer draws what it received once.\n");
  PlotImage image(plot.path); // the file written stays
  ASSERT_TRUE(image.valid());
  EXPECT_TRUE(image.ink(50, 50));
}

TEST(plotLibOutputTest, TheFormatFollowsTheExtension) {
  plotFormat format = plotFormat::PDF;
  EXPECT_TRUE(plotLibOutput::format_of("a/b.SVG", format));
  EXPECT_EQ(format, plotFormat::SVG);
  EXPECT_TRUE(plotLibOutput::format_of("b.png", format));
  EXPECT_EQ(format, plotFormat::PNG);
  EXPECT_FALSE(plotLibOutput::format_of("b.dxf", format));
  EXPECT_FALSE(plotLibOutput::format_of("dir.pdf/b", format));
}

} // namespace
