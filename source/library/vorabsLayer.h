// vorabsLayer.h - a layer: its number (-1 for none) and an optional name.
#pragma once

#include "vorabs_export.h"

#include "ut.h"

class VORABS_API vorabsLayer {
public:
  vorabsLayer() = default;
  explicit vorabsLayer(int number) : number_(number) {}
  vorabsLayer(int number, const utString& name) : number_(number), name_(name) {}

  int layer() const { return number_; }
  utString name() const { return name_; }
  int invalid() const { return number_ < 0; }

private:
  int number_ = -1;
  utString name_;
};
