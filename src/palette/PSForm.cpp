#include "palette/PSForm.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vallo {

TPSForm::TPSForm(EditorState& s, AppWindows& w, QWidget* parent) : QDialog(parent), s_(s), w_(w) {
    setObjectName("PSForm");
    setWindowTitle(QString::fromUtf8("パレット保存"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    OK = new QPushButton(QString::fromUtf8("保存"), this);
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
