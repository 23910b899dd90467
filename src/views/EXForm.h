#pragma once

#include "views/CellPreviewForm.h"

#include <array>

class QAction;

namespace vallo {

// The extended view: the edited cell, its left-right mirror or both side by side, at one to
// four times. The menus write EXZoom and EXStyle; the core lays out and renders the box.
class TEXForm : public TCellPreviewForm {
    Q_OBJECT
public:
    TEXForm(EditorState& s, AppWindows& w, QWidget* parent);

    // Sizes the box and the window to the layout (nothing while starting up).
    void EXLayout();
    // Ticks the menu items of EXZoom and EXStyle.
    void ReflectState();

    void xClick(int zoom);
    void ViewClick(int style);

    QAction* ZoomItem(int zoom) const { return zoomItems_[size_t(zoom - 1)]; }
    QAction* StyleItem(int style) const { return styleItems_[size_t(style)]; }

protected:
    PreviewLayout Layout() const override;

private:
    std::array<QAction*, 4> zoomItems_{};
    std::array<QAction*, 3> styleItems_{};
};

} // namespace vallo
