#include "image/ColorReducer.h"

#include "image/Messages.h"

#include <cstring>
#include <functional>
#include <libimagequant.h>
#include <memory>
#include <unordered_map>
#include <vector>

namespace vallo {

namespace {

// Fills one row of colours as 0x00RRGGBB values.
using RowReader = std::function<void(int y, uint32_t* out)>;

RGBQuad QuadFromRgb(uint32_t rgb) {
    return RGBQuad{uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16), 0};
}

[[noreturn]] void CannotReduce() {
    throw DibError(FormatMessage(kMsgCannotCreate, "256 色の画像"));
}

// Collects the distinct colours in order of first appearance; false when there are more than
// 256 of them.
bool CollectColors(int width, int height, const RowReader& read,
                   std::unordered_map<uint32_t, uint8_t>& index, std::vector<uint32_t>& colors) {
    std::vector<uint32_t> row(static_cast<size_t>(width));
    for (int y = 0; y < height; ++y) {
        read(y, row.data());
        uint32_t last = ~0u;
        for (uint32_t c : row) {
            if (c == last)
                continue;
            last = c;
            if (index.count(c))
                continue;
            if (colors.size() == 256)
                return false;
            index.emplace(c, uint8_t(colors.size()));
            colors.push_back(c);
        }
    }
    return true;
}

TDIB MapExactly(int width, int height, const RowReader& read,
                const std::unordered_map<uint32_t, uint8_t>& index,
                const std::vector<uint32_t>& colors) {
    TDIB out(width, height, 8);
    for (size_t i = 0; i < colors.size(); ++i)
        out.ColorTable()[i] = QuadFromRgb(colors[i]);
    std::vector<uint32_t> row(static_cast<size_t>(width));
    for (int y = 0; y < height; ++y) {
        read(y, row.data());
        uint8_t* dst = out.ScanLine(y);
        for (int x = 0; x < width; ++x)
            dst[x] = index.at(row[size_t(x)]);
    }
    return out;
}

struct LiqDeleter {
    void operator()(liq_attr* p) const { liq_attr_destroy(p); }
    void operator()(liq_image* p) const { liq_image_destroy(p); }
    void operator()(liq_result* p) const { liq_result_destroy(p); }
};

struct Quantiser {
    const RowReader* read;
    int width;
};

void FeedRow(liq_color rowOut[], int y, int width, void* user) {
    const Quantiser& q = *static_cast<const Quantiser*>(user);
    std::vector<uint32_t> row(static_cast<size_t>(width));
    (*q.read)(y, row.data());
    for (int x = 0; x < width; ++x) {
        const uint32_t c = row[size_t(x)];
        rowOut[x] = liq_color{uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), 255};
    }
}

TDIB Quantise(int width, int height, const RowReader& read) {
    std::unique_ptr<liq_attr, LiqDeleter> attr(liq_attr_create());
    if (!attr || liq_set_max_colors(attr.get(), 256) != LIQ_OK ||
        liq_set_quality(attr.get(), 0, 100) != LIQ_OK || liq_set_speed(attr.get(), 3) != LIQ_OK)
        CannotReduce();
    Quantiser source{&read, width};
    std::unique_ptr<liq_image, LiqDeleter> image(
        liq_image_create_custom(attr.get(), &FeedRow, &source, width, height, 0.0));
    if (!image)
        CannotReduce();
    liq_result* raw = nullptr;
    if (liq_image_quantize(image.get(), attr.get(), &raw) != LIQ_OK || !raw)
        CannotReduce();
    std::unique_ptr<liq_result, LiqDeleter> result(raw);
    liq_set_dithering_level(result.get(), 0.0f);

    TDIB out(width, height, 8);
    std::vector<unsigned char*> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[size_t(y)] = out.ScanLine(y);
    if (liq_write_remapped_image_rows(result.get(), image.get(), rows.data()) != LIQ_OK)
        CannotReduce();
    const liq_palette* palette = liq_get_palette(result.get());
    for (unsigned i = 0; i < palette->count && i < 256; ++i)
        out.ColorTable()[i] =
            RGBQuad{palette->entries[i].b, palette->entries[i].g, palette->entries[i].r, 0};
    return out;
}

TDIB ReduceRows(int width, int height, const RowReader& read) {
    if (width <= 0 || height <= 0)
        return TDIB();
    std::unordered_map<uint32_t, uint8_t> index;
    std::vector<uint32_t> colors;
    if (CollectColors(width, height, read, index, colors))
        return MapExactly(width, height, read, index, colors);
    return Quantise(width, height, read);
}

TDIB CopyIndexed(const TDIB& picture) {
    if (picture.BitCount() == 8)
        return picture; // already the editor's form; the pixel store is shared, not copied
    TDIB out(picture.Width(), picture.Height(), 8);
    const int entries = 1 << picture.BitCount();
    for (int i = 0; i < 256; ++i)
        out.ColorTable()[i] = i < entries ? picture.ColorTable()[i] : RGBQuad{};
    for (int y = 0; y < picture.Height(); ++y) {
        uint8_t* dst = out.ScanLine(y);
        if (picture.BitCount() == 8) {
            std::memcpy(dst, picture.ScanLine(y), size_t(picture.Width()));
            continue;
        }
        for (int x = 0; x < picture.Width(); ++x)
            dst[x] = uint8_t(picture.Pixel(x, y));
    }
    return out;
}

uint32_t FiveBits(uint32_t v) {
    return (v * 255 + 15) / 31;
}

} // namespace

TDIB ReduceTo256(const TDIB& picture) {
    if (picture.Empty())
        return TDIB();
    if (picture.BitCount() <= 8)
        return CopyIndexed(picture);
    const int bits = picture.BitCount();
    const RowReader read = [&picture, bits](int y, uint32_t* out) {
        const uint8_t* src = picture.ScanLine(y);
        for (int x = 0; x < picture.Width(); ++x) {
            if (bits == 16) {
                const uint32_t v = uint32_t(src[2 * x]) | (uint32_t(src[2 * x + 1]) << 8);
                out[x] = FiveBits((v >> 10) & 31) << 16 | FiveBits((v >> 5) & 31) << 8 |
                         FiveBits(v & 31);
            } else {
                const uint8_t* p = src + x * (bits / 8);
                out[x] = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
            }
        }
    };
    return ReduceRows(picture.Width(), picture.Height(), read);
}

TDIB ReduceRgbaTo256(const uint8_t* rgba, int width, int height, int strideBytes) {
    if (width <= 0 || height <= 0)
        return TDIB();
    if (!rgba || int64_t(strideBytes) < int64_t(width) * 4)
        throw DibError(kMsgInvalidPixelFormat);
    const RowReader read = [=](int y, uint32_t* out) {
        const uint8_t* p = rgba + size_t(y) * size_t(strideBytes);
        for (int x = 0; x < width; ++x, p += 4)
            out[x] = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    };
    return ReduceRows(width, height, read);
}

} // namespace vallo
