// plotLibOutput.h - the plot writer: draws what it receives as PDF, SVG or PNG pages.
//
// A sink that turns every entity it receives into drawing items of a scene:
// curves (lines, arcs, circles, ellipses, polylines, splines), points as
// dots, triangle blocks seen from above, texts, fill areas (even-odd, with
// their holes), point clouds, and groups under their placements (a group
// reached again, a block placed many times, is drawn again under each
// placement). Drawings become paper-space layouts whose views show the
// model space at their scale, clipped to the view. Workplanes have nothing
// to draw and are taken without a trace; surfaces, topologies and bodies
// are refused with the sink's messages. An entity whose coordinates are not
// finite fails alone with a message. Colour 7 (white or black) follows the
// background; line weights are paper millimetres (0.25 when by default);
// curve fonts become dashes.
//
// write() draws the model space fitted to its extents (or the window the
// options name) on one page, or the layouts the options name, one page
// each, and writes them through the stream the host owns: a PDF holds every
// page, an SVG or PNG one page, further pages going to files named after
// their layout beside it. A failed write leaves no file behind.
#pragma once

#include "plot_export.h"
#include "plotScene.h"

#include "vorabsLibOutput.h"

#include <memory>
#include <string>
#include <vector>

enum class plotFormat { PDF, SVG, PNG };

struct plotOptions {
  plotFormat format = plotFormat::PDF;
  int has_window = 0; // window: x0, y0, x1, y1 of model space
  double window[4] = {0, 0, 0, 0};
  int width_px = 0; // PNG width in pixels; 0 from the paper and the dpi
  double dpi = 96;  // PNG pixels per inch of paper
  int black_background = 0;
  std::string layout; // empty: model space; a layout's name, or "all"
};

class annFillArea;
class annPresentation;
struct plotPage;

class PLOT_API plotLibOutput : public vorabsLibOutput {
public:
  plotLibOutput(vorabsOfStream* stream, const vorabsAppInfo* app);
  ~plotLibOutput() override;

  const char* library_name() const override { return "vorabs_plot"; }
  const char* option() const override { return "PLOT"; }
  int database_number() const override { return 90; }
  void add_file_types(intcoSet& types) const override;
  void add_extensions(utStringcoSet& extensions) const override;
  const char* file_filter() const override {
    return "PDF documents (*.pdf)|*.pdf|SVG pictures (*.svg)|*.svg|PNG images (*.png)|*.png";
  }
  const char* format_name() const override { return "plot"; }

  // The format of a file by its extension (.pdf, .svg, .png, any case);
  // 0 when the extension is none of them.
  static int format_of(const std::string& path, plotFormat& format);
  // Set before write().
  void set_options(const plotOptions& options) { options_ = options; }
  // The drawing's unit: an SVG of model space is drawn at true size in
  // millimetres when the unit is known (and the size stays below 10 m).
  void set_units(const vorLengthUnit& unit);
  const plotOptions& options() const { return options_; }

  vorabsTranslationStatus curve3(const velCurvePtr3& curve,
                                 const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus workplane3(const giWorkplane3& workplane,
                                     const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus point3(const giPoint3& point,
                                 const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus triblock(const giTriBlock& block,
                                   const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus annotation(const annNamedItemPtr& item,
                                     const vorabsAttributeSet& attributes) override;
  annNamedItemPtr current_annotation() override;

  // Any unit: a plot is fitted to its page.
  int valid_units(vorLengthUnit& unit) const override;
  // Nonzero for the entity kinds drawn here.
  int supported(const vorabsAttributeSet& attributes) const override;

  // Draws what was received into the file (the layouts' files). A writer
  // draws once: what it received goes as soon as it is drawn.
  int write() override;

  // Entities drawn and refused so far; the model space drawn so far.
  int num_drawn() const { return drawn_; }
  int num_failed() const { return failed_; }
  const plotScene& model_space() const;
  const plotStyles& styles() const;

private:
  struct state;
  struct layout;
  // Puts the entity's items into the model space, or keeps them for the
  // compound being built when it is a child.
  vorabsTranslationStatus accept(plotScene&& scene, const annNamedItemPtr& item,
                                 const vorabsAttributeSet& attributes);
  int look_of(const vorabsAttributeSet& attributes, int background = 0);
  int scene_of_item(const annNamedItemPtr& item, int look, plotScene& scene,
                    const vorabsAttributeSet& attributes);
  void keep_drawing(const annPresentation& sheet);
  int pages(std::vector<plotPage>& out);
  int model_page(plotPage& page);
  int layout_page(const layout& sheet, plotPage& page);
  void size_png(plotPage& page) const;
  // Draws pages [first, first + count) into the file out, written as the
  // encoder makes it and kept only when whole; a message when it fails.
  // The last file lets go of what was received once it is drawn.
  int write_file(const std::vector<plotPage>& pages, size_t first, size_t count,
                 vorabsOfStream& out, int last);
  void error_message(const std::string& text) const;
  vorabsTranslationStatus fail(const vorabsAttributeSet& attributes, const char* why);

  std::unique_ptr<state> state_;
  plotOptions options_;
  double millimetres_per_unit_ = 0; // 0: the drawing names no unit
  int drawn_ = 0;
  int failed_ = 0;
};
