#include "image/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vallo {

namespace {

std::string Reason() { return std::strerror(errno); }

} // namespace

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        throw FileError(path + " を開けません: " + Reason());
    std::vector<uint8_t> bytes;
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        bytes.insert(bytes.end(), buf, buf + n);
    const bool failed = std::ferror(f);
    std::fclose(f);
    if (failed)
        throw FileError(path + " を読めません");
    return bytes;
}

void CheckSaveName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty())
        throw FileError("ファイル名が指定されていません");
}

void WriteFileAtomically(const std::string& path, const uint8_t* data, size_t size) {
    CheckSaveName(path);
    const std::string temp = path + ".tmp-" + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw FileError(path + " を作成できません: " + Reason());
    size_t written = 0;
    while (written < size) {
        const ssize_t n = ::write(fd, data + written, size - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const std::string reason = Reason();
            ::close(fd);
            ::unlink(temp.c_str());
            throw FileError(path + " に書き込めません: " + reason);
        }
        written += size_t(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        const std::string reason = Reason();
        ::unlink(temp.c_str());
        throw FileError(path + " に書き込めません: " + reason);
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        const std::string reason = Reason();
        ::unlink(temp.c_str());
        throw FileError(path + " を保存できません: " + reason);
    }
}

} // namespace vallo
