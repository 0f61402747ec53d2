// A format library's view of the installed package: it reads and writes an
// entity's attributes through the exported keys and typed pointers.
#include "vorabsAttributeSet.h"
#include "vorabsAttributeKey.h"
#include "vorabsAttributePtr.h"
#include "vorabsColour.h"
#include "vorabsName.h"

#include <cstdio>

int main() {
  vorabsAttributeSet attributes;
  vorabsNamevorabsAttributePtr name;
  attributes.check_out(vorabsNAME, name);
  *name = vorabsName(utString("bracket"), 0);
  vorabsColourvorabsAttributePtr colour;
  attributes.check_out(vorabsCOLOUR, colour);
  *colour = vorabsColour(utString(), 0.2, 0.4, 0.9, -1);

  vorabsAttributeSet copy(utCopy, attributes);
  vorabsNamevorabsAttributePtr read;
  if (!copy.get(vorabsNAME, read) || !(read->string() == utString("bracket"))) {
    std::fprintf(stderr, "name not carried over\n");
    return 1;
  }
  vorabsColourvorabsAttributePtr read_colour;
  if (!copy.get(vorabsCOLOUR, read_colour) || read_colour->colour_number() != 4) {
    std::fprintf(stderr, "colour not carried over\n");
    return 1;
  }
  std::printf("consumer: %s is %s\n", read->string().c_str(),
              vorabsColour::standard_colour_name(read_colour->colour_number()).c_str());
  return 0;
}
