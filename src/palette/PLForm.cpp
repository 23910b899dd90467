#include "palette/PLForm.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vallo {

TPLForm::TPLForm(EditorState& s, AppWindows& w, QWidget* parent) : QDialog(parent), s_(s), w_(w) {
    setObjectName("PLForm");
    setWindowTitle(QString::fromUtf8("パレット読み込み"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    OK = new QPushButton(QString::fromUtf8("読み込み"), this);
    OK->setObjectName("OK");
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(OK);
    layout->addLayout(buttons);
    (void)s_;
    (void)w_;
}

} // namespace vallo
