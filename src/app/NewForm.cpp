#include "app/NewForm.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vallo {

TNewForm::TNewForm(EditorState& s, AppWindows& w, QWidget* parent) : QDialog(parent), s_(s), w_(w) {
    setObjectName("NewForm");
    setWindowTitle(QString::fromUtf8("新規作成"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    OK = new QPushButton(QString::fromUtf8("作成"), this);
    OK->setObjectName("OK");
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(OK);
    Cansel = new QPushButton(QString::fromUtf8("やめる"), this);
    Cansel->setObjectName("Cansel");
    connect(Cansel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(Cansel);
    layout->addLayout(buttons);
    (void)s_;
    (void)w_;
}

void TNewForm::SetMode(Mode mode) {
    const bool isNew = mode == Mode::New;
    setWindowTitle(QString::fromUtf8(isNew ? "新規作成" : "サイズ変更"));
    OK->setText(QString::fromUtf8(isNew ? "作成" : "変更"));
}

} // namespace vallo
