#pragma once

#include "image/DIB.h"
#include "state/RecoveryInfo.h"

#include <array>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace vallo {

class RecoveryStore;

// What a recovery copy holds, taken on the user-interface thread. The picture shares the
// document's pixel store (copy-on-write), so taking it costs no pixel copy.
struct RecoverySnapshot {
    TDIB Image;
    std::array<int32_t, 256> ForbiddenFlags{};
    uint8_t TransColor = 0;
    RecoveryInfo Info;
};

// Encodes and writes recovery copies on a thread of its own, one job at a time. A newer
// snapshot replaces one that has not started; a removal drops a waiting snapshot and runs after
// a write in progress, so a removed copy never comes back.
class RecoveryWriter {
public:
    explicit RecoveryWriter(RecoveryStore& store);
    // Finishes the job in progress and any waiting one, then stops.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    void Write(RecoverySnapshot snapshot);
    void Remove();
    // Waits until nothing is waiting or running.
    void WaitIdle();
    bool Idle() const;
    // The reason the last job failed, once; nothing when none failed since the last call.
    std::optional<std::string> TakeError();
    // Copies written so far.
    uint64_t Written() const;

private:
    enum class Job { None, Write, Remove };
    void Run();
    void DoWrite(RecoverySnapshot snapshot);

    RecoveryStore& store_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    Job job_ = Job::None;
    RecoverySnapshot pending_;
    bool busy_ = false;
    bool stop_ = false;
    uint64_t written_ = 0;
    std::optional<std::string> error_;
    std::thread thread_;
};

} // namespace vallo
