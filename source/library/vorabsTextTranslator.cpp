// vorabsTextTranslator.cpp - the translator of a text entity.
#include "vorabsTextTranslator.h"

#include "vorabsAttributesToAnnotation.h"

#include "vorResource.h"

#include <cmath>

vorabsTextTranslator::~vorabsTextTranslator() = default;

int vorabsTextTranslator::non_spts_supported() const {
  return 1;
}

void vorabsTextTranslator::font_details_ex(kapFontInformation&) const {}

vorabsTranslationStatus
vorabsTextTranslator::create_annotation(const vorabsAttributeSet& attributes,
                                        const giXform3& transform, annGeometryItemannPtr& item) {
  const utString name = entity_name(attributes);
  annDocument* document = context().document();
  annTextannPtr text = make_annText(document, text_string(), name + " string");
  if (text.invalid())
    return vorabsSTATUS_FAILED;
  annTextFontannPtr font;
  if (!make_font(font, document, name, transform))
    return vorabsSTATUS_FAILED;
  const double scale =
      transform.rigid() ? transform.magnification() : std::fabs((transform * giVector3(1, 0, 0)).x);
  const double width = text_width() * scale;
  annLCSannPtr lcs;
  make_lcs(lcs, document, name, transform);
  item = make_annTextGeometry(document, text, font, lcs, width, name);
  if (item.invalid())
    return vorabsSTATUS_FAILED;
  vorabsAttributesToAnnotation(attributes, name).apply(document, item);
  return vorabsSTATUS_OK;
}

int vorabsTextTranslator::make_font(annTextFontannPtr& font, annDocument* document,
                                    const utString& name, const giXform3& transform) {
  double height = 0.0;
  utString font_name("");
  font_details(height, font_name);
  kapFontInformation information;
  information.set_height(height);
  if (!font_name.empty()) {
    static const utString dot = ut_lit(".");
    if (font_name.contains(dot))
      information.set_file_name(font_name);
    else
      information.set_family_name(font_name);
  }
  font_details_ex(information);
  font = make_annTextFont(document, height, name + information.generate_unique_string());
  annTextFont* made = font.pointer();
  if (!made)
    return 0;
  made->set_bold(information.bold());
  made->set_italic(information.italic());
  if (!information.family_name().empty())
    made->set_family_name(information.family_name());
  if (!information.file_name().empty())
    made->set_font_file(information.file_name());
  const double stretch =
      transform.shape_preserving() ? 1.0 : std::fabs((transform * giVector3(0, 1, 0)).y);
  made->set_height(information.height() * stretch);
  return 1;
}

void vorabsTextTranslator::make_lcs(annLCSannPtr& lcs, annDocument* document, const utString& name,
                                    const giXform3& transform) {
  giWorkplane3 workplane;
  text_workplane(workplane);
  if (workplane.invalid())
    return;
  if (transform.rigid()) {
    if (!transform.identity())
      workplane.transform(transform);
  } else {
    // Keep the frame orthonormal: turn u onto its image, then move the
    // origin to its image.
    const giPoint3 origin = workplane.origin();
    const giPoint3 moved_origin = transform * origin;
    if (moved_origin.invalid())
      return;
    const giVector3 u = workplane.u_vector();
    const giVector3 image = transform * u;
    int error = 0;
    giXform3 rotation(giXformRotate, origin, u, image, error);
    if (error == 3) {
      // u turned right round: nudge the target off the line so that an axis exists.
      const double nudge = vor_resource_table_inquire().value(vorTolCoincAngles);
      rotation =
          giXform3(giXformRotate, origin, u, giVector3(image.x, image.y, image.z + nudge), error);
    }
    if (!rotation.invalid())
      workplane.transform(rotation);
    workplane.transform(giXform3(giXformTranslate, moved_origin - origin));
  }
  lcs = make_annLCS(document, workplane, name + " lcs");
}
