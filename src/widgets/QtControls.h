#pragma once

#include "state/Mouse.h"

#include <QRect>
#include <QString>
#include <Qt>

class QPushButton;
class QToolButton;
class QWidget;

namespace vallo {

// The core's button for a Qt mouse button; false for buttons the editor does not use.
bool ToMouseButton(Qt::MouseButton qtButton, MouseButton& button);

// A flat tool button at a fixed place that never takes the keyboard focus.
QToolButton* MakeSpeedButton(QWidget* parent, const QString& text, QRect geometry, bool checkable);
// A push button at a fixed place, with an object name for tests, that never takes the focus.
QPushButton* MakePushButton(QWidget* parent, const char* name, const char* text, QRect geometry);

} // namespace vallo
