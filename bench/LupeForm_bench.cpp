// Time from a synthetic mouse move in the magnifier to the painted update, for a pen stroke
// across a 128 x 128 cell at 2000 % (a 2560 x 2560 magnified cell). Only the changed squares
// may be repainted, so each step must stay far below one 60 Hz frame (16 ms).
//
// Window benchmarks need the UI layer:
//   cmake -S . -B build-uibench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVALLO_BENCH=ON
//   ninja -C build-uibench LupeForm_bench && QT_QPA_PLATFORM=offscreen build-uibench/bin/LupeForm_bench
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdlib>

#include "state/StateRoutines.h"
#include "draw/Undo.h"
#include "views/FormHooks.h"
#include "views/LupeMouse.h"
#include "widgets/MogPaintBox.h"

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
    state.counters["painted_px_per_step"] = double(paintedPixels) / double(std::max<int64_t>(steps, 1));
    state.counters["engine"] = engine ? 1 : 0;
}
BENCHMARK(BM_LupeStrokeStep)->Unit(benchmark::kMicrosecond);

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
