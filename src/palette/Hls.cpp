#include "palette/Hls.h"

#include <algorithm>
#include <cmath>

namespace vallo {

namespace {

int WrapHue(int h) {
    h %= 768;
    return h < 0 ? h + 768 : h;
}

// Rounds to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double x) {
    const double lower = std::floor(x);
    const double frac = x - lower;
    int n = int(lower);
    if (frac > 0.5 || (frac == 0.5 && (n % 2) != 0))
        ++n;
    return n;
}

} // namespace

HlsColor RGBToHLS(int red, int green, int blue) {
    const int r = ScaleTo256[size_t(std::clamp(red, 0, 255))];
    const int g = ScaleTo256[size_t(std::clamp(green, 0, 255))];
    const int b = ScaleTo256[size_t(std::clamp(blue, 0, 255))];
    int max = g > r ? g : r;
    if (b > max)
        max = b;
    int min = g < r ? g : r;
    if (b < min)
        min = b;
    HlsColor out;
    out.L = max + min;
    const int d = max - min;
    if (d == 0)
        return out;
    out.S = out.L <= 256 ? d * 256 / out.L : d * 255 / (512 - out.L);
    if (max == r)
        out.H = (g - b) * 128 / d;
    else if (max == g)
        out.H = (b - r) * 128 / d + 256;
    else
        out.H = (r - g) * 128 / d + 512;
    out.H = WrapHue(out.H);
    return out;
}

int HueValue(int h, int m1, int m2) {
    h = WrapHue(h);
    if (h < 128)
        return m1 + (m2 - m1) * h / 128;
    if (h < 384)
        return m2;
    if (h < 512)
        return m1 + (m2 - m1) * (512 - h) / 128;
    return m1;
}

RgbColor HLSToRGB(int h, int lightness, int saturation) {
    const int s = std::clamp(saturation, 0, 256);
    const int L = std::clamp(lightness, 0, 512);
    h = WrapHue(h);
    const int l = L / 2 + L % 2;
    const int t = RoundHalfEven(double(256 - s) * l / 256.0);
    int m2 = L <= 256 ? 2 * l - t : t + s;
    int m1 = 2 * l - m2;
    if (m1 > m2)
        std::swap(m1, m2);
    // m1 and m2 stay within 0..256, so the table lookups are in range.
    auto channel = [&](int hue) {
        return ScaleFrom256[size_t(std::clamp(HueValue(hue, m1, m2), 0, 256))];
    };
    return {channel(h + 256), channel(h), channel(h - 256)};
}

} // namespace vallo
