#include "widgets/QtSpeedButton.h"

#include <QStyle>
#include <QStyleOptionToolButton>

namespace vallo {

TSpeedButton::TSpeedButton(QWidget* parent, QSize minimum, const QString& widest)
    : QToolButton(parent), minimum_(minimum), widest_(widest) {
    // In a grid the button fills its cell, so that rows of buttons line up.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QSize TSpeedButton::sizeHint() const {
    const QFontMetrics fm(font());
    const QString caption = widest_.size() > text().size() ? widest_ : text();
    QSize content = caption.isEmpty() ? QSize(0, fm.height())
                                      : QSize(fm.horizontalAdvance(caption) + 4, fm.height());
    if (!icon().isNull())
        content = content.expandedTo(iconSize());
    QStyleOptionToolButton opt;
    opt.initFrom(this);
    return style()
        ->sizeFromContents(QStyle::CT_ToolButton, &opt, content, this)
        .expandedTo(minimum_);
}

} // namespace vallo
