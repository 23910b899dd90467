#include "draw/Undo.h"

#include "app/EditorState.h"

namespace vallo {

// Placeholder until the undo history lands.
void InitUndo(EditorState&, int) {}
void FreeUndo(EditorState&) {}
void PushUndo(EditorState& s, int, int, int, int, bool, bool) { s.Modified = true; }
void Undo(EditorState&) {}
void Redo(EditorState&) {}
bool CanUndo(const EditorState&) { return false; }
bool CanRedo(const EditorState&) { return false; }
std::string UndoCaption(const EditorState&) { return "Undo 0"; }
std::string RedoCaption(const EditorState&) { return "Redo 0"; }

} // namespace vallo
