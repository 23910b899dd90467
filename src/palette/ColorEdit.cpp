#include "palette/ColorEdit.h"

#include "draw/Undo.h"
#include "palette/Hls.h"
#include "palette/PaletteCommands.h"
#include "palette/PalettePreview.h"
#include "state/EditorState.h"
#include "state/TextNumbers.h"

#include <algorithm>
#include <cmath>

namespace vallo {

namespace {

// Rounds to the nearest integer, halves to the even neighbour.
int Nearest(double x) {
    return int(std::nearbyint(x));
}

int Field(const std::string& text, int high) {
    return std::clamp(StrToIntDef(text, 0), 0, high);
}

void StoreHls(EditorState& s) {
    const HlsColor hls = RGBToHLS(s.EditRed, s.EditGreen, s.EditBlue);
    s.EditHue = int16_t(hls.H);
    s.EditLight = int16_t(hls.L);
    s.EditSat = int16_t(hls.S);
}

} // namespace

void LoadColorEdit(EditorState& s) {
    const RGBQuad q = s.PaletteQuads[s.DrawColor];
    s.EditRed = q.rgbRed;
    s.EditGreen = q.rgbGreen;
    s.EditBlue = q.rgbBlue;
    StoreHls(s);
    s.EditBarRow = 0;
    s.EditFieldsLive = true;
}

std::array<std::string, 3> ColorEditFieldTexts(const EditorState& s, ColorBarBox group) {
    if (group == ColorBarBox::Rgb)
        return {std::to_string(s.EditRed), std::to_string(s.EditGreen), std::to_string(s.EditBlue)};
    return {std::to_string(s.EditHue), std::to_string(s.EditLight), std::to_string(s.EditSat)};
}

bool RgbFieldsChanged(EditorState& s, const std::array<std::string, 3>& texts) {
    if (!s.EditFieldsLive)
        return false;
    const int r = Field(texts[0], 255);
    const int g = Field(texts[1], 255);
    const int b = Field(texts[2], 255);
    if (r == s.EditRed && g == s.EditGreen && b == s.EditBlue)
        return false;
    s.EditRed = int16_t(r);
    s.EditGreen = int16_t(g);
    s.EditBlue = int16_t(b);
    StoreHls(s);
    return true;
}

bool HlsFieldsChanged(EditorState& s, const std::array<std::string, 3>& texts) {
    if (!s.EditFieldsLive)
        return false;
    const int h = Field(texts[0], 767);
    const int l = Field(texts[1], 512);
    const int sat = Field(texts[2], 256);
    if (h == s.EditHue && l == s.EditLight && sat == s.EditSat)
        return false;
    s.EditHue = int16_t(h);
    s.EditLight = int16_t(l);
    s.EditSat = int16_t(sat);
    const RgbColor rgb = HLSToRGB(h, l, sat);
    s.EditRed = int16_t(rgb.R);
    s.EditGreen = int16_t(rgb.G);
    s.EditBlue = int16_t(rgb.B);
    return true;
}

int ColorBarRowAt(int y, int current) {
    for (int row = 0; row < 3; ++row) {
        const int top = kColorBarTops[size_t(row)];
        if (y >= top && y <= top + kColorBarHeight)
            return row + 1;
    }
    return current;
}

int ColorBarValueAt(ColorBarBox box, int row, int x) {
    x = std::clamp(x, 0, kColorBarWidth - 1);
    if (box == ColorBarBox::Rgb)
        return Nearest(x * 4.05);
    static constexpr double kHlsSteps[3] = {12.17, 8.127, 4.063};
    return Nearest(x * kHlsSteps[std::clamp(row, 1, 3) - 1]);
}

std::array<int, 3> ColorBarMarkers(const EditorState& s, ColorBarBox box) {
    if (box == ColorBarBox::Rgb)
        return {s.EditRed / 4, s.EditGreen / 4, s.EditBlue / 4};
    return {Nearest(s.EditHue / 12.17), Nearest(s.EditLight * 63 / 512.0),
            Nearest(s.EditSat * 63 / 256.0)};
}

std::array<uint32_t, 3> ColorBarMarkerColors(ColorBarBox box) {
    constexpr uint32_t white = MakeColor(255, 255, 255);
    constexpr uint32_t blue = MakeColor(0, 0, 255);
    if (box == ColorBarBox::Rgb)
        return {white, white, white};
    return {MakeColor(0, 0, 0), blue, blue};
}

void PreviewColorEdit(EditorState& s) {
    ColorTableArray shown = s.PaletteQuads;
    shown[s.DrawColor] = {uint8_t(s.EditBlue), uint8_t(s.EditGreen), uint8_t(s.EditRed), 0};
    ShowPalettePreview(s, shown);
}

void CommitColorEdit(EditorState& s) {
    PushUndo(s, 0, 0, 0, 0, false, true);
    s.Hooks->RefreshUndoButtons();
    s.MainImage.ColorTable() = s.PaletteQuads;
    s.MainImage.ColorTable()[s.DrawColor] = {uint8_t(s.EditBlue), uint8_t(s.EditGreen),
                                             uint8_t(s.EditRed), 0};
    ShowPaletteChange(s);
}

void CloseColorEdit(EditorState& s) {
    EndPalettePreview(s);
}

} // namespace vallo
