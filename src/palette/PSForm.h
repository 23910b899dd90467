#pragma once

#include "widgets/QtWindows.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vallo {

// The save dialog of palette and forbidden-colour files. "パレット保存" as its caption saves a
// palette, any other caption forbidden marks, under a title and a file name in the palette
// folder.
class TPSForm : public QDialog {
    Q_OBJECT
public:
    TPSForm(EditorState& s, AppWindows& w, QWidget* parent);

    // The opener's set-up: caption, heading, both fields emptied.
    void Prepare(const char* caption, const char* heading);

    QLabel* Label1 = nullptr;
    QLineEdit* TEdit = nullptr;
    QLineEdit* FEdit = nullptr;
    QPushButton* Button1 = nullptr; // "参照"
    QPushButton* Button2 = nullptr; // "キャンセル"
    QPushButton* Button3 = nullptr; // "保存"

    void Button1Click();
    void Button3Click();

private:
    EditorState& s_;
    AppWindows& w_;
};

} // namespace vallo
