#include "state/RecoveryStore.h"

#include "formats/PngCodec.h"
#include "image/AtomicFile.h"
#include "state/EditorState.h"
#include "state/IniFile.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <filesystem>
#include <set>
#include <unistd.h>

namespace fs = std::filesystem;

namespace vallo {

namespace {

constexpr size_t kMaxInfoBytes = 64 * 1024;
constexpr const char* kUnreadableFolder = "unreadable/";

bool AllDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [](unsigned char c) { return std::isdigit(c) != 0; });
}

// "<digits>-<digits>-<digits>": the stems this program gives its runs.
bool IsStem(const std::string& stem) {
    const size_t first = stem.find('-');
    const size_t second = stem.find('-', first == std::string::npos ? first : first + 1);
    return second != std::string::npos && AllDigits(stem.substr(0, first)) &&
           AllDigits(stem.substr(first + 1, second - first - 1)) &&
           AllDigits(stem.substr(second + 1));
}

std::string StemOf(const std::string& fileName) {
    return fileName.substr(0, fileName.find('.'));
}

// "<stem>.<digits>.png": the only picture names an info file may point at.
bool IsImageNameOf(const std::string& name, const std::string& stem) {
    const std::string head = stem + ".";
    const std::string tail = ".png";
    if (name.size() <= head.size() + tail.size() || name.compare(0, head.size(), head) != 0 ||
        name.compare(name.size() - tail.size(), tail.size(), tail) != 0)
        return false;
    return AllDigits(name.substr(head.size(), name.size() - head.size() - tail.size()));
}

void RemoveQuietly(const std::string& path) {
    std::error_code ec;
    fs::remove(path, ec);
}

} // namespace

RecoveryStore::RecoveryStore(std::string dir, std::string stem)
    : dir_(std::move(dir)), stem_(std::move(stem)) {}

RecoveryStore::~RecoveryStore() {
    lock_.ReleaseAndDelete();
}

std::string RecoveryStore::StemFor(int pid, int64_t startTime) {
    // The sequence keeps two stores of one process apart (tests make several).
    static std::atomic<int> sequence{0};
    return std::to_string(pid) + "-" + std::to_string(startTime) + "-" + std::to_string(sequence++);
}

void RecoveryStore::Open() {
    std::error_code ec;
    fs::create_directories(dir_, ec);
    if (ec)
        throw FileError(dir_ + " を作成できません: " + ec.message());
    if (!lock_.TryAcquire(dir_ + stem_ + ".lock"))
        throw FileError(dir_ + stem_ + ".lock を作成できません");
    lock_.WritePid(int(::getpid()));
}

std::vector<std::string> RecoveryStore::FilesOf(const std::string& stem) const {
    std::vector<std::string> names;
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(dir_, ec)) {
        const std::string name = e.path().filename().string();
        if (e.is_regular_file(ec) && StemOf(name) == stem)
            names.push_back(name);
    }
    return names;
}

void RecoveryStore::DeleteFiles(const std::string& stem) const {
    // The info goes first: without it the rest no longer counts as a copy.
    RemoveQuietly(InfoPath(stem));
    for (const std::string& name : FilesOf(stem))
        if (name != stem + ".lock")
            RemoveQuietly(dir_ + name);
}

std::vector<RecoveryLeftover> RecoveryStore::ClaimLeftovers() {
    std::set<std::string> stems;
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(dir_, ec)) {
        const std::string stem = StemOf(e.path().filename().string());
        if (e.is_regular_file(ec) && IsStem(stem) && stem != stem_)
            stems.insert(stem);
    }
    std::vector<RecoveryLeftover> leftovers;
    for (const std::string& stem : stems) {
        RecoveryLeftover leftover;
        leftover.Stem = stem;
        if (!leftover.Lock.TryAcquire(dir_ + stem + ".lock"))
            continue; // its program is still running
        const fs::file_time_type time = fs::last_write_time(InfoPath(stem), ec);
        if (ec) {
            Delete(leftover); // that run never finished a copy
            continue;
        }
        leftover.WriteTime = int64_t(time.time_since_epoch().count());
        leftovers.push_back(std::move(leftover));
    }
    std::sort(leftovers.begin(), leftovers.end(),
              [](const RecoveryLeftover& a, const RecoveryLeftover& b) {
                  return a.WriteTime > b.WriteTime;
              });
    return leftovers;
}

RecoveredDocument RecoveryStore::Read(const RecoveryLeftover& leftover) const {
    RecoveredDocument doc;
    const std::optional<RecoveryInfo> info =
        ParseRecoveryInfo(ReadTextFileLimited(InfoPath(leftover.Stem), kMaxInfoBytes));
    if (!info || !IsImageNameOf(info->ImageName, leftover.Stem))
        throw RecoveryError("復元情報のファイルが壊れています");
    doc.Info = *info;
    std::vector<uint8_t> bytes;
    try {
        bytes = ReadWholeFile(dir_ + info->ImageName);
    } catch (const std::exception& e) {
        throw RecoveryError(e.what());
    }
    if (bytes.size() != info->ImageBytes)
        throw RecoveryError("復元用の画像が途中で切れています");
    PngMarks marks;
    try {
        if (!LoadPNGFromMemory(bytes.data(), bytes.size(), doc.Picture, marks))
            throw RecoveryError("復元用の画像が PNG ではありません");
    } catch (const PngError& e) {
        throw RecoveryError(e.what());
    }
    const TDIB& p = doc.Picture;
    if (p.BitCount() != 8 || p.Width() < kMinImageSize || p.Height() < kMinImageSize ||
        p.Width() > kMaxImageSize || p.Height() > kMaxImageSize)
        throw RecoveryError("復元用の画像の大きさが不正です");
    doc.ForbiddenFlags = marks.ForbiddenFlags;
    doc.TransColor = marks.TransColor;
    return doc;
}

std::string RecoveryStore::SetAside(RecoveryLeftover& leftover) {
    const std::string aside = dir_ + kUnreadableFolder;
    std::error_code ec;
    fs::create_directories(aside, ec);
    for (const std::string& name : FilesOf(leftover.Stem))
        if (name != leftover.Stem + ".lock")
            fs::rename(dir_ + name, aside + name, ec);
    leftover.Lock.ReleaseAndDelete();
    return aside;
}

void RecoveryStore::Delete(RecoveryLeftover& leftover) {
    DeleteFiles(leftover.Stem);
    leftover.Lock.ReleaseAndDelete();
}

void RecoveryStore::Adopt(RecoveryLeftover leftover) {
    const std::lock_guard<std::mutex> guard(adoptedMutex_);
    adopted_.push_back(std::move(leftover));
}

void RecoveryStore::DropAdopted() {
    std::vector<RecoveryLeftover> adopted;
    {
        const std::lock_guard<std::mutex> guard(adoptedMutex_);
        adopted.swap(adopted_);
    }
    for (RecoveryLeftover& leftover : adopted)
        Delete(leftover);
}

void RecoveryStore::Commit(const std::vector<uint8_t>& png, RecoveryInfo info) {
    info.ImageName = stem_ + "." + std::to_string(++generation_) + ".png";
    info.ImageBytes = png.size();
    WriteFileAtomically(dir_ + info.ImageName, png);
    const std::string text = FormatRecoveryInfo(info);
    try {
        WriteFileAtomically(InfoPath(stem_), reinterpret_cast<const uint8_t*>(text.data()),
                            text.size());
    } catch (...) {
        RemoveQuietly(dir_ + info.ImageName);
        throw;
    }
    for (const std::string& name : FilesOf(stem_))
        if (name != info.ImageName && IsImageNameOf(name, stem_))
            RemoveQuietly(dir_ + name);
    DropAdopted();
}

void RecoveryStore::Remove() {
    DeleteFiles(stem_);
    DropAdopted();
}

} // namespace vallo
