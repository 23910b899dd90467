#include "palette/PSForm.h"

#include "palette/PLForm.h"
#include "palette/PaletteFile.h"
#include "state/EditorState.h"
#include "widgets/QtControls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace vallo {

TPSForm::TPSForm(EditorState& s, AppWindows& w, QWidget* parent) : QDialog(parent), s_(s), w_(w) {
    setObjectName("PSForm");
    setWindowTitle(Text(kCaptionSavePalette));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(Text("パレットを保存"), this);
    Label1->setObjectName("Label1");
    QFont heading(QStringLiteral("Serif"));
    heading.setStyleHint(QFont::Serif);
    heading.setBold(true);
    heading.setPointSizeF(font().pointSizeF() * 1.6);
    Label1->setFont(heading);
    layout->addWidget(Label1);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(Text("タイトル"), this), 0, 0);
    TEdit = new QLineEdit(this);
    TEdit->setObjectName("TEdit");
    TEdit->setMaxLength(32);
    TEdit->setMinimumWidth(TEdit->fontMetrics().horizontalAdvance(QString(16, QChar(0x3042))));
    fields->addWidget(TEdit, 0, 1, 1, 2);
    fields->addWidget(new QLabel(Text("ファイル名（拡張子無し）"), this), 1, 0);
    FEdit = new QLineEdit(this);
    FEdit->setObjectName("FEdit");
    fields->addWidget(FEdit, 1, 1);
    Button1 = MakeDialogButton(this, "Button1", "参照");
    fields->addWidget(Button1, 1, 2);
    fields->setColumnStretch(1, 1);
    layout->addLayout(fields);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    Button3 = MakeDialogButton(this, "Button3", "保存");
    Button2 = MakeDialogButton(this, "Button2", "キャンセル");
    buttons->addWidget(Button3);
    buttons->addWidget(Button2);
    layout->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TPSForm::Prepare(const char* caption, const char* heading) {
    setWindowTitle(Text(caption));
    Label1->setText(Text(heading));
    TEdit->clear();
    FEdit->clear();
}

void TPSForm::Button1Click() {
    if (!w_.PLForm)
        return;
    const PaletteFileKind kind = SaveKindForCaption(windowTitle().toStdString());
    w_.PLForm->Prepare(kCaptionBrowse, PaletteFileExtension(kind));
    w_.PLForm->exec();
}

void TPSForm::Button3Click() {
    try {
        SavePaletteFile(s_, SaveKindForCaption(windowTitle().toStdString()),
                        TEdit->text().toStdString(), FEdit->text().toStdString());
    } catch (const std::exception& e) {
        QMessageBox::critical(this, QStringLiteral("Vallo"), QString::fromUtf8(e.what()));
        return;
    }
    accept();
}

} // namespace vallo
