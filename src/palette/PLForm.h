#pragma once

#include "widgets/QtWindows.h"

#include <QDialog>
#include <string>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace vallo {

// The load dialog of palette and forbidden-colour files. Its caption tells what "読み込み" does:
// "パレット読み込み" loads a palette, "描画禁止色位置読み込み" forbidden marks, and "参照" hands
// the chosen file to the save dialog. The list is read afresh each time the dialog shows.
class TPLForm : public QDialog {
    Q_OBJECT
public:
    TPLForm(EditorState& s, AppWindows& w, QWidget* parent);

    // The opener's set-up: caption, title field emptied, the files of `extension` listed.
    void Prepare(const char* caption, const std::string& extension);
    // Reads the palette folder again.
    void Reload();

    QListWidget* FList = nullptr;
    QLineEdit* TEdit = nullptr;
    QPushButton* OK = nullptr;

    void OKClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::string SelectedPath() const;
    void FListClick();

    EditorState& s_;
    AppWindows& w_;
    std::string mask_ = ".vp3";
};

} // namespace vallo
