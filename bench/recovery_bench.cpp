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

// One recovery write as the program's timer makes it: a change, then the tick after the quiet
// time that takes the snapshot and queues it for the writer.
void BM_RecoveryTickUiThread(benchmark::State& state) {
    Document doc;
    int64_t now = 0;
    RecoveryCopy copy(BenchDir(), [&now] { return now; });
    copy.Open();
    for (auto _ : state) {
        ++doc.s.EditCount;
        copy.Tick(doc.s);
        now += RecoveryPolicy::QuietMs;
        copy.Tick(doc.s);
    }
    // The writer meanwhile encodes the newest snapshot, replacing the ones it never started.
    copy.WaitIdle();
    std::filesystem::remove_all(copy.Store().Dir());
}
BENCHMARK(BM_RecoveryTickUiThread)->Unit(benchmark::kMicrosecond);

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
