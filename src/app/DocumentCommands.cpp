#include "app/DocumentCommands.h"

#include "state/Configuration.h"
#include "state/EditorState.h"
#include "state/RecoveryCopy.h"
#include "state/StateRoutines.h"
#include "draw/Undo.h"
#include "formats/GifReader.h"
#include "formats/PngCodec.h"
#include "image/AtomicFile.h"
#include "image/ColorReducer.h"
#include "palette/PaletteFile.h"
#include "draw/ImageLayout.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <exception>
#include <filesystem>

namespace vallo {

namespace {

// ---- File formats and lists used by the commands.

// Reads a palette PNG; false when the codec does not take the file (other readers may). The
// marks start from the ones in loaded and change only where the file says so.
bool LoadPngFile(const std::string& path, LoadedPicture& loaded, std::string& error) {
    try {
        TDIB picture;
        PngMarks marks{loaded.ForbiddenFlags, loaded.TransColor};
        if (!LoadPNG(path, picture, marks))
            return false;
        loaded.Picture = picture.BitCount() == 8 ? picture : ReduceTo256(picture);
        loaded.ForbiddenFlags = marks.ForbiddenFlags;
        loaded.TransColor = marks.TransColor;
        loaded.HasTrns = marks.HasTrns;
        return true;
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
}
void SavePngFile(const EditorState& s, const std::string& path) {
    SavePNG(path, s.MainImage, s.ForbiddenFlags, s.TransColor, s.KeepTrns);
}
void LoadBmpFile(const std::string& path, TDIB& picture) {
    picture.LoadFromFile(path);
}
void SaveBmpFile(const EditorState& s, const std::string& path) {
    s.MainImage.SaveToFile(path);
}
TDIB ReducePicture(const TDIB& picture) {
    return ReduceTo256(picture);
}
// An indexed picture keeps its indices and palette; only true colour is reduced.
TDIB CopyIndexedPicture(const RgbaPicture& p) {
    if (p.Palette.size() > 256 || p.Stride < p.Width ||
        p.Pixels.size() < size_t(p.Stride) * size_t(p.Height))
        throw DibError("不正なピクセルフォーマットです");
    TDIB out(p.Width, p.Height, 8);
    for (size_t i = 0; i < p.Palette.size(); ++i)
        out.ColorTable()[i] = RGBQuad{uint8_t(p.Palette[i]), uint8_t(p.Palette[i] >> 8),
                                      uint8_t(p.Palette[i] >> 16), 0};
    for (int y = 0; y < p.Height; ++y)
        std::copy_n(p.Pixels.data() + size_t(y) * size_t(p.Stride), p.Width, out.ScanLine(y));
    return out;
}
TDIB ReduceRgba(const RgbaPicture& p) {
    if (p.Width < 1 || p.Height < 1)
        return TDIB();
    if (!p.Palette.empty())
        return CopyIndexedPicture(p);
    if (p.Stride < p.Width * 4 || p.Pixels.size() < size_t(p.Stride) * size_t(p.Height))
        throw DibError("不正なピクセルフォーマットです");
    return ReduceRgbaTo256(p.Pixels.data(), p.Width, p.Height, p.Stride);
}
void RememberRecentFile(EditorState& s, const std::string& path) {
    AddRecentFile(s, path);
}
void FillBlankImage(EditorState& s, int width, int height) {
    NewImageWithDefaultPalette(s, width, height);
}

// ---- Helpers.

std::string LowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// The extension with its dot, lower-cased; empty when the file name has none.
std::string LowerExtension(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return LowerCase(path.substr(dot));
}

bool IsExistingFile(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

bool StartsWith(const std::string& path, const std::string& magic) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    std::string head(magic.size(), '\0');
    const size_t got = std::fread(head.data(), 1, head.size(), f);
    std::fclose(f);
    return got == magic.size() && head == magic;
}

// Reads the picture through the BMP reader or, for other formats, the platform's reader.
bool ReadNonPngPicture(DocumentUi& ui, const std::string& path, LoadedPicture& loaded,
                       std::string& error) {
    try {
        if (StartsWith(path, "BM")) {
            TDIB picture;
            LoadBmpFile(path, picture);
            loaded.Picture = ReducePicture(picture);
        } else if (StartsWith(path, "GIF8")) {
            const std::vector<uint8_t> bytes = ReadWholeFile(path);
            GifPicture gif = ReadGif(bytes.data(), bytes.size());
            loaded.Picture = std::move(gif.Picture);
            loaded.TransColor = gif.TransColor.value_or(loaded.TransColor);
        } else {
            RgbaPicture rgba;
            if (!ui.ReadOtherPicture(path, rgba, error))
                return false;
            loaded.Picture = ReduceRgba(rgba);
        }
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
    loaded.ForbiddenFlags.fill(0); // other formats carry no marks
    loaded.HasTrns = false;
    return true;
}

bool WriteDocument(EditorState& s, DocumentUi& ui, const std::string& path) {
    try {
        if (LowerExtension(path) == ".bmp")
            SaveBmpFile(s, path);
        else
            SavePngFile(s, path);
    } catch (const std::exception& e) {
        ui.ShowError(e.what());
        return false;
    }
    return true;
}

} // namespace

LoadedPicture LoadedPicture::Of(const EditorState& s) {
    LoadedPicture loaded;
    loaded.TransColor = s.TransColor;
    loaded.ForbiddenFlags = s.ForbiddenFlags;
    return loaded;
}

bool HasSavableExtension(const std::string& path) {
    const std::string ext = LowerExtension(path);
    return ext == ".bmp" || ext == ".png";
}

std::string SaveAsTargetPath(const std::string& chosen, int filterIndex) {
    if (HasSavableExtension(chosen))
        return chosen;
    return chosen + (filterIndex == kSaveFilterBmp ? ".bmp" : ".png");
}

bool ReadPictureFile(DocumentUi& ui, const std::string& path, LoadedPicture& loaded,
                     std::string& error) {
    error.clear();
    bool read = false;
    if (LowerExtension(path) == ".png")
        read = LoadPngFile(path, loaded, error);
    // A PNG our codec found damaged is not handed on: another reader might take it, but it
    // would come in colour-reduced with its marks lost.
    if (!read && !error.empty())
        return false;
    if (!read && !ReadNonPngPicture(ui, path, loaded, error))
        return false;
    const TDIB& p = loaded.Picture;
    if (p.Width() < kMinImageSize || p.Height() < kMinImageSize) {
        error = "画像が小さすぎます (最小 " + std::to_string(kMinImageSize) + " x " +
                std::to_string(kMinImageSize) + ")";
        return false;
    }
    if (p.Width() > kMaxImageSize || p.Height() > kMaxImageSize || p.BitCount() != 8) {
        error = "画像が大きすぎます (最大 " + std::to_string(kMaxImageSize) + " x " +
                std::to_string(kMaxImageSize) + ")";
        return false;
    }
    return true;
}

void InstallPicture(EditorState& s, LoadedPicture& loaded) {
    if (!s.StartingUp)
        PushUndo(s, 0, 0, s.MainImage.Width() - 1, s.MainImage.Height() - 1, true, true);
    LoadPictureIntoMainImage(s, loaded.Picture);
    s.ForbiddenFlags = loaded.ForbiddenFlags;
    s.TransColor = loaded.TransColor;
    s.KeepTrns = loaded.HasTrns;
    s.Hooks->ReleaseLayerButton();
    s.LayerActive = false;
    ApplyImageSize(s);
    PropagatePalette(s);
    s.Hooks->RepaintOverview();
    s.Hooks->RepaintLupe();
    s.Hooks->RedrawPaletteImage();
    s.Hooks->RepaintPalette();
    s.Hooks->RefreshUndoButtons();
    s.CopyRangeState = 0;
}

void TakePicture(EditorState& s, LoadedPicture& loaded, const std::string& path) {
    InstallPicture(s, loaded);
    s.Modified = false;
    s.FileName = path;
    RememberRecentFile(s, path);
    s.Hooks->SetTitle(DocumentTitle(s.FileName));
}

bool ConfirmDiscardOrSave(EditorState& s, DocumentUi& ui) {
    bool goOn = !s.Modified;
    if (!goOn) {
        switch (ui.AskSaveChanges()) {
        case SaveAnswer::Cancel:
            break;
        case SaveAnswer::No:
            goOn = true;
            break;
        case SaveAnswer::Yes:
            // Going on after a failed or cancelled save would throw the work away.
            goOn = SaveClick(s, ui);
            break;
        }
    }
    // The work is saved or given up: its recovery copy goes too.
    if (goOn)
        DiscardRecoveryCopy(s);
    return goOn;
}

bool OpenClick(EditorState& s, DocumentUi& ui) {
    const std::optional<std::string> path = ui.ChooseOpenFile();
    return path && OpenPath(s, ui, *path);
}

bool OpenPath(EditorState& s, DocumentUi& ui, const std::string& path) {
    if (!ConfirmDiscardOrSave(s, ui))
        return false;
    LoadedPicture loaded = LoadedPicture::Of(s);
    std::string error;
    if (!IsExistingFile(path)) {
        ui.ShowError(path + " が見つかりません");
        return false;
    }
    if (!ReadPictureFile(ui, path, loaded, error)) {
        if (!error.empty())
            ui.ShowError(error);
        return false;
    }
    TakePicture(s, loaded, path);
    return true;
}

bool FClick(EditorState& s, DocumentUi& ui, int n) {
    if (n < 1 || n > 9)
        return false;
    const std::string path = s.RecentFiles[size_t(n)];
    if (path.empty() || path == "[No File]")
        return false;
    LoadedPicture loaded = LoadedPicture::Of(s);
    std::string error;
    bool read = false;
    if (!IsExistingFile(path))
        error = path + " が見つかりません";
    else
        read = ReadPictureFile(ui, path, loaded, error);
    if (!read) {
        // At start-up a missing or unreadable file falls back quietly to a blank image.
        if (!error.empty() && !s.StartingUp)
            ui.ShowError(error);
        return false;
    }
    if (!ConfirmDiscardOrSave(s, ui))
        return false;
    TakePicture(s, loaded, path);
    return true;
}

bool SaveClick(EditorState& s, DocumentUi& ui) {
    // Only ".bmp" and ".png" can be written back; a picture read from another format is
    // saved under a new name.
    if (!IsExistingFile(s.FileName) || !HasSavableExtension(s.FileName))
        return SaveAsClick(s, ui);
    if (!WriteDocument(s, ui, s.FileName))
        return false;
    RememberRecentFile(s, s.FileName);
    s.Modified = false;
    DiscardRecoveryCopy(s);
    if (s.FileName != s.AppDir + "files/sizechange.png")
        s.Hooks->SetTitle(DocumentTitle(s.FileName));
    return true;
}

bool SaveAsClick(EditorState& s, DocumentUi& ui) {
    const std::optional<SaveChoice> choice = ui.ChooseSaveFile();
    if (!choice || choice->Path.empty())
        return false;
    const std::string path = SaveAsTargetPath(choice->Path, choice->FilterIndex);
    std::error_code ec;
    if (std::filesystem::exists(path, ec) && !ui.AskOverwrite(path))
        return false;
    if (!WriteDocument(s, ui, path))
        return false;
    s.FileName = path;
    s.Modified = false;
    DiscardRecoveryCopy(s);
    RememberRecentFile(s, path);
    s.Hooks->SetTitle(DocumentTitle(s.FileName));
    return true;
}

void MakeBlankDocument(EditorState& s, int width, int height) {
    s.ForbiddenFlags.fill(0);
    s.KeepTrns = false;
    if (!s.StartingUp)
        PushUndo(s, 0, 0, s.MainImage.Width() - 1, s.MainImage.Height() - 1, true, true);
    if (s.CharWidth > width)
        s.CharWidth = width / 8 * 8;
    if (s.CharHeight > height)
        s.CharHeight = height / 8 * 8;
    s.Hooks->ReleaseLayerButton();
    s.LayerActive = false;
    s.CharLeft = s.CharTop = s.LayerLeft = s.LayerTop = 0;
    FillBlankImage(s, width, height);
    ApplyImageSize(s);
    s.Hooks->RepaintOverview();
    s.Hooks->RepaintLupe();
    s.Hooks->RedrawPaletteImage();
    s.Hooks->RepaintPalette();
    s.Hooks->RefreshUndoButtons();
    s.FileName.clear();
    s.Modified = !s.StartingUp;
    s.CopyRangeState = 0;
    s.Hooks->SetTitle(DocumentTitle(s.FileName));
}

bool FormCloseQuery(EditorState& s, DocumentUi& ui) {
    return ConfirmDiscardOrSave(s, ui);
}

} // namespace vallo
