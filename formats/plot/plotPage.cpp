// plotPage.cpp - pages drawn through cairo surfaces of the three kinds.
#include "plotPage.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>

#include <cmath>
#include <memory>

namespace {

constexpr double points_per_mm = 72 / 25.4;

// The PDF and PNG encoders' cairo write function: the bytes go to the plotWrite.
cairo_status_t write_bytes(void* closure, const unsigned char* data, unsigned int length) {
  const plotWrite& write = *static_cast<const plotWrite*>(closure);
  return write(reinterpret_cast<const char*>(data), length) ? CAIRO_STATUS_SUCCESS
                                                            : CAIRO_STATUS_WRITE_ERROR;
}

// The map from the page's sheet onto a device of width x height units.
cairo_matrix_t sheet_to_device(const plotPage& page, double width, double height) {
  const double sx = width / (page.window.x1 - page.window.x0);
  const double sy = height / (page.window.y1 - page.window.y0);
  cairo_matrix_t m;
  cairo_matrix_init(&m, sx, 0, 0, -sy, -page.window.x0 * sx, page.window.y1 * sy);
  return m;
}

cairo_matrix_t placed(const cairo_matrix_t& device, const plotAffine& to_sheet) {
  cairo_matrix_t scene, out;
  cairo_matrix_init(&scene, to_sheet.a, to_sheet.b, to_sheet.c, to_sheet.d, to_sheet.e, to_sheet.f);
  cairo_matrix_multiply(&out, &scene, &device); // scene first, then the device map
  return out;
}

} // namespace

void plot_draw_page(plotRenderer& renderer, cairo_t* cr, const plotPage& page, double width,
                    double height, int layer, int last_use) {
  const cairo_matrix_t device = sheet_to_device(page, width, height);
  for (const plotPlacedScene& placed_scene : page.scenes) {
    cairo_save(cr);
    if (!placed_scene.clip.empty()) {
      double x0 = placed_scene.clip.x0, y0 = placed_scene.clip.y1;
      double x1 = placed_scene.clip.x1, y1 = placed_scene.clip.y0;
      cairo_matrix_transform_point(&device, &x0, &y0);
      cairo_matrix_transform_point(&device, &x1, &y1);
      cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
      cairo_clip(cr);
    }
    const cairo_matrix_t to_device = placed(device, placed_scene.to_sheet);
    if (last_use && placed_scene.spent && layer < 0)
      renderer.draw_last(*placed_scene.spent, to_device);
    else
      renderer.draw(*placed_scene.scene, to_device, layer);
    cairo_restore(cr);
  }
}

namespace {

int surface_failed(cairo_surface_t* surface, std::string& why) {
  const cairo_status_t status = cairo_surface_status(surface);
  if (status == CAIRO_STATUS_SUCCESS)
    return 0;
  why = cairo_status_to_string(status);
  return 1;
}

plotRenderOptions render_options(const plotEncodeOptions& options, double per_mm, double thinnest) {
  plotRenderOptions out;
  out.black_background = options.black_background;
  out.device_per_mm = per_mm;
  out.minimum_width = thinnest;
  return out;
}

} // namespace

int plot_encode_pdf(const std::vector<plotPage>& pages, const plotStyles& styles,
                    const plotEncodeOptions& options, const plotWrite& write,
                    plotReplacedFonts& replaced, std::string& why) {
  if (pages.empty())
    return why = "there is no page", 0;
  cairo_surface_t* surface = cairo_pdf_surface_create_for_stream(
      write_bytes, const_cast<plotWrite*>(&write), pages[0].width_mm * points_per_mm,
      pages[0].height_mm * points_per_mm);
  cairo_t* cr = cairo_create(surface);
  {
    plotRenderOptions render = render_options(options, points_per_mm, 0.1);
    render.reorder = 1; // a PDF page keeps every command until it is done
    render.dot_strokes = 1;
    plotRenderer renderer(cr, styles, render);
    for (const plotPage& page : pages) {
      const double width = page.width_mm * points_per_mm, height = page.height_mm * points_per_mm;
      cairo_pdf_surface_set_size(surface, width, height);
      if (options.black_background)
        renderer.paint_background();
      plot_draw_page(renderer, cr, page, width, height, -1, 1);
      if (&page == &pages.back() && options.drawn)
        options.drawn();
      cairo_show_page(cr);
    }
    replaced.insert(renderer.replaced_fonts().begin(), renderer.replaced_fonts().end());
  }
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const int failed = surface_failed(surface, why);
  cairo_surface_destroy(surface);
  return !failed;
}

int plot_encode_png(const plotPage& page, const plotStyles& styles,
                    const plotEncodeOptions& options, const plotWrite& write,
                    plotReplacedFonts& replaced, std::string& why) {
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, page.width_px, page.height_px);
  if (surface_failed(surface, why)) {
    cairo_surface_destroy(surface);
    return 0;
  }
  cairo_t* cr = cairo_create(surface);
  // Cairo's faster edge smoothing: a third less time on a large drawing,
  // and at a line's width of a pixel or two no difference to the eye.
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_FAST);
  {
    plotRenderOptions render = render_options(options, options.dpi / 25.4, 1.0);
    render.reorder = 1; // fewer, larger strokes rasterise faster
    plotRenderer renderer(cr, styles, render);
    renderer.paint_background();
    plot_draw_page(renderer, cr, page, page.width_px, page.height_px, -1, 1);
    if (options.drawn)
      options.drawn();
    replaced.insert(renderer.replaced_fonts().begin(), renderer.replaced_fonts().end());
  }
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  const cairo_status_t status =
      cairo_surface_write_to_png_stream(surface, write_bytes, const_cast<plotWrite*>(&write));
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS)
    return why = cairo_status_to_string(status), 0;
  return 1;
}
