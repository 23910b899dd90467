#include "palette/ColorsForm.h"

#include "state/EditorState.h"
#include "views/LupeMouse.h"
#include "widgets/QtControls.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace vallo {

TColorsForm::TColorsForm(EditorState& s, AppWindows& w, QWidget* parent)
    : QDialog(parent), s_(s), w_(w) {
    setObjectName("ColorsForm");
    setWindowTitle(Text("色調調整"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(BuildBars());
    layout->addLayout(BuildGroups());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    Button3 = MakeDialogButton(this, "Button3", "プレビュー");
    Button1 = MakeDialogButton(this, "Button1", "決定");
    Button2 = MakeDialogButton(this, "Button2", "キャンセル");
    for (QPushButton* b : {Button3, Button1, Button2})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(Button3, &QPushButton::clicked, this, [this] { PreviewTone(s_, Settings()); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

// Three rows: caption, bar of −100…100, the bar's position as "%d%%".
QLayout* TColorsForm::BuildBars() {
    static const char* const kCaptions[3] = {"R(H)", "G(L)", "B(S)"};
    static const char* const kLabels[3] = {"Lab1", "Lab2", "Label2"};
    auto* grid = new QGridLayout;
    for (int k = 0; k < 3; ++k) {
        auto* label = new QLabel(Text(kCaptions[k]), this);
        label->setObjectName(kLabels[k]);
        auto* bar = new QScrollBar(Qt::Horizontal, this);
        bar->setObjectName(QString("Bar%1").arg(k + 1));
        bar->setRange(-100, 100);
        bar->setPageStep(10);
        bar->setMinimumWidth(200);
        auto* edit = new QLineEdit(QStringLiteral("0"), this);
        edit->setObjectName(QString("Edit%1").arg(k + 1));
        edit->setReadOnly(true);
        edit->setAlignment(Qt::AlignRight);
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-100%")) + 16);
        edit->setMaximumWidth(edit->minimumWidth() + 24);
        connect(bar, &QScrollBar::valueChanged, this, [this] { BarChange(); });
        grid->addWidget(label, k, 0);
        grid->addWidget(bar, k, 1);
        grid->addWidget(edit, k, 2);
        Bars[size_t(k)] = bar;
        Edits[size_t(k)] = edit;
    }
    grid->setColumnStretch(1, 1);
    return grid;
}

// "Mode Select" twice: which entries (two columns) and how.
QLayout* TColorsForm::BuildGroups() {
    auto* row = new QHBoxLayout;
    auto* kinsi = new QGroupBox(QStringLiteral("Mode Select"), this);
    kinsi->setObjectName("Kinsi");
    auto* kinsiGrid = new QGridLayout(kinsi);
    static const char* const kKinsi[3] = {"無し", "禁止色使用しない", "禁止色のみ使用"};
    for (int k = 0; k < 3; ++k) {
        Kinsi[size_t(k)] = new QRadioButton(Text(kKinsi[k]), kinsi);
        kinsiGrid->addWidget(Kinsi[size_t(k)], k / 2, k % 2);
    }
    Kinsi[0]->setChecked(true);
    auto* mode = new QGroupBox(QStringLiteral("Mode Select"), this);
    mode->setObjectName("Mode");
    auto* modeLayout = new QVBoxLayout(mode);
    static const char* const kMode[2] = {"RGB Mode", "HLS Mode"};
    for (int k = 0; k < 2; ++k) {
        Mode[size_t(k)] = new QRadioButton(QString::fromLatin1(kMode[k]), mode);
        modeLayout->addWidget(Mode[size_t(k)]);
    }
    Mode[0]->setChecked(true);
    row->addWidget(kinsi, 1);
    row->addWidget(mode);
    return row;
}

ToneSettings TColorsForm::Settings() const {
    ToneSettings t;
    t.P1 = Bars[0]->value();
    t.P2 = Bars[1]->value();
    t.P3 = Bars[2]->value();
    t.Kinsi = Kinsi[2]->isChecked()   ? ToneSelection::ForbiddenOnly
              : Kinsi[1]->isChecked() ? ToneSelection::AllowedOnly
                                      : ToneSelection::All;
    t.Mode = Mode[1]->isChecked() ? ToneMode::Hls : ToneMode::Rgb;
    return t;
}

void TColorsForm::BarChange() {
    for (size_t k = 0; k < 3; ++k)
        Edits[k]->setText(QString::fromStdString(ToneBarText(Bars[k]->value())));
}

void TColorsForm::Button1Click() {
    CommitTone(s_, Settings());
    TimTimer(s_);
    accept();
}

void TColorsForm::done(int result) {
    CloseTone(s_);
    QDialog::done(result);
}

} // namespace vallo
