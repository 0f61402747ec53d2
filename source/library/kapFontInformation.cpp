// kapFontInformation.cpp - what a reader knows of a text's font.
#include "kapFontInformation.h"

utString kapFontInformation::generate_unique_string() const {
  utString result("");
  if (italic_)
    result << "i// ";
  if (bold_)
    result << "b// ";
  result << height_;
  result << "// " << family_name_;
  result << "// " << file_name_;
  return result;
}
