#pragma once

#include "image/DIB.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vallo {

struct EditorState;

inline constexpr const char* kMsgUnsavedWork =
    "編集中のファイルが保存されていません、今すぐ保存しますか？";
inline constexpr const char* kMsgOverwrite =
    "同名のファイルが存在します。上書きしますがよろしいですか？";
inline constexpr const char* kOpenFilter =
    "標準対応形式|*.png;*.bmp|ビットマップ形式|*.bmp|PNG形式|*.png|全ての形式|*.*";
inline constexpr const char* kSaveFilter = "ビットマップ形式|*.bmp|PNG形式|*.png";
// Save dialog filters, counted from 1 as the dialog reports them.
inline constexpr int kSaveFilterBmp = 1;
inline constexpr int kSaveFilterPng = 2;

enum class SaveAnswer { Yes, No, Cancel };

// A picture decoded by a reader outside the core: 8-bit red, green, blue, alpha per pixel, or,
// when Palette is not empty, one palette index per pixel with the picture's colours (0x00RRGGBB,
// at most 256) in index order. Indexed pictures keep their indices and palette exactly.
struct RgbaPicture {
    int Width = 0;
    int Height = 0;
    int Stride = 0; // bytes from one row to the next
    std::vector<uint8_t> Pixels;
    std::vector<uint32_t> Palette;
};

struct SaveChoice {
    std::string Path;
    int FilterIndex = kSaveFilterPng;
};

// What the document commands ask of the user and of the platform.
class DocumentUi {
public:
    virtual ~DocumentUi() = default;
    // The unsaved-work question.
    virtual SaveAnswer AskSaveChanges() = 0;
    // The overwrite question for an existing file; true = Yes.
    virtual bool AskOverwrite(const std::string& path) = 0;
    // The open dialog; nothing when it was cancelled.
    virtual std::optional<std::string> ChooseOpenFile() = 0;
    // The save dialog; nothing when it was cancelled.
    virtual std::optional<SaveChoice> ChooseSaveFile() = 0;
    virtual void ShowError(const std::string& message) = 0;
    // Reads a picture that is neither PNG nor BMP. On failure returns false and sets error.
    virtual bool ReadOtherPicture(const std::string& path, RgbaPicture& picture,
                                  std::string& error) = 0;
    // The start-up question about work a previous run left unsaved; true = restore it.
    virtual bool AskRestoreRecovery() = 0;
};

// A picture read from a file, converted to 8 bits with 256 entries, with the colour marks it
// carries. The marks start as the document's (LoadedPicture::Of) and reach the editor only when
// the picture is taken as the document.
struct LoadedPicture {
    TDIB Picture;
    uint8_t TransColor = 0;
    std::array<int32_t, 256> ForbiddenFlags{};
    bool HasTrns = false; // a PNG with a tRNS chunk
    static LoadedPicture Of(const EditorState& s);
};

// Reads a picture file: ".png" through the PNG codec, anything else (or a PNG the codec
// does not take) as BMP, GIF or through the platform's reader. A PNG the codec finds damaged,
// or a picture under 8 x 8, is refused. Returns false with a reason on failure.
bool ReadPictureFile(DocumentUi& ui, const std::string& path, LoadedPicture& loaded,
                     std::string& error);
// Takes a read picture as the document: one undo step (unless starting up), the picture, its
// marks, the layer released, the views refreshed, the name, recent list and title.
void TakePicture(EditorState& s, LoadedPicture& loaded, const std::string& path);
// The first part of TakePicture: the picture and its marks become the document (undo step,
// layer released, views refreshed), leaving the name, Modified and the recent list alone.
void InstallPicture(EditorState& s, LoadedPicture& loaded);

// The path Save As writes: the chosen name, with ".bmp" or ".png" appended by the filter when
// its extension (in any letter case) is neither.
std::string SaveAsTargetPath(const std::string& chosen, int filterIndex);
// True when the name ends in ".bmp" or ".png" in any letter case.
bool HasSavableExtension(const std::string& path);

// The unsaved-work question before a command that replaces the document. True = go on.
bool ConfirmDiscardOrSave(EditorState& s, DocumentUi& ui);

bool OpenClick(EditorState& s, DocumentUi& ui);
// Open without the dialog: the unsaved-work question, then path read and taken as the
// document; a file that cannot be read shows its message. True when the document was replaced.
bool OpenPath(EditorState& s, DocumentUi& ui, const std::string& path);
// Opens recent file n (1..9). True when the document was replaced.
bool FClick(EditorState& s, DocumentUi& ui, int n);
// True when the document was written.
bool SaveClick(EditorState& s, DocumentUi& ui);
bool SaveAsClick(EditorState& s, DocumentUi& ui);
// Replaces the document by a blank image with the default palette as one undoable step.
void MakeBlankDocument(EditorState& s, int width, int height);
// The main window's close query: true when the window may close.
bool FormCloseQuery(EditorState& s, DocumentUi& ui);

} // namespace vallo
