#pragma once

// The forms fixture with the palette window and its dialogs, for the palette UI tests. Modal
// dialogs are driven from a zero timer that runs once their event loop has started.
#include "../views/FormHooks.h"
#include "draw/Undo.h"
#include "palette/ColorsForm.h"
#include "palette/PLForm.h"
#include "palette/PSForm.h"
#include "palette/PSizeForm.h"
#include "palette/Pale2Form.h"
#include "palette/PaleForm.h"
#include "support/TestSupport.h"
#include "widgets/MogPaintBox.h"
#include "widgets/MogScrollBox.h"

#include <QTimer>
#include <filesystem>
#include <functional>

namespace vallo::test {

struct PaletteForms : FormsFixture {
    TempDir dir;
    std::unique_ptr<TPaleForm> pale;
    std::unique_ptr<TPale2Form> pale2;
    std::unique_ptr<TPLForm> pl;
    std::unique_ptr<TPSForm> ps;
    std::unique_ptr<TPSizeForm> psize;
    std::unique_ptr<TColorsForm> colors;

    PaletteForms() {
        s.AppDir = dir.Dir();
        std::filesystem::create_directories(s.AppDir + "palette");
        s.BarBitmap.LoadFromFile(std::string(VALLO_SYS_DIR) + "/Bar.bmp");
        pale = std::make_unique<TPaleForm>(s, w, nullptr);
        w.PaleForm = pale.get();
        pale2 = std::make_unique<TPale2Form>(s, w, nullptr);
        w.Pale2Form = pale2.get();
        pl = std::make_unique<TPLForm>(s, w, nullptr);
        w.PLForm = pl.get();
        ps = std::make_unique<TPSForm>(s, w, nullptr);
        w.PSForm = ps.get();
        psize = std::make_unique<TPSizeForm>(s, w, nullptr);
        w.PSizeForm = psize.get();
        colors = std::make_unique<TColorsForm>(s, w, nullptr);
        w.ColorsForm = colors.get();
        s.Hooks->PaletteResize();
        InitUndo(s, 31);
    }
    ~PaletteForms() { w = AppWindows{}; }

    // Runs `inside` while the modal dialog that `open` shows is up.
    static void WhileOpen(QAction* open, std::function<void()> inside) {
        QTimer::singleShot(0, inside);
        open->trigger();
    }
    // What the overview and the magnifier paint at a point of their boxes.
    QRgb Overview(int x, int y) {
        return all->AllScroll()->PaintBox()->grab().toImage().pixel(x, y);
    }
    QRgb Magnifier(int x, int y) { return lupe->LupeBox()->grab().toImage().pixel(x, y); }
};

} // namespace vallo::test
