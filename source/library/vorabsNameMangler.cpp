// vorabsNameMangler.cpp - makes entity names unique while compounds are flattened.
#include "vorabsNameMangler.h"

#include "co.h"

using vorabsNameManglercoDListPtrcoPtrcoDList = coDList<const vorabsNameMangler*>;

namespace {
// The live manglers of this thread, outermost first, and the cursor a
// mangling chain walks: each translation runs on one thread, and several
// translations may run at once.
thread_local vorabsNameManglercoDListPtrcoPtrcoDList mangler_stack;
} // namespace

vorabsNameMangler::vorabsNameMangler() {
  mangler_stack.append(this);
}

vorabsNameMangler::~vorabsNameMangler() {
  mangler_stack.remove_last();
}

utString vorabsNameMangler::mangle_name(const utString& name) {
  if (mangler_stack.empty())
    return name;
  return mangler_stack.back()->do_mangling(name);
}

utString vorabsNameMangler::pass_outwards(const utString& name) const {
  if (mangler_stack.front() == this)
    return name;
  if (mangler_stack.back() == this)
    mangler_stack.seek(mangler_stack.size() - 1);
  if (!mangler_stack.previous())
    return name;
  return mangler_stack.current()->do_mangling(name);
}
