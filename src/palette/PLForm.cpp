#include "palette/PLForm.h"

#include "palette/PSForm.h"
#include "palette/PaletteFile.h"
#include "state/EditorState.h"
#include "views/LupeMouse.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace vallo {

TPLForm::TPLForm(EditorState& s, AppWindows& w, QWidget* parent) : QDialog(parent), s_(s), w_(w) {
    setObjectName("PLForm");
    setWindowTitle(QString::fromUtf8(kCaptionLoadPalette));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    FList = new QListWidget(this);
    FList->setObjectName("FList");
    FList->setMinimumSize(220, 160);
    layout->addWidget(FList);
    auto* title = new QHBoxLayout;
    title->addWidget(new QLabel(QString::fromUtf8("タイトル"), this));
    TEdit = new QLineEdit(this);
    TEdit->setObjectName("TEdit");
    TEdit->setReadOnly(true);
    TEdit->setMinimumWidth(TEdit->fontMetrics().horizontalAdvance(QString(16, QChar(0x3042))));
    title->addWidget(TEdit, 1);
    layout->addLayout(title);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    OK = new QPushButton(QString::fromUtf8("読み込み"), this);
    OK->setObjectName("OK");
    buttons->addWidget(OK);
    layout->addLayout(buttons);
    connect(OK, &QPushButton::clicked, this, [this] { OKClick(); });
    connect(FList, &QListWidget::itemSelectionChanged, this, [this] { FListClick(); });
    connect(FList, &QListWidget::itemDoubleClicked, this, [this] { OKClick(); });
}

void TPLForm::Prepare(const char* caption, const std::string& extension) {
    setWindowTitle(QString::fromUtf8(caption));
    TEdit->clear();
    mask_ = extension;
    Reload();
}

void TPLForm::Reload() {
    FList->clear();
    for (const std::string& name : ListPaletteFiles(PaletteFolder(s_), mask_))
        FList->addItem(QString::fromStdString(name));
}

void TPLForm::showEvent(QShowEvent* event) {
    Reload();
    TEdit->clear();
    QDialog::showEvent(event);
}

std::string TPLForm::SelectedPath() const {
    const QList<QListWidgetItem*> selected = FList->selectedItems();
    if (selected.isEmpty())
        return {};
    return PaletteFolder(s_) + selected.first()->text().toStdString();
}

void TPLForm::FListClick() {
    const std::string path = SelectedPath();
    if (path.empty())
        return;
    try {
        TEdit->setText(QString::fromStdString(ReadPaletteTitle(path)));
    } catch (const std::exception&) {
        TEdit->clear();
    }
}

void TPLForm::OKClick() {
    const std::string path = SelectedPath();
    if (path.empty())
        return;
    const std::string caption = windowTitle().toStdString();
    try {
        if (caption == kCaptionBrowse) {
            if (w_.PSForm) {
                w_.PSForm->TEdit->setText(QString::fromStdString(ReadPaletteTitle(path)));
                w_.PSForm->FEdit->setText(QString::fromStdString(PaletteFileBaseName(path)));
            }
        } else {
            const std::string title = LoadPaletteFile(s_, path, LoadKindForCaption(caption));
            TEdit->setText(QString::fromStdString(title));
            TimTimer(s_);
        }
    } catch (const std::exception& e) {
        QMessageBox::critical(this, QStringLiteral("Vallo"), QString::fromUtf8(e.what()));
        return;
    }
    accept();
}

} // namespace vallo
