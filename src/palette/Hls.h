#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vallo {

// Integer hue/lightness/saturation model of the colour dialogs. Hue runs 0..767 (red 0,
// green 256, blue 512), lightness 0..512 (largest plus smallest channel on a 0..256 scale),
// saturation 0..256.
struct HlsColor {
    int H = 0;
    int L = 0;
    int S = 0;
    bool operator==(const HlsColor&) const = default;
};

struct RgbColor {
    int R = 0;
    int G = 0;
    int B = 0;
    bool operator==(const RgbColor&) const = default;
};

namespace detail {
constexpr std::array<int16_t, 256> MakeScaleTo256() {
    std::array<int16_t, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[std::size_t(i)] = int16_t(i * 256 / 255);
    return t;
}
constexpr std::array<int16_t, 257> MakeScaleFrom256() {
    std::array<int16_t, 257> t{};
    for (int i = 0; i < 257; ++i)
        t[std::size_t(i)] = int16_t(i * 255 / 256);
    return t;
}
} // namespace detail

// Channel 0..255 to the 0..256 scale (255 -> 256), and back (256 -> 255).
inline constexpr std::array<int16_t, 256> ScaleTo256 = detail::MakeScaleTo256();
inline constexpr std::array<int16_t, 257> ScaleFrom256 = detail::MakeScaleFrom256();

// Channels outside 0..255 are clamped first.
HlsColor RGBToHLS(int r, int g, int b);
// Wraps the hue and clamps lightness and saturation before converting.
RgbColor HLSToRGB(int h, int l, int s);
// One channel's level (m1..m2 scale) at hue position h.
int HueValue(int h, int m1, int m2);

} // namespace vallo
