#include "widgets/QtSkeletonDialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vallo {

TSkeletonDialog::TSkeletonDialog(EditorState& s, AppWindows& w, QWidget* parent,
                                 const char* objectName, const char* caption, const char* okText,
                                 const char* cancelText)
    : QDialog(parent), s_(s), w_(w) {
    setObjectName(objectName);
    setWindowTitle(QString::fromUtf8(caption));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    body_ = new QVBoxLayout;
    layout->addLayout(body_);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    OK = new QPushButton(QString::fromUtf8(okText), this);
    OK->setObjectName("OK");
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(OK);
    Cansel = new QPushButton(QString::fromUtf8(cancelText), this);
    Cansel->setObjectName("Cansel");
    connect(Cansel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(Cansel);
    layout->addLayout(buttons);
}

} // namespace vallo
