#include "views/OverviewFrames.h"

#include "state/EditorState.h"

namespace vallo {

namespace {

// Screen length of an image length at the overview's scale (sixteenths, truncating).
int Scaled(const EditorState& s, int v) {
    return int(int64_t(v) * s.OverviewPower / 16);
}

// Colour of the layer cell's frame: green.
constexpr uint32_t kLayerFrameColor = 0x008000;

} // namespace

OverviewFrames ComputeOverviewFrames(const EditorState& s) {
    OverviewFrames f;
    const int charW = Scaled(s, s.CharWidth);
    const int charH = Scaled(s, s.CharHeight);

    const int cl = Scaled(s, s.CharLeft);
    const int ct = Scaled(s, s.CharTop);
    f.EditedCell = {true,  cl - 2,          ct - 2, cl + charW + 1, ct + charH + 1, 3,
                    false, PenMode::Invert, 0};

    const int ll = Scaled(s, s.LayerLeft);
    const int lt = Scaled(s, s.LayerTop);
    f.LayerCell = {true,
                   ll - 1,
                   lt - 1,
                   ll + charW,
                   lt + charH,
                   1,
                   true,
                   PenMode::MergeNotDest,
                   kLayerFrameColor};

    const int x = Scaled(s, s.CopyLeft);
    const int y = Scaled(s, s.CopyTop);
    const int w = Scaled(s, s.CopyWidth);
    const int h = Scaled(s, s.CopyHeight);
    if (s.CopyRangeState == 1) {
        f.CopyRange = {true, x, y, x + w - 1, y + h - 1, 1, true, PenMode::MergeNotDest, 0};
        f.DiagonalsVisible = true;
        f.Diagonals[0] = {x, y, x + w - 1, y + h - 1};
        f.Diagonals[1] = {x, y + h - 1, x + w - 1, y};
    } else if (s.CopyRangeState == 2) {
        f.CopyRange = {true, x - 2, y - 2, x + w + 1, y + h + 1, 3, false, PenMode::Invert, 0};
        f.CopyImage = {true, x, y, x + Scaled(s, s.CopyImage.Width()),
                       y + Scaled(s, s.CopyImage.Height())};
    }
    return f;
}

} // namespace vallo
