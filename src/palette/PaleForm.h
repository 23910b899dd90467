#pragma once

#include "widgets/FloatingForm.h"

#include <exception>

class QAction;
class QMenuBar;
class QMouseEvent;
class QPainter;
class QSpacerItem;

namespace vallo {

class TmogPaintBox;

// The palette window: the 256 entries of the document palette as a grid of cells. The grid is
// drawn by the core into PaletteImage; this window copies it 1:1, paints the markers of the
// drawing and transparent colours over it, and hands the mouse and the menu to the core.
class TPaleForm : public TFloatingForm {
    Q_OBJECT
public:
    TPaleForm(EditorState& s, AppWindows& w, QWidget* parent);

    // Repaints the grid and its markers.
    void Repaint();
    // Fits the client area to the grid (PaletteImage has been sized by the core).
    void SizeToGrid();

    TmogPaintBox* PaleBox() const { return PaleBox_; }
    QMenuBar* Menu() const { return Menu_; }

    // Menu items, under the names the handlers use.
    QAction* L1 = nullptr;
    QAction* S1 = nullptr;
    QAction* N5 = nullptr;
    QAction* N6 = nullptr;
    QAction* N7 = nullptr;
    QAction* N4 = nullptr;
    QAction* Change = nullptr;
    QAction* Colors = nullptr;
    QAction* Grade = nullptr;
    QAction* N2 = nullptr;
    QAction* N3 = nullptr;
    QAction* N8 = nullptr;
    QAction* Import = nullptr;
    QAction* Export = nullptr;

    void L1Click();
    void S1Click();
    void N5Click();
    void N6Click();
    void N7Click();
    void N4Click();
    void ChangeClick();
    void ColorsClick();
    void GradeClick();
    void N2Click();
    void N3Click();
    void N8Click();
    // "インポート(&I)..." and "エクスポート(&X)..." without the file dialog.
    void ImportFrom(const QString& path);
    void ExportTo(const QString& path);

private:
    void BuildMenu();
    void ImportClick();
    void ExportClick();
    void ShowError(const std::exception& e);
    void PaleBoxPaint(QPainter& p, const QRect& exposed);
    void PaleBoxMouseDown(QMouseEvent* e, QPoint pos);
    void PaleBoxMouseMove(QMouseEvent* e, QPoint pos);
    void PaleBoxMouseUp(QMouseEvent* e, QPoint pos);

    TmogPaintBox* PaleBox_;
    QMenuBar* Menu_;
    QSpacerItem* menuRoom_; // as wide as the menu bar, so that no menu is cut
};

} // namespace vallo
