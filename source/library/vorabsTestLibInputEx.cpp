// vorabsTestLibInputEx.cpp - an input endpoint of fixed identity whose file holds nothing.
#include "vorabsTestLibInputEx.h"

vorabsTestLibInputEx::~vorabsTestLibInputEx() = default;

int vorabsTestLibInputEx::read_input(const vorabsContext&, vorabsIfStream&) {
  return 1;
}
