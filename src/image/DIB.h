#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vallo {

// One colour-table entry, laid out as in a BMP file: blue, green, red, reserved.
struct RGBQuad {
    uint8_t rgbBlue = 0;
    uint8_t rgbGreen = 0;
    uint8_t rgbRed = 0;
    uint8_t rgbReserved = 0;
    bool operator==(const RGBQuad&) const = default;
};
using ColorTableArray = std::array<RGBQuad, 256>;

// Colours handed to the drawing surface are 0x00BBGGRR values (red in the low byte).
constexpr uint32_t MakeColor(uint8_t r, uint8_t g, uint8_t b) {
    return uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16);
}
constexpr uint8_t ColorRed(uint32_t c) { return uint8_t(c & 0xFF); }
constexpr uint8_t ColorGreen(uint32_t c) { return uint8_t((c >> 8) & 0xFF); }
constexpr uint8_t ColorBlue(uint32_t c) { return uint8_t((c >> 16) & 0xFF); }
constexpr uint32_t QuadToColor(RGBQuad q) { return MakeColor(q.rgbRed, q.rgbGreen, q.rgbBlue); }
constexpr RGBQuad ColorToQuad(uint32_t c) { return {ColorBlue(c), ColorGreen(c), ColorRed(c), 0}; }

// Failures of the image type carry the user-facing message.
class DibError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The indexed image type used for every image of the editor. Rows are stored top-down and
// padded to 4 bytes, so a row-major view (for example a QImage) can wrap the pixels directly.
// Copies share one reference-counted pixel store; the first write access unshares it.
class TDIB {
public:
    // Largest pixel store the type will allocate; larger requests fail with "%s を作成できません".
    static constexpr int64_t MaxStoreBytes = int64_t(1) << 31;

    TDIB() = default;
    TDIB(int width, int height, int bitCount = 8);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitCount() const { return bitCount_; }
    int WidthBytes() const { return RowBytes(width_, bitCount_); }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    static int RowBytes(int width, int bitCount);

    // Reallocates the pixel store (zero-filled). A width or height below 1 empties the image.
    // spareBytes more are allocated after the last row, scratch space for a decoder that
    // StoreSize counts until DropSpare releases it.
    void SetSize(int width, int height, int bitCount, size_t spareBytes = 0);
    void DropSpare();
    void SetBitCount(int bitCount);

    // Row access. The writable form unshares the store; y outside the image raises
    // "スキャンラインのインデックスが範囲を越えました (%d)".
    uint8_t* ScanLine(int y);
    const uint8_t* ScanLine(int y) const;
    const uint8_t* ConstScanLine(int y) const { return ScanLine(y); }

    // Raw pixel value; 0 outside the image. Writes outside the image are ignored.
    uint32_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, uint32_t value);

    ColorTableArray& ColorTable() { return colors_; }
    const ColorTableArray& ColorTable() const { return colors_; }
    // Announces that the colour table was changed directly; views compare the version.
    void UpdatePalette() { ++paletteVersion_; }
    uint64_t PaletteVersion() const { return paletteVersion_; }

    // Copy of size, bit count, pixels and colour table; the pixel store is shared.
    void Assign(const TDIB& other) { *this = other; }
    bool SharesPixelsWith(const TDIB& other) const {
        return store_ && store_ == other.store_;
    }

    // Whole pixel store, rows top-down, WidthBytes apart.
    const uint8_t* Bits() const { return store_ ? store_->data() : nullptr; }
    uint8_t* MutableBits();
    size_t StoreSize() const { return store_ ? store_->size() : 0; }

    // Windows BMP files. A malformed file is refused with "不正な DIB です".
    void LoadFromFile(const std::string& path);
    void LoadFromMemory(const uint8_t* data, size_t size);
    // Writes an 8-bit, 256-colour BMP; replaces the file only once the new one is complete.
    void SaveToFile(const std::string& path) const;
    std::vector<uint8_t> SaveToMemory() const;

private:
    void Unshare();

    int width_ = 0;
    int height_ = 0;
    int bitCount_ = 8;
    std::shared_ptr<std::vector<uint8_t>> store_;
    ColorTableArray colors_{};
    uint64_t paletteVersion_ = 0;
};

} // namespace vallo
