// vorabsStyle.h - a whole annotation style set, to be used as it is.
//
// Holds a handle to a style set of the annotation document; the document
// owns the style set, the handle only shares it.
#pragma once

#include "vorabs_export.h"

#include "ann/ann.h"

class VORABS_API vorabsStyle {
public:
  vorabsStyle() = default;
  explicit vorabsStyle(annStyleSetannPtr style) : style_(std::move(style)) {}

  annStyleSetannPtr style() const { return style_; }
  int invalid() const { return style_.invalid(); }

private:
  annStyleSetannPtr style_;
};
