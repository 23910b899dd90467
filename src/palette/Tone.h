#pragma once

#include "image/DIB.h"

#include <array>
#include <cstdint>
#include <string>

namespace vallo {

struct EditorState;

// Which entries the tone changes ("無し", "禁止色使用しない", "禁止色のみ使用").
enum class ToneSelection { All = 0, AllowedOnly = 1, ForbiddenOnly = 2 };
// How it changes them ("RGB Mode", "HLS Mode").
enum class ToneMode { Rgb = 0, Hls = 1 };

struct ToneSettings {
    int P1 = 0; // -100..100, red or hue
    int P2 = 0; // green or lightness
    int P3 = 0; // blue or saturation
    ToneSelection Kinsi = ToneSelection::All;
    ToneMode Mode = ToneMode::Rgb;
};

// A bar position as the tone dialog shows it: "%d%%".
std::string ToneBarText(int position);
bool ToneSelects(ToneSelection selection, int32_t forbiddenFlag);
// One 0x00BBGGRR colour after the tone.
uint32_t ToneColor(uint32_t color, const ToneSettings& settings);
// The colour table after the tone: selected entries toned, the others as they are.
ColorTableArray ToneTable(const std::array<uint32_t, 256>& paletteColors,
                          const std::array<int32_t, 256>& forbiddenFlags,
                          const ToneSettings& settings);

// "プレビュー": the views show the tone of the committed palette (entries the selection leaves
// out in their committed colours) until the dialog closes; the palette itself is unchanged.
void PreviewTone(EditorState& s, const ToneSettings& settings);
// "決定": one undo step, then the tone of the committed palette becomes the palette.
void CommitTone(EditorState& s, const ToneSettings& settings);
// Closing the dialog in any way: the views show the committed palette.
void CloseTone(EditorState& s);

// "グラデーション": a linear ramp over the entries strictly between DrawColor and TransColor,
// skipping forbidden ones. Returns false (and records nothing) when there is no such entry.
bool Gradation(EditorState& s);

} // namespace vallo
