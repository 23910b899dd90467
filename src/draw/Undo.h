#pragma once

#include <string>

namespace vallo {

struct EditorState;

// The undo and redo history over MainImage and its palette.
void InitUndo(EditorState& s, int count);
// Records the inclusive rectangle of MainImage before a change.
void PushUndo(EditorState& s, int left, int top, int right, int bottom, bool wholeImage,
              bool palette);
void Undo(EditorState& s);
void Redo(EditorState& s);
bool CanUndo(const EditorState& s);
bool CanRedo(const EditorState& s);
std::string UndoCaption(const EditorState& s);  // "Undo n"
std::string RedoCaption(const EditorState& s);  // "Redo n"

} // namespace vallo
