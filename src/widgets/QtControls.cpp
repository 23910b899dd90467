#include "widgets/QtControls.h"

#include <QPushButton>
#include <QToolButton>

namespace vallo {

bool ToMouseButton(Qt::MouseButton qtButton, MouseButton& button) {
    switch (qtButton) {
    case Qt::LeftButton:
        button = MouseButton::Left;
        return true;
    case Qt::RightButton:
        button = MouseButton::Right;
        return true;
    case Qt::MiddleButton:
        button = MouseButton::Middle;
        return true;
    default:
        return false;
    }
}

QToolButton* MakeSpeedButton(QWidget* parent, const QString& text, QRect geometry, bool checkable) {
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setGeometry(geometry);
    b->setCheckable(checkable);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QPushButton* MakePushButton(QWidget* parent, const char* name, const char* text, QRect geometry) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

} // namespace vallo
