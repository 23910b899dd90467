#include "views/AniPlayback.h"

#include <algorithm>

namespace vallo {

namespace {

// A coordinate at the overview's scale, truncating toward zero.
int Scaled(int v, int power) {
    return int(int64_t(v) * power / 16);
}

FrameShape Outline(int left, int top, int right, int bottom, uint32_t color) {
    return {true, left, top, right - 1, bottom - 1, 1, false, PenMode::Copy, color};
}

} // namespace

uint8_t AniDirectionOfTag(int tag) {
    constexpr uint8_t kByTag[] = {kAniUp, kAniLeft, kAniDown, kAniRight};
    return tag >= 0 && tag < 4 ? kByTag[tag] : kAniUp;
}

int AniInterval(int fps) {
    return 1000 / std::clamp(fps, 1, 60);
}

void AniStart(AniPlayback& p, int tag) {
    p.AniDirection = AniDirectionOfTag(tag);
    p.AniFrame = 0;
    p.AniStep = 1;
    p.ShownFrame = 0;
}

void AniTick(AniPlayback& p, int frames, int mode) {
    const int n = std::max(frames, 2);
    p.ShownFrame = p.AniFrame;
    p.AniFrame += p.AniStep;
    if (p.AniFrame >= n) {
        if (mode == 1) {
            p.AniFrame = n - 2;
            p.AniStep = -1;
        } else {
            p.AniFrame = 0;
        }
    }
    if (p.AniFrame <= -1) {
        p.AniFrame = 1;
        p.AniStep = 1;
    }
}

std::vector<int> AniCycle(int frames, int mode) {
    const int n = std::max(frames, 2);
    const int length = mode == 1 ? 2 * n - 2 : n;
    AniPlayback p;
    std::vector<int> cycle;
    for (int i = 0; i < length; ++i) {
        AniTick(p, n, mode);
        cycle.push_back(p.ShownFrame);
    }
    return cycle;
}

IntRect AniFrameRect(const EditorState& s, int chrMode, uint8_t direction, int frame) {
    const int w = s.CharWidth;
    const int h = s.CharHeight;
    if (chrMode == 0) {
        // Sheet rows: up, right, down, left.
        constexpr int kRow[] = {0, 2, 3, 1};
        const int row = kRow[direction & 3];
        const int left = s.CharLeft + w * frame;
        const int top = s.CharTop + h * row;
        return {left, top, left + w, top + h};
    }
    constexpr int kDx[] = {0, 0, -1, 1};
    constexpr int kDy[] = {-1, 1, 0, 0};
    const int left = s.CharLeft + w * kDx[direction & 3] * frame;
    const int top = s.CharTop + h * kDy[direction & 3] * frame;
    return {left, top, left + w, top + h};
}

IntRect AniOverviewMarkArea(const IntRect& frame, int overviewPower) {
    return {Scaled(frame.Left, overviewPower), Scaled(frame.Top, overviewPower),
            Scaled(frame.Right, overviewPower), Scaled(frame.Bottom, overviewPower)};
}

std::array<FrameShape, 2> AniOverviewMark(const IntRect& frame, int overviewPower) {
    const IntRect r = AniOverviewMarkArea(frame, overviewPower);
    return {Outline(r.Left, r.Top, r.Right, r.Bottom, MakeColor(255, 255, 255)),
            Outline(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1, MakeColor(0, 0, 0))};
}

} // namespace vallo
