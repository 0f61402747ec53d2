// PointReader.h - the reader of a tiny format library: lines "name x y z", a point each.
//
// A name without coordinates gives an unset point, which fails to
// translate. The in-tree self-check tests use it too.
#pragma once

#include "vorabsIfStream.h"
#include "vorabsTestLibInputEx.h"
#include "vorabsTestPointTranslator.h"

#include <sstream>
#include <string>

class PointReader : public vorabsTestLibInputEx {
public:
  PointReader() : vorabsTestLibInputEx(nullptr) {}
  int read_input(const vorabsContext& context, vorabsIfStream& stream) override {
    if (!stream.open_stream())
      return 0;
    for (std::string line; std::getline(stream.stream(), line);) {
      std::istringstream in(line);
      std::string name;
      giPoint3 point;
      in >> name >> point.x >> point.y >> point.z;
      add_translator(vorabsTranslatorcoPrf(
          new vorabsTestPointTranslator(context, utString(name.c_str()), point)));
    }
    return 1;
  }
};
