#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vallo {

// A small INI file: "[section]" lines followed by "key=value" lines, UTF-8, written with CRLF
// line ends (LF alone is accepted on reading). Sections and keys are matched exactly; order is
// kept, so a rewritten file keeps entries this program does not know.
class IniFile {
public:
    // Longest file and line taken from disk; a larger file is read only up to the limit and a
    // longer line is skipped, so a damaged file cannot make the program allocate without bound.
    static constexpr size_t MaxFileBytes = 1 << 20;
    static constexpr size_t MaxLineBytes = 4096;

    IniFile() = default;
    // Reads the file; a missing or unreadable file gives an empty one.
    static IniFile Load(const std::string& path);
    static IniFile Parse(const std::string& text);

    std::optional<std::string> Find(const std::string& section, const std::string& key) const;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& def) const;
    // A decimal 32-bit value; anything else gives the default.
    int ReadInteger(const std::string& section, const std::string& key, int def) const;
    // True for any non-zero number; anything that is not a number gives the default.
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;

    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);

    std::string Text() const;
    // Writes the whole file atomically; throws FileError on failure.
    void Save(const std::string& path) const;

private:
    // Entries keep their order for writing; the index finds a key without scanning, so even a
    // file of the largest size with tens of thousands of keys reads at once.
    struct Section {
        std::string Name;
        std::vector<std::pair<std::string, std::string>> Entries;
        std::unordered_map<std::string, size_t> Index;
        const std::string* Find(const std::string& key) const;
        void Set(const std::string& key, const std::string& value);
    };
    const Section* FindSection(const std::string& name) const;
    Section& SectionNamed(const std::string& name);

    std::vector<Section> sections_;
    std::unordered_map<std::string, size_t> sectionIndex_;
};

// At most `limit` bytes of a file; nothing when it cannot be opened.
std::string ReadTextFileLimited(const std::string& path, size_t limit);

// Decimal 32-bit number of a whole text (blanks around it allowed), if it is one.
std::optional<int> ParseDecimal(const std::string& text);

} // namespace vallo
