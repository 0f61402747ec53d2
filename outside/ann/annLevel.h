// annLevel.h - levels (layers) and colours of the annotation model.
//
// A level is a named item with a number and, optionally, a level name of its
// own beside its item name; items refer to it through set_level. A colour is
// a named item; an RGB colour holds three components, meant to lie in 0 to 1
// and kept as given. The document owns both; handles share.
#pragma once

#include "annItem.h"

class VOROUT_API annLevel final : public annNamedItem {
  ANN_ITEM_KIND(annLevel)
public:
  ~annLevel() override;
  // The level number. (Hides annNamedItem::level(), the level of an item:
  // a level has no level of its own.)
  int level() const { return number_; }
  void set_level(int number) { number_ = number; }
  // Null until set.
  const utString& level_name() const { return level_name_; }
  void set_level_name(const utString& name) { level_name_ = name; }
  // " number N", then " level name "..."" when one is set.
  void print_details(std::ostream& out) const override;

private:
  int number_ = 0;
  utString level_name_;
};

// The base of the colour kinds (no factory of its own).
class VOROUT_API annColour : public annNamedItem {
  ANN_ITEM_KIND(annColour)
public:
  ~annColour() override;
};

class VOROUT_API annRGBColour final : public annColour {
  ANN_ITEM_KIND(annRGBColour)
public:
  ~annRGBColour() override;
  double red() const { return red_; }
  double green() const { return green_; }
  double blue() const { return blue_; }
  void set_rgb(double red, double green, double blue);
  annNamedItemPtr copy(annEntity* owner) const override;
  // " rgb r g b".
  void print_details(std::ostream& out) const override;

private:
  double red_ = 0.0;
  double green_ = 0.0;
  double blue_ = 0.0;
};

using annColourannPtr = annPtr<annColour>;
using annRGBColourannPtr = annPtr<annRGBColour>;

inline const stoClass* sto_class_annLevel() {
  return annLevel::sto_static_class();
}
inline const stoClass* sto_class_annColour() {
  return annColour::sto_static_class();
}
inline const stoClass* sto_class_annRGBColour() {
  return annRGBColour::sto_static_class();
}

// A new level with that number, owned by the owner's document; invalid
// handle without an owner.
VOROUT_API annLevelannPtr make_annLevel(annEntity* owner, int number, const utString& name);
// A new RGB colour (components 0 to 1), owned by the owner's document;
// invalid handle without an owner.
VOROUT_API annRGBColourannPtr make_annRGBColour(annEntity* owner, double red, double green,
                                                double blue, const utString& name);
