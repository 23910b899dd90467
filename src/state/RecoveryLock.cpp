#include "state/RecoveryLock.h"

#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace vallo {

RecoveryLock::~RecoveryLock() {
    Release();
}

RecoveryLock::RecoveryLock(RecoveryLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

RecoveryLock& RecoveryLock::operator=(RecoveryLock&& other) noexcept {
    if (this != &other) {
        Release();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

bool RecoveryLock::TryAcquire(const std::string& path) {
    Release();
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    path_ = path;
    return true;
}

void RecoveryLock::WritePid(int pid) {
    if (fd_ < 0)
        return;
    const std::string text = std::to_string(pid) + "\n";
    if (::ftruncate(fd_, 0) == 0)
        (void)!::pwrite(fd_, text.data(), text.size(), 0);
}

void RecoveryLock::ReleaseAndDelete() {
    if (fd_ >= 0)
        ::unlink(path_.c_str());
    Release();
}

void RecoveryLock::Release() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

} // namespace vallo
