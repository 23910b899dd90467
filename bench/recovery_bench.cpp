// The recovery copy of a 4096 x 4096 document: what the user-interface thread pays per copy
// (the snapshot and handing it over; the first stroke while the writer still shares the
// pixels) and what the writer's thread spends encoding and writing it.

#include "state/EditorState.h"
#include "state/RecoveryCopy.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <random>
#include <unistd.h>

using namespace vallo;

namespace {

constexpr int kSide = 4096;

// Sprite-like tiles with a little noise.
void FillSheet(TDIB& image) {
    std::mt19937 rng(1234);
    for (int i = 0; i < 256; ++i)
        image.ColorTable()[size_t(i)] = RGBQuad{uint8_t(rng()), uint8_t(rng()), uint8_t(rng())};
    for (int y = 0; y < kSide; ++y) {
        uint8_t* row = image.ScanLine(y);
        for (int x = 0; x < kSide; ++x)
            row[x] = rng() % 40 == 0 ? uint8_t(rng()) : uint8_t(((x / 32) * 7 + (y / 32) * 3) % 64);
    }
}

struct Document {
    Document() {
        s.MainImage.SetSize(kSide, kSide, 8);
        FillSheet(s.MainImage);
        s.FileName = "/tmp/sheet.png";
        SetModified(s);
    }
    EditorState s;
};

std::string BenchDir() {
    const std::string dir = std::filesystem::temp_directory_path().string() +
                            "/vallo-recovery-bench-" + std::to_string(::getpid()) + "/";
    std::filesystem::create_directories(dir);
    return dir;
}

// What the user-interface thread does per recovery write: the snapshot (sharing the pixels)
// and handing it to the writer, which meanwhile encodes the newest one it has.
void BM_RecoveryUiThreadPerWrite(benchmark::State& state) {
    Document doc;
    RecoveryStore store(BenchDir(), RecoveryStore::StemFor(int(::getpid()), 0));
    store.Open();
    RecoveryWriter writer(store);
    for (auto _ : state)
        writer.Write(RecoveryCopy::Snapshot(doc.s));
    writer.WaitIdle();
    store.Remove();
    std::filesystem::remove_all(store.Dir());
}
BENCHMARK(BM_RecoveryUiThreadPerWrite)->Unit(benchmark::kMicrosecond);

// The worst the user-interface thread pays afterwards: a stroke while the writer still shares
// the pixel store copies the whole store once.
void BM_RecoveryFirstStrokeWhileShared(benchmark::State& state) {
    Document doc;
    for (auto _ : state) {
        state.PauseTiming();
        RecoverySnapshot snapshot = RecoveryCopy::Snapshot(doc.s);
        state.ResumeTiming();
        doc.s.MainImage.SetPixel(1, 1, 5);
        benchmark::DoNotOptimize(doc.s.MainImage.Bits());
    }
}
BENCHMARK(BM_RecoveryFirstStrokeWhileShared)->Unit(benchmark::kMillisecond);

// The writer's job: its own copy of the pixels, the PNG encoding and the atomic writes.
void BM_RecoveryWorkerWrite(benchmark::State& state) {
    Document doc;
    RecoveryStore store(BenchDir(), RecoveryStore::StemFor(int(::getpid()), 0));
    store.Open();
    for (auto _ : state) {
        RecoveryWriter writer(store);
        writer.Write(RecoveryCopy::Snapshot(doc.s));
        writer.WaitIdle();
    }
    store.Remove();
    std::filesystem::remove_all(store.Dir());
}
BENCHMARK(BM_RecoveryWorkerWrite)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
