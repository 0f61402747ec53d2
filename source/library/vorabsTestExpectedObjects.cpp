// vorabsTestExpectedObjects.cpp - how many entities of each kind a check expects.
#include "vorabsTestExpectedObjects.h"

int vorabsTestExpectedObjects::check_num_of_objects(int n) const {
  return n >= topologies_ + curves3_ + points_ + surfaces_ + triblocks_ + workplanes3_;
}
