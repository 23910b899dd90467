#include "palette/PSizeForm.h"

#include "palette/PaletteWindowSize.h"
#include "state/EditorState.h"
#include "widgets/QtControls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace vallo {

namespace {

QLabel* Centred(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 8);
    return label;
}

} // namespace

TPSizeForm::TPSizeForm(EditorState& s, AppWindows& w, QWidget* parent)
    : QDialog(parent), s_(s), w_(w) {
    setObjectName("PSizeForm");
    setWindowTitle(Text("パレットウィンドウのサイズ変更"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    // 縦 and its row count, the bar, 横 and its column count.
    auto* arrangement = new QGridLayout;
    arrangement->addWidget(Centred(this, "Label1", Text("縦")), 0, 0);
    Lab1 = Centred(this, "Lab1", QString());
    arrangement->addWidget(Lab1, 1, 0);
    Bar = new QScrollBar(Qt::Horizontal, this);
    Bar->setObjectName("Bar");
    Bar->setRange(1, 3);
    Bar->setPageStep(1);
    Bar->setMinimumWidth(120);
    arrangement->addWidget(Bar, 0, 1, 2, 1, Qt::AlignVCenter);
    arrangement->addWidget(Centred(this, "Label2", Text("横")), 0, 2);
    Lab2 = Centred(this, "Lab2", QString());
    arrangement->addWidget(Lab2, 1, 2);
    arrangement->setColumnStretch(1, 1);
    layout->addLayout(arrangement);

    auto* cells = new QHBoxLayout;
    const auto sizeEdit = [this, cells](const char* caption, const char* name) {
        cells->addWidget(new QLabel(Text(caption), this));
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
        cells->addWidget(edit);
        return edit;
    };
    XEdit = sizeEdit("横幅", "XEdit");
    YEdit = sizeEdit("縦幅", "YEdit");
    auto* range = new QLabel(Text("８～３２"), this);
    range->setObjectName("Label5");
    cells->addWidget(range);
    cells->addStretch();
    layout->addLayout(cells);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    OK = new QPushButton(Text("設定完了"), this);
    OK->setObjectName("OK");
    cancel = new QPushButton(Text("キャンセル"), this);
    cancel->setObjectName("cancel");
    buttons->addWidget(OK);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(Bar, &QScrollBar::valueChanged, this, [this] { BarChange(); });
    connect(OK, &QPushButton::clicked, this, [this] { OKClick(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    BarChange();
}

void TPSizeForm::showEvent(QShowEvent* event) {
    Bar->setValue(BarForRows(s_.PaleRows, Bar->value()));
    Lab1->setText(QString::number(s_.PaleRows));
    Lab2->setText(QString::number(s_.PaleColumns));
    XEdit->setText(QString::number(s_.PaleCellWidth));
    YEdit->setText(QString::number(s_.PaleCellHeight));
    QDialog::showEvent(event);
}

void TPSizeForm::BarChange() {
    const PaletteArrangement a = ArrangementForBar(Bar->value());
    Lab1->setText(QString::number(a.Rows));
    Lab2->setText(QString::number(a.Columns));
}

void TPSizeForm::OKClick() {
    ApplyPaletteWindowSize(s_, Bar->value(), XEdit->text().toStdString(),
                           YEdit->text().toStdString());
    accept();
}

} // namespace vallo
