// plotCommandTest.cpp - vorabs-translate drawing the sample as PDF, SVG and PNG, checked by what a
// person would see: the texts in the PDF, the layers in the SVG, the SVG and the PNG alike.
#include "PlotImage.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <utility>

namespace {

const std::string sample = VORABS_SAMPLES_DIR "/bracket.dxf";

// Runs a shell command, its standard output and error into out; its exit status.
int shell(const std::string& command, const std::string& out = "/dev/null") {
  const int status = std::system((command + " >" + out + " 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int run(const std::string& args, const std::string& out = "/dev/null") {
  return shell(std::string(VORABS_TRANSLATE_COMMAND) + " " + args, out);
}

bool have(const char* tool) {
  return shell(std::string("command -v ") + tool) == 0;
}

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string without_space(const std::string& text) {
  std::string out;
  for (char c : text)
    if (!std::isspace(static_cast<unsigned char>(c)))
      out += c;
  return out;
}

// The texts of the sample as the reader gives them, from the document's dump.
std::set<std::string> sample_texts(const TempDir& folder) {
  const std::string dump = folder.file("dump.txt");
  EXPECT_EQ(run(sample + " --quiet --dump", dump), 0);
  std::set<std::string> texts;
  const std::string text = contents(dump);
  const std::regex line("annText \"[^\"]*\" text \"([^\"]*)\"");
  for (std::sregex_iterator m(text.begin(), text.end(), line), end; m != end; ++m)
    texts.insert((*m)[1]);
  return texts;
}

TEST(plotCommandTest, TheSampleAsPdfHoldsEveryTextOfTheDrawing) {
  if (!have("pdftotext"))
    GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  TempDir folder;
  const std::string pdf = folder.file("bracket.pdf"), words = folder.file("bracket.txt");
  ASSERT_EQ(run(sample + " --quiet -o " + pdf), 0);
  // In drawing order, so that a turned text's letters stay together.
  ASSERT_EQ(shell("pdftotext -raw " + pdf + " " + words), 0);
  const std::string found = without_space(contents(words));
  const std::set<std::string> texts = sample_texts(folder);
  ASSERT_GE(texts.size(), 5u);
  for (const std::string& text : texts) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
      EXPECT_NE(found.find(without_space(line)), std::string::npos) << line;
  }
  // Every layout as a page of the one PDF.
  ASSERT_EQ(run(sample + " --quiet --layout all -o " + pdf), 0);
  ASSERT_EQ(shell("pdftotext " + pdf + " " + words), 0);
  EXPECT_NE(contents(words).find("B-12"), std::string::npos);
}

// Points are dots in a PDF as on a PNG, where a rasteriser draws the page:
// each in its colour where the window puts it, and nowhere else.
TEST(plotCommandTest, ThePdfShowsPointsAsDotsWhereTheyAre) {
  if (!have("pdftoppm"))
    GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
  TempDir folder;
  const std::string dxf = folder.file("points.dxf"), pdf = folder.file("points.pdf");
  std::ofstream(dxf) << "0\nSECTION\n2\nENTITIES\n"
                     << "0\nPOINT\n8\n0\n62\n1\n10\n50\n20\n25\n"
                     << "0\nPOINT\n8\n0\n62\n5\n10\n20\n20\n10\n"
                     << "0\nLINE\n8\n0\n62\n1\n10\n0\n20\n45\n11\n100\n21\n45\n"
                     << "0\nENDSEC\n0\nEOF\n";
  ASSERT_EQ(run(dxf + " --quiet -o " + pdf + " --window 0,0,100,50"), 0);
  ASSERT_EQ(shell("pdftoppm -r 150 -png -singlefile " + pdf + " " + folder.file("page")), 0);
  PlotImage page(folder.file("page.png"));
  ASSERT_TRUE(page.valid());
  // Where the window's point (x, y) lies on the page, as a share of its size.
  auto near = [&](double x, double y, int red, int blue) {
    const int cx = int(page.width() * x / 100), cy = int(page.height() * (50 - y) / 50);
    for (int dy = -3; dy <= 3; ++dy)
      for (int dx = -3; dx <= 3; ++dx) {
        int r = 0, g = 0, b = 0;
        page.rgb(cx + dx, cy + dy, r, g, b);
        if ((r > 200) == bool(red) && (b > 200) == bool(blue) && g < 80)
          return true;
      }
    return false;
  };
  EXPECT_TRUE(near(50, 25, 1, 0));
  EXPECT_TRUE(near(20, 10, 0, 1));
  EXPECT_TRUE(near(60, 45, 1, 0));
  EXPECT_FALSE(near(35, 18, 1, 0));
  EXPECT_FALSE(near(35, 18, 0, 1));
}

// Each id of an SVG document is given once, and each reference to an id
// (a clip path's url(#...), a use's href) names one that is given.
::testing::AssertionResult ids_resolve(const std::string& svg) {
  std::set<std::string> ids;
  const std::regex id("\\bid=\"([^\"]*)\""), reference("(?:url\\(#|href=\"#)([^)\"]*)");
  for (auto at = std::sregex_iterator(svg.begin(), svg.end(), id); at != std::sregex_iterator();
       ++at)
    if (!ids.insert((*at)[1]).second)
      return ::testing::AssertionFailure() << "id " << (*at)[1] << " twice";
  int references = 0;
  for (auto at = std::sregex_iterator(svg.begin(), svg.end(), reference);
       at != std::sregex_iterator(); ++at, ++references)
    if (!ids.count((*at)[1]))
      return ::testing::AssertionFailure() << "no id " << (*at)[1];
  return ::testing::AssertionSuccess() << ids.size() << " ids, " << references << " references";
}

// Patterned hatches on three layers: each layer's clip paths keep ids of
// their own, however cairo's writes happen to cut the document.
TEST(plotCommandTest, TheIdsOfEveryLayerOfAnSvgStayApartAndResolve) {
  std::ostringstream d;
  d << "0\nSECTION\n2\nENTITIES\n";
  for (int i = 0; i < 300; ++i) {
    d << "0\nHATCH\n8\nL" << i % 3 << "\n10\n0\n20\n0\n30\n0\n2\nANSI31\n70\n0\n71\n0\n91\n1\n"
      << "92\n2\n72\n0\n73\n1\n93\n3\n";
    for (const auto& [x, y] : {std::pair<int, int>{0, 0}, {4, 0}, {0, 4}})
      d << "10\n" << x + 5 * (i % 20) << "\n20\n" << y + 5 * (i / 20) << "\n";
    d << "97\n0\n75\n0\n76\n1\n52\n0\n41\n1\n77\n0\n78\n1\n53\n45\n43\n0\n44\n0\n45\n-0.5\n46\n0."
         "5\n"
      << "79\n0\n98\n0\n";
  }
  d << "0\nENDSEC\n0\nEOF\n";
  TempDir folder;
  const std::string drawing = folder.file("hatches.dxf"), svg = folder.file("hatches.svg");
  std::ofstream(drawing) << d.str();
  ASSERT_EQ(run(drawing + " --quiet -o " + svg), 0);
  const std::string text = contents(svg);
  EXPECT_TRUE(ids_resolve(text));
  for (const char* layer : {"L0", "L1", "L2"})
    EXPECT_NE(text.find(std::string("inkscape:label=\"") + layer + "\""), std::string::npos);
  EXPECT_GT(std::count(text.begin(), text.end(), '#'), 300);
}

TEST(plotCommandTest, TheSvgIsXmlWithALayerPerDrawingLayerAndLooksLikeThePng) {
  TempDir folder;
  const std::string svg = folder.file("bracket.svg"), png = folder.file("bracket.png");
  const std::string window = " --window -20,-40,140,100 --width 640 ";
  ASSERT_EQ(run(sample + " --quiet -o " + svg + window), 0);
  ASSERT_EQ(run(sample + " --quiet -o " + png + window), 0);
  const std::string text = contents(svg);
  for (const char* layer : {"OUTLINE", "HATCH", "DIMENSIONS", "TEXT", "FASTENERS"})
    EXPECT_NE(text.find(std::string("inkscape:label=\"") + layer + "\""), std::string::npos)
        << layer;
  EXPECT_NE(text.find("inkscape:groupmode=\"layer\""), std::string::npos);
  EXPECT_NE(text.find(">BRACKET PLATE B-12</tspan></text>"), std::string::npos);
  EXPECT_NE(text.find("width=\"160mm\""), std::string::npos);
  EXPECT_TRUE(ids_resolve(text));
  if (have("xmllint")) {
    EXPECT_EQ(shell("xmllint --noout " + svg), 0);
  }
  if (!have("rsvg-convert"))
    GTEST_SKIP() << "rsvg-convert (librsvg2-bin) is not installed";
  const std::string drawn = folder.file("through-svg.png");
  ASSERT_EQ(shell("rsvg-convert -w 640 -h 560 -o " + drawn + " " + svg), 0);
  PlotImage direct(png), through(drawn);
  ASSERT_TRUE(direct.valid() && through.valid());
  ASSERT_EQ(direct.height(), 560);
  EXPECT_GT(direct.ink_count(), 5000);
  EXPECT_GT(direct.covered_by(through), 0.97);
  EXPECT_GT(through.covered_by(direct), 0.97);
}

TEST(plotCommandTest, BadRequestsGiveAMessageTheRightStatusAndNoFile) {
  TempDir folder;
  const std::string pdf = folder.file("out.pdf"), log = folder.file("log.txt");
  EXPECT_EQ(run(sample + " --quiet --layout Nowhere -o " + pdf, log), 2);
  EXPECT_NE(
      contents(log).find("Layout Nowhere does not exist; the drawing's layouts are: Sheet A3"),
      std::string::npos)
      << contents(log);
  EXPECT_EQ(run(sample + " --quiet -o " + folder.file("no/such/folder/out.png"), log), 2);
  EXPECT_NE(contents(log).find("Cannot write"), std::string::npos) << contents(log);
  EXPECT_EQ(run(sample + " -o " + pdf + " --window 1,2,0,3", log), 2);
  EXPECT_NE(contents(log).find("--window takes X0,Y0,X1,Y1"), std::string::npos);
  EXPECT_EQ(run(sample + " -o " + folder.file("x.dxf") + " --dpi 300", log), 2);
  EXPECT_EQ(run(sample + " -o " + pdf + " --background grey", log), 2);
  EXPECT_EQ(run(sample + " -o " + pdf + " --format tiff", log), 2);
  EXPECT_EQ(run(sample + " -o " + pdf + " --width", log), 2);
  EXPECT_FALSE(std::ifstream(pdf).good());
  // --format wins over the extension.
  ASSERT_EQ(run(sample + " --quiet --format svg -o " + pdf), 0);
  EXPECT_EQ(contents(pdf).compare(0, 5, "<?xml"), 0);
  // Every layout as SVG; the sample has one with anything on it.
  const std::string svg = folder.file("sheets.svg");
  ASSERT_EQ(run(sample + " --quiet --layout all -o " + svg), 0);
  EXPECT_TRUE(std::ifstream(svg).good()); // one layout: the file asked for
}

TEST(plotCommandTest, ADrawingWithNothingToPlotSaysSo) {
  TempDir folder;
  const std::string dxf = folder.file("empty.dxf"), png = folder.file("empty.png");
  std::ofstream(dxf) << "0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n";
  const std::string log = folder.file("log.txt");
  EXPECT_EQ(run(dxf + " --quiet -o " + png, log), 2);
  EXPECT_NE(contents(log).find("nothing to plot"), std::string::npos) << contents(log);
  EXPECT_FALSE(std::ifstream(png).good());
}

// Plots the entities given (DXF groups) through the window 0,0 to 100,
// height at 400 pixels, 4 a unit; the PNG's path.
std::string plotted(const TempDir& folder, const std::string& entities, int height) {
  const std::string dxf = folder.file("drawing.dxf"), png = folder.file("drawing.png");
  std::ofstream(dxf) << "0\nSECTION\n2\nENTITIES\n" << entities << "0\nENDSEC\n0\nEOF\n";
  EXPECT_EQ(run(dxf + " --quiet -o " + png + " --window 0,0,100," + std::to_string(height) +
                " --width 400"),
            0);
  return png;
}

// A fitted TEXT fills the length between its two points; one written
// backwards (71 = 2) runs from its anchor the other way, mirrored.
TEST(plotCommandTest, FittedTextsFillTheirBaselineAndBackwardTextsRunTheOtherWay) {
  TempDir folder;
  PlotImage image(plotted(folder,
                          "0\nTEXT\n8\n0\n10\n10\n20\n30\n40\n5\n1\nHH\n72\n5\n11\n90\n21\n30\n"
                          "0\nTEXT\n8\n0\n10\n50\n20\n10\n40\n5\n1\nHHHH\n71\n2\n",
                          50));
  ASSERT_TRUE(image.valid());
  // 4 pixels a unit, y down from 50. "HH" fitted from x 10 to 90 at y 30:
  // ink near both ends of its baseline, the letters stretched apart.
  EXPECT_TRUE(image.ink(4 * 16, 4 * (50 - 32), 6));
  EXPECT_TRUE(image.ink(4 * 82, 4 * (50 - 32), 6));
  EXPECT_FALSE(image.ink(4 * 50, 4 * (50 - 32), 2)); // between the two letters
  // "HHHH" backwards from x 50 at y 10: to its left, none to its right.
  EXPECT_TRUE(image.ink(4 * 45, 4 * (50 - 12), 4));
  EXPECT_FALSE(image.ink(4 * 60, 4 * (50 - 12), 4));
}

// Paragraph texts as CAD programs lay them out: lines break between words,
// never inside one, so a word longer than the width stands whole on its
// line; the blanks a line is broken at do not count in its length, so a
// line that hangs from its right end ends there with its last letter; a
// framed text has a rectangle round its lines, its gap away from them.
TEST(plotCommandTest, ParagraphTextsWrapAlignAndFrameAsCadProgramsShowThem) {
  TempDir folder;
  PlotImage image(plotted(folder,
                          "0\nMTEXT\n8\n0\n10\n10\n20\n90\n40\n5\n41\n8\n71\n1\n1\nHHHH HH\n"
                          "0\nMTEXT\n8\n0\n10\n90\n20\n60\n40\n5\n41\n14\n71\n3\n1\nHH      HH\n"
                          "0\nMTEXT\n8\n0\n10\n20\n20\n20\n40\n5\n90\n16\n45\n2\n1\nHH\n",
                          100));
  ASSERT_TRUE(image.valid());
  // 4 pixels a unit, y down from 100. The first text hangs from y 90: its
  // first line holds all four letters, past x 20; its second the other word.
  EXPECT_TRUE(image.ink(4 * 24, 4 * (100 - 87.5), 2));
  EXPECT_TRUE(image.ink(4 * 12, 4 * (100 - 79.5), 2));
  EXPECT_FALSE(image.ink(4 * 24, 4 * (100 - 79.5), 2));
  EXPECT_FALSE(image.ink(4 * 12, 4 * (100 - 71), 2)); // no third line
  // The second hangs from its right end at x 90, y 60: both lines end there.
  EXPECT_TRUE(image.ink(4 * 88, 4 * (100 - 57.5), 2));
  EXPECT_FALSE(image.ink(4 * 72, 4 * (100 - 57.5), 2));
  EXPECT_TRUE(image.ink(4 * 88, 4 * (100 - 49.5), 2));
  // The framed one hangs from y 20, its capitals down to y 15; the frame
  // stands a height (5) off: left edge at x 15, top at y 25, bottom at y
  // 8.5 (below the descenders).
  EXPECT_TRUE(image.ink(4 * 15, 4 * (100 - 17), 1));
  EXPECT_FALSE(image.ink(4 * 17, 4 * (100 - 17), 2)); // the gap
  EXPECT_TRUE(image.ink(4 * 25, 4 * (100 - 25), 1));
  EXPECT_TRUE(image.ink(4 * 25, 4 * (100 - 8.5), 1));
  EXPECT_FALSE(image.ink(4 * 25, 4 * (100 - 27), 2)); // nothing above it
}

// An MTEXT's inline formatting shows: a run twice as tall and red makes
// its line as tall as it is, and the next line follows below that; a run
// in another font keeps its size. A paragraph's line spacing holds too.
TEST(plotCommandTest, InlineHeightsAndColoursOfAParagraphShow) {
  TempDir folder;
  PlotImage image(plotted(folder,
                          "0\nMTEXT\n8\n0\n10\n10\n20\n40\n40\n5\n71\n1\n1\nHH{\\H2x;\\C1;HH}"
                          "HH\\PHH{\\fDejaVu Serif|b1;HH}\n"
                          "0\nMTEXT\n8\n0\n10\n60\n20\n40\n40\n5\n71\n1\n44\n2\n1\nHH\\PHH\n",
                          50));
  ASSERT_TRUE(image.valid());
  auto red_near = [&](double x, double y) {
    for (int dy = -3; dy <= 3; ++dy)
      for (int dx = -3; dx <= 3; ++dx) {
        int r = 0, g = 0, b = 0;
        image.rgb(int(4 * x) + dx, int(4 * (50 - y)) + dy, r, g, b);
        if (r > 200 && g < 80 && b < 80)
          return true;
      }
    return false;
  };
  // 4 pixels a unit, y down from 50. The first line's baseline lies the
  // tall run's height (10) below the top at y 40; its plain letters reach
  // y 35, the red ones y 40.
  EXPECT_TRUE(image.ink(4 * 11, 4 * (50 - 32), 3)); // the first H's stem
  EXPECT_FALSE(image.ink(4 * 11, 4 * (50 - 37.5), 3));
  EXPECT_TRUE(red_near(28, 37.5));
  EXPECT_FALSE(red_near(11, 32));
  // The second line stands 5/3 of its own height (5) lower, at 21.7.
  EXPECT_TRUE(image.ink(4 * 11, 4 * (50 - 24), 3));
  EXPECT_FALSE(image.ink(4 * 11, 4 * (50 - 28.6), 2));
  EXPECT_TRUE(image.ink(4 * 23, 4 * (50 - 24), 3));
  for (double x : {40, 60, 80})
    EXPECT_FALSE(image.ink(4 * x, 4 * (50 - 10), 6)) << "ink at x " << x;

  // A paragraph spaced twice as wide: its second baseline at 40 - 5 - 16.7.
  EXPECT_TRUE(image.ink(4 * 61, 4 * (50 - 20), 3));
  EXPECT_FALSE(image.ink(4 * 61, 4 * (50 - 29), 3));

  // An SVG keeps the runs as spans of the line's text.
  const std::string svg = folder.file("drawing.svg");
  ASSERT_EQ(run(folder.file("drawing.dxf") + " --quiet -o " + svg), 0);
  const std::string text = contents(svg);
  EXPECT_NE(text.find("fill=\"rgb(255,0,0)\">HH</tspan>HH</tspan>"), std::string::npos) << text;
  EXPECT_NE(text.find("font-family=\"DejaVu Serif\""), std::string::npos) << text;
}

// A stacked fraction's parts are smaller, the upper one above the line's
// capitals, the lower one below its baseline, in the PNG and the SVG alike.
TEST(plotCommandTest, AStackedFractionRisesAndSinksAroundItsLine) {
  TempDir folder;
  PlotImage image(
      plotted(folder, "0\nMTEXT\n8\n0\n10\n10\n20\n40\n40\n10\n71\n1\n1\nH\\S1/2;\n", 50));
  ASSERT_TRUE(image.valid());
  // 4 pixels a unit, y down from 50: the capitals from y 40 down to 30.
  auto ink_in_row = [&](double y) {
    for (double x = 10; x < 60; x += 0.5)
      if (image.ink(int(4 * x), int(4 * (50 - y)), 0))
        return true;
    return false;
  };
  EXPECT_TRUE(ink_in_row(41));   // the 1, raised by 4.5 and 7 tall
  EXPECT_TRUE(ink_in_row(28.5)); // the 2, sunk by 2.5
  EXPECT_FALSE(ink_in_row(43));
  const std::string svg = folder.file("drawing.svg");
  ASSERT_EQ(run(folder.file("drawing.dxf") + " --quiet -o " + svg), 0);
  EXPECT_NE(contents(svg).find("baseline-shift=\"-"), std::string::npos);
}

// A slanted run (\Q) is set oblique, and so is a line with an oblique
// angle (51), whole.
TEST(plotCommandTest, SlantedRunsAndLinesAreSetOblique) {
  TempDir folder;
  const std::string dxf = folder.file("slanted.dxf"), svg = folder.file("slanted.svg");
  std::ofstream(dxf) << "0\nSECTION\n2\nENTITIES\n"
                     << "0\nTEXT\n8\n0\n10\n0\n20\n0\n40\n5\n51\n15\n1\nslanted\n"
                     << "0\nMTEXT\n8\n0\n10\n0\n20\n20\n40\n5\n1\nup \\Q15;right\n"
                     << "0\nENDSEC\n0\nEOF\n";
  ASSERT_EQ(run(dxf + " --quiet -o " + svg), 0);
  const std::string text = contents(svg);
  EXPECT_NE(text.find("font-style=\"oblique\"><tspan x=\"0\" y=\"0\">slanted"), std::string::npos)
      << text;
  EXPECT_NE(text.find("font-style=\"oblique\">right</tspan>"), std::string::npos) << text;
}

// A paragraph's background fill hides what was drawn beneath it, across
// its whole width, in the background's colour or its own; a run in colour
// 7 shows against the background.
TEST(plotCommandTest, AParagraphsBackgroundMasksWhatLiesBeneath) {
  TempDir folder;
  std::string lines;
  for (int y : {10, 30})
    lines += "0\nLINE\n8\n0\n62\n5\n10\n0\n20\n" + std::to_string(y) + "\n11\n100\n21\n" +
             std::to_string(y) + "\n";
  const std::string texts =
      "0\nMTEXT\n8\n0\n10\n10\n20\n33\n40\n4\n41\n40\n90\n3\n45\n1.5\n1\nHH\n"
      "0\nMTEXT\n8\n0\n10\n10\n20\n13\n40\n4\n90\n1\n63\n1\n45\n1.5\n1\nHH{\\C7;HH}\n";
  for (const char* background : {"white", "black"}) {
    const std::string dxf = folder.file("masked.dxf"), png = folder.file("masked.png");
    std::ofstream(dxf) << "0\nSECTION\n2\nENTITIES\n" << lines << texts << "0\nENDSEC\n0\nEOF\n";
    ASSERT_EQ(run(dxf + " --quiet -o " + png + " --window 0,0,100,50 --width 400 --background " +
                  background),
              0);
    PlotImage image(png);
    ASSERT_TRUE(image.valid());
    const bool black = std::string(background) == "black";
    auto colour_at = [&](double x, double y) {
      int r = 0, g = 0, b = 0;
      image.rgb(int(4 * x), int(4 * (50 - y)), r, g, b);
      return r / 128 * 100 + g / 128 * 10 + b / 128; // each channel off or on
    };
    // 4 pixels a unit, y down from 50. The masked text's box runs 2 units
    // (half its height) past its 40 wide paragraph: x 8 to 52, y 35 to
    // below its descenders. The line at y 30 shows only outside it.
    EXPECT_EQ(colour_at(5, 30), 1) << background;
    EXPECT_EQ(colour_at(45, 30), black ? 0 : 111) << background;
    EXPECT_EQ(colour_at(55, 30), 1) << background;
    // The red box hides the line at y 10 too, up to 2 units past its letters.
    EXPECT_EQ(colour_at(9, 10), 100) << background;
    EXPECT_EQ(colour_at(80, 10), 1) << background;
    // Its last two letters in colour 7: black on white, white on black.
    bool seven = false;
    for (double x = 20; x < 28 && !seven; x += 0.25)
      seven = colour_at(x, 11) == (black ? 111 : 0);
    EXPECT_TRUE(seven) << background;
  }
}

// A polyline with a width is a band; one that tapers to nothing goes on
// as a line.
TEST(plotCommandTest, WidePolylinesAreFilledBandsThatTaperAsTheirWidthsSay) {
  TempDir folder;
  PlotImage image(
      plotted(folder,
              "0\nLWPOLYLINE\n8\n0\n90\n2\n70\n0\n43\n4\n10\n10\n20\n25\n10\n90\n20\n25\n"
              "0\nLWPOLYLINE\n8\n0\n90\n3\n70\n0\n10\n10\n20\n10\n40\n8\n41\n0\n"
              "10\n50\n20\n10\n10\n90\n20\n10\n",
              40));
  ASSERT_TRUE(image.valid());
  // 4 pixels a unit, y down from 40. The band 4 wide about y 25.
  EXPECT_TRUE(image.ink(4 * 50, 4 * (40 - 26.5), 1));
  EXPECT_FALSE(image.ink(4 * 50, 4 * (40 - 28), 1));
  // 8 wide at x 10, nothing at x 50, then a line to x 90.
  EXPECT_TRUE(image.ink(4 * 12, 4 * (40 - 13), 1));
  EXPECT_FALSE(image.ink(4 * 45, 4 * (40 - 13), 1));
  EXPECT_TRUE(image.ink(4 * 70, 4 * (40 - 10), 1));
}

} // namespace
