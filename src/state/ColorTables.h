#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vallo {

struct EditorState;

// The precomputed colour tables of the drawing engine. Merge tables are read as
// Table[lower][upper]: lower is the pixel in place, upper the colour laid on it.
struct ColorTables {
    std::array<int, 256> PaletteRed{};
    std::array<int, 256> PaletteGreen{};
    std::array<int, 256> PaletteBlue{};
    std::array<uint8_t, 256> SubstituteColor{};
    std::array<uint8_t, 4096> NearestCube{};
    std::array<std::array<uint8_t, 256>, 256> BlendTable{};
    std::array<std::array<uint8_t, 256>, 256> AddTable{};
    std::array<std::array<uint8_t, 256>, 256> SubtractTable{};
    std::array<std::array<uint8_t, 256>, 256> MultiplyTable{};
    std::array<uint8_t, 256> InverseColor{};

    // Nearest palette index of an RGB triple through the 16-level cube.
    uint8_t Quantised(int r, int g, int b) const {
        return NearestCube[std::size_t((r >> 4) + (g & 240) + ((b << 4) & 3840))];
    }
    // Merge table of a method 1..4 (1 blend, 2 add, 4 multiply, anything else subtract).
    const std::array<std::array<uint8_t, 256>, 256>& ForMethod(int method) const {
        switch (method) {
        case 1:
            return BlendTable;
        case 2:
            return AddTable;
        case 4:
            return MultiplyTable;
        default:
            return SubtractTable;
        }
    }
};

// Rebuilds every table from PaletteColors, ForbiddenFlags and MainImage's palette.
void BuildColorTables(EditorState& s);

} // namespace vallo
