#include "image/DIB.h"

#include <atomic>
#include <cstring>

#include "image/Messages.h"

namespace vallo {

namespace {

bool ValidBitCount(int bitCount) {
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        return true;
    default:
        return false;
    }
}

} // namespace

TDIB::TDIB(int width, int height, int bitCount) { SetSize(width, height, bitCount); }

int TDIB::RowBytes(int width, int bitCount) {
    if (width <= 0)
        return 0;
    return int(((int64_t(width) * bitCount + 31) >> 5) * 4);
}

void TDIB::SetSize(int width, int height, int bitCount, size_t spareBytes) {
    if (!ValidBitCount(bitCount))
        throw DibError(FormatMessage(kMsgInvalidBitCount, bitCount));
    if (width < 1 || height < 1) {
        width_ = height_ = 0;
        bitCount_ = bitCount;
        store_.reset();
        return;
    }
    const int64_t bytes = int64_t(((int64_t(width) * bitCount + 31) >> 5) * 4) * height;
    if (bytes > MaxStoreBytes)
        throw DibError(FormatMessage(kMsgCannotCreate, "ビットマップ"));
    auto store = std::make_shared<std::vector<uint8_t>>();
    try {
        store->assign(size_t(bytes) + spareBytes, 0);
    } catch (const std::bad_alloc&) {
        throw DibError(FormatMessage(kMsgCannotCreate, "ビットマップ"));
    }
    width_ = width;
    height_ = height;
    bitCount_ = bitCount;
    store_ = std::move(store);
}

void TDIB::DropSpare() {
    if (store_)
        store_->resize(size_t(WidthBytes()) * size_t(height_));
}

void TDIB::SetBitCount(int bitCount) {
    if (bitCount == bitCount_)
        return;
    SetSize(width_, height_, bitCount);
}

void TDIB::Unshare() {
    if (!store_)
        return;
    if (store_.use_count() > 1)
        store_ = std::make_shared<std::vector<uint8_t>>(*store_);
    else // another thread that shared the store (a recovery write) is done reading it
        std::atomic_thread_fence(std::memory_order_acquire);
}

uint8_t* TDIB::MutableBits() {
    Unshare();
    return store_ ? store_->data() : nullptr;
}

uint8_t* TDIB::ScanLine(int y) {
    if (y < 0 || y >= height_)
        throw DibError(FormatMessage(kMsgScanLineRange, y));
    Unshare();
    return store_->data() + size_t(y) * size_t(WidthBytes());
}

const uint8_t* TDIB::ScanLine(int y) const {
    if (y < 0 || y >= height_)
        throw DibError(FormatMessage(kMsgScanLineRange, y));
    return store_->data() + size_t(y) * size_t(WidthBytes());
}

uint32_t TDIB::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    const uint8_t* row = store_->data() + size_t(y) * size_t(WidthBytes());
    switch (bitCount_) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
        return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    case 8:
        return row[x];
    case 16:
        return uint32_t(row[2 * x]) | (uint32_t(row[2 * x + 1]) << 8);
    case 24:
        return uint32_t(row[3 * x]) | (uint32_t(row[3 * x + 1]) << 8) |
               (uint32_t(row[3 * x + 2]) << 16);
    default:
        uint32_t v;
        std::memcpy(&v, row + 4 * x, 4);
        return v;
    }
}

void TDIB::SetPixel(int x, int y, uint32_t value) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    uint8_t* row = ScanLine(y);
    switch (bitCount_) {
    case 1: {
        const uint8_t bit = uint8_t(0x80 >> (x & 7));
        row[x >> 3] = (value & 1) ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit);
        break;
    }
    case 4:
        if (x & 1)
            row[x >> 1] = uint8_t((row[x >> 1] & 0xF0) | (value & 0x0F));
        else
            row[x >> 1] = uint8_t((row[x >> 1] & 0x0F) | ((value & 0x0F) << 4));
        break;
    case 8:
        row[x] = uint8_t(value);
        break;
    case 16:
        row[2 * x] = uint8_t(value);
        row[2 * x + 1] = uint8_t(value >> 8);
        break;
    case 24:
        row[3 * x] = uint8_t(value);
        row[3 * x + 1] = uint8_t(value >> 8);
        row[3 * x + 2] = uint8_t(value >> 16);
        break;
    default:
        std::memcpy(row + 4 * x, &value, 4);
        break;
    }
}

} // namespace vallo
