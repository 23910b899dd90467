#include "draw/CToolForm.h"

#include "app/EditorState.h"
#include "draw/ToolChoice.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QSignalBlocker>

namespace vallo {

TCToolForm::TCToolForm(EditorState& s, AppWindows& w, QWidget* parent)
    : QWidget(parent, Qt::Tool), s_(s), w_(w) {
    setObjectName("CToolForm");
    setWindowTitle(QString::fromUtf8("コピー＆ペースト"));
    setFixedSize(284, 93);
    ToukaCHK = new QCheckBox(QString::fromUtf8("貼り付け時に透過色で透過"), this);
    ToukaCHK->setObjectName("ToukaCHK");
    ToukaCHK->setGeometry(4, 4, 180, 17);
    CPCHK = new QCheckBox(QString::fromUtf8("貼り付け時 合成モード適用"), this);
    CPCHK->setObjectName("CPCHK");
    CPCHK->setGeometry(4, 20, 180, 17);
    connect(ToukaCHK, &QCheckBox::toggled, this, &TCToolForm::CTCHKClick);
    connect(CPCHK, &QCheckBox::toggled, this, &TCToolForm::CTCHKClick);
    ReflectOptions();
    (void)w_;
}

void TCToolForm::CTCHKClick() {
    s_.CopyWithMergeMode = CPCHK->isChecked();
    s_.PasteTransparent = ToukaCHK->isChecked();
}

void TCToolForm::ReflectOptions() {
    const QSignalBlocker quiet1(ToukaCHK);
    const QSignalBlocker quiet2(CPCHK);
    ToukaCHK->setChecked(s_.PasteTransparent);
    CPCHK->setChecked(s_.CopyWithMergeMode);
}

void TCToolForm::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
    btToolClick(s_, 0);
    s_.Hooks->ReflectToolButtons();
}

} // namespace vallo
