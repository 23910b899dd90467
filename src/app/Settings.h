#pragma once

#include <string>
#include <vector>

namespace vallo {

struct EditorState;

// What the settings dialog edits, as a working copy of the state: nothing reaches the state
// until ApplySettings.
struct SettingsChoice {
    bool LupeOverhang = false;
    bool CursorWhileDrawing = false;
    bool LiveUpdate = false;
    bool CursorStyle = true;
    bool RichDisplay = false;
    bool LayerDisplayMode = true;
    // The steps that can be taken back, UndoCount - 1 (1 ... 100).
    int UndoSteps = 30;
    std::vector<std::string> SizeItems;
    std::vector<std::string> BaiItems;
};

inline constexpr int kMinUndoSteps = 1;
inline constexpr int kMaxUndoSteps = 100;

SettingsChoice SettingsOf(const EditorState& s);

// Takes the dialog's choice: a new undo count rebuilds the (then empty) history and leaves the
// document alone, the lists replace the cell-size and zoom boxes' items, the options are
// copied, and the magnifier is redrawn.
void ApplySettings(EditorState& s, const SettingsChoice& choice);

// The items the drop-down lists offer: "16" ... "128" in steps of 8, "100%" ... "2000%".
std::vector<std::string> CellSideChoices();
std::vector<std::string> ZoomChoices();

// Appends "WxH" when both sides are chosen (non-empty); false when nothing was added.
bool AddSizeItem(std::vector<std::string>& items, const std::string& width,
                 const std::string& height);
// Appends the zoom when one is chosen.
bool AddZoomItem(std::vector<std::string>& items, const std::string& zoom);
// Deletes line `index`; false (and nothing changes) when there is no such line.
bool DeleteListItem(std::vector<std::string>& items, int index);

} // namespace vallo
