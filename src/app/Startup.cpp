#include "app/Startup.h"

#include "state/Configuration.h"
#include "app/DocumentCommands.h"
#include "app/RecoveryOffer.h"
#include "state/EditorState.h"
#include "state/StateRoutines.h"
#include "draw/PlotPen.h"
#include "draw/Undo.h"
#include "image/AtomicFile.h"
#include "palette/PaletteFile.h"
#include "draw/LupeRender.h"
#include "draw/ImageLayout.h"

#include <algorithm>
#include <exception>
#include <filesystem>

namespace vallo {

namespace {

std::string WithTrailingSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

} // namespace

std::vector<std::string> MainFormCreate(EditorState& s, const std::string& appDir) {
    std::vector<std::string> problems;
    s.AppDir = WithTrailingSlash(appDir);

    const std::string paletteDir = s.AppDir + "palette";
    std::error_code ec;
    if (!std::filesystem::is_directory(paletteDir, ec)) {
        std::filesystem::create_directories(paletteDir, ec);
        if (ec)
            problems.push_back(paletteDir + " を作成できません: " + ec.message());
    }
    try {
        EnsureDefaultPaletteFile(s.AppDir);
    } catch (const std::exception& e) {
        problems.push_back(e.what());
    }

    s.StartingUp = true;
    for (TDIB* image :
         {&s.LupeImage, &s.LayerImage, &s.LupeBackImage, &s.CopyImage, &s.PaletteImage})
        image->SetBitCount(8);
    s.MainImage.SetSize(500, 500, 8);

    // The colour bar and the pen shapes come from the program's own folder, never the
    // working directory. Without them the colour dialog shows no bar and the pens are empty.
    try {
        s.BarBitmap.LoadFromFile(s.AppDir + "sys/Bar.bmp");
    } catch (const std::exception& e) {
        s.BarBitmap.SetSize(0, 0, 24);
        problems.push_back(s.AppDir + "sys/Bar.bmp: " + e.what());
    }
    try {
        TDIB strip;
        strip.LoadFromFile(s.AppDir + "sys/Pen.BMP");
        BuildPenMasks(s, strip);
    } catch (const std::exception& e) {
        problems.push_back(s.AppDir + "sys/Pen.BMP: " + e.what());
    }
    return problems;
}

void DeferredStartup(EditorState& s, DocumentUi& ui) {
    ApplyImageSize(s);
    s.IniReadMode = true;
    RunIniRoutine(s);
    s.Hooks->ApplyWindowPlaces();

    // Work a previous run left unsaved comes before the recent file. A recent file 1 that is
    // missing or cannot be read gives the blank untitled image, not the start-up picture
    // under that file's name.
    const bool recovered = OfferRecoveryCopies(s, ui);
    if (!recovered)
        s.FileName = s.RecentFiles[1];
    if (!recovered && !FClick(s, ui, 1)) {
        try {
            MakeBlankDocument(s, 256, 256);
        } catch (const std::exception& e) {
            ui.ShowError(e.what());
            s.MainImage.SetSize(256, 256, 8);
            s.FileName.clear();
            ApplyImageSize(s);
        }
    }
    s.StartingUp = false;

    s.UndoCount = std::max(s.UndoCount, 2);
    InitUndo(s, s.UndoCount);

    s.Hooks->ReflectSettings();
    s.Hooks->PaletteResize();
    s.Hooks->RedrawPaletteImage();
    s.Hooks->ShowStartupWindows();
    s.Hooks->RepaintPalette();
    s.Hooks->SetRecentFileCaptions();
    s.Hooks->ReflectToolButtons();
    s.Hooks->SetSizeBoxText(std::to_string(s.CharWidth) + "x" + std::to_string(s.CharHeight));

    ApplyCharLayout(s);
    RenderLupe(s);
    s.Hooks->LupeResize();
    s.Hooks->RedrawExtendedView();
    s.Hooks->RefreshUndoButtons();
    s.Hooks->SetTitle(DocumentTitle(s.FileName));
}

} // namespace vallo
