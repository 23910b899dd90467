#pragma once

#include "palette/ColorEdit.h"
#include "widgets/QtWindows.h"

#include <QDialog>
#include <QImage>
#include <array>

class QLabel;
class QLineEdit;
class QMouseEvent;
class QPainter;
class QPushButton;

namespace vallo {

class TmogPaintBox;

// The colour edit dialog ("パレット編集"): the drawing colour's palette entry in red, green, blue
// and hue, lightness, saturation, with the bars of sys/Bar.bmp to drag. Every change previews
// in the views; "設定" commits, closing in any other way leaves the palette as it was.
class TPale2Form : public QDialog {
    Q_OBJECT
public:
    TPale2Form(EditorState& s, AppWindows& w, QWidget* parent);

    // Loads the drawing colour's committed entry into the fields and bars.
    void Load();

    QLineEdit* REdit = nullptr;
    QLineEdit* GEdit = nullptr;
    QLineEdit* BEdit = nullptr;
    QLineEdit* HEdit = nullptr;
    QLineEdit* LEdit = nullptr;
    QLineEdit* SEdit = nullptr;
    TmogPaintBox* Box1 = nullptr;
    TmogPaintBox* Box2 = nullptr;
    QPushButton* btSet = nullptr;
    QPushButton* btCancel = nullptr;

    void done(int result) override;

private:
    QLayout* BuildFields(ColorBarBox group, const char* const captions[3],
                         std::array<QLineEdit*, 3>& edits, TmogPaintBox*& box);
    void FieldChange(ColorBarBox group);
    void WriteFields(ColorBarBox group);
    void RepaintBars();
    void PaintShape(QPainter& p);
    void PaintBars(QPainter& p, ColorBarBox group);
    void BoxMouseDown(ColorBarBox group, QPoint pos);
    void BoxMouseMove(ColorBarBox group, QPoint pos);
    void btSetClick();

    EditorState& s_;
    AppWindows& w_;
    std::array<QLineEdit*, 3> rgbEdits_{};
    std::array<QLineEdit*, 3> hlsEdits_{};
    TmogPaintBox* Shape_ = nullptr;
    QLabel* Lab_ = nullptr;
    // The six 64 x 16 strips of sys/Bar.bmp: R, G, B, H, L, S.
    std::array<QImage, 6> strips_;
};

} // namespace vallo
