#pragma once

#include "state/RecoveryPolicy.h"
#include "state/RecoveryStore.h"
#include "state/RecoveryWriter.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace vallo {

struct EditorState;

// The recovery copy of the document: decides when it is written or removed, takes the snapshot
// on the calling (user-interface) thread and leaves encoding and writing to a RecoveryWriter.
class RecoveryCopy {
public:
    // Milliseconds on a steady clock; tests pass their own.
    using Clock = std::function<int64_t()>;
    static int64_t SteadyMilliseconds();

    // The copies go into dir (ending in "/"), under a stem made of the process id and the time.
    explicit RecoveryCopy(const std::string& dir, Clock clock = SteadyMilliseconds);
    ~RecoveryCopy();

    // Makes the folder and takes this run's lock; throws FileError when it cannot.
    void Open();
    RecoveryStore& Store() { return store_; }

    // Looks at the document; the program calls it a few times a second. Returns the reason
    // the first time a copy could not be written, for the user to hear once.
    std::optional<std::string> Tick(const EditorState& s);
    // Removes the copy (save, New or Open after the unsaved-work question, quit).
    void Discard();
    // The document was restored from this left-over copy and is unchanged since.
    void Adopt(RecoveryLeftover leftover, uint64_t editCount);
    // Waits until the writer has nothing left to do.
    void WaitIdle() { writer_->WaitIdle(); }
    uint64_t Written() const { return writer_->Written(); }

    static RecoverySnapshot Snapshot(const EditorState& s);

private:
    Clock clock_;
    RecoveryStore store_;
    RecoveryPolicy policy_;
    bool errorReported_ = false;
    std::unique_ptr<RecoveryWriter> writer_; // last: stops before the store goes
};

// Discard on the program's copy, if it keeps one.
void DiscardRecoveryCopy(EditorState& s);

} // namespace vallo
