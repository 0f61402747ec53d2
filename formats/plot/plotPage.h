// plotPage.h - pages of a plot and their encoding as PDF, SVG and PNG.
//
// A page shows a window of its sheet, mapped exactly onto the page: the
// window's corners are the page's corners. A sheet holds scenes, each placed
// on it by an affine map and perhaps clipped to a box of the sheet (a
// viewport). The page refers to the scenes and the styles it is drawn with;
// both belong to the caller and must outlive the encoding. The encoders
// write the whole file into a string, or answer 0 and say why.
#pragma once

#include "plotRenderer.h"
#include "plotScene.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

struct plotPlacedScene {
  const plotScene* scene = nullptr;
  plotAffine to_sheet;
  plotBox clip; // on the sheet; empty: not clipped
  // The scene again when nothing draws it after this page: an encoder that
  // draws it once lets its paths go as it draws them.
  plotScene* spent = nullptr;
};

struct plotPage {
  std::string name;      // "Model" or the layout's name
  double width_mm = 420; // paper size (PDF, SVG)
  double height_mm = 297;
  int width_px = 0; // PNG size in pixels
  int height_px = 0;
  plotBox window; // the part of the sheet the page shows
  std::vector<plotPlacedScene> scenes;
};

struct plotEncodeOptions {
  int black_background = 0;
  double dpi = 96; // PNG: pixels per inch of paper, for line weights and dots
  // Called once every page is drawn, before the file is finished: what the
  // pages refer to may go then.
  std::function<void()> drawn;
};

// The encoders hand the file's bytes to write as they are made, piece by
// piece, so that no whole file waits in memory; write answers 0 when it
// could not take a piece, and the encoder then fails. replaced collects
// the fonts fontconfig had to replace.
using plotWrite = std::function<int(const char*, size_t)>;
using plotReplacedFonts = std::set<std::pair<std::string, std::string>>;

PLOT_API int plot_encode_pdf(const std::vector<plotPage>& pages, const plotStyles& styles,
                             const plotEncodeOptions& options, const plotWrite& write,
                             plotReplacedFonts& replaced, std::string& why);
PLOT_API int plot_encode_png(const plotPage& page, const plotStyles& styles,
                             const plotEncodeOptions& options, const plotWrite& write,
                             plotReplacedFonts& replaced, std::string& why);
// One <g> per layer (an Inkscape layer, labelled with the layer's name) and
// texts as <text>.
PLOT_API int plot_encode_svg(const plotPage& page, const plotStyles& styles,
                             const plotEncodeOptions& options, const plotWrite& write,
                             plotReplacedFonts& replaced, std::string& why);

// What the encoders share: the drawing of one page (of one layer when
// layer >= 0) on a device of width x height units; once, when last_use
// says so, letting spent scenes go as they are drawn.
void plot_draw_page(plotRenderer& renderer, cairo_t* cr, const plotPage& page, double width,
                    double height, int layer, int last_use = 0);
