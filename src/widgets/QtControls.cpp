#include "widgets/QtControls.h"

#include "widgets/QtSpeedButton.h"

#include <QAction>
#include <QActionGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>
#include <algorithm>

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

QToolButton* MakeSpeedButton(QWidget* parent, const QString& text, QSize minimum, bool checkable,
                             const QString& widest) {
    auto* b = new TSpeedButton(parent, minimum, widest);
    b->setText(text);
    b->setCheckable(checkable);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QPushButton* MakePushButton(QWidget* parent, const char* name, const char* text, QSize minimum) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(name);
    b->setMinimumSize(minimum);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QPushButton* MakeDialogButton(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(Text(caption), parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QAction* AddChoiceItem(QMenu* menu, QActionGroup* group, const QString& text, const QString& name,
                       const std::function<void()>& chosen) {
    QAction* a = menu->addAction(text);
    a->setObjectName(name);
    a->setCheckable(true);
    group->addAction(a);
    QObject::connect(a, &QAction::triggered, group, chosen);
    return a;
}

void KeepWindowOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!window->isVisible() || !screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    QPoint p = window->pos();
    p.setX(std::max(area.left(), std::min(p.x(), area.right() + 1 - size.width())));
    p.setY(std::max(area.top(), std::min(p.y(), area.bottom() + 1 - size.height())));
    if (p != window->pos())
        window->move(p);
}

QGroupBox* MakeRadioGroup(QWidget* parent, const char* name, const char* title,
                          std::initializer_list<const char*> items, int columns, QSize minimum,
                          std::vector<QRadioButton*>& out) {
    auto* box = new QGroupBox(QString::fromUtf8(title), parent);
    box->setObjectName(name);
    box->setMinimumSize(minimum);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(0);
    const int count = int(items.size());
    const int perColumn = (count + columns - 1) / std::max(columns, 1);
    out.clear();
    for (const char* item : items) {
        const int i = int(out.size());
        auto* r = new QRadioButton(QString::fromUtf8(item), box);
        r->setFocusPolicy(Qt::NoFocus);
        grid->addWidget(r, i % perColumn, i / perColumn);
        out.push_back(r);
    }
    return box;
}

} // namespace vallo
