// Drawing engine timings: colour tables, a pen stroke, the flood fill and whole-image undo.
#include "state/EditorState.h"
#include "state/StateRoutines.h"
#include "state/ColorTables.h"
#include "draw/FloodFill.h"
#include "draw/PlotPen.h"
#include "draw/Undo.h"
#include "draw/ImageLayout.h"

#include <benchmark/benchmark.h>
#include <memory>

using namespace vallo;

namespace {

// A full palette of distinct colours with a few forbidden entries.
void SetRichPalette(EditorState& s) {
    for (size_t i = 0; i < 256; ++i)
        s.MainImage.ColorTable()[i] = {uint8_t(i * 37), uint8_t(i * 91 + 13), uint8_t(i * 11 + 7),
                                       0};
    for (int i : {3, 50, 99, 180, 250})
        s.ForbiddenFlags[size_t(i)] = kForbidden;
}

std::unique_ptr<EditorState> MakeEditor(int cell, int zoom) {
    auto s = std::make_unique<EditorState>();
    s->MainImage.SetSize(256, 256, 8);
    SetRichPalette(*s);
    s->CharWidth = s->CharHeight = cell;
    s->Magnification = zoom;
    ApplyImageSize(*s);
    BuildPenMasks(*s, TDIB(1, 1, 8)); // every pen a full square
    return s;
}

void BM_BuildColorTables(benchmark::State& state) {
    auto s = MakeEditor(32, 8);
    PropagatePalette(*s);
    for (auto _ : state) {
        BuildColorTables(*s);
        benchmark::DoNotOptimize(s->Tables.BlendTable[1][2]);
    }
}
BENCHMARK(BM_BuildColorTables)->Unit(benchmark::kMillisecond);

// 1,000 dabs of the 20 x 20 pen in "透明" across a 128 x 128 cell at 2000 %, one stroke.
void BM_BlendStroke(benchmark::State& state) {
    auto s = MakeEditor(128, 20);
    SelectPen(*s, 19);
    s->MergeMode = 1;
    s->DrawColor = 7;
    s->LupeOverhang = true;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i)
            PlotPen(*s, (i * 7) % 140 - 6, (i * 13) % 140 - 6);
        ClearStrokeMask(*s);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 1000);
}
BENCHMARK(BM_BlendStroke)->Unit(benchmark::kMicrosecond);

// Worst case: the stroke mask cleared after every dab, so each dab merges all 400 pixels.
void BM_BlendDabFreshMask(benchmark::State& state) {
    auto s = MakeEditor(128, 20);
    SelectPen(*s, 19);
    s->MergeMode = 1;
    s->LupeOverhang = true;
    int i = 0;
    for (auto _ : state) {
        s->DrawColor = uint8_t(i & 255);
        PlotPen(*s, (i * 7) % 128, (i * 13) % 128);
        ClearStrokeMask(*s);
        ++i;
    }
}
BENCHMARK(BM_BlendDabFreshMask)->Unit(benchmark::kMicrosecond);

void BM_FloodFillCell(benchmark::State& state) {
    auto s = MakeEditor(128, 8);
    int i = 0;
    for (auto _ : state) {
        s->DrawColor = uint8_t(i++ & 1); // alternate, so every fill covers the whole cell
        FloodFillCell(*s, 64, 64);
    }
}
BENCHMARK(BM_FloodFillCell)->Unit(benchmark::kMicrosecond);

// Recording a whole 8192 x 8192 image shares its pixels; undo swaps them back.
void BM_PushUndoWholeImage(benchmark::State& state) {
    auto s = MakeEditor(32, 8);
    s->MainImage.SetSize(8192, 8192, 8);
    ApplyImageSize(*s);
    InitUndo(*s, 31);
    for (auto _ : state) {
        PushUndo(*s, 0, 0, 8191, 8191, true, false);
        Undo(*s);
    }
}
BENCHMARK(BM_PushUndoWholeImage)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
