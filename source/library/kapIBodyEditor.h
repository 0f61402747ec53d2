// kapIBodyEditor.h - edits bodies of the kernel: copies, scales, loop checks, face subsets.
//
// Code outside this library derives its editor from this interface and
// overrides what it can do; every operation of the interface itself does
// nothing, answers an empty body and reports kapBODY_EDIT_NOT_DONE, so a
// caller can tell an editor that could not help from one that failed.
// Bodies come and go through shared references (aqtIBodycoPrf) and belong
// to whoever holds them; the loop checker, the filler's container and the
// faces walked are the caller's. Editors are shared through
// kapIBodyEditorcoPrf, which owns an editor made with new and never deletes
// one it was given with coPrfExtern.
#pragma once

#include "vorabs_export.h"

#include "co.h"
#include "coi.h"
#include "top.h"

class kapILoopChecker;

// What came of an edit.
enum kapBodyEditStatus {
  kapBODY_EDIT_DONE = 0,     // the edit was made
  kapBODY_EDIT_NOT_DONE = 1, // the editor does not make this edit; nothing changed
  kapBODY_EDIT_FAILED = 2    // the edit was tried and failed; nothing changed
};

class VORABS_API kapIBodyEditor {
public:
  kapIBodyEditor() = default;
  kapIBodyEditor(const kapIBodyEditor&) = delete;
  kapIBodyEditor& operator=(const kapIBodyEditor&) = delete;

  // A copy of the body.
  virtual aqtIBodycoPrf copy(const aqtIBodycoPrf& body, kapBodyEditStatus& status) const;
  // A copy of the body scaled by factor about the origin.
  virtual aqtIBodycoPrf scale(const aqtIBodycoPrf& body, double factor,
                              kapBodyEditStatus& status) const;
  // The body with the loops the checker refuses dealt with; first, second
  // and third count what the editor found (their meaning is the editor's).
  virtual aqtIBodycoPrf check_loops(const aqtIBodycoPrf& body, const kapILoopChecker& checker,
                                    int& first, int& second, int& third,
                                    kapBodyEditStatus& status) const;
  // Adds one body per connected set of faces of the body to the filler.
  virtual void connected_faces(const aqtIBodycoPrf& body, coiFiller<aqtIBodycoPrf> filler,
                               kapBodyEditStatus& status) const;
  // A body of the faces walked, taken from the body.
  virtual aqtIBodycoPrf subset_body(const aqtIBodycoPrf& body, coiIterator<aqtIFacecoPrf> faces,
                                    kapBodyEditStatus& status) const;
  virtual ~kapIBodyEditor();
};

using kapIBodyEditorcoPrf = coPrf<kapIBodyEditor>;
