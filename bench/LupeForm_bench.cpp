// Time from a synthetic mouse move in the magnifier to the painted update, for a pen stroke
// across a 128 x 128 cell at 2000 % (a 2560 x 2560 magnified cell). Only the changed squares
// may be repainted, so each step must stay far below one 60 Hz frame (16 ms).
//
// Window benchmarks need the UI layer:
//   cmake -S . -B build-uibench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVALLO_BENCH=ON
//   ninja -C build-uibench LupeForm_bench && QT_QPA_PLATFORM=offscreen
//   build-uibench/bin/LupeForm_bench
#include "draw/Undo.h"
#include "state/StateRoutines.h"
#include "views/EXForm.h"
#include "views/FormHooks.h"
#include "views/LupeMouse.h"
#include "views/NarabeForm.h"
#include "widgets/MogPaintBox.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdlib>

using namespace vallo;

namespace {

void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, buttons, {});
    QApplication::sendEvent(w, &e);
}

void BM_LupeStrokeStep(benchmark::State& state) {
    test::FormsFixture f(256, 128, 20);
    InitUndo(f.s, f.s.UndoCount);
    f.lupe->resize(1000, 800);
    f.lupe->show();
    QApplication::processEvents();
    TmogPaintBox* box = f.lupe->LupeBox();
    // Count what is painted: the whole measure is meaningless if the view repaints all.
    int64_t paintedPixels = 0;
    auto paint = box->OnPaint;
    box->OnPaint = [&](QPainter& p, const QRect& r) {
        paintedPixels += int64_t(r.width()) * r.height();
        paint(p, r);
    };
    // Without the drawing engine a move changes nothing; then the step invalidates the
    // square under the pointer itself, as the engine would.
    const bool engine = LupeBoxMouseMove(f.s, 0, 0, false) != "ルーペ";
    f.s.DrawColor = 3;
    int cell = 0;
    SendMouse(box, QEvent::MouseButtonPress, QPoint(10, 10), Qt::LeftButton, Qt::LeftButton);
    int64_t steps = 0;
    for (auto _ : state) {
        cell = (cell + 1) % 48; // the visible part of the row
        const QPoint pos(cell * 20 + 10, 10 + (cell % 2) * 20);
        SendMouse(box, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton);
        if (!engine)
            f.lupe->InvalidateLupeRect(cell * 20, 0, cell * 20 + 20, 40);
        ++steps;
    }
    SendMouse(box, QEvent::MouseButtonRelease, QPoint(10, 10), Qt::LeftButton, Qt::NoButton);
    state.counters["painted_px_per_step"] =
        double(paintedPixels) / double(std::max<int64_t>(steps, 1));
    state.counters["engine"] = engine ? 1 : 0;
}
BENCHMARK(BM_LupeStrokeStep)->Unit(benchmark::kMicrosecond);

// The same stroke with the extended view (both halves, x2) and the tiled view (3 x 3, x2)
// shown and updated at once ("描画を早めにその他の画面に反映する"): both may repaint only the
// copies of the changed cells, not their whole boxes.
void BM_LupeStrokeStepWithPreviews(benchmark::State& state) {
    test::FormsFixture f(256, 128, 20);
    InitUndo(f.s, f.s.UndoCount);
    TEXForm ex(f.s, f.w, nullptr);
    TNarabeForm narabe(f.s, f.w, nullptr);
    f.w.EXForm = &ex;
    f.w.NarabeForm = &narabe;
    f.s.LiveUpdate = true;
    f.s.EXZoom = 2;
    f.s.NarabeCount = 3;
    f.s.NarabeZoom = 2;
    ex.EXLayout();
    narabe.FormResize();
    f.lupe->resize(1000, 800);
    f.lupe->show();
    ex.show();
    narabe.show();
    QApplication::processEvents();
    int64_t painted[2] = {0, 0};
    TmogPaintBox* boxes[2] = {ex.Box(), narabe.Box()};
    for (int i = 0; i < 2; ++i) {
        auto paint = boxes[i]->OnPaint;
        boxes[i]->OnPaint = [&painted, i, paint](QPainter& p, const QRect& r) {
            painted[i] += int64_t(r.width()) * r.height();
            paint(p, r);
        };
    }
    TmogPaintBox* box = f.lupe->LupeBox();
    f.s.DrawColor = 3;
    int cell = 0;
    SendMouse(box, QEvent::MouseButtonPress, QPoint(10, 10), Qt::LeftButton, Qt::LeftButton);
    int64_t steps = 0;
    for (auto _ : state) {
        cell = (cell + 1) % 48;
        const QPoint pos(cell * 20 + 10, 10 + (cell % 2) * 20);
        SendMouse(box, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton);
        ++steps;
    }
    SendMouse(box, QEvent::MouseButtonRelease, QPoint(10, 10), Qt::LeftButton, Qt::NoButton);
    const double n = double(std::max<int64_t>(steps, 1));
    state.counters["ex_painted_px_per_step"] = double(painted[0]) / n;
    state.counters["ex_box_px"] = double(ex.Box()->width() * ex.Box()->height());
    state.counters["tiled_painted_px_per_step"] = double(painted[1]) / n;
    state.counters["tiled_box_px"] = double(narabe.Box()->width() * narabe.Box()->height());
    f.w.EXForm = nullptr;
    f.w.NarabeForm = nullptr;
}
BENCHMARK(BM_LupeStrokeStepWithPreviews)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
