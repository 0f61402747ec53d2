// annExternalContext.h - what the caller of a conversion outside the annotation model keeps.
//
// The annotation model hands conversions that it cannot do itself (making a
// face or a body from an outside kernel's data) to code outside the model,
// together with a context that the caller derived from this class. The
// model knows nothing of its content: it only keeps and destroys contexts
// through this base.
#pragma once

#include "vorout_export.h"

class VOROUT_API annExternalContext {
public:
  annExternalContext() = default;
  annExternalContext(const annExternalContext&) = default;
  annExternalContext& operator=(const annExternalContext&) = default;
  virtual ~annExternalContext();
};
