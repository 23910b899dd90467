#include "views/LupeOverlay.h"

#include "state/EditorState.h"

namespace vallo {

LupeCopyOverlay ComputeLupeCopyOverlay(const EditorState& s) {
    LupeCopyOverlay overlay;
    const int m = s.Magnification;
    const int dx = s.CopyLeft - s.CharLeft;
    const int dy = s.CopyTop - s.CharTop;
    const int left = dx * m;
    const int top = dy * m;
    const int right = (s.CopyWidth + dx) * m;
    const int bottom = (s.CopyHeight + dy) * m;
    FrameShape& frame = overlay.Frame;
    frame.Mode = PenMode::Invert;
    if (s.CopyRangeState == 1) {
        frame.Visible = true;
        frame.Dotted = true;
        frame.PenWidth = 1;
        frame.X0 = left;
        frame.Y0 = top;
        frame.X1 = right - 1;
        frame.Y1 = bottom - 1;
    } else if (s.CopyRangeState == 2) {
        frame.Visible = true;
        frame.PenWidth = 3;
        frame.X0 = left - 2;
        frame.Y0 = top - 2;
        frame.X1 = right + 1;
        frame.Y1 = bottom + 1;
        overlay.Image = {true, left, top, right, bottom};
    }
    return overlay;
}

} // namespace vallo
