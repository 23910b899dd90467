#include "state/IniFile.h"

#include "image/AtomicFile.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <memory>

namespace vallo {

namespace {

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

} // namespace

std::string ReadTextFileLimited(const std::string& path, size_t limit) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f)
        return {};
    std::string text(limit, '\0');
    const size_t n = std::fread(text.data(), 1, limit, f.get());
    text.resize(n);
    return text;
}

std::optional<int> ParseDecimal(const std::string& text) {
    const std::string t = Trim(text);
    if (t.empty())
        return std::nullopt;
    const char* begin = t.data();
    const char* end = t.data() + t.size();
    if (*begin == '+' && t.size() > 1 && begin[1] != '-')
        ++begin;
    int32_t value = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

IniFile IniFile::Load(const std::string& path) {
    return Parse(ReadTextFileLimited(path, MaxFileBytes));
}

IniFile IniFile::Parse(const std::string& text) {
    IniFile ini;
    size_t pos = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        pos = 3;
    Section* current = nullptr;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        const size_t length = end - pos;
        if (length <= MaxLineBytes) {
            std::string line = text.substr(pos, length);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            line = Trim(line);
            if (!line.empty() && line[0] == '[') {
                const size_t close = line.find(']');
                if (close != std::string::npos)
                    current = &ini.SectionNamed(line.substr(1, close - 1));
            } else if (current && !line.empty() && line[0] != ';') {
                const size_t eq = line.find('=');
                if (eq != std::string::npos && eq > 0) {
                    const std::string key = Trim(line.substr(0, eq));
                    current->Set(key, Trim(line.substr(eq + 1)));
                }
            }
        }
        pos = end + 1;
    }
    return ini;
}

const std::string* IniFile::Section::Find(const std::string& key) const {
    const auto it = Index.find(key);
    return it == Index.end() ? nullptr : &Entries[it->second].second;
}

void IniFile::Section::Set(const std::string& key, const std::string& value) {
    const auto [it, added] = Index.emplace(key, Entries.size());
    if (added)
        Entries.emplace_back(key, value);
    else
        Entries[it->second].second = value;
}

const IniFile::Section* IniFile::FindSection(const std::string& name) const {
    const auto it = sectionIndex_.find(name);
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

IniFile::Section& IniFile::SectionNamed(const std::string& name) {
    const auto [it, added] = sectionIndex_.emplace(name, sections_.size());
    if (added)
        sections_.push_back({name, {}, {}});
    return sections_[it->second];
}

std::optional<std::string> IniFile::Find(const std::string& section, const std::string& key) const {
    const Section* sec = FindSection(section);
    const std::string* value = sec ? sec->Find(key) : nullptr;
    if (!value)
        return std::nullopt;
    return *value;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& def) const {
    return Find(section, key).value_or(def);
}

int IniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
    const std::optional<std::string> text = Find(section, key);
    if (!text)
        return def;
    return ParseDecimal(*text).value_or(def);
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
    // Line breaks would split the entry; a value is one line.
    std::string clean = value;
    for (char& c : clean)
        if (c == '\r' || c == '\n')
            c = ' ';
    SectionNamed(section).Set(key, clean);
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

std::string IniFile::Text() const {
    std::string out;
    for (const Section& sec : sections_) {
        out += "[" + sec.Name + "]\r\n";
        for (const auto& [k, v] : sec.Entries)
            out += k + "=" + v + "\r\n";
        out += "\r\n";
    }
    return out;
}

void IniFile::Save(const std::string& path) const {
    const std::string text = Text();
    WriteFileAtomically(path, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

} // namespace vallo
