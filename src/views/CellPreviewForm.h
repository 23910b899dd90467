#pragma once

#include "views/PreviewLayout.h"
#include "widgets/FloatingForm.h"

class QMenuBar;
class QPainter;

namespace vallo {

class TmogPaintBox;
class TPreviewBox;

// A floating window that shows the edited cell through a layout of its own: a menu bar over a
// preview box that the window fits itself to. The extended and the tiled view are two of them.
class TCellPreviewForm : public TFloatingForm {
    Q_OBJECT
public:
    TmogPaintBox* Box() const;
    QMenuBar* Menu() const { return menu_; }
    void RepaintBox();
    // Changed cells of the edited cell (cell coordinates, right/bottom exclusive).
    void InvalidateCells(int left, int top, int right, int bottom);
    void UpdateNow();

protected:
    TCellPreviewForm(EditorState& s, AppWindows& w, WindowItem item, const QString& caption,
                     QWidget* parent);

    // Where the box shows the edited cell.
    virtual PreviewLayout Layout() const = 0;
    // Puts the preview box under the menus with a size of its own until the first FitToLayout.
    void AddBox(int width, int height);
    // Sizes the box and the window to the layout.
    void FitToLayout();

    QMenuBar* menu_;

private:
    void BoxPaint(QPainter& p, const QRect& exposed);

    TPreviewBox* preview_ = nullptr;
};

} // namespace vallo
