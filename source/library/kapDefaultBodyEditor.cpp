// kapDefaultBodyEditor.cpp - the body editor that edits nothing.
#include "kapDefaultBodyEditor.h"

kapDefaultBodyEditor::~kapDefaultBodyEditor() = default;
