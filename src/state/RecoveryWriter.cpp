#include "state/RecoveryWriter.h"

#include "formats/PngCodec.h"
#include "state/RecoveryStore.h"

#include <exception>
#include <utility>

namespace vallo {

RecoveryWriter::RecoveryWriter(RecoveryStore& store) : store_(store) {
    thread_ = std::thread([this] { Run(); });
}

RecoveryWriter::~RecoveryWriter() {
    {
        const std::lock_guard<std::mutex> guard(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void RecoveryWriter::Write(RecoverySnapshot snapshot) {
    RecoverySnapshot replaced;
    {
        const std::lock_guard<std::mutex> guard(mutex_);
        replaced = std::exchange(pending_, std::move(snapshot));
        job_ = Job::Write;
    }
    wake_.notify_all();
    // `replaced` lets go of its pixels here, outside the lock.
}

void RecoveryWriter::Remove() {
    RecoverySnapshot dropped;
    {
        const std::lock_guard<std::mutex> guard(mutex_);
        dropped = std::exchange(pending_, RecoverySnapshot());
        job_ = Job::Remove;
    }
    wake_.notify_all();
}

void RecoveryWriter::WaitIdle() {
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return job_ == Job::None && !busy_; });
}

bool RecoveryWriter::Idle() const {
    const std::lock_guard<std::mutex> guard(mutex_);
    return job_ == Job::None && !busy_;
}

std::optional<std::string> RecoveryWriter::TakeError() {
    const std::lock_guard<std::mutex> guard(mutex_);
    return std::exchange(error_, std::nullopt);
}

uint64_t RecoveryWriter::Written() const {
    const std::lock_guard<std::mutex> guard(mutex_);
    return written_;
}

void RecoveryWriter::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || job_ != Job::None; });
        if (job_ == Job::None) {
            idle_.notify_all();
            return; // stopping with nothing left to do
        }
        const Job job = std::exchange(job_, Job::None);
        RecoverySnapshot snapshot = std::exchange(pending_, RecoverySnapshot());
        busy_ = true;
        lock.unlock();
        std::optional<std::string> error;
        try {
            if (job == Job::Write)
                DoWrite(std::move(snapshot));
            else
                store_.Remove();
        } catch (const std::exception& e) {
            error = e.what();
        }
        lock.lock();
        busy_ = false;
        if (error)
            error_ = error;
        else if (job == Job::Write)
            ++written_;
        if (job_ == Job::None)
            idle_.notify_all();
    }
}

void RecoveryWriter::DoWrite(RecoverySnapshot snapshot) {
    // Copy the pixels and let go of the shared store at once: until then the editor's next
    // stroke has to copy the whole picture on the user-interface thread.
    TDIB image = snapshot.Image;
    image.MutableBits();
    snapshot.Image = TDIB();
    const std::vector<uint8_t> png = EncodePNG(image, snapshot.ForbiddenFlags, snapshot.TransColor);
    store_.Commit(png, std::move(snapshot.Info));
}

} // namespace vallo
