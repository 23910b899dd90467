#include "palette/PaletteWindowSize.h"

#include "state/EditorState.h"
#include "palette/PaletteGrid.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace vallo {

namespace {

// The whole text as a 32-bit decimal number (surrounding blanks allowed), else 0.
int32_t NumberOrZero(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return 0;
    const size_t last = text.find_last_not_of(" \t");
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    if (*begin == '+')
        ++begin;
    int32_t value = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    return ec == std::errc() && ptr == end ? value : 0;
}

} // namespace

PaletteArrangement ArrangementForBar(int position) {
    switch (std::clamp(position, 1, 3)) {
    case 1:
        return {8, 32};
    case 2:
        return {16, 16};
    default:
        return {32, 8};
    }
}

int BarForRows(int rows, int current) {
    switch (rows) {
    case 8:
        return 1;
    case 16:
        return 2;
    case 32:
        return 3;
    default:
        return current;
    }
}

int ClampPaleCellSize(const std::string& text) {
    const uint32_t v = uint32_t(NumberOrZero(text));
    if (v < uint32_t(kMinPaleCell))
        return kMinPaleCell;
    if (v > uint32_t(kMaxPaleCell))
        return kMaxPaleCell;
    return int(v);
}

void ApplyPaletteWindowSize(EditorState& s, int barPosition, const std::string& widthText,
                            const std::string& heightText) {
    const PaletteArrangement a = ArrangementForBar(barPosition);
    s.PaleRows = a.Rows;
    s.PaleColumns = a.Columns;
    s.PaleCellWidth = ClampPaleCellSize(widthText);
    s.PaleCellHeight = ClampPaleCellSize(heightText);
    ResizePaletteImage(s);
    s.Hooks->PaletteResize();
    s.Hooks->RepaintPalette();
}

} // namespace vallo
