// TextComponentFile.h - a component-file translator over a tiny text format, for tests and
// benchmarks.
//
// Each line of a component file is one object: "point x y z" (a point
// named p1, p2 ... in file order), "component NAME" (a component file
// referenced by NAME, read at once with this file as the referencing one),
// or "nothing" (an object without a translator). Any other non-empty line
// makes the file unreadable. Header-only, so that the benchmarks, which
// link only the library, read files the same way the tests do.
#pragma once

#include "vorabsAttributePtr.h"
#include "vorabsComponentFileTranslator.h"
#include "vorabsIfStream.h"
#include "vorabsTestPointTranslator.h"

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

class TextComponentFile : public vorabsComponentFileTranslator {
public:
  TextComponentFile(const utString& file_name, const utString& referencing_file,
                    const vorabsContext& context, vorabsOutput* output, vorabsOutput* error)
      : vorabsComponentFileTranslator(file_name, referencing_file, giXform3(giXformIdentity),
                                      context) {
    set_error(error);
    set_output(output);
  }

  // Named by the file name as referenced.
  void attributes(vorabsAttributeSet& set) const override {
    vorabsComponentFileTranslator::attributes(set);
    vorabsNamevorabsAttributePtr name;
    set.check_out(vorabsNAME, name);
    *name = vorabsName(file_name(), 0);
  }

  using vorabsComponentFileTranslator::resolve_file_name;

protected:
  // Reads on from the stream the file was found through when there is one.
  int read_component_file(const utString& file) override {
    if (vorabsIfStream* found = component_stream())
      return read_objects(found->stream());
    std::ifstream in(file.c_str());
    return in ? read_objects(in) : -1;
  }
  vorabsTranslatorcoPrf component_translator(int index) override { return objects_[index]; }
  vorabsNameMangler* create_name_mangler(utPtrRelease) const override { return nullptr; }

private:
  int read_objects(std::istream& in) {
    std::string line;
    while (std::getline(in, line))
      if (!read_object(line))
        return -1;
    return int(objects_.size());
  }
  int read_object(const std::string& line) {
    std::istringstream words(line);
    std::string kind;
    if (!(words >> kind))
      return 1;
    if (kind == "nothing") {
      objects_.emplace_back();
    } else if (kind == "point") {
      double x = 0, y = 0, z = 0;
      words >> x >> y >> z;
      const std::string name = "p" + std::to_string(++num_points_);
      objects_.emplace_back(std::make_shared<vorabsTestPointTranslator>(
          context(), utString(name.c_str()), giPoint3(x, y, z)));
    } else if (kind == "component") {
      std::string name;
      words >> name;
      auto component = std::make_shared<TextComponentFile>(
          utString(name.c_str()), resolved_file_name(), context(), output(), error());
      component->add_translators();
      objects_.emplace_back(component);
    } else {
      return 0;
    }
    return 1;
  }

  std::vector<vorabsTranslatorcoPrf> objects_;
  int num_points_ = 0;
};
