#include "draw/ToolChoice.h"

#include <algorithm>

#include "state/EditorState.h"
#include "state/StateRoutines.h"
#include "state/TextNumbers.h"
#include "draw/PlotPen.h"
#include "draw/ImageLayout.h"

namespace vallo {

void btToolClick(EditorState& s, int tool) {
    s.CurrentTool = std::clamp(tool, 0, 7);
    s.Hooks->ReflectToolButtons();
    s.Hooks->ShowCopyTool(s.CurrentTool == 7);
    // An unfinished two-point shape and a pending copy range are abandoned.
    s.Drawing = false;
    s.CopyRangeState = 0;
    if (s.StartingUp)
        return;
    s.Hooks->RepaintLupe();
    s.Hooks->RepaintOverview();
    s.Hooks->RepaintCopyPreview();
}

void btMarge3Click(EditorState& s, int mergeMode) {
    s.MergeMode = std::clamp(mergeMode, 0, 4);
    s.Hooks->ReflectToolButtons();
}

void AMIClick(EditorState& s, int ditherMode) {
    s.DitherMode = std::clamp(ditherMode, 0, 2);
    s.Hooks->ReflectToolButtons();
}

void PenImagesMouseDown(EditorState& s, int x) {
    // The strip is 400 pixels wide; a click past its end still chooses the last pen.
    SelectPen(s, std::clamp(x / 20, 0, 19));
    s.Hooks->ReflectToolButtons();
}

bool SizeBoxChange(EditorState& s, const std::string& text) {
    const size_t x = text.find('x');
    if (x == std::string::npos)
        return false;
    const int width = StrToIntDef(text.substr(0, x), 0);
    const int height = StrToIntDef(text.substr(x + 1), 0);
    if (width < 8 || height < 8 || width > s.MainImage.Width() || height > s.MainImage.Height())
        return false;
    if (width % 4 != 0 || height % 4 != 0)
        return false;
    // The magnified cell must stay within what the magnifier can allocate.
    if (int64_t(width) * s.Magnification > kMaxLupeSide ||
        int64_t(height) * s.Magnification > kMaxLupeSide)
        return false;
    s.CharWidth = width;
    s.CharHeight = height;
    ApplyCharLayout(s);
    s.Undo.UndoCoalesced = false;
    s.Hooks->RepaintOverview();
    return true;
}

void btLGridClick(EditorState& s, bool down) {
    s.LupeGrid = down;
    if (down) {
        s.LupeStepX = s.LupeStepY = 8;
    } else {
        s.LupeStepX = s.CharWidth;
        s.LupeStepY = s.CharHeight;
    }
}

} // namespace vallo
