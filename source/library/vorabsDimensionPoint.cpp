// vorabsDimensionPoint.cpp - the defining point of a dimension, made and dressed.
#include "vorabsDimensionPoint.h"

#include "vorabsAttributesToAnnotation.h"
#include "vorabsTranslator.h"

annPointItemannPtr vorabs_make_dimension_point(const vorabsTranslator& translator,
                                               const giPoint3& point, const utString& name,
                                               const char* suffix) {
  annDocument* document = translator.context().document();
  annPointItemannPtr item = make_annPointItem(document, point, name + utString(suffix));
  vorabsAttributeSet attributes;
  translator.attributes(attributes);
  vorabsAttributesToAnnotation(attributes, name).apply(document, item);
  return item;
}
