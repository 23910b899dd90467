#pragma once

#include "state/EditorState.h"
#include "state/ViewHooks.h"

#include <string>
#include <vector>

namespace vallo::enginetest {

// Records which windows the core asked to repaint.
class RecordingHooks : public ViewHooks {
public:
    std::vector<std::string> Calls;
    void RepaintLupe() override { Calls.push_back("Lupe"); }
    void RepaintOverview() override { Calls.push_back("Overview"); }
    void RedrawExtendedView() override { Calls.push_back("Extended"); }
    void RepaintTiledView() override { Calls.push_back("Tiled"); }
    void TiledViewResize() override { Calls.push_back("TiledResize"); }
    void RepaintCopyPreview() override { Calls.push_back("CopyPreview"); }
    void RefreshUndoButtons() override { Calls.push_back("UndoButtons"); }
    void OverviewApplyZoom() override { Calls.push_back("OverviewZoom"); }
    bool Saw(const std::string& call) const {
        for (const std::string& c : Calls)
            if (c == call)
                return true;
        return false;
    }
};

// Fills the merge tables with distinct, easily computed contents so that a test can tell
// which table produced a pixel, and marks index 200 forbidden with 201 as its substitute.
inline void FillTestTables(EditorState& s) {
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            s.Tables.BlendTable[size_t(a)][size_t(b)] = uint8_t(a * 3 + b);
            s.Tables.AddTable[size_t(a)][size_t(b)] = uint8_t(a + b + 100);
            s.Tables.SubtractTable[size_t(a)][size_t(b)] = uint8_t(a - b + 50);
            s.Tables.MultiplyTable[size_t(a)][size_t(b)] = uint8_t(a * b + 7);
        }
    }
    for (int i = 0; i < 256; ++i)
        s.Tables.SubstituteColor[size_t(i)] = uint8_t(i);
    s.ForbiddenFlags[200] = kForbidden;
    s.Tables.SubstituteColor[200] = 201;
}

// Sets every pixel of an image from f(x, y).
template <typename F> void Paint(TDIB& image, F f) {
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            image.SetPixel(x, y, uint8_t(f(x, y)));
}

// The pixels of a rectangle (left, top, width, height) of an image, row by row.
inline std::vector<uint8_t> Pixels(const TDIB& image, int left, int top, int w, int h) {
    std::vector<uint8_t> out;
    for (int y = top; y < top + h; ++y)
        for (int x = left; x < left + w; ++x)
            out.push_back(uint8_t(image.Pixel(x, y)));
    return out;
}

inline std::vector<uint8_t> AllPixels(const TDIB& image) {
    return Pixels(image, 0, 0, image.Width(), image.Height());
}

} // namespace vallo::enginetest
