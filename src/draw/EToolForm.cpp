#include "draw/EToolForm.h"

#include "state/EditorState.h"
#include "draw/Transforms.h"
#include "views/LupeMouse.h"
#include "widgets/QtControls.h"
#include "widgets/QtDibImage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace vallo {

namespace {

// A shift button shows its icon from the tool icon strip, or an arrow when the strip is
// missing.
QToolButton* MakeShiftButton(QWidget* parent, const char* name, QSize minimum, const QImage& strip,
                             int icon, const char* fallback) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setMinimumSize(minimum);
    b->setFocusPolicy(Qt::NoFocus);
    const QImage image = StripIcon(strip, icon);
    if (image.isNull()) {
        b->setText(QString::fromUtf8(fallback));
    } else {
        b->setIcon(PixelIcon(image));
        b->setIconSize(QSize(16, 16));
    }
    return b;
}

} // namespace

TEToolForm::TEToolForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TFloatingForm(s, w, WindowItem::ETool, QString::fromUtf8("特殊ツール"), parent) {
    setObjectName("EToolForm");
    // Three columns: the flips and turns, the shift cross under its heading, the half
    // mirrors. The window keeps the size its controls need.
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(2, 2, 2, 2);
    columns->setSpacing(6);
    columns->setSizeConstraint(QLayout::SetFixedSize);

    auto* turns = new QVBoxLayout;
    turns->setSpacing(2);
    btRev1 = MakePushButton(this, "btRev1", "上下反転", QSize(61, 17));
    btRev2 = MakePushButton(this, "btRev2", "左右反転", QSize(61, 17));
    btL90 = MakePushButton(this, "btL90", "左90度回転", QSize(61, 17));
    btR90 = MakePushButton(this, "btR90", "右90度反転", QSize(61, 17));
    for (QPushButton* b : {btRev1, btRev2, btL90, btR90})
        turns->addWidget(b);
    turns->addStretch(1);
    columns->addLayout(turns);

    auto* shifts = new QVBoxLayout;
    shifts->setSpacing(2);
    Label1 = new QLabel(QString::fromUtf8("ドットシフト"), this);
    Label1->setObjectName("Label1");
    shifts->addWidget(Label1, 0, Qt::AlignHCenter);
    const QImage icons = LoadStripImage(s_.AppDir + "sys/ICON.BMP");
    btUp = MakeShiftButton(this, "btUp", QSize(45, 17), icons, 10, "↑");
    btLeft = MakeShiftButton(this, "btLeft", QSize(21, 17), icons, 8, "←");
    btRight = MakeShiftButton(this, "btRight", QSize(21, 17), icons, 9, "→");
    btDown = MakeShiftButton(this, "btDown", QSize(45, 17), icons, 11, "↓");
    auto* cross = new QGridLayout;
    cross->setSpacing(2);
    cross->addWidget(btUp, 0, 0, 1, 2, Qt::AlignHCenter);
    cross->addWidget(btLeft, 1, 0, Qt::AlignRight);
    cross->addWidget(btRight, 1, 1, Qt::AlignLeft);
    cross->addWidget(btDown, 2, 0, 1, 2, Qt::AlignHCenter);
    shifts->addLayout(cross);
    shifts->addStretch(1);
    columns->addLayout(shifts);

    auto* halves = new QVBoxLayout;
    halves->setSpacing(2);
    btLeftToRight = MakePushButton(this, "btLeftToRight", "左半分を右へ", QSize(73, 21));
    btRightToLeft = MakePushButton(this, "btRightToLeft", "右半分を左へ", QSize(73, 21));
    halves->addWidget(btLeftToRight);
    halves->addWidget(btRightToLeft);
    halves->addStretch(1);
    columns->addLayout(halves);

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
