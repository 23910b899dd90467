#include "app/Startup.h"

#include "app/DocumentCommands.h"
#include "app/EditorState.h"
#include "app/PendingFormats.h"
#include "app/StateRoutines.h"
#include "draw/PlotPen.h"
#include "draw/Undo.h"
#include "image/AtomicFile.h"
#include "views/LupeRender.h"

#include <algorithm>
#include <exception>
#include <filesystem>

namespace vallo {

namespace {

// TODO(wiring): these forward to the palette files, the configuration and the pen shapes as
// they land.
void WriteDefaultPaletteIfMissing(const std::string& appDir) {
    const std::string path = appDir + "palette/vallo.vp3";
    std::error_code ec;
    if (std::filesystem::exists(path, ec))
        return;
    std::vector<uint8_t> bytes(1056, 0);
    const uint8_t title[] = {0x83, 0x66, 0x83, 0x74, 0x83, 0x48, 0x83, 0x8B, 0x83, 0x67};
    std::copy(std::begin(title), std::end(title), bytes.begin());
    const uint8_t level[6] = {17, 68, 119, 170, 204, 238};
    size_t at = 32 + 10 * 3;
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 6; ++j)
            for (int k = 0; k < 6; ++k) {
                bytes[at++] = level[k];
                bytes[at++] = level[j];
                bytes[at++] = level[i];
            }
    WriteFileAtomically(path, bytes);
}
void ReadConfiguration(EditorState& s) {
    pending::RunIni(s);
}

std::string WithTrailingSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

} // namespace

std::string ZoomBoxText(int magnification) {
    return std::to_string(magnification) + "00%";
}

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
        WriteDefaultPaletteIfMissing(s.AppDir);
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
    ReadConfiguration(s);
    s.Hooks->ApplyWindowPlaces();

    // A recent file 1 that is missing or cannot be read gives the blank untitled image, not
    // the start-up picture under that file's name.
    s.FileName = s.RecentFiles[1];
    if (!FClick(s, ui, 1)) {
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
