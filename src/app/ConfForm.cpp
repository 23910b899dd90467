#include "app/ConfForm.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vallo {

TConfForm::TConfForm(EditorState& s, AppWindows& w, QWidget* parent)
    : QDialog(parent), s_(s), w_(w) {
    setObjectName("ConfForm");
    setWindowTitle(QString::fromUtf8("設定フォーム"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    OK = new QPushButton(QString::fromUtf8("設定"), this);
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

} // namespace vallo
