// A 30000 x 30000 sheet (900 MB of pixels) end to end: created, saved, opened through the
// document commands, a pen stroke, a whole-image undo step, the magnifier at the far corner and
// the size-change job (crop, its undo, and a grow back to the full side). Each step runs
// once and reports its time and, as peak_copies, the most memory it held above what was
// resident before it, counted in copies of the pixels. Run by scripts/bench only; it needs
// about 3 GB.

#include "app/DocumentCommands.h"
#include "app/ImageSizeJobs.h"
#include "draw/ImageLayout.h"
#include "draw/LupeRender.h"
#include "draw/PlotPen.h"
#include "draw/Shapes.h"
#include "draw/Undo.h"
#include "formats/PngCodec.h"
#include "state/EditorState.h"
#include "state/StateRoutines.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

using namespace vallo;

namespace {

constexpr int kSide = 30000;
constexpr double kPixelBytes = double(kSide) * kSide;

// Resident memory of this process in bytes, now (VmRSS) or at its peak since the last reset
// (VmHWM).
double StatusBytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::stod(line.substr(key.size())) * 1024;
    return 0;
}

// Runs one step and reports its peak memory above the resident set it started from.
template <class Step> void Measure(benchmark::State& state, Step step) {
    for (auto _ : state) {
        // Freed memory goes back to the system and large blocks are always mapped afresh, so
        // the peak shows what the step itself needs.
        mallopt(M_MMAP_THRESHOLD, 1 << 20);
        malloc_trim(0);
        std::ofstream("/proc/self/clear_refs") << "5"; // resets the peak to the current size
        const double before = StatusBytes("VmRSS:");
        step();
        state.counters["peak_copies"] = (StatusBytes("VmHWM:") - before) / kPixelBytes;
        state.counters["resident_copies"] = StatusBytes("VmRSS:") / kPixelBytes;
    }
}

class NoUi : public DocumentUi {
public:
    SaveAnswer AskSaveChanges() override { return SaveAnswer::No; }
    bool AskOverwrite(const std::string&) override { return true; }
    std::optional<std::string> ChooseOpenFile() override { return std::nullopt; }
    std::optional<SaveChoice> ChooseSaveFile() override { return std::nullopt; }
    void ShowError(const std::string&) override {}
    bool ReadOtherPicture(const std::string&, RgbaPicture&, std::string&) override {
        return false;
    }
    bool AskRestoreRecovery() override { return false; }
};

EditorState& Editor() {
    static EditorState s;
    return s;
}

std::string SheetPath() {
    return (std::filesystem::temp_directory_path() / "vallo_huge_sheet.png").string();
}

// Rows of 32 x 32 sprites: a flat body, an outline and a few speckles, repeated over the sheet.
void BM_Huge_Create(benchmark::State& state) {
    Measure(state, [] {
        EditorState& s = Editor();
        s.MainImage.SetSize(kSide, kSide, 8);
        for (int i = 0; i < 256; ++i)
            s.MainImage.ColorTable()[size_t(i)] = {uint8_t(i * 37), uint8_t(i * 91), uint8_t(i), 0};
        for (int y = 0; y < kSide; ++y) {
            uint8_t* row = s.MainImage.ScanLine(y);
            for (int x = 0; x < kSide; ++x) {
                const int dx = x % 32 - 16, dy = y % 32 - 16, d2 = dx * dx + dy * dy;
                const int tile = (x / 32 * 7 + y / 32 * 13) % 200;
                row[x] = d2 > 144 ? 0 : d2 > 110 ? 1 : uint8_t(16 + tile + ((x * y) % 97 == 0));
            }
        }
    });
}

void BM_Huge_Save(benchmark::State& state) {
    Measure(state, [] {
        EditorState& s = Editor();
        SavePNG(SheetPath(), s.MainImage, s.ForbiddenFlags, s.TransColor);
    });
    std::error_code ec;
    state.counters["file_mb"] = double(std::filesystem::file_size(SheetPath(), ec)) / 1e6;
}

// The document command's read and take, with the previous document already released as a
// started program would have it.
void BM_Huge_Open(benchmark::State& state) {
    EditorState& s = Editor();
    s.MainImage.SetSize(8, 8, 8);
    s.StartingUp = true;
    Measure(state, [&s] {
        NoUi ui;
        LoadedPicture loaded = LoadedPicture::Of(s);
        std::string error;
        if (!ReadPictureFile(ui, SheetPath(), loaded, error))
            throw std::runtime_error(error);
        TakePicture(s, loaded, SheetPath());
    });
    s.StartingUp = false;
    std::filesystem::remove(SheetPath());
}

void BM_Huge_Stroke(benchmark::State& state) {
    EditorState& s = Editor();
    InitUndo(s, 4);
    BuildPenMasks(s, TDIB(1, 1, 8));
    s.DrawColor = 7;
    Measure(state, [&s] {
        PushUndo(s, 100, 100, kSide - 100, kSide - 100, false, false);
        DrawLine(s, 100, 100, kSide - 100, kSide - 100);
    });
}

void BM_Huge_WholeImageUndo(benchmark::State& state) {
    EditorState& s = Editor();
    Measure(state, [&s] {
        PushUndo(s, 0, 0, kSide - 1, kSide - 1, true, true);
        s.MainImage.ScanLine(0)[0] = 9; // the first change after the step copies the pixels
        Undo(s);
    });
}

void BM_Huge_MagnifierAtFarCorner(benchmark::State& state) {
    EditorState& s = Editor();
    s.CharWidth = s.CharHeight = 64;
    s.CharLeft = s.CharTop = kSide - 64;
    s.Magnification = 12;
    Measure(state, [&s] { RenderLupe(s); });
}

// The size-change job: the picture cropped 1000 pixels each way as one undo step, that step
// undone, and the picture grown from 20000 x 20000 back to the full side (new room filled with
// the transparent colour). Each holds at most the old and the new image.
void BM_Huge_SizeChange_Crop(benchmark::State& state) {
    EditorState& s = Editor();
    InitUndo(s, 4);
    Measure(state, [&s] { ChangeImageSize(s, kSide - 1000, kSide - 1000); });
}

void BM_Huge_SizeChange_Undo(benchmark::State& state) {
    EditorState& s = Editor();
    Measure(state, [&s] { Undo(s); });
    if (s.MainImage.Width() != kSide)
        state.SkipWithError("the undo did not restore the size");
}

void BM_Huge_SizeChange_Grow(benchmark::State& state) {
    EditorState& s = Editor();
    InitUndo(s, 4);
    ChangeImageSize(s, 20000, 20000);
    InitUndo(s, 4); // only the grow's own step is held while it is measured
    Measure(state, [&s] { ChangeImageSize(s, kSide, kSide); });
    InitUndo(s, 4);
}

} // namespace

BENCHMARK(BM_Huge_Create)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Huge_Save)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Huge_Open)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Huge_Stroke)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Huge_WholeImageUndo)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Huge_MagnifierAtFarCorner)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Huge_SizeChange_Crop)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Huge_SizeChange_Undo)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Huge_SizeChange_Grow)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
