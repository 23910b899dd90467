#include "app/BatchCommands.h"

#include "formats/PngCodec.h"
#include "image/AtomicFile.h"
#include "palette/PaletteExchange.h"
#include "palette/PaletteFile.h"
#include "state/EditorState.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <exception>
#include <filesystem>
#include <optional>
#include <ostream>
#include <sstream>

namespace vallo {

namespace {

constexpr uint8_t kTransparentMarkByte = 100;

// The document commands' user interface for a run without a window: no questions are ever
// asked, and other formats go to the platform's reader.
class WindowlessUi : public DocumentUi {
public:
    explicit WindowlessUi(const OtherPictureReader& read) : read_(read) {}
    SaveAnswer AskSaveChanges() override { return SaveAnswer::Cancel; }
    bool AskOverwrite(const std::string&) override { return true; }
    std::optional<std::string> ChooseOpenFile() override { return std::nullopt; }
    std::optional<SaveChoice> ChooseSaveFile() override { return std::nullopt; }
    void ShowError(const std::string&) override {}
    bool AskRestoreRecovery() override { return false; }
    bool ReadOtherPicture(const std::string& path, RgbaPicture& picture,
                          std::string& error) override {
        if (!read_) {
            error = path + ": 読み込めない形式です";
            return false;
        }
        return read_(path, picture, error);
    }

private:
    const OtherPictureReader& read_;
};

// A palette to convert to: colours and the marks that come with it. Only the first Count
// entries are candidates; the rest of a shorter exchange palette stays black and unused.
struct TargetPalette {
    size_t Count = 256;
    ColorTableArray Colors{};
    std::array<int32_t, 256> ForbiddenFlags{};
    std::optional<uint8_t> TransColor;
};

std::string LowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

// Reads a ".vp3" palette file: title, 256 red-green-blue triples, 256 mark bytes.
TargetPalette ReadVp3Palette(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    if (bytes.size() < kPaletteFileSize)
        throw FileError(path + ": パレットファイルが短すぎます");
    TargetPalette p;
    for (size_t i = 0; i < 256; ++i) {
        const uint8_t* c = &bytes[kPaletteTitleSize + 3 * i];
        p.Colors[i] = {c[2], c[1], c[0], 0};
        uint8_t mark = bytes[kPaletteTitleSize + 768 + i];
        if (mark >= kTransparentMarkByte) {
            p.TransColor = uint8_t(i); // the last transparent mark wins
            mark = uint8_t(mark - kTransparentMarkByte);
        }
        p.ForbiddenFlags[i] = mark;
    }
    return p;
}

// A palette file of our own or of another program (".gpl", ".pal", ".act", ".hex"), which
// brings colours only.
TargetPalette ReadTargetPalette(const std::string& path) {
    if (LowerExtension(path) == ".vp3")
        return ReadVp3Palette(path);
    const std::vector<RGBQuad> colours = ReadExchangePalette(path);
    TargetPalette p;
    p.Count = std::min(colours.size(), p.Colors.size());
    std::copy_n(colours.begin(), p.Count, p.Colors.begin());
    return p;
}

int Distance(const RGBQuad& a, const RGBQuad& b) {
    const int dr = int(a.rgbRed) - int(b.rgbRed);
    const int dg = int(a.rgbGreen) - int(b.rgbGreen);
    const int db = int(a.rgbBlue) - int(b.rgbBlue);
    return dr * dr + dg * dg + db * db;
}

// The allowed entry of the palette nearest to the colour; the lowest index on a tie.
std::optional<uint8_t> NearestAllowed(const TargetPalette& p, const RGBQuad& colour) {
    std::optional<uint8_t> best;
    int bestDistance = 0;
    for (size_t i = 0; i < p.Count; ++i) {
        if (p.ForbiddenFlags[i] == kForbidden)
            continue;
        const int d = Distance(p.Colors[i], colour);
        if (!best || d < bestDistance) {
            best = uint8_t(i);
            bestDistance = d;
        }
    }
    return best;
}

void RemapByColour(LoadedPicture& loaded, const TargetPalette& p) {
    std::array<uint8_t, 256> map{};
    for (size_t i = 0; i < 256; ++i) {
        const std::optional<uint8_t> to = NearestAllowed(p, loaded.Picture.ColorTable()[i]);
        if (!to)
            throw FileError("パレットの全ての色が描画禁止です");
        map[i] = *to;
    }
    TDIB& picture = loaded.Picture;
    for (int y = 0; y < picture.Height(); ++y) {
        uint8_t* row = picture.ScanLine(y);
        for (int x = 0; x < picture.Width(); ++x)
            row[x] = map[row[x]];
    }
}

// Kept indices must not land on a colour the palette forbids.
void CheckKeptIndices(const LoadedPicture& loaded, const TargetPalette& p) {
    const TDIB& picture = loaded.Picture;
    for (int y = 0; y < picture.Height(); ++y) {
        const uint8_t* row = picture.ScanLine(y);
        for (int x = 0; x < picture.Width(); ++x)
            if (p.ForbiddenFlags[row[x]] == kForbidden)
                throw FileError("描画禁止色 " + std::to_string(row[x]) + " が使われています (" +
                                std::to_string(x) + ", " + std::to_string(y) + ")");
    }
}

void ApplyTargetPalette(LoadedPicture& loaded, const TargetPalette& p, bool keepIndices) {
    if (keepIndices)
        CheckKeptIndices(loaded, p);
    else
        RemapByColour(loaded, p);
    loaded.Picture.ColorTable() = p.Colors;
    loaded.Picture.UpdatePalette();
    loaded.ForbiddenFlags = p.ForbiddenFlags;
    if (p.TransColor)
        loaded.TransColor = *p.TransColor;
}

// Reads a picture as Open does. Throws FileError with the editor's message on failure.
LoadedPicture ReadPicture(const std::string& path, const OtherPictureReader& readOther) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        throw FileError(path + " が見つかりません");
    EditorState s; // the marks a file without its own start from
    LoadedPicture loaded = LoadedPicture::Of(s);
    WindowlessUi ui(readOther);
    std::string error;
    if (!ReadPictureFile(ui, path, loaded, error))
        throw FileError(error.empty() ? path + ": 8 x 8 より小さい画像は開けません" : error);
    return loaded;
}

int Convert(const CommandLine& c, const OtherPictureReader& readOther) {
    LoadedPicture loaded = ReadPicture(c.Input, readOther);
    if (!c.PaletteFile.empty())
        ApplyTargetPalette(loaded, ReadTargetPalette(c.PaletteFile), c.KeepIndices);
    if (LowerExtension(c.Output) == ".bmp")
        loaded.Picture.SaveToFile(c.Output);
    else
        SavePNG(c.Output, loaded.Picture, loaded.ForbiddenFlags, loaded.TransColor);
    return kExitOk;
}

std::string JsonString(const std::string& text) {
    std::ostringstream out;
    out << '"';
    for (const unsigned char ch : text) {
        if (ch == '"' || ch == '\\')
            out << '\\' << ch;
        else if (ch < 0x20) {
            static constexpr char kHex[] = "0123456789abcdef";
            out << "\\u00" << kHex[ch >> 4] << kHex[ch & 15];
        } else
            out << ch;
    }
    out << '"';
    return out.str();
}

struct PictureFacts {
    int Width = 0;
    int Height = 0;
    int ColorsUsed = 0;
    int TransColor = 0;
    std::vector<int> Forbidden;
};

PictureFacts Describe(const LoadedPicture& loaded) {
    PictureFacts f;
    f.Width = loaded.Picture.Width();
    f.Height = loaded.Picture.Height();
    std::array<bool, 256> used{};
    for (int y = 0; y < f.Height; ++y) {
        const uint8_t* row = loaded.Picture.ScanLine(y);
        for (int x = 0; x < f.Width; ++x)
            used[row[x]] = true;
    }
    f.ColorsUsed = int(std::count(used.begin(), used.end(), true));
    f.TransColor = loaded.TransColor;
    for (int i = 0; i < 256; ++i)
        if (loaded.ForbiddenFlags[size_t(i)] == kForbidden)
            f.Forbidden.push_back(i);
    return f;
}

std::string JoinNumbers(const std::vector<int>& numbers, const char* separator) {
    std::string text;
    for (size_t i = 0; i < numbers.size(); ++i)
        text += (i ? separator : "") + std::to_string(numbers[i]);
    return text;
}

int Info(const CommandLine& c, const OtherPictureReader& readOther, std::ostream& out) {
    const PictureFacts f = Describe(ReadPicture(c.File, readOther));
    if (c.Json) {
        out << "{\"file\": " << JsonString(c.File) << ", \"width\": " << f.Width
            << ", \"height\": " << f.Height << ", \"colors_used\": " << f.ColorsUsed
            << ", \"transparent_index\": " << f.TransColor << ", \"forbidden\": ["
            << JoinNumbers(f.Forbidden, ", ") << "]}\n";
        return kExitOk;
    }
    out << "file: " << c.File << "\n"
        << "size: " << f.Width << " x " << f.Height << "\n"
        << "colours used: " << f.ColorsUsed << "\n"
        << "transparent index: " << f.TransColor << "\n"
        << "forbidden: " << (f.Forbidden.empty() ? "none" : JoinNumbers(f.Forbidden, " ")) << "\n";
    return kExitOk;
}

} // namespace

int RunWindowlessCommand(const CommandLine& command, const OtherPictureReader& readOther,
                         std::ostream& out, std::ostream& err) {
    try {
        switch (command.Action) {
        case CommandAction::Help:
            out << UsageText();
            return kExitOk;
        case CommandAction::Version:
            out << VersionText();
            return kExitOk;
        case CommandAction::Convert:
            return Convert(command, readOther);
        case CommandAction::Info:
            return Info(command, readOther, out);
        case CommandAction::Edit:
        case CommandAction::BadArguments:
            break;
        }
    } catch (const std::exception& e) {
        err << "vallo: " << e.what() << "\n";
        return kExitRefused;
    }
    err << "vallo: " << (command.Error.empty() ? "no command" : command.Error) << "\n"
        << UsageText();
    return kExitBadArguments;
}

} // namespace vallo
