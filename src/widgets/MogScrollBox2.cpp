#include "widgets/MogScrollBox2.h"

#include <QScrollBar>

namespace vallo {

TmogScrollBox2::TmogScrollBox2(QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    auto raise = [this] {
        if (OnScroll)
            OnScroll();
    };
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, raise);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, raise);
}

int TmogScrollBox2::ScrollX() const {
    return horizontalScrollBar()->value();
}
int TmogScrollBox2::ScrollY() const {
    return verticalScrollBar()->value();
}

void TmogScrollBox2::ScrollTo(int x, int y) {
    horizontalScrollBar()->setValue(x);
    verticalScrollBar()->setValue(y);
}

void TmogScrollBox2::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    if (OnResize)
        OnResize();
}

} // namespace vallo
