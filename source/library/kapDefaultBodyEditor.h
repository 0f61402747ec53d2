// kapDefaultBodyEditor.h - the body editor that edits nothing.
//
// Keeps every operation of kapIBodyEditor: each answers an empty body (or
// adds nothing) and reports kapBODY_EDIT_NOT_DONE. For hosts and format
// libraries that have no body kernel to edit with.
#pragma once

#include "vorabs_export.h"

#include "kapIBodyEditor.h"

class VORABS_API kapDefaultBodyEditor : public kapIBodyEditor {
public:
  kapDefaultBodyEditor() = default;
  ~kapDefaultBodyEditor() override;
};
