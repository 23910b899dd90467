// BMP load and save of a 4096 x 4096 8-bit sprite sheet held in memory.
#include "image/Canvas.h"
#include "image/DIB.h"

#include <benchmark/benchmark.h>

using namespace vallo;

namespace {

// Tiles of 32 x 32 in flat colours, each with a dark outline, like a sheet of sprites.
const TDIB& SpriteSheet() {
    static const TDIB sheet = [] {
        TDIB image(4096, 4096, 8);
        for (int i = 0; i < 256; ++i)
            image.ColorTable()[i] = RGBQuad{uint8_t(i), uint8_t(i * 7), uint8_t(i * 13), 0};
        for (int ty = 0; ty < 128; ++ty)
            for (int tx = 0; tx < 128; ++tx) {
                const int x = tx * 32, y = ty * 32;
                FillRect(image, x, y, x + 32, y + 32, uint8_t(1 + (tx * 7 + ty * 13) % 254));
                FrameRect(image, x + 2, y + 2, x + 30, y + 30, 0);
            }
        return image;
    }();
    return sheet;
}

void BM_BMPSave(benchmark::State& state) {
    const TDIB& sheet = SpriteSheet();
    for (auto _ : state) {
        std::vector<uint8_t> bytes = sheet.SaveToMemory();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(sheet.StoreSize()));
}
BENCHMARK(BM_BMPSave)->Unit(benchmark::kMillisecond);

void BM_BMPLoad(benchmark::State& state) {
    const std::vector<uint8_t> bytes = SpriteSheet().SaveToMemory();
    TDIB image;
    for (auto _ : state) {
        image.LoadFromMemory(bytes.data(), bytes.size());
        benchmark::DoNotOptimize(image.Bits());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(BM_BMPLoad)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
