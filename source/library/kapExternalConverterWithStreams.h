// kapExternalConverterWithStreams.h - makes faces and bodies for an external context.
//
// Code outside this library derives from it to turn its own numbered data
// into topologies; kapExternalContext calls it with the message channels it
// was made with, which the converter only writes to (the host owns them).
// The topology made is the caller's, shared through its handle.
#pragma once

#include "vorabs_export.h"

#include "top.h"

class vorabsOutput;

class VORABS_API kapExternalConverterWithStreams {
public:
  kapExternalConverterWithStreams(const kapExternalConverterWithStreams&) = delete;
  kapExternalConverterWithStreams& operator=(const kapExternalConverterWithStreams&) = delete;

  // The face, or the body, numbered id; an empty handle when there is none.
  virtual topTopologyPtr make_face_topology(int id, vorabsOutput* output,
                                            vorabsOutput* error) const = 0;
  virtual topTopologyPtr make_body_topology(int id, vorabsOutput* output,
                                            vorabsOutput* error) const = 0;
  virtual ~kapExternalConverterWithStreams();

protected:
  kapExternalConverterWithStreams() = default;
};
