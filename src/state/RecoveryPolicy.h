#pragma once

#include <cstdint>

namespace vallo {

// When the recovery copy is written and removed. The program looks at the document a few
// times a second and passes the time (milliseconds on a steady clock), so tests drive it with
// a clock of their own.
//
// A copy is written once the document has changed and then stayed quiet for QuietMs, and while
// changes go on without such a pause, once MaxIntervalMs have passed since the first change the
// copy lacks. A document that is not modified has no copy.
class RecoveryPolicy {
public:
    static constexpr int64_t QuietMs = 2000;
    static constexpr int64_t MaxIntervalMs = 30000;

    enum class Action { None, Write, Remove };

    // What the program sees of the document: its change count (grows with every edit), whether
    // a stroke is in progress (pixels change without the count moving) and the Modified flag.
    // On Write the caller takes the snapshot at once; on Remove it removes the copy. While the
    // writer is still busy (writerIdle false) a due write waits: a snapshot queued behind it
    // would keep the pixel store shared and make the next stroke copy the whole picture.
    Action Tick(int64_t now, uint64_t editCount, bool drawing, bool modified,
                bool writerIdle = true);

    // The copy was removed (save, New or Open after the unsaved-work question, quit). If the
    // document is still modified it gets a new copy after the quiet time.
    void Removed(int64_t now);
    // The document is the copy on disk (restored at start-up).
    void Adopted(uint64_t editCount);
    // The last write failed: it is tried again after MaxIntervalMs.
    void WriteFailed(int64_t now);

    bool HasCopy() const { return hasCopy_; }

private:
    void NoteChange(int64_t now);

    bool started_ = false;
    uint64_t seenCount_ = 0;
    bool hasCopy_ = false;
    bool dirty_ = false; // changes the copy lacks
    int64_t lastChange_ = 0;
    int64_t dirtySince_ = 0; // first change the copy lacks
    int64_t retryAt_ = 0;    // no write before this time after a failure
};

} // namespace vallo
