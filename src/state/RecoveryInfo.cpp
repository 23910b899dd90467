#include "state/RecoveryInfo.h"

#include "state/IniFile.h"

#include <charconv>

namespace vallo {

namespace {

constexpr const char* kSection = "Recovery";

std::string EscapeName(const std::string& name) {
    std::string out;
    for (char c : name) {
        if (c == '%')
            out += "%25";
        else if (c == '\n')
            out += "%0A";
        else if (c == '\r')
            out += "%0D";
        else
            out += c;
    }
    return out;
}

std::optional<std::string> UnescapeName(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        const std::string code = text.substr(i + 1, 2);
        if (code == "25")
            out += '%';
        else if (code == "0A")
            out += '\n';
        else if (code == "0D")
            out += '\r';
        else
            return std::nullopt;
        i += 2;
    }
    return out;
}

template <typename T> bool ReadNumber(const IniFile& ini, const char* key, T& value) {
    const std::optional<std::string> text = ini.Find(kSection, key);
    if (!text || text->empty())
        return false;
    const char* end = text->data() + text->size();
    const auto [ptr, ec] = std::from_chars(text->data(), end, value);
    return ec == std::errc() && ptr == end;
}

} // namespace

std::string FormatRecoveryInfo(const RecoveryInfo& info) {
    IniFile ini;
    ini.WriteString(kSection, "File", EscapeName(info.FileName));
    ini.WriteString(kSection, "Image", info.ImageName);
    ini.WriteString(kSection, "ImageBytes", std::to_string(info.ImageBytes));
    ini.WriteInteger(kSection, "CharLeft", info.CharLeft);
    ini.WriteInteger(kSection, "CharTop", info.CharTop);
    ini.WriteInteger(kSection, "CharWidth", info.CharWidth);
    ini.WriteInteger(kSection, "CharHeight", info.CharHeight);
    ini.WriteString(kSection, "Time", std::to_string(info.Time));
    return ini.Text();
}

std::optional<RecoveryInfo> ParseRecoveryInfo(const std::string& text) {
    const IniFile ini = IniFile::Parse(text);
    RecoveryInfo info;
    const std::optional<std::string> file = ini.Find(kSection, "File");
    const std::optional<std::string> image = ini.Find(kSection, "Image");
    if (!file || !image || image->empty())
        return std::nullopt;
    const std::optional<std::string> name = UnescapeName(*file);
    if (!name)
        return std::nullopt;
    info.FileName = *name;
    info.ImageName = *image;
    if (!ReadNumber(ini, "ImageBytes", info.ImageBytes) ||
        !ReadNumber(ini, "CharLeft", info.CharLeft) || !ReadNumber(ini, "CharTop", info.CharTop) ||
        !ReadNumber(ini, "CharWidth", info.CharWidth) ||
        !ReadNumber(ini, "CharHeight", info.CharHeight) || !ReadNumber(ini, "Time", info.Time))
        return std::nullopt;
    return info;
}

} // namespace vallo
