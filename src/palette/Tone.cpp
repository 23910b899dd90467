#include "palette/Tone.h"

#include "state/EditorState.h"
#include "state/StateRoutines.h"
#include "draw/Undo.h"
#include "palette/Hls.h"
#include "palette/PaletteCommands.h"
#include "palette/PalettePreview.h"
#include "draw/ImageLayout.h"

#include <algorithm>

namespace vallo {

namespace {

// trunc(position × factor / 100), exact in integers: 100 × 2.55 gives 255, 50 × 2.55 gives 127.
int Scaled(int position, int factorTimes100) {
    return position * factorTimes100 / 100;
}

} // namespace

std::string ToneBarText(int position) {
    return std::to_string(position) + "%";
}

bool ToneSelects(ToneSelection selection, int32_t forbiddenFlag) {
    switch (selection) {
    case ToneSelection::AllowedOnly:
        return forbiddenFlag != kForbidden;
    case ToneSelection::ForbiddenOnly:
        return forbiddenFlag == kForbidden;
    default:
        return true;
    }
}

uint32_t ToneColor(uint32_t color, const ToneSettings& t) {
    int r = ColorRed(color);
    int g = ColorGreen(color);
    int b = ColorBlue(color);
    if (t.Mode == ToneMode::Rgb) {
        r = std::clamp(r + Scaled(t.P1, 255), 0, 255);
        g = std::clamp(g + Scaled(t.P2, 255), 0, 255);
        b = std::clamp(b + Scaled(t.P3, 255), 0, 255);
    } else {
        const HlsColor hls = RGBToHLS(r, g, b);
        const RgbColor rgb = HLSToRGB(hls.H + Scaled(t.P1, 768), hls.L + Scaled(t.P2, 256),
                                      hls.S + Scaled(t.P3, 256));
        r = rgb.R;
        g = rgb.G;
        b = rgb.B;
    }
    return MakeColor(uint8_t(r), uint8_t(g), uint8_t(b));
}

ColorTableArray ToneTable(const std::array<uint32_t, 256>& paletteColors,
                          const std::array<int32_t, 256>& forbiddenFlags,
                          const ToneSettings& settings) {
    ColorTableArray out{};
    for (size_t i = 0; i < 256; ++i) {
        const uint32_t c = ToneSelects(settings.Kinsi, forbiddenFlags[i])
                               ? ToneColor(paletteColors[i], settings)
                               : paletteColors[i];
        out[i] = ColorToQuad(c);
    }
    return out;
}

namespace {

ColorTableArray TonedPalette(const EditorState& s, const ToneSettings& settings) {
    return ToneTable(s.PaletteColors, s.ForbiddenFlags, settings);
}

} // namespace

void PreviewTone(EditorState& s, const ToneSettings& settings) {
    ShowPalettePreview(s, TonedPalette(s, settings));
}

void CommitTone(EditorState& s, const ToneSettings& settings) {
    PushUndo(s, 0, 0, 0, 0, false, true);
    s.MainImage.ColorTable() = TonedPalette(s, settings);
    ShowPaletteChange(s);
}

void CloseTone(EditorState& s) {
    EndPalettePreview(s);
}

bool Gradation(EditorState& s) {
    const int lo = std::min(s.DrawColor, s.TransColor);
    const int hi = std::max(s.DrawColor, s.TransColor);
    const int n = hi - lo;
    if (n < 2)
        return false;
    PushUndo(s, 0, 0, 0, 0, false, true);
    const RGBQuad from = s.PaletteQuads[size_t(lo)];
    const RGBQuad to = s.PaletteQuads[size_t(hi)];
    const int dR = to.rgbRed - from.rgbRed;
    const int dG = to.rgbGreen - from.rgbGreen;
    const int dB = to.rgbBlue - from.rgbBlue;
    ColorTableArray& table = s.MainImage.ColorTable();
    for (int k = lo + 1; k < hi; ++k) {
        if (s.ForbiddenFlags[size_t(k)] == kForbidden)
            continue; // keeps its colour, but still counts as a step of the ramp
        const int j = k - lo;
        RGBQuad& q = table[size_t(k)];
        q.rgbRed = uint8_t(from.rgbRed + j * dR / n);
        q.rgbGreen = uint8_t(from.rgbGreen + j * dG / n);
        q.rgbBlue = uint8_t(from.rgbBlue + j * dB / n);
    }
    ShowPaletteChange(s);
    return true;
}

} // namespace vallo
