#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "state/ViewHooks.h"
#include "state/ColorTables.h"
#include "state/UndoEntry.h"
#include "image/DIB.h"

namespace vallo {

class RecoveryCopy;

inline constexpr int32_t kForbidden = 66;
inline constexpr int kMaxImageSize = 30000;
inline constexpr int kMinImageSize = 8;
// Largest side of the magnified cell (cell size times zoom) the magnifier will allocate.
inline constexpr int kMaxLupeSide = 16384;

// A rectangle of four 32-bit values (left, top, right, bottom).
struct IntRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const IntRect&) const = default;
};

// Where a window stands and whether it is shown, as the configuration keeps it.
struct WindowPlace {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Visible = false;
};

// The windows whose places the configuration keeps.
struct WindowPlaces {
    // First-start places, fitting a 1366 x 768 screen: the frame (maximised; restored 20 pixels
    // in and 40 smaller) holds the magnifier and the overview side by side; the floating
    // windows stand to its right in two columns, clear of the magnifier even when the frame is
    // maximised, apart and on the screen with a window manager's title bar of up to 24 pixels.
    WindowPlace Main{20, 20, 760, 720, true};
    WindowPlace Lupe{0, 0, 400, 620, true};
    WindowPlace All{402, 0, 300, 620, true};
    WindowPlace Pale{760, 20, 0, 0, true};
    WindowPlace Tool{1050, 20, 0, 0, true};
    WindowPlace Lay{760, 322, 0, 0, true};
    WindowPlace EX{1210, 150, 0, 0, true};
    WindowPlace Ani{1120, 400, 0, 0, false};
    WindowPlace ETool{760, 648, 0, 0, false};
    WindowPlace CTool{760, 488, 0, 0, false};
    WindowPlace Narabe{1210, 20, 0, 0, false};
    bool MainMax = true;
};

// Undo history counters and slots.
struct UndoHistory {
    std::vector<UndoEntry> UndoEntries;
    int UndoDepth = 0;
    int RedoDepth = 0;
    bool UndoCoalesce = false;
    bool UndoCoalesced = false;
};

// Every program-wide variable of the editor, under its own name. The program owns one;
// every test builds its own.
struct EditorState {
    EditorState();
    EditorState(const EditorState&) = delete;
    EditorState& operator=(const EditorState&) = delete;

    // --- The document.
    TDIB MainImage;
    std::array<int32_t, 256> ForbiddenFlags{};
    uint8_t TransColor = 0;
    // The document came from a PNG with a tRNS chunk: saving it as PNG writes one again.
    bool KeepTrns = false;
    uint8_t DrawColor = 0;
    std::string FileName;
    bool Modified = false;
    // Grows with every change of the document (SetModified, undo and redo); the recovery copy
    // compares it to see whether the copy on disk is behind.
    uint64_t EditCount = 0;

    // --- Character cells.
    int CharWidth = 32;
    int CharHeight = 32;
    int CharLeft = 0;
    int CharTop = 0;
    int LayerLeft = 0;
    int LayerTop = 0;
    bool LayerBelow = true;
    bool LayerActive = false;
    bool LupeGrid = false;
    int LupeStepX = 8;
    int LupeStepY = 8;

    // --- View buffers.
    TDIB LupeImage;
    TDIB LupeBackImage;
    TDIB LayerImage;
    TDIB PaletteImage;
    TDIB CopyImage;
    TDIB BarBitmap;
    std::vector<uint8_t> CellBufA;
    std::vector<uint8_t> CellBufB;
    int CharArea = 0;
    int LupeViewWidth = 0;
    int LupeViewHeight = 0;
    int LupeMinSize = 104;
    int ImageWidth = 0;
    int ImageHeight = 0;

    // --- Palette tables.
    ColorTableArray PaletteQuads{};
    std::array<uint32_t, 256> PaletteColors{};

    // --- Drawing state shared by all windows.
    int Magnification = 8;
    uint8_t CopyRangeState = 0;

    // --- Options.
    bool ShowGrid = true;
    bool RichDisplay = false;
    bool LayerDisplayMode = true;
    bool LupeOverhang = false;
    bool LiveUpdate = false;
    bool CursorWhileDrawing = false;
    bool CursorStyle = true;
    bool PasteTransparent = true;
    bool CopyWithMergeMode = false;
    bool KeepOriginalOnResize = true;
    int UndoCount = 31;
    int NarabeCount = 2;
    int NarabeZoom = 1;
    int EXZoom = 1;
    int EXStyle = 0;
    int PaleColumns = 16;
    int PaleRows = 16;
    int PaleCellWidth = 16;
    int PaleCellHeight = 16;

    // --- Start-up and files.
    bool StartingUp = false;
    bool IniReadMode = true;
    std::string AppDir;  // the program's folder with a trailing "/"
    std::string ConfigDir;   // where the configuration goes when not in AppDir (AppPaths)
    std::string UserDataDir; // where palettes and recovery copies go when not in AppDir
    std::string StartFile;   // the file named on the command line, opened after start-up
    int PaletteLoadQuiet = 0;
    std::array<std::string, 10> RecentFiles;  // entries 1..9; entry 0 unused
    std::vector<std::string> SizeItems{"32x32", "64x64", "128x128"};
    std::vector<std::string> BaiItems{"100%", "200%", "400%", "600%", "800%", "1200%", "1600%",
                                      "2000%"};
    WindowPlaces Windows;

    // --- Drawing engine: tool window choices and pen.
    int CurrentTool = 0;  // 0 pen, 1 line, 2 ellipse, 3 filled ellipse, 4 box, 5 filled box, 6 fill, 7 range
    int MergeMode = 0;    // 0 normal, 1 blend, 2 add, 3 subtract, 4 multiply
    int DitherMode = 0;   // 0 none, 1 even, 2 odd
    int PenIndex = 0;
    int PenSize = 1;
    int PenOffset = 0;
    // [x][y][pen]: 255 where the pen covers the pixel.
    std::array<std::array<std::array<uint8_t, 20>, 20>, 20> PenMasks{};
    ColorTables Tables;

    // --- Magnifier.
    bool Drawing = false;
    bool PickingColor = false;
    int LastCellX = 0;
    int LastCellY = 0;
    int AnchorX = 0;
    int AnchorY = 0;
    bool CursorHidden = false;
    bool PreviewDrawing = false;
    IntRect DirtyRect;
    IntRect DirtyCells;
    IntRect CursorRect;
    bool PalettePending = false;
    int PreviewLeft = 0;
    int PreviewTop = 0;
    int PreviewWidth = 0;
    int PreviewHeight = 0;
    // The magnifier's scrolling area: scroll position and client size, for the clip region.
    int LupeScrollX = 0;
    int LupeScrollY = 0;
    int LupeClientWidth = 0;
    int LupeClientHeight = 0;

    // --- Undo history.
    UndoHistory Undo;

    // --- Layer window (mirrored controls).
    int LayerMethod = 0;         // "合成方法" 0..4
    bool LayerSeeThrough = true;  // "透過色" "有効"
    int LayerMergeTarget = 0;    // "統合先" 0 edited cell, 1 layer cell
    bool LayerStripes = false;

    // --- Copy and paste.
    int CopyLeft = 0;
    int CopyTop = 0;
    int CopyWidth = 0;
    int CopyHeight = 0;
    int CopyCellX = 0;
    int CopyCellY = 0;
    int CopyStepX = 8;
    int CopyStepY = 8;
    int CopySizeChoice = 5;  // "コピーサイズ" item index

    // --- Overview.
    int OverviewPower = 16;
    int OverviewPowerIndex = 2;

    // --- Palette window.
    uint8_t PaleDragMode = 2;
    bool PaleForbidDrag = false;
    std::array<uint8_t, 256> PaleVisited{};

    // --- Colour edit dialog: the edited colour in both models, the bar being dragged (0 none,
    // 1..3 top to bottom) and whether a change of the number fields counts as typing.
    int16_t EditRed = 0;
    int16_t EditGreen = 0;
    int16_t EditBlue = 0;
    int16_t EditHue = 0;
    int16_t EditLight = 0;
    int16_t EditSat = 0;
    uint8_t EditBarRow = 0;
    bool EditFieldsLive = true;

    // --- Animation window (mirrored controls).
    int AnimeFPS = 8;
    int AnimeFrames = 3;
    int AnimeChrMode = 0;
    int AnimeBai = 0;
    int AnimeMode = 0;

    // --- Extended and tiled view choices live in EXZoom, EXStyle, NarabeCount, NarabeZoom.

    // The recovery copy of the document; null when the program keeps none (tests, or a
    // recovery folder that cannot be made).
    RecoveryCopy* Recovery = nullptr;

    // The windows, as far as the core needs them. Never null.
    ViewHooks* Hooks;

private:
    ViewHooks defaultHooks_;
};

// Every edit of the document goes through here: Modified, and the count the recovery copy
// watches.
inline void SetModified(EditorState& s) {
    s.Modified = true;
    ++s.EditCount;
}

// The magnifier shows its pixel grid only from 200 % up: at 100 % every pixel would be a grid
// line and nothing drawn would show.
inline bool GridShown(const EditorState& s) { return s.ShowGrid && s.Magnification >= 2; }

} // namespace vallo
