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
        pale = Make(w.PaleForm);
        pale2 = Make(w.Pale2Form);
        pl = Make(w.PLForm);
        ps = Make(w.PSForm);
        psize = Make(w.PSizeForm);
        colors = Make(w.ColorsForm);
        s.Hooks->PaletteResize();
        InitUndo(s, 31);
    }
    ~PaletteForms() { w = AppWindows{}; }
    template <class Form> std::unique_ptr<Form> Make(Form*& reference) {
        auto form = std::make_unique<Form>(s, w, nullptr);
        reference = form.get();
        return form;
    }

    // Runs `inside` while the modal dialog `open` shows is up.
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
