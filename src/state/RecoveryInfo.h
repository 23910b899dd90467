#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vallo {

// The small text file beside a recovery copy: which file the work belongs to (empty for an
// untitled image), the picture file holding it, the edited cell and the time of the copy.
struct RecoveryInfo {
    std::string FileName;
    std::string ImageName; // file name of the picture inside the recovery folder
    uint64_t ImageBytes = 0;
    int CharLeft = 0;
    int CharTop = 0;
    int CharWidth = 0;
    int CharHeight = 0;
    int64_t Time = 0; // seconds since 1970, UTC
    bool operator==(const RecoveryInfo&) const = default;
};

// The info as text: one "[Recovery]" section of key=value lines with CRLF ends. Line breaks and
// "%" in the file name are written as %0A, %0D and %25 so any name fits on one line.
std::string FormatRecoveryInfo(const RecoveryInfo& info);
// Nothing when the text is not a complete info (missing keys, numbers out of range).
std::optional<RecoveryInfo> ParseRecoveryInfo(const std::string& text);

} // namespace vallo
