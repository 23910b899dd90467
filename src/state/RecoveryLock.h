#pragma once

#include <string>

namespace vallo {

// An exclusive lock on a file in the recovery folder, held until release or destruction. The
// kernel drops it when the process ends in any way, so a lock that can be taken belongs to no
// running program. The holder's process id is written into the file for people to read.
class RecoveryLock {
public:
    RecoveryLock() = default;
    ~RecoveryLock();
    RecoveryLock(RecoveryLock&& other) noexcept;
    RecoveryLock& operator=(RecoveryLock&& other) noexcept;
    RecoveryLock(const RecoveryLock&) = delete;
    RecoveryLock& operator=(const RecoveryLock&) = delete;

    // Takes the lock without waiting, creating the file when missing; false while another
    // process (or another lock in this one) holds it.
    bool TryAcquire(const std::string& path);
    // Writes the process id into the held file.
    void WritePid(int pid);
    // Deletes the file and lets the lock go.
    void ReleaseAndDelete();
    // Lets the lock go and leaves the file.
    void Release();
    bool Held() const { return fd_ >= 0; }
    const std::string& Path() const { return path_; }

private:
    int fd_ = -1;
    std::string path_;
};

} // namespace vallo
