// kapExternalContext.h - the external context of a translation: its two message channels.
//
// Handed to the annotation model for conversions made outside it; asked for
// a face or a body, it has the converter make it with the output and error
// channels the context was made with. The context points at the channels
// and never owns them (the host does); either may be null if the converter
// accepts that.
#pragma once

#include "vorabs_export.h"

#include "ann/ann.h"
#include "top.h"

class kapExternalConverterWithStreams;
class vorabsOutput;

class VORABS_API kapExternalContext : public annExternalContext {
public:
  kapExternalContext(vorabsOutput* output, vorabsOutput* error) : output_(output), error_(error) {}
  ~kapExternalContext() override;

  // The converter's make_face_topology, or make_body_topology, for id.
  topTopologyPtr face_topology(int id, const kapExternalConverterWithStreams& converter) const;
  topTopologyPtr body_topology(int id, const kapExternalConverterWithStreams& converter) const;

  vorabsOutput* output() const { return output_; }
  vorabsOutput* error() const { return error_; }

private:
  vorabsOutput* output_;
  vorabsOutput* error_;
};
