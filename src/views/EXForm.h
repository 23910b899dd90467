#pragma once

#include "widgets/FloatingForm.h"

#include <array>

class QAction;
class QMenuBar;
class QPainter;

namespace vallo {

class TmogPaintBox;
class TPreviewBox;

// The extended view: the edited cell, its left-right mirror or both side by side, at one to
// four times. The menus write EXZoom and EXStyle; the core lays out and renders the box.
class TEXForm : public TFloatingForm {
    Q_OBJECT
public:
    TEXForm(EditorState& s, AppWindows& w, QWidget* parent);

    // Sizes the box and the window to the layout (nothing while starting up).
    void EXLayout();
    void RepaintBox();
    // Changed cells of the edited cell (cell coordinates, right/bottom exclusive).
    void InvalidateCells(int left, int top, int right, int bottom);
    void UpdateNow();
    // Ticks the menu items of EXZoom and EXStyle.
    void ReflectState();

    void xClick(int zoom);
    void ViewClick(int style);

    TmogPaintBox* Box() const;
    QMenuBar* Menu() const { return menu_; }
    QAction* ZoomItem(int zoom) const { return zoomItems_[size_t(zoom - 1)]; }
    QAction* StyleItem(int style) const { return styleItems_[size_t(style)]; }

private:
    void BoxPaint(QPainter& p, const QRect& exposed);

    QMenuBar* menu_;
    TPreviewBox* preview_;
    std::array<QAction*, 4> zoomItems_{};
    std::array<QAction*, 3> styleItems_{};
};

} // namespace vallo
