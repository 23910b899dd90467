#include "app/Startup.h"

#include "app/DocumentCommands.h"
#include "app/RecoveryOffer.h"
#include "draw/ImageLayout.h"
#include "draw/LupeRender.h"
#include "draw/PlotPen.h"
#include "draw/Undo.h"
#include "image/AtomicFile.h"
#include "palette/PaletteFile.h"
#include "state/AppPaths.h"
#include "state/Configuration.h"
#include "state/EditorState.h"
#include "state/StateRoutines.h"

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

// Opens the command line's file once the editor is up, as Open would (one undo step back to
// the blank image, the reader's message when the file cannot be read).
void OpenStartFile(EditorState& s, DocumentUi& ui) {
    if (s.StartFile.empty())
        return;
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(s.StartFile, ec);
    const std::string path = ec ? s.StartFile : absolute.lexically_normal().string();
    s.StartFile.clear();
    OpenPath(s, ui, path);
}

} // namespace

std::vector<std::string> MainFormCreate(EditorState& s, const std::string& appDir) {
    std::vector<std::string> problems;
    s.AppDir = WithTrailingSlash(appDir);

    try {
        EnsurePaletteFolder(UserPaletteFolder(s), ShippedPaletteFile(s));
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

    // Work a previous run left unsaved comes before the recent file, and a file named on the
    // command line takes the place of recent file 1. A recent file 1 that is missing or cannot
    // be read gives the blank untitled image, not the start-up picture under that file's name.
    const bool recovered = OfferRecoveryCopies(s, ui);
    const bool openRecent = !recovered && s.StartFile.empty();
    if (!recovered)
        s.FileName = openRecent ? s.RecentFiles[1] : std::string();
    if (!recovered && (!openRecent || !FClick(s, ui, 1))) {
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
    OpenStartFile(s, ui);
}

} // namespace vallo
