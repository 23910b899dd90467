#pragma once

#include "image/DIB.h"
#include "state/RecoveryInfo.h"
#include "state/RecoveryLock.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

namespace vallo {

// A recovery copy that cannot be read; the message says why.
class RecoveryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A copy that an earlier run left behind. Its lock is held by this run until the copy is
// deleted, set aside or adopted, so no other running program offers it at the same time.
struct RecoveryLeftover {
    std::string Stem;
    RecoveryLock Lock;
    int64_t WriteTime = 0; // of the info file, for newest-first order
};

// The document as a recovery copy holds it.
struct RecoveredDocument {
    TDIB Picture;
    std::array<int32_t, 256> ForbiddenFlags{};
    uint8_t TransColor = 0;
    RecoveryInfo Info;
};

// The files of the recovery folder. Every run has a stem of its own ("<pid>-<start time>-<n>"):
// "<stem>.lock" (held while the run lives), "<stem>.<n>.png" (the picture, palette and marks)
// and "<stem>.txt" (the info, written last: a copy exists from the moment its info does).
// Writing a copy and removing it happen on the writer's thread; the rest at start-up.
class RecoveryStore {
public:
    // dir ends in "/".
    RecoveryStore(std::string dir, std::string stem);
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // A stem no other store uses: the process id, the start time and a sequence number.
    static std::string StemFor(int pid, int64_t startTime);

    // Makes the folder and takes this run's lock. Throws FileError when it cannot.
    void Open();
    // The copies of runs that are no longer running, newest first; files of such runs that
    // never got as far as an info file are deleted.
    std::vector<RecoveryLeftover> ClaimLeftovers();
    // Reads a left-over copy; throws RecoveryError when it is missing, torn or not a picture.
    RecoveredDocument Read(const RecoveryLeftover& leftover) const;
    // Moves a copy that cannot be read into the "unreadable" folder and returns that folder.
    std::string SetAside(RecoveryLeftover& leftover);
    void Delete(RecoveryLeftover& leftover);
    // The document now is this left-over copy: it stays until this run's first own copy
    // replaces it or the copy is removed.
    void Adopt(RecoveryLeftover leftover);

    // Writes the encoded picture as this run's copy: the picture file, then the info, then the
    // previous picture and any adopted copy go. Throws FileError; the previous copy stays then.
    void Commit(const std::vector<uint8_t>& png, RecoveryInfo info);
    // Removes this run's copy and any adopted one.
    void Remove();

    const std::string& Dir() const { return dir_; }
    const std::string& Stem() const { return stem_; }
    std::string InfoPath(const std::string& stem) const { return dir_ + stem + ".txt"; }

private:
    std::vector<std::string> FilesOf(const std::string& stem) const;
    void DeleteFiles(const std::string& stem) const;
    void DropAdopted();

    std::string dir_;
    std::string stem_;
    RecoveryLock lock_;
    uint64_t generation_ = 0;
    std::mutex adoptedMutex_;
    std::vector<RecoveryLeftover> adopted_;
};

} // namespace vallo
