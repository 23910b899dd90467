#pragma once

#include "state/Mouse.h"

#include <QSize>
#include <QString>
#include <Qt>
#include <functional>
#include <initializer_list>
#include <vector>

class QAction;
class QActionGroup;
class QGroupBox;
class QMenu;
class QPushButton;
class QRadioButton;
class QToolButton;
class QWidget;

namespace vallo {

// A caption written as UTF-8 in the source.
inline QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The core's button for a Qt mouse button; false for buttons the editor does not use.
bool ToMouseButton(Qt::MouseButton qtButton, MouseButton& button);

// A tool button for a layout that never takes the keyboard focus. It is as wide as its caption,
// or `widest` when that is the longer caption it will show, and never below `minimum`.
QToolButton* MakeSpeedButton(QWidget* parent, const QString& text, QSize minimum, bool checkable,
                             const QString& widest = QString());
// A push button for a layout, with an object name for tests, that never takes the focus.
QPushButton* MakePushButton(QWidget* parent, const char* name, const char* text, QSize minimum);
// A dialog's push button, with an object name for tests, that Enter does not press.
QPushButton* MakeDialogButton(QWidget* parent, const char* name, const char* caption);

// A checkable menu item, named for tests, in an exclusive group; choosing it calls `chosen`.
QAction* AddChoiceItem(QMenu* menu, QActionGroup* group, const QString& text, const QString& name,
                       const std::function<void()>& chosen);

// Moves a shown window so that its frame lies inside its screen's free area, as far as it fits.
void KeepWindowOnScreen(QWidget* window);

// A titled group of radio buttons in `columns` columns, filled column by column, for a
// layout. `minimum` is the smallest size the group gets. The items are returned in order.
QGroupBox* MakeRadioGroup(QWidget* parent, const char* name, const char* title,
                          std::initializer_list<const char*> items, int columns, QSize minimum,
                          std::vector<QRadioButton*>& out);

} // namespace vallo
