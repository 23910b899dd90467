#pragma once

#include "image/AtomicFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vallo {

struct EditorState;

// Palette files (".vp3": title, 256 colours as red, green, blue, 256 mark bytes) and
// forbidden-colour files (".vk3": title and mark bytes) in the palette folder (AppDir +
// "palette/" for a portable copy).
enum class PaletteFileKind { Palette, Forbidden };

inline constexpr size_t kPaletteTitleSize = 32;
inline constexpr size_t kPaletteFileSize = 1056;
inline constexpr size_t kForbiddenFileSize = 288;
// While PaletteLoadQuiet holds this value a palette load records no undo step and leaves
// the windows alone.
inline constexpr int kPaletteLoadQuiet = 333;

// Dialog captions that tell the two kinds of file apart.
inline constexpr const char* kCaptionLoadPalette = "パレット読み込み";
inline constexpr const char* kCaptionLoadForbidden = "描画禁止色位置読み込み";
inline constexpr const char* kCaptionBrowse = "参照";
inline constexpr const char* kCaptionSavePalette = "パレット保存";
inline constexpr const char* kCaptionSaveForbidden = "描画禁止色位置保存";

// The save dialog treats every caption but "パレット保存" as a forbidden-colour file.
PaletteFileKind SaveKindForCaption(const std::string& caption);
// The load dialog: "パレット読み込み" loads palettes, every other caption forbidden-colour files.
PaletteFileKind LoadKindForCaption(const std::string& caption);
const char* PaletteFileExtension(PaletteFileKind kind); // ".vp3" or ".vk3"
// Names of the files of a folder with the extension (letter case ignored), sorted; an empty
// list when the folder cannot be read.
std::vector<std::string> ListPaletteFiles(const std::string& folder, const std::string& extension);
size_t PaletteFileSize(PaletteFileKind kind);
// The palette folder the user's palettes are kept in.
std::string PaletteFolder(const EditorState& s);
// File name without folder and extension, as the browse button hands it to the save dialog.
std::string PaletteFileBaseName(const std::string& path);

// Title bytes (CP932, up to the first zero, at most 32 bytes) as UTF-8 for display. Bytes that
// are not valid CP932 show as U+FFFD.
std::string TitleToUtf8(const std::vector<uint8_t>& bytes);
// A typed title as CP932 bytes; throws FileError when it cannot be converted or needs more
// than 32 bytes.
std::string TitleFromUtf8(const std::string& utf8);
// The title of a palette or forbidden-colour file, as UTF-8 (the first 32 bytes of the file).
std::string ReadPaletteTitle(const std::string& path);

// Mark byte of one index: the low byte of its forbidden flag, plus 100 on TransColor.
std::vector<uint8_t> EncodeMarks(const EditorState& s);

// The bytes of a file of the given kind for the current state, under a CP932 title.
std::vector<uint8_t> BuildPaletteFile(const EditorState& s, PaletteFileKind kind,
                                      const std::string& titleBytes);
// Writes AppDir + "palette/" + name + extension, replacing an existing file. The title is
// UTF-8. An empty name or one holding a path separator is refused with FileError; the state
// is never changed.
void SavePaletteFile(const EditorState& s, PaletteFileKind kind, const std::string& titleUtf8,
                     const std::string& name);

// Loads the palette (and marks) or the marks of a file; returns its title as UTF-8. A file
// shorter than its layout is refused with FileError and changes nothing.
std::string LoadPaletteFile(EditorState& s, const std::string& path, PaletteFileKind kind);
// The same from bytes already in memory.
void ApplyPaletteFileBytes(EditorState& s, const std::vector<uint8_t>& bytes, PaletteFileKind kind);

// The 1056 bytes of the default palette "palette/vallo.vp3".
std::vector<uint8_t> DefaultPaletteBytes();
// Creates the palette folder (ending in "/") and its "vallo.vp3" when missing: a copy of the
// shipped palette file when that is a whole palette file, the built-in default otherwise.
void EnsurePaletteFolder(const std::string& folder, const std::string& shippedFile);
// A fresh width x height 8-bit MainImage of index 0 with the default palette and marks,
// untitled and modified. When "palette/vallo.vp3" is missing or unreadable the built-in
// default palette is used. Sizes are kept within the image limits.
void NewImageWithDefaultPalette(EditorState& s, int width, int height);

} // namespace vallo
