#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace vallo {

// A file could not be read or written; the message names the file and the reason.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a whole file; throws FileError when it cannot be read.
std::vector<uint8_t> ReadWholeFile(const std::string& path);
// Writes the bytes beside the target and renames them over it only once they are completely
// written, so a failed save never destroys the previous file. Throws FileError on failure.
void WriteFileAtomically(const std::string& path, const uint8_t* data, size_t size);
inline void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
    WriteFileAtomically(path, bytes.data(), bytes.size());
}
// Refuses (FileError) a save whose file name part is empty.
void CheckSaveName(const std::string& path);

} // namespace vallo
