#include "palette/PSizeForm.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vallo {

TPSizeForm::TPSizeForm(EditorState& s, AppWindows& w, QWidget* parent)
    : QDialog(parent), s_(s), w_(w) {
    setObjectName("PSizeForm");
    setWindowTitle(QString::fromUtf8("パレットウィンドウのサイズ変更"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    OK = new QPushButton(QString::fromUtf8("設定完了"), this);
    OK->setObjectName("OK");
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(OK);
    Cansel = new QPushButton(QString::fromUtf8("キャンセル"), this);
    Cansel->setObjectName("Cansel");
    connect(Cansel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(Cansel);
    layout->addLayout(buttons);
    (void)s_;
    (void)w_;
}

} // namespace vallo
