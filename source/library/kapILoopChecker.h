// kapILoopChecker.h - decides whether a loop of a body's face is acceptable.
//
// A body editor's check_loops asks it about each loop it walks; the code
// that uses the editor supplies the checker and keeps it alive for the call.
#pragma once

#include "vorabs_export.h"

#include "top.h"

class VORABS_API kapILoopChecker {
public:
  // Nonzero when loop number loop of the face is acceptable.
  virtual int accept_loop(const aqtIFacecoPrf& face, int loop) const = 0;
  virtual ~kapILoopChecker();
};
