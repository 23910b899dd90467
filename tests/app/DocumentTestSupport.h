#pragma once

// A recording DocumentUi and a pattern document for the document command tests, with the shared
// temporary folder and recording hooks.

#include "app/DocumentCommands.h"
#include "draw/ImageLayout.h"
#include "state/StateRoutines.h"
#include "support/TestSupport.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace vallo::testsupport {

using test::RecordingHooks;
using test::TempDir;

class RecordingUi : public DocumentUi {
public:
    std::deque<SaveAnswer> Answers;  // answers to the unsaved-work question (default Cancel)
    std::deque<bool> RestoreAnswers; // answers to the recovery question (default No)
    bool OverwriteAnswer = true;
    std::optional<std::string> OpenChoice; // nothing = the open dialog is cancelled
    std::optional<SaveChoice> SaveChoiceValue;
    std::vector<std::string> Asked; // "save", "overwrite:<path>", "open", "savedialog", "restore"
    std::vector<std::string> Errors;
    RgbaPicture Other;
    bool OtherReadable = false;

    SaveAnswer AskSaveChanges() override {
        Asked.push_back("save");
        return Next(Answers, SaveAnswer::Cancel);
    }
    bool AskRestoreRecovery() override {
        Asked.push_back("restore");
        return Next(RestoreAnswers, false);
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
    bool ReadOtherPicture(const std::string&, RgbaPicture& picture, std::string& error) override {
        if (!OtherReadable)
            error = "読み込めない形式です";
        else
            picture = Other;
        return OtherReadable;
    }

private:
    template <typename T> static T Next(std::deque<T>& answers, T otherwise) {
        if (answers.empty())
            return otherwise;
        const T a = answers.front();
        answers.pop_front();
        return a;
    }
};

// The picture's indices row by row.
inline std::vector<uint8_t> Rows(const TDIB& p) {
    std::vector<uint8_t> rows;
    for (int y = 0; y < p.Height(); ++y)
        rows.insert(rows.end(), p.ScanLine(y), p.ScanLine(y) + p.Width());
    return rows;
}

// What a document command keeps or restores: picture, palette, marks, name and Modified.
struct Document {
    int Width, Height;
    std::vector<uint8_t> Rows;
    ColorTableArray Palette;
    std::array<int32_t, 256> Forbidden;
    uint8_t Trans;
    std::string FileName;
    bool Modified;
    bool operator==(const Document&) const = default;
};

inline Document Take(const EditorState& s) {
    const TDIB& p = s.MainImage;
    return {p.Width(),        p.Height(),   Rows(p),    p.ColorTable(),
            s.ForbiddenFlags, s.TransColor, s.FileName, s.Modified};
}

// A document with a pattern of indices, its own palette, marks on 3 and 200, transparent 9.
inline void MakePatternDocument(EditorState& s, int width = 40, int height = 24) {
    s.MainImage.SetSize(width, height, 8);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            s.MainImage.SetPixel(x, y, uint32_t((x * 7 + y * 13) % 256));
    for (int i = 0; i < 256; ++i)
        s.MainImage.ColorTable()[size_t(i)] = {uint8_t(i), uint8_t(255 - i), uint8_t(i ^ 0x5A), 0};
    s.ForbiddenFlags.fill(0);
    s.ForbiddenFlags[3] = s.ForbiddenFlags[200] = kForbidden;
    s.TransColor = 9;
    PropagatePalette(s);
    s.Modified = true;
}

} // namespace vallo::testsupport
