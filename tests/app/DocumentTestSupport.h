#pragma once

// A recording DocumentUi and a temporary folder for the document command tests.

#include "app/DocumentCommands.h"
#include "state/ViewHooks.h"

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace vallo::testsupport {

class RecordingUi : public DocumentUi {
public:
    std::deque<SaveAnswer> Answers; // answers to the unsaved-work question, in order
    bool OverwriteAnswer = true;
    std::optional<std::string> OpenChoice; // nothing = the open dialog is cancelled
    std::optional<SaveChoice> SaveChoiceValue;
    std::vector<std::string> Asked; // "save", "overwrite:<path>", "open", "savedialog"
    std::vector<std::string> Errors;
    RgbaPicture Other;
    bool OtherReadable = false;

    SaveAnswer AskSaveChanges() override {
        Asked.push_back("save");
        SaveAnswer a = Answers.empty() ? SaveAnswer::Cancel : Answers.front();
        if (!Answers.empty())
            Answers.pop_front();
        return a;
    }
    bool AskOverwrite(const std::string& path) override {
        Asked.push_back("overwrite:" + path);
        return OverwriteAnswer;
    }
    std::optional<std::string> ChooseOpenFile() override {
        Asked.push_back("open");
        return OpenChoice;
    }
    std::optional<SaveChoice> ChooseSaveFile() override {
        Asked.push_back("savedialog");
        return SaveChoiceValue;
    }
    void ShowError(const std::string& message) override { Errors.push_back(message); }
    std::deque<bool> RestoreAnswers; // answers to the recovery question, in order (default No)
    bool AskRestoreRecovery() override {
        Asked.push_back("restore");
        const bool a = !RestoreAnswers.empty() && RestoreAnswers.front();
        if (!RestoreAnswers.empty())
            RestoreAnswers.pop_front();
        return a;
    }
    bool ReadOtherPicture(const std::string&, RgbaPicture& picture, std::string& error) override {
        if (!OtherReadable) {
            error = "読み込めない形式です";
            return false;
        }
        picture = Other;
        return true;
    }
};

class RecordingHooks : public ViewHooks {
public:
    std::vector<std::string> Titles;
    int LayerReleases = 0;
    int UndoRefreshes = 0;
    void SetTitle(const std::string& title) override { Titles.push_back(title); }
    void ReleaseLayerButton() override { ++LayerReleases; }
    void RefreshUndoButtons() override { ++UndoRefreshes; }
};

// A fresh folder under the system's temporary folder, removed again at the end of the test.
class TempDir {
public:
    TempDir() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("vallo_app_test_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string Dir() const { return path_.string() + "/"; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

} // namespace vallo::testsupport
