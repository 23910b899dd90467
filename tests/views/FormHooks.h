#pragma once

// Builds a small document with the magnifier, overview and tool window for the UI tests; the
// program's own view hooks forward the core's requests to them.
#include "app/QtViewHooks.h"
#include "draw/ImageLayout.h"
#include "draw/ToolForm.h"
#include "state/EditorState.h"
#include "state/StateRoutines.h"
#include "views/AllForm.h"
#include "views/LupeForm.h"
#include "widgets/QtWindows.h"

#include <QApplication>
#include <memory>

namespace vallo::test {

// A 64 x 64 document with a grey ramp palette (index i = grey i), a 16 x 16 cell at zoom 4,
// and the magnifier, overview and tool window.
struct FormsFixture {
    EditorState s;
    AppWindows w;
    QtViewHooks hooks{s, w};
    std::unique_ptr<TLupeForm> lupe;
    std::unique_ptr<TAllForm> all;
    std::unique_ptr<TToolForm> tool;
    explicit FormsFixture(int imageSize = 64, int cell = 16, int zoom = 4) {
        s.Hooks = &hooks;
        s.AppDir = std::string(VALLO_SYS_DIR) + "/../";
        s.MainImage.SetSize(imageSize, imageSize, 8);
        for (int i = 0; i < 256; ++i)
            s.MainImage.ColorTable()[size_t(i)] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
        for (int y = 0; y < imageSize; ++y)
            for (int x = 0; x < imageSize; ++x)
                s.MainImage.SetPixel(x, y, uint32_t(100 + (x + y) % 8));
        s.CharWidth = s.CharHeight = cell;
        s.LupeStepX = cell;
        s.LupeStepY = cell;
        s.Magnification = zoom;
        lupe = std::make_unique<TLupeForm>(s, w);
        w.LupeForm = lupe.get();
        all = std::make_unique<TAllForm>(s, w);
        w.AllForm = all.get();
        tool = std::make_unique<TToolForm>(s, w);
        w.ToolForm = tool.get();
        ApplyImageSize(s);
        lupe->resize(420, 460);
        all->resize(360, 460);
    }
    ~FormsFixture() {
        w = AppWindows{}; // the windows go first; nothing may reach them after that
    }
};

} // namespace vallo::test
