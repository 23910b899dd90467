// Rebuild of the magnified cell against a plain memset of a buffer of the same size.
#include "state/EditorState.h"
#include "draw/LupeRender.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <vector>

using namespace vallo;

namespace {

constexpr int kCell = 128;
constexpr int kZoom = 20;

void PrepareState(EditorState& s, bool grid, bool layer) {
    s.MainImage.SetSize(512, 512, 8);
    for (int y = 0; y < 512; ++y) {
        uint8_t* row = s.MainImage.ScanLine(y);
        for (int x = 0; x < 512; ++x)
            row[x] = uint8_t(x * 7 + y * 3);
    }
    for (int i = 0; i < 256; ++i)
        s.MainImage.ColorTable()[size_t(i)] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
    s.LupeImage.ColorTable() = s.MainImage.ColorTable();
    s.CharWidth = s.CharHeight = kCell;
    s.CharLeft = 128;
    s.CharTop = 128;
    s.LayerLeft = 256;
    s.LayerTop = 256;
    s.Magnification = kZoom;
    s.ShowGrid = grid;
    s.LayerActive = layer;
    RenderLupe(s);
}

void BM_Memset(benchmark::State& state) {
    std::vector<uint8_t> buffer(size_t(kCell * kZoom) * size_t(kCell * kZoom));
    int v = 0;
    for (auto _ : state) {
        std::memset(buffer.data(), ++v, buffer.size());
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(buffer.size()));
}

void BM_RenderLupe(benchmark::State& state) {
    EditorState s;
    PrepareState(s, state.range(0) != 0, state.range(1) != 0);
    for (auto _ : state) {
        RenderLupe(s);
        benchmark::DoNotOptimize(s.LupeImage.Bits());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(s.LupeImage.StoreSize()));
}

} // namespace

BENCHMARK(BM_Memset)->Unit(benchmark::kMicrosecond);
// Arguments: grid on/off, layer on/off.
BENCHMARK(BM_RenderLupe)->Args({0, 0})->Args({1, 0})->Args({1, 1})->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
