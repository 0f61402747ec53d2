// kapIAQTKernel.h - the body kernel as a format library reaches it.
//
// Implemented by code outside this library; it hands out the editor that
// works on its bodies, shared through the editor's reference (which may
// own the editor or only refer to one the kernel keeps).
#pragma once

#include "vorabs_export.h"

#include "kapIBodyEditor.h"

class VORABS_API kapIAQTKernel {
public:
  // The editor of the kernel's bodies; empty when it has none.
  virtual kapIBodyEditorcoPrf body_editor() const = 0;
  virtual ~kapIAQTKernel();
};
