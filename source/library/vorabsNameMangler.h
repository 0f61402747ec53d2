// vorabsNameMangler.h - makes entity names unique while compounds are flattened.
//
// Every live mangler sits on one process-wide stack, outermost first: a
// mangler joins it when constructed and the innermost entry leaves when a
// mangler is destroyed, so lifetimes must nest. mangle_name hands a name to
// the innermost mangler, which may pass its result outwards. The stack only
// points at the manglers; their owners (compound translators) delete them.
#pragma once

#include "vorabs_export.h"

#include "ut.h"

class VORABS_API vorabsNameMangler {
public:
  vorabsNameMangler();
  vorabsNameMangler(const vorabsNameMangler&) = delete;
  vorabsNameMangler& operator=(const vorabsNameMangler&) = delete;
  virtual ~vorabsNameMangler();

  // The name through every live mangler; unchanged when none is live.
  static utString mangle_name(const utString& name);

protected:
  virtual utString do_mangling(const utString& name) const = 0;

  // Hands name on to the next mangler outwards of this one (the stack's
  // cursor steps back), or returns it when this is the outermost.
  utString pass_outwards(const utString& name) const;
};
