#include "state/RecoveryPolicy.h"

namespace vallo {

void RecoveryPolicy::NoteChange(int64_t now) {
    if (!dirty_)
        dirtySince_ = now;
    dirty_ = true;
    lastChange_ = now;
}

RecoveryPolicy::Action RecoveryPolicy::Tick(int64_t now, uint64_t editCount, bool drawing,
                                            bool modified, bool writerIdle) {
    const bool changed = started_ && editCount != seenCount_;
    started_ = true;
    seenCount_ = editCount;
    if (!modified) {
        dirty_ = false;
        if (!hasCopy_)
            return Action::None;
        hasCopy_ = false;
        return Action::Remove;
    }
    if (changed || drawing || (!dirty_ && !hasCopy_))
        NoteChange(now);
    if (!dirty_ || now < retryAt_ || !writerIdle)
        return Action::None;
    const bool quiet = !drawing && now - lastChange_ >= QuietMs;
    const bool overdue = now - dirtySince_ >= MaxIntervalMs;
    if (!quiet && !overdue)
        return Action::None;
    dirty_ = false;
    hasCopy_ = true;
    return Action::Write;
}

void RecoveryPolicy::Removed(int64_t now) {
    hasCopy_ = false;
    retryAt_ = 0;
    // A document still modified after this counts as changed now; the next tick forgets
    // the change when it is not.
    dirty_ = true;
    lastChange_ = dirtySince_ = now;
}

void RecoveryPolicy::Adopted(uint64_t editCount) {
    started_ = true;
    seenCount_ = editCount;
    hasCopy_ = true;
    dirty_ = false;
}

void RecoveryPolicy::WriteFailed(int64_t now) {
    hasCopy_ = false;
    NoteChange(now);
    dirtySince_ = now;
    retryAt_ = now + MaxIntervalMs;
}

} // namespace vallo
