#include "palette/PaletteFile.h"

#include "state/AppPaths.h"

#include "state/EditorState.h"
#include "state/StateRoutines.h"
#include "draw/Layers.h"
#include "draw/Undo.h"
#include "draw/ImageLayout.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iconv.h>
#include <memory>

namespace vallo {

namespace {

constexpr size_t kColorBytes = 768;
constexpr uint8_t kTransparentMark = 100;

// An iconv descriptor closed on every way out.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw FileError(std::string("文字コードを変換できません (") + from + " → " + to + ")");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as possible; returns false at the first invalid or incomplete sequence,
    // leaving `in` and `inLeft` there.
    bool Run(char*& in, size_t& inLeft, std::string& out) {
        std::array<char, 256> buf;
        while (inLeft > 0) {
            char* dst = buf.data();
            size_t dstLeft = buf.size();
            const size_t rc = iconv(cd_, &in, &inLeft, &dst, &dstLeft);
            out.append(buf.data(), buf.size() - dstLeft);
            if (rc == size_t(-1) && errno != E2BIG)
                return false;
        }
        return true;
    }

private:
    iconv_t cd_;
};

const std::string kReplacement = "\xEF\xBF\xBD";

void RefuseShortFile(size_t have, PaletteFileKind kind) {
    if (have < PaletteFileSize(kind))
        throw FileError(kind == PaletteFileKind::Palette
                            ? "パレットファイルが短すぎます (" + std::to_string(have) + " バイト)"
                            : "禁止色ファイルが短すぎます (" + std::to_string(have) + " バイト)");
}

// Restores PaletteLoadQuiet however the quiet load ends.
class QuietLoad {
public:
    explicit QuietLoad(EditorState& s) : s_(s) { s_.PaletteLoadQuiet = kPaletteLoadQuiet; }
    ~QuietLoad() { s_.PaletteLoadQuiet = 0; }
    QuietLoad(const QuietLoad&) = delete;
    QuietLoad& operator=(const QuietLoad&) = delete;

private:
    EditorState& s_;
};

} // namespace

PaletteFileKind SaveKindForCaption(const std::string& caption) {
    return caption == kCaptionSavePalette ? PaletteFileKind::Palette : PaletteFileKind::Forbidden;
}

PaletteFileKind LoadKindForCaption(const std::string& caption) {
    return caption == kCaptionLoadPalette ? PaletteFileKind::Palette : PaletteFileKind::Forbidden;
}

std::vector<std::string> ListPaletteFiles(const std::string& folder,
                                          const std::string& extension) {
    namespace fs = std::filesystem;
    const auto lower = [](std::string text) {
        for (char& c : text)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec) && lower(it->path().extension().string()) == lower(extension))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

const char* PaletteFileExtension(PaletteFileKind kind) {
    return kind == PaletteFileKind::Palette ? ".vp3" : ".vk3";
}

size_t PaletteFileSize(PaletteFileKind kind) {
    return kind == PaletteFileKind::Palette ? kPaletteFileSize : kForbiddenFileSize;
}

std::string PaletteFolder(const EditorState& s) {
    return UserPaletteFolder(s);
}

std::string PaletteFileBaseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

std::string TitleToUtf8(const std::vector<uint8_t>& bytes) {
    size_t n = std::min(bytes.size(), kPaletteTitleSize);
    n = size_t(std::find(bytes.begin(), bytes.begin() + ptrdiff_t(n), 0) - bytes.begin());
    std::string raw(bytes.begin(), bytes.begin() + ptrdiff_t(n));
    Converter conv("UTF-8", "CP932");
    std::string out;
    char* in = raw.data();
    size_t left = raw.size();
    while (!conv.Run(in, left, out)) {
        // Show an unreadable byte as a replacement character and go on after it.
        out += kReplacement;
        ++in;
        --left;
    }
    return out;
}

std::string TitleFromUtf8(const std::string& utf8) {
    Converter conv("CP932", "UTF-8");
    std::string out;
    std::string in = utf8;
    char* p = in.data();
    size_t left = in.size();
    if (!conv.Run(p, left, out))
        throw FileError("タイトルに使えない文字が含まれています");
    if (out.size() > kPaletteTitleSize)
        throw FileError("タイトルが長すぎます (32 バイトまで)");
    return out;
}

std::string ReadPaletteTitle(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    return TitleToUtf8(bytes);
}

std::vector<uint8_t> EncodeMarks(const EditorState& s) {
    std::vector<uint8_t> marks(256);
    for (size_t i = 0; i < 256; ++i) {
        uint8_t b = uint8_t(s.ForbiddenFlags[i] & 0xFF);
        if (i == s.TransColor)
            b = uint8_t(b + kTransparentMark);
        marks[i] = b;
    }
    return marks;
}

std::vector<uint8_t> BuildPaletteFile(const EditorState& s, PaletteFileKind kind,
                                      const std::string& titleBytes) {
    if (titleBytes.size() > kPaletteTitleSize)
        throw FileError("タイトルが長すぎます (32 バイトまで)");
    std::vector<uint8_t> out(titleBytes.begin(), titleBytes.end());
    out.resize(kPaletteTitleSize, 0);
    if (kind == PaletteFileKind::Palette) {
        for (const RGBQuad& q : s.PaletteQuads) {
            out.push_back(q.rgbRed);
            out.push_back(q.rgbGreen);
            out.push_back(q.rgbBlue);
        }
    }
    const std::vector<uint8_t> marks = EncodeMarks(s);
    out.insert(out.end(), marks.begin(), marks.end());
    return out;
}

void SavePaletteFile(const EditorState& s, PaletteFileKind kind, const std::string& titleUtf8,
                     const std::string& name) {
    if (name.empty())
        throw FileError("ファイル名が指定されていません");
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos)
        throw FileError("ファイル名にフォルダの区切り文字は使えません");
    const std::vector<uint8_t> bytes = BuildPaletteFile(s, kind, TitleFromUtf8(titleUtf8));
    WriteFileAtomically(PaletteFolder(s) + name + PaletteFileExtension(kind), bytes);
}

void ApplyPaletteFileBytes(EditorState& s, const std::vector<uint8_t>& bytes,
                           PaletteFileKind kind) {
    RefuseShortFile(bytes.size(), kind);
    const bool quiet = s.PaletteLoadQuiet == kPaletteLoadQuiet;
    size_t marks = kPaletteTitleSize;
    if (kind == PaletteFileKind::Palette) {
        if (!quiet)
            PushUndo(s, 0, 0, 0, 0, false, true);
        ColorTableArray& table = s.MainImage.ColorTable();
        for (size_t i = 0; i < 256; ++i) {
            const uint8_t* c = &bytes[kPaletteTitleSize + 3 * i];
            table[i] = {c[2], c[1], c[0], 0};
        }
        marks += kColorBytes;
    }
    for (size_t i = 0; i < 256; ++i) {
        uint8_t b = bytes[marks + i];
        if (b >= kTransparentMark) {
            s.TransColor = uint8_t(i);
            b = uint8_t(b - kTransparentMark);
        }
        s.ForbiddenFlags[i] = b;
    }
    SetModified(s);
    if (kind == PaletteFileKind::Palette)
        PropagatePalette(s);
    else
        RefreshPaletteViews(s);
    s.MainImage.UpdatePalette();
    if (quiet)
        return;
    s.Hooks->RepaintOverview();
    s.Hooks->RedrawPaletteImage();
    s.Hooks->RepaintPalette();
    EnsureDrawColorAllowed(s);
    LayChange(s);
    s.Hooks->RepaintCopyPreview();
}

std::string LoadPaletteFile(EditorState& s, const std::string& path, PaletteFileKind kind) {
    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    RefuseShortFile(bytes.size(), kind);
    const std::string title = TitleToUtf8(bytes);
    ApplyPaletteFileBytes(s, bytes, kind);
    return title;
}

std::vector<uint8_t> DefaultPaletteBytes() {
    // "デフォルト" in CP932.
    static constexpr uint8_t kTitle[] = {0x83, 0x66, 0x83, 0x74, 0x83,
                                         0x48, 0x83, 0x8B, 0x83, 0x67};
    static constexpr uint8_t kLevels[6] = {17, 68, 119, 170, 204, 238};
    std::vector<uint8_t> out(std::begin(kTitle), std::end(kTitle));
    out.resize(kPaletteTitleSize, 0);
    out.resize(out.size() + 10 * 3, 0);
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 6; ++j)
            for (int k = 0; k < 6; ++k) {
                out.push_back(kLevels[k]);
                out.push_back(kLevels[j]);
                out.push_back(kLevels[i]);
            }
    out.resize(out.size() + 30 * 3, 0);
    out.resize(kPaletteFileSize, 0);
    return out;
}

void EnsurePaletteFolder(const std::string& folder, const std::string& shippedFile) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        fs::create_directories(folder, ec);
        if (ec)
            throw FileError(folder + " を作成できません: " + ec.message());
    }
    const std::string file = folder + "vallo.vp3";
    if (fs::exists(file, ec))
        return;
    // The shipped copy when it is a whole palette file, the built-in one otherwise.
    std::vector<uint8_t> bytes;
    if (!shippedFile.empty() && fs::file_size(shippedFile, ec) == kPaletteFileSize && !ec)
        bytes = ReadWholeFile(shippedFile);
    WriteFileAtomically(file, bytes.size() == kPaletteFileSize ? bytes : DefaultPaletteBytes());
}

void NewImageWithDefaultPalette(EditorState& s, int width, int height) {
    width = std::clamp(width, 1, kMaxImageSize);
    height = std::clamp(height, 1, kMaxImageSize);
    // A fresh store is zero-filled: every pixel holds index 0, the colour of PaletteColors[0].
    TDIB image(width, height, 8);
    std::vector<uint8_t> bytes;
    try {
        bytes = ReadWholeFile(PaletteFolder(s) + "vallo.vp3");
    } catch (const FileError&) {
        bytes.clear();
    }
    if (bytes.size() < kPaletteFileSize)
        bytes = DefaultPaletteBytes();
    s.MainImage = std::move(image);
    {
        QuietLoad quiet(s);
        ApplyPaletteFileBytes(s, bytes, PaletteFileKind::Palette);
    }
    s.FileName.clear();
    s.Hooks->SetTitle(DocumentTitle(s.FileName));
    SetModified(s);
}

} // namespace vallo
