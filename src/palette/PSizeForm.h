#pragma once

#include "widgets/QtWindows.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace vallo {

// The palette window size dialog ("パレットウィンドウのサイズ変更"): the arrangement of the 256
// cells (8 × 32, 16 × 16, 32 × 8) on a bar and the cell size in pixels (8…32).
class TPSizeForm : public QDialog {
    Q_OBJECT
public:
    TPSizeForm(EditorState& s, AppWindows& w, QWidget* parent);

    QLabel* Lab1 = nullptr;
    QLabel* Lab2 = nullptr;
    QScrollBar* Bar = nullptr;
    QLineEdit* XEdit = nullptr;
    QLineEdit* YEdit = nullptr;
    QPushButton* OK = nullptr;
    QPushButton* cancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BarChange();
    void OKClick();

    EditorState& s_;
    AppWindows& w_;
};

} // namespace vallo
