// kapIBodyEditor.cpp - edits bodies of the kernel; the interface itself edits nothing.
#include "kapIBodyEditor.h"

kapIBodyEditor::~kapIBodyEditor() = default;

aqtIBodycoPrf kapIBodyEditor::copy(const aqtIBodycoPrf&, kapBodyEditStatus& status) const {
  status = kapBODY_EDIT_NOT_DONE;
  return aqtIBodycoPrf();
}

aqtIBodycoPrf kapIBodyEditor::scale(const aqtIBodycoPrf&, double, kapBodyEditStatus& status) const {
  status = kapBODY_EDIT_NOT_DONE;
  return aqtIBodycoPrf();
}

aqtIBodycoPrf kapIBodyEditor::check_loops(const aqtIBodycoPrf&, const kapILoopChecker&, int& first,
                                          int& second, int& third,
                                          kapBodyEditStatus& status) const {
  first = second = third = 0;
  status = kapBODY_EDIT_NOT_DONE;
  return aqtIBodycoPrf();
}

void kapIBodyEditor::connected_faces(const aqtIBodycoPrf&, coiFiller<aqtIBodycoPrf>,
                                     kapBodyEditStatus& status) const {
  status = kapBODY_EDIT_NOT_DONE;
}

// The faces are taken over and dropped unread.
aqtIBodycoPrf kapIBodyEditor::subset_body(const aqtIBodycoPrf&, coiIterator<aqtIFacecoPrf>,
                                          kapBodyEditStatus& status) const {
  status = kapBODY_EDIT_NOT_DONE;
  return aqtIBodycoPrf();
}
