#pragma once

#include "app/DocumentCommands.h"

#include <QStringList>

class QWidget;

namespace vallo {

struct EditorState;

// The document commands' questions and dialogs as Qt message boxes and file dialogs.
class QtDocumentUi : public DocumentUi {
public:
    QtDocumentUi(EditorState& s, QWidget* parent) : s_(s), parent_(parent) {}

    SaveAnswer AskSaveChanges() override;
    bool AskOverwrite(const std::string& path) override;
    std::optional<std::string> ChooseOpenFile() override;
    std::optional<SaveChoice> ChooseSaveFile() override;
    void ShowError(const std::string& message) override;
    bool ReadOtherPicture(const std::string& path, RgbaPicture& picture,
                          std::string& error) override;
    bool AskRestoreRecovery() override;

private:
    EditorState& s_;
    QWidget* parent_;
};

// "説明|*.a;*.b|..." as the name filters of a Qt file dialog: "説明 (*.a *.b)", ...
QStringList QtNameFilters(const char* filter);

} // namespace vallo
