#pragma once

#include "state/EditorState.h"
#include "views/FrameShape.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vallo {

// Walking directions of the animation.
inline constexpr uint8_t kAniUp = 0;
inline constexpr uint8_t kAniDown = 1;
inline constexpr uint8_t kAniLeft = 2;
inline constexpr uint8_t kAniRight = 3;

// The animation window's playing state: the direction, the frame to show at the next tick and
// the counting direction, and the frame the box shows now.
struct AniPlayback {
    uint8_t AniDirection = kAniUp;
    int AniFrame = 0;
    int AniStep = 1;
    int ShownFrame = 0;
};

// The direction of a direction button: tags 0 "↑", 1 "←", 2 "↓", 3 "→".
uint8_t AniDirectionOfTag(int tag);
// The frame timer's interval in milliseconds: 1000 div frames per second (1 .. 60).
int AniInterval(int fps);
// A direction button went down: play that direction from frame 0.
void AniStart(AniPlayback& p, int tag);
// One timer tick: the box shows AniFrame, then the counter moves on. `frames` is the frame
// count N; `mode` 0 loops (0 .. N-1, 0, ...), 1 goes back and forth (0 .. N-1 .. 1, 0, ...).
// A counter at or beyond N (the count was lowered while playing) wraps as if it equalled N.
void AniTick(AniPlayback& p, int frames, int mode);
// The frames of one cycle in the order shown.
std::vector<int> AniCycle(int frames, int mode);

// The image rectangle (right/bottom exclusive) of a frame. chrMode 0: the edited cell is the
// top-left of a sheet whose columns are the frames and whose rows are the directions up,
// right, down, left; chrMode 1: the cell `frame` steps from the edited cell in the direction.
IntRect AniFrameRect(const EditorState& s, int chrMode, uint8_t direction, int frame);

// The mark of the playing frame on the overview (screen coordinates before scrolling): a white
// frame round the scaled rectangle and a black one a pixel inside it.
std::array<FrameShape, 2> AniOverviewMark(const IntRect& frame, int overviewPower);
// The overview rectangle (right/bottom exclusive) that the mark covers.
IntRect AniOverviewMarkArea(const IntRect& frame, int overviewPower);

} // namespace vallo
