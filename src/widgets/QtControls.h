#pragma once

#include "state/Mouse.h"

#include <QSize>
#include <QString>
#include <Qt>
#include <initializer_list>
#include <vector>

class QGroupBox;
class QPushButton;
class QRadioButton;
class QToolButton;
class QWidget;

namespace vallo {

// The core's button for a Qt mouse button; false for buttons the editor does not use.
bool ToMouseButton(Qt::MouseButton qtButton, MouseButton& button);

// A tool button for a layout that never takes the keyboard focus. It is as wide as its caption,
// or `widest` when that is the longer caption it will show, and never below `minimum`.
QToolButton* MakeSpeedButton(QWidget* parent, const QString& text, QSize minimum, bool checkable,
                             const QString& widest = QString());
// A push button for a layout, with an object name for tests, that never takes the focus.
QPushButton* MakePushButton(QWidget* parent, const char* name, const char* text, QSize minimum);

// A titled group of radio buttons in `columns` columns, filled column by column, for a
// layout. `minimum` is the smallest size the group gets. The items are returned in order.
QGroupBox* MakeRadioGroup(QWidget* parent, const char* name, const char* title,
                          std::initializer_list<const char*> items, int columns, QSize minimum,
                          std::vector<QRadioButton*>& out);

} // namespace vallo
