#include "draw/EToolForm.h"

#include "state/EditorState.h"
#include "draw/Transforms.h"
#include "views/LupeMouse.h"
#include "widgets/QtControls.h"
#include "widgets/QtDibImage.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace vallo {

namespace {

// A shift button shows its icon from the tool icon strip, or an arrow when the strip is
// missing.
QToolButton* MakeShiftButton(QWidget* parent, const char* name, QRect geometry, const QImage& strip,
                             int icon, const char* fallback) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    b->setFocusPolicy(Qt::NoFocus);
    const QImage image = StripIcon(strip, icon);
    if (image.isNull()) {
        b->setText(QString::fromUtf8(fallback));
    } else {
        b->setIcon(QPixmap::fromImage(image));
        b->setIconSize(QSize(16, 16));
    }
    return b;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* text, QRect geometry) {
    QPushButton* b = MakePushButton(parent, name, text, geometry);
    // The captions are long for their buttons; a slightly smaller type keeps them whole.
    QFont small = b->font();
    small.setPixelSize(11);
    b->setFont(small);
    return b;
}

} // namespace

TEToolForm::TEToolForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TFloatingForm(s, w, WindowItem::ETool, QString::fromUtf8("特殊ツール"), parent) {
    setObjectName("EToolForm");
    setFixedSize(194, 83);
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);

    Label1 = new QLabel(QString::fromUtf8("ドットシフト"), this);
    Label1->setObjectName("Label1");
    Label1->move(64, 4);
    // The heading has the width between the flip buttons and the half buttons only.
    QFont heading = font();
    heading.setPixelSize(9);
    Label1->setFont(heading);
    Label1->adjustSize();
    const QImage icons = LoadStripImage(s_.AppDir + "sys/ICON.BMP");
    btUp = MakeShiftButton(this, "btUp", QRect(68, 24, 45, 17), icons, 10, "↑");
    btLeft = MakeShiftButton(this, "btLeft", QRect(68, 44, 21, 17), icons, 8, "←");
    btRight = MakeShiftButton(this, "btRight", QRect(92, 44, 21, 17), icons, 9, "→");
    btDown = MakeShiftButton(this, "btDown", QRect(68, 64, 45, 17), icons, 11, "↓");
    btRev1 = MakeButton(this, "btRev1", "上下反転", QRect(0, 4, 61, 17));
    btRev2 = MakeButton(this, "btRev2", "左右反転", QRect(0, 24, 61, 17));
    btL90 = MakeButton(this, "btL90", "左90度回転", QRect(0, 44, 61, 17));
    btR90 = MakeButton(this, "btR90", "右90度反転", QRect(0, 64, 61, 17));
    btLeftToRight = MakeButton(this, "btLeftToRight", "左半分を右へ", QRect(120, 4, 73, 21));
    btRightToLeft = MakeButton(this, "btRightToLeft", "右半分を左へ", QRect(120, 28, 73, 21));

    Run(btUp, btUpClick);
    Run(btLeft, btLeftClick);
    Run(btRight, btRightClick);
    Run(btDown, btDownClick);
    Run(btRev1, btRev1Click);
    Run(btRev2, btRev2Click);
    Run(btL90, btL90Click);
    Run(btR90, btR90Click);
    Run(btLeftToRight, btLeftToRightClick);
    Run(btRightToLeft, btRightToLeftClick);
}

void TEToolForm::Run(QAbstractButton* button, void (*transform)(EditorState&)) {
    connect(button, &QAbstractButton::clicked, this, [this, transform] {
        transform(s_);
        TimTimer(s_);
    });
}

} // namespace vallo
