#include "state/RecoveryCopy.h"

#include "state/EditorState.h"

#include <chrono>
#include <ctime>
#include <unistd.h>

namespace vallo {

int64_t RecoveryCopy::SteadyMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

RecoveryCopy::RecoveryCopy(const std::string& dir, Clock clock)
    : clock_(std::move(clock)),
      store_(dir, RecoveryStore::StemFor(int(::getpid()), int64_t(std::time(nullptr)))),
      writer_(std::make_unique<RecoveryWriter>(store_)) {}

RecoveryCopy::~RecoveryCopy() {
    writer_.reset();
}

void RecoveryCopy::Open() {
    store_.Open();
}

RecoverySnapshot RecoveryCopy::Snapshot(const EditorState& s) {
    RecoverySnapshot snapshot;
    snapshot.Image = s.MainImage; // shares the pixels
    snapshot.ForbiddenFlags = s.ForbiddenFlags;
    snapshot.TransColor = s.TransColor;
    RecoveryInfo& info = snapshot.Info;
    info.FileName = s.FileName;
    info.CharLeft = s.CharLeft;
    info.CharTop = s.CharTop;
    info.CharWidth = s.CharWidth;
    info.CharHeight = s.CharHeight;
    info.Time = int64_t(std::time(nullptr));
    return snapshot;
}

std::optional<std::string> RecoveryCopy::Tick(const EditorState& s) {
    const int64_t now = clock_();
    std::optional<std::string> report;
    if (std::optional<std::string> error = writer_->TakeError()) {
        policy_.WriteFailed(now);
        if (!errorReported_)
            report = "作業の復元用コピーを書き込めません: " + *error;
        errorReported_ = true;
    }
    switch (policy_.Tick(now, s.EditCount, s.Drawing, s.Modified, writer_->Idle())) {
    case RecoveryPolicy::Action::Write:
        writer_->Write(Snapshot(s));
        break;
    case RecoveryPolicy::Action::Remove:
        writer_->Remove();
        break;
    case RecoveryPolicy::Action::None:
        break;
    }
    return report;
}

void RecoveryCopy::Discard() {
    policy_.Removed(clock_());
    writer_->Remove();
}

void RecoveryCopy::Adopt(RecoveryLeftover leftover, uint64_t editCount) {
    store_.Adopt(std::move(leftover));
    policy_.Adopted(editCount);
}

void DiscardRecoveryCopy(EditorState& s) {
    if (s.Recovery)
        s.Recovery->Discard();
}

} // namespace vallo
