#pragma once

#include "image/AtomicFile.h"
#include "image/DIB.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vallo {

struct EditorState;

// Palettes in the files of other programs: GIMP palettes (".gpl"), JASC-PAL text and RIFF
// binary palettes (".pal"), Adobe colour tables (".act") and plain hex lists (".hex").
enum class ExchangeFormat { Gpl, JascPal, RiffPal, Act, Hex };

// At most this many colours are read; a longer file is refused.
inline constexpr size_t kMaxExchangeColors = 256;

// The format a file is read as: from its extension (letter case ignored), and for ".pal" from
// its content ("RIFF" at the start is the binary form, anything else the text form). Throws
// FileError for an extension of none of the formats.
ExchangeFormat ExchangeFormatForRead(const std::string& path, const std::vector<uint8_t>& bytes);
// The format a file is written in: ".pal" is written as JASC-PAL.
ExchangeFormat ExchangeFormatForWrite(const std::string& path);

// The colours of a file (1..256 of them, reserved bytes 0). A malformed, empty or overlong file
// is refused with FileError naming the line or byte offset at fault.
std::vector<RGBQuad> ParseExchangePalette(const std::vector<uint8_t>& bytes, ExchangeFormat format);
// The file bytes holding the given colours (1..256 of them). The ".act" form is the 772-byte
// one, with the colour count and `transparent` (-1 for none) after the 256 entries.
std::vector<uint8_t> BuildExchangePalette(const std::vector<RGBQuad>& colors, ExchangeFormat format,
                                          int transparent = -1);

// Reads a whole file and parses it in the format its name and content tell.
std::vector<RGBQuad> ReadExchangePalette(const std::string& path);

// "インポート(&I)...": the file's colours replace the palette from index 0 on (later entries keep
// theirs) as one undo step; the marks stay. Nothing changes when the file is refused.
void ImportPalette(EditorState& s, const std::string& path);
// "エクスポート(&X)...": the 256 committed entries in the format of the file name, written
// atomically. Changes no state.
void ExportPalette(const EditorState& s, const std::string& path);

} // namespace vallo
