#include "palette/PaletteExchange.h"

#include "draw/Undo.h"
#include "palette/PaletteCommands.h"
#include "state/EditorState.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <filesystem>

namespace vallo {

namespace {

// No palette file of these formats comes near this size; a larger one is refused unread.
constexpr uintmax_t kMaxExchangeFileSize = 1 << 20;
constexpr size_t kActSize = 768;
constexpr size_t kActSizeWithCount = 772;

[[noreturn]] void FailAtLine(size_t line, const std::string& what) {
    throw FileError(std::to_string(line) + " 行目: " + what);
}

[[noreturn]] void FailAtByte(size_t offset, const std::string& what) {
    throw FileError(std::to_string(offset) + " バイト目: " + what);
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Extension(const std::string& path) {
    return Lower(std::filesystem::path(path).extension().string());
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Trim(const std::string& text) {
    size_t b = 0;
    size_t e = text.size();
    while (b < e && IsBlank(text[b]))
        ++b;
    while (e > b && IsBlank(text[e - 1]))
        --e;
    return text.substr(b, e - b);
}

// The lines of a text file: a UTF-8 byte order mark is skipped, LF, CRLF and lone CR end a line.
std::vector<std::string> Lines(const std::vector<uint8_t>& bytes) {
    size_t i = 0;
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
        i = 3;
    std::vector<std::string> lines;
    std::string line;
    for (; i < bytes.size(); ++i) {
        const char c = char(bytes[i]);
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

// Reads a decimal number 0..255 at `pos`, skipping blanks before it; false if there is none.
bool ReadChannel(const std::string& text, size_t& pos, uint8_t& value) {
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    const char* begin = text.data() + pos;
    const char* end = text.data() + text.size();
    int v = -1;
    const auto [ptr, ec] = std::from_chars(begin, end, v);
    if (ec != std::errc() || v < 0 || v > 255)
        return false;
    pos = size_t(ptr - text.data());
    value = uint8_t(v);
    return true;
}

// Three channels at the start of a line; what follows must start with a blank (or end the
// line) unless `restAllowed` is false, in which case nothing but blanks may follow.
RGBQuad ParseTriple(const std::string& text, size_t line, bool restAllowed) {
    RGBQuad q{};
    size_t pos = 0;
    if (!ReadChannel(text, pos, q.rgbRed) || !ReadChannel(text, pos, q.rgbGreen) ||
        !ReadChannel(text, pos, q.rgbBlue))
        FailAtLine(line, "0～255 の赤・緑・青が必要です (\"" + text + "\")");
    const std::string rest = text.substr(pos);
    if (!rest.empty() && (!restAllowed ? !Trim(rest).empty() : !IsBlank(rest[0])))
        FailAtLine(line, "色の後に余分な文字があります (\"" + text + "\")");
    return q;
}

void AddColor(std::vector<RGBQuad>& colors, const RGBQuad& q, size_t line) {
    if (colors.size() >= kMaxExchangeColors)
        FailAtLine(line, "色が 256 を超えています");
    colors.push_back(q);
}

void RefuseEmpty(const std::vector<RGBQuad>& colors) {
    if (colors.empty())
        throw FileError("色が 1 つもありません");
}

std::vector<RGBQuad> ParseGpl(const std::vector<uint8_t>& bytes) {
    const std::vector<std::string> lines = Lines(bytes);
    if (lines.empty() || Trim(lines[0]) != "GIMP Palette")
        FailAtLine(1, "\"GIMP Palette\" で始まっていません");
    std::vector<RGBQuad> colors;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string t = Trim(lines[i]);
        if (t.empty() || t[0] == '#' || t.rfind("Name:", 0) == 0 || t.rfind("Columns:", 0) == 0)
            continue;
        AddColor(colors, ParseTriple(t, i + 1, true), i + 1);
    }
    RefuseEmpty(colors);
    return colors;
}

std::vector<RGBQuad> ParseJasc(const std::vector<uint8_t>& bytes) {
    const std::vector<std::string> lines = Lines(bytes);
    if (lines.empty() || Trim(lines[0]) != "JASC-PAL")
        FailAtLine(1, "\"JASC-PAL\" で始まっていません");
    if (lines.size() < 2 || Trim(lines[1]) != "0100")
        FailAtLine(2, "版 \"0100\" がありません");
    if (lines.size() < 3)
        FailAtLine(3, "色の数がありません");
    const std::string countText = Trim(lines[2]);
    int count = -1;
    const auto [ptr, ec] =
        std::from_chars(countText.data(), countText.data() + countText.size(), count);
    if (ec != std::errc() || ptr != countText.data() + countText.size() || count < 0)
        FailAtLine(3, "色の数が読めません (\"" + lines[2] + "\")");
    if (count == 0)
        FailAtLine(3, "色が 1 つもありません");
    if (size_t(count) > kMaxExchangeColors)
        FailAtLine(3, "色が 256 を超えています (" + countText + ")");
    std::vector<RGBQuad> colors;
    for (size_t i = 0; i < size_t(count); ++i) {
        const size_t line = 4 + i;
        if (line > lines.size())
            FailAtLine(line, "色が " + countText + " 個に足りません");
        colors.push_back(ParseTriple(Trim(lines[line - 1]), line, false));
    }
    for (size_t line = 4 + size_t(count); line <= lines.size(); ++line)
        if (!Trim(lines[line - 1]).empty())
            FailAtLine(line, "色の数 " + countText + " を超える行があります");
    return colors;
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
           uint32_t(b[at + 3]) << 24;
}

uint16_t Le16(const std::vector<uint8_t>& b, size_t at) {
    return uint16_t(b[at] | b[at + 1] << 8);
}

bool TagAt(const std::vector<uint8_t>& b, size_t at, const char* tag) {
    return at + 4 <= b.size() && std::equal(tag, tag + 4, b.begin() + ptrdiff_t(at));
}

// RIFF "PAL " form: chunks after the 12-byte header, each an id, a 32-bit length and its data
// padded to an even length; the "data" chunk holds a version, a count and 4-byte entries.
std::vector<RGBQuad> ParseRiff(const std::vector<uint8_t>& b) {
    if (!TagAt(b, 0, "RIFF"))
        FailAtByte(0, "\"RIFF\" で始まっていません");
    if (!TagAt(b, 8, "PAL "))
        FailAtByte(8, "RIFF パレット (\"PAL \") ではありません");
    size_t at = 12;
    while (at + 8 <= b.size() && !TagAt(b, at, "data")) {
        const uint64_t next = uint64_t(at) + 8 + Le32(b, at + 4) + (Le32(b, at + 4) & 1);
        if (next > b.size())
            FailAtByte(at + 4, "チャンクの長さがファイルを越えています");
        at = size_t(next);
    }
    if (at + 8 > b.size())
        FailAtByte(at, "\"data\" チャンクがありません");
    const uint32_t length = Le32(b, at + 4);
    const size_t data = at + 8;
    if (length < 4 || uint64_t(data) + length > b.size())
        FailAtByte(at + 4, "\"data\" チャンクの長さが正しくありません");
    const uint16_t count = Le16(b, data + 2);
    if (count == 0)
        FailAtByte(data + 2, "色が 1 つもありません");
    if (count > kMaxExchangeColors)
        FailAtByte(data + 2, "色が 256 を超えています (" + std::to_string(count) + ")");
    if (4 + 4 * size_t(count) > length)
        FailAtByte(at + 4, "\"data\" チャンクが色 " + std::to_string(count) + " 個分に足りません");
    std::vector<RGBQuad> colors(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = &b[data + 4 + 4 * i];
        colors[i] = {e[2], e[1], e[0], 0};
    }
    return colors;
}

std::vector<RGBQuad> ParseAct(const std::vector<uint8_t>& b) {
    if (b.size() != kActSize && b.size() != kActSizeWithCount)
        FailAtByte(b.size(), "カラーテーブルは 768 か 772 バイトです (" + std::to_string(b.size()) +
                                 " バイト)");
    size_t count = 256;
    if (b.size() == kActSizeWithCount) {
        count = size_t(b[768]) << 8 | b[769];
        if (count == 0)
            FailAtByte(768, "色が 1 つもありません");
        if (count > kMaxExchangeColors)
            FailAtByte(768, "色が 256 を超えています (" + std::to_string(count) + ")");
    }
    std::vector<RGBQuad> colors(count);
    for (size_t i = 0; i < count; ++i)
        colors[i] = {b[3 * i + 2], b[3 * i + 1], b[3 * i], 0};
    return colors;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = char(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::vector<RGBQuad> ParseHex(const std::vector<uint8_t>& bytes) {
    const std::vector<std::string> lines = Lines(bytes);
    std::vector<RGBQuad> colors;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string t = Trim(lines[i]);
        if (t.empty())
            continue;
        if (t[0] == '#')
            t.erase(0, 1);
        int v[6] = {};
        bool ok = t.size() == 6;
        for (size_t k = 0; ok && k < 6; ++k)
            ok = (v[k] = HexDigit(t[k])) >= 0;
        if (!ok)
            FailAtLine(i + 1, "RRGGBB の形の 16 進数ではありません (\"" + lines[i] + "\")");
        AddColor(
            colors,
            {uint8_t(v[4] * 16 + v[5]), uint8_t(v[2] * 16 + v[3]), uint8_t(v[0] * 16 + v[1]), 0},
            i + 1);
    }
    RefuseEmpty(colors);
    return colors;
}

void Append(std::vector<uint8_t>& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}

std::string Triple(const RGBQuad& q, const char* format) {
    char buf[32];
    std::snprintf(buf, sizeof buf, format, q.rgbRed, q.rgbGreen, q.rgbBlue);
    return buf;
}

void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

std::vector<uint8_t> BuildRiff(const std::vector<RGBQuad>& colors) {
    const uint32_t data = uint32_t(4 + 4 * colors.size());
    std::vector<uint8_t> out;
    Append(out, "RIFF");
    PutLe32(out, 4 + 8 + data);
    Append(out, "PAL data");
    PutLe32(out, data);
    out.insert(out.end(), {0x00, 0x03, uint8_t(colors.size()), uint8_t(colors.size() >> 8)});
    for (const RGBQuad& q : colors)
        out.insert(out.end(), {q.rgbRed, q.rgbGreen, q.rgbBlue, 0});
    return out;
}

std::vector<uint8_t> BuildAct(const std::vector<RGBQuad>& colors, int transparent) {
    std::vector<uint8_t> out(kActSizeWithCount, 0);
    for (size_t i = 0; i < colors.size(); ++i) {
        out[3 * i] = colors[i].rgbRed;
        out[3 * i + 1] = colors[i].rgbGreen;
        out[3 * i + 2] = colors[i].rgbBlue;
    }
    out[768] = uint8_t(colors.size() >> 8);
    out[769] = uint8_t(colors.size());
    const uint16_t t = transparent >= 0 && transparent < 256 ? uint16_t(transparent) : 0xFFFF;
    out[770] = uint8_t(t >> 8);
    out[771] = uint8_t(t);
    return out;
}

} // namespace

ExchangeFormat ExchangeFormatForRead(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string ext = Extension(path);
    if (ext == ".pal")
        return TagAt(bytes, 0, "RIFF") ? ExchangeFormat::RiffPal : ExchangeFormat::JascPal;
    return ExchangeFormatForWrite(path);
}

ExchangeFormat ExchangeFormatForWrite(const std::string& path) {
    const std::string ext = Extension(path);
    if (ext == ".gpl")
        return ExchangeFormat::Gpl;
    if (ext == ".pal")
        return ExchangeFormat::JascPal;
    if (ext == ".act")
        return ExchangeFormat::Act;
    if (ext == ".hex")
        return ExchangeFormat::Hex;
    throw FileError("対応していないパレット形式です (" +
                    (ext.empty() ? std::string("拡張子なし") : ext) +
                    ")。.gpl .pal .act .hex が使えます");
}

std::vector<RGBQuad> ParseExchangePalette(const std::vector<uint8_t>& bytes,
                                          ExchangeFormat format) {
    if (bytes.empty())
        throw FileError("ファイルが空です");
    switch (format) {
    case ExchangeFormat::Gpl:
        return ParseGpl(bytes);
    case ExchangeFormat::JascPal:
        return ParseJasc(bytes);
    case ExchangeFormat::RiffPal:
        return ParseRiff(bytes);
    case ExchangeFormat::Act:
        return ParseAct(bytes);
    default:
        return ParseHex(bytes);
    }
}

std::vector<uint8_t> BuildExchangePalette(const std::vector<RGBQuad>& colors, ExchangeFormat format,
                                          int transparent) {
    if (colors.empty() || colors.size() > kMaxExchangeColors)
        throw FileError("書き出す色の数は 1～256 です");
    std::vector<uint8_t> out;
    switch (format) {
    case ExchangeFormat::Gpl:
        Append(out, "GIMP Palette\nName: Vallo\nColumns: 16\n#\n");
        for (size_t i = 0; i < colors.size(); ++i)
            Append(out, Triple(colors[i], "%3d %3d %3d\t") + "Index " + std::to_string(i) + "\n");
        return out;
    case ExchangeFormat::JascPal:
        Append(out, "JASC-PAL\r\n0100\r\n" + std::to_string(colors.size()) + "\r\n");
        for (const RGBQuad& q : colors)
            Append(out, Triple(q, "%d %d %d\r\n"));
        return out;
    case ExchangeFormat::RiffPal:
        return BuildRiff(colors);
    case ExchangeFormat::Act:
        return BuildAct(colors, transparent);
    default:
        for (const RGBQuad& q : colors)
            Append(out, Triple(q, "%02x%02x%02x\n"));
        return out;
    }
}

std::vector<RGBQuad> ReadExchangePalette(const std::string& path) {
    std::error_code ec;
    const uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxExchangeFileSize)
        throw FileError(path + ": パレットファイルとしては大きすぎます");
    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    try {
        return ParseExchangePalette(bytes, ExchangeFormatForRead(path, bytes));
    } catch (const FileError& e) {
        throw FileError(path + ": " + e.what());
    }
}

void ImportPalette(EditorState& s, const std::string& path) {
    const std::vector<RGBQuad> colors = ReadExchangePalette(path);
    PushUndo(s, 0, 0, 0, 0, false, true);
    ColorTableArray& table = s.MainImage.ColorTable();
    for (size_t i = 0; i < colors.size(); ++i)
        table[i] = colors[i];
    ShowPaletteChange(s);
}

void ExportPalette(const EditorState& s, const std::string& path) {
    CheckSaveName(path);
    const ExchangeFormat format = ExchangeFormatForWrite(path);
    const std::vector<RGBQuad> colors(s.PaletteQuads.begin(), s.PaletteQuads.end());
    WriteFileAtomically(path, BuildExchangePalette(colors, format, s.TransColor));
}

} // namespace vallo
