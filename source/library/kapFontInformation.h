// kapFontInformation.h - what a reader knows of a text's font: height, names, bold and italic.
//
// A plain value: copies are independent. The names start empty; a font
// name with a dot in it is a font file, one without is a family.
#pragma once

#include "vorabs_export.h"

#include "ut.h"

class VORABS_API kapFontInformation {
public:
  kapFontInformation() : family_name_(""), file_name_("") {}

  double height() const { return height_; }
  void set_height(double height) { height_ = height; }
  utString family_name() const { return family_name_; }
  void set_family_name(const utString& name) { family_name_ = name; }
  int italic() const { return italic_; }
  void set_italic(int italic) { italic_ = italic; }
  int bold() const { return bold_; }
  void set_bold(int bold) { bold_ = bold; }
  utString file_name() const { return file_name_; }
  void set_file_name(const utString& name) { file_name_ = name; }

  // A text that tells fonts apart, appended to an entity's name to name
  // its font: "i// " when italic, "b// " when bold, the height, then "// "
  // and the family name, then "// " and the file name.
  utString generate_unique_string() const;

private:
  double height_ = 0.0;
  utString family_name_;
  int italic_ = 0;
  int bold_ = 0;
  utString file_name_;
};
