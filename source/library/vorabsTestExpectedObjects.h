// vorabsTestExpectedObjects.h - how many entities of each kind a check expects.
#pragma once

#include "vorabs_export.h"

class VORABS_API vorabsTestExpectedObjects {
public:
  void expected_number_of_topologies(int n) { topologies_ = n; }
  void expected_number_of_curves3(int n) { curves3_ = n; }
  void expected_number_of_points(int n) { points_ = n; }
  void expected_number_of_surfaces(int n) { surfaces_ = n; }
  void expected_number_of_triblocks(int n) { triblocks_ = n; }
  void expected_number_of_workplane3(int n) { workplanes3_ = n; }

  // 1 when n is the expected count.
  int compare_number_of_topologies(int n) const { return n == topologies_; }
  int compare_number_of_curves3(int n) const { return n == curves3_; }
  int compare_number_of_points(int n) const { return n == points_; }
  int compare_number_of_surfaces(int n) const { return n == surfaces_; }
  int compare_number_of_triblocks(int n) const { return n == triblocks_; }
  int compare_number_of_workplane3(int n) const { return n == workplanes3_; }
  // 1 when n is at least the sum of all expected counts.
  int check_num_of_objects(int n) const;

private:
  int topologies_ = 0;
  int curves3_ = 0;
  int points_ = 0;
  int surfaces_ = 0;
  int triblocks_ = 0;
  int workplanes3_ = 0;
};
