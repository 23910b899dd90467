#pragma once

#include <QString>
#include <QToolButton>

namespace vallo {

// A flat-looking tool button as small as its caption allows: its size hint is the widest
// caption it will show (or its icon) inside the style's frame, never below a given minimum.
// Qt's own hint adds two blanks around the caption, which makes rows of buttons needlessly wide.
class TSpeedButton : public QToolButton {
    Q_OBJECT
public:
    TSpeedButton(QWidget* parent, QSize minimum, const QString& widest);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

private:
    QSize minimum_;
    QString widest_;
};

} // namespace vallo
