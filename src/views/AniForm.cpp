#include "views/AniForm.h"

#include "state/EditorState.h"
#include "views/AllForm.h"
#include "views/AnimationGif.h"
#include "views/PreviewLayout.h"
#include "views/QtPreviewBox.h"
#include "widgets/MogPaintBox.h"
#include "widgets/QtControls.h"
#include "widgets/QtWindows.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace vallo {

namespace {

// A titled group of radio items in `columns` columns.
template <size_t N>
QGroupBox* RadioGroup(const char* title, const char* const (&items)[N], int columns,
                      std::array<QRadioButton*, N>& out) {
    auto* box = new QGroupBox(Text(title));
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setSpacing(2);
    for (size_t i = 0; i < N; ++i) {
        out[i] = new QRadioButton(Text(items[i]), box);
        out[i]->setFocusPolicy(Qt::NoFocus);
        grid->addWidget(out[i], int(i) / columns, int(i) % columns);
    }
    return box;
}

template <size_t N> void Check(const std::array<QRadioButton*, N>& items, int index) {
    if (index >= 0 && size_t(index) < N) {
        const QSignalBlocker quiet(items[size_t(index)]);
        items[size_t(index)]->setChecked(true);
    }
}

// A read-only edit wide enough for its longest text.
QLineEdit* ReadOnlyText(const QString& longest) {
    auto* edit = new QLineEdit;
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(longest) + 14);
    return edit;
}

QScrollBar* Bar(int min, int max) {
    auto* bar = new QScrollBar(Qt::Horizontal);
    bar->setRange(min, max);
    bar->setPageStep(1);
    bar->setMinimumWidth(60);
    return bar;
}

} // namespace

TAniForm::TAniForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TFloatingForm(s, w, WindowItem::Ani, Text("動作確認"), parent) {
    setObjectName("AniForm");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 4, 4);
    layout->setSpacing(4);
    ScrollBox1 = new TPreviewBox(this);
    ScrollBox1->SetOnPaint([this](QPainter& p, const QRect& r) { BoxPaint(p, r); });
    ScrollBox1->setMinimumSize(64, 64);
    layout->addWidget(ScrollBox1, 1);
    layout->addWidget(BuildControls());

    Tim = new QTimer(this);
    connect(Tim, &QTimer::timeout, this, &TAniForm::TimTimer);
    ReflectState();
    resize(size().expandedTo(QSize(200, 180)));
}

QWidget* TAniForm::BuildControls() {
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 4, 0, 0);
    column->setSpacing(4);
    column->addWidget(BuildDirections(), 0, Qt::AlignHCenter);

    const char* const bai[] = {"1", "2", "3", "4"};
    column->addWidget(RadioGroup("倍率", bai, 2, bai_));
    const char* const chr[] = {"ＲＰＧツクールタイプ", "メインキャラから"};
    column->addWidget(RadioGroup("キャラクター", chr, 1, chrMode_));
    const char* const modes[] = {"1-2-3-4-1-2-...", "1-2-3-4-3-2-..."};
    column->addWidget(RadioGroup("アニメーション", modes, 1, animeMode_));
    for (size_t i = 0; i < 4; ++i)
        connect(bai_[i], &QRadioButton::clicked, this, [this, i] { BaiGroupClick(int(i)); });
    for (size_t i = 0; i < 2; ++i) {
        connect(chrMode_[i], &QRadioButton::clicked, this, [this, i] {
            s_.AnimeChrMode = int(i);
            Box()->update();
        });
        connect(animeMode_[i], &QRadioButton::clicked, this, [this, i] { s_.AnimeMode = int(i); });
    }

    FPSBar = Bar(1, 60);
    FPSTxt = ReadOnlyText("FPS60");
    AnimeBar = Bar(2, 20);
    AniTxt = ReadOnlyText(Text("20枚"));
    for (auto [bar, text] : {std::pair{FPSBar, FPSTxt}, {AnimeBar, AniTxt}}) {
        auto* row = new QHBoxLayout;
        row->addWidget(bar, 1);
        row->addWidget(text);
        column->addLayout(row);
        connect(bar, &QScrollBar::valueChanged, this, [this] { FPSBarChange(); });
    }

    btGif = new QPushButton(Text("GIF保存(&G)..."), panel);
    btGif->setObjectName("btGif");
    connect(btGif, &QPushButton::clicked, this, &TAniForm::btGifClick);
    column->addWidget(btGif);
    column->addStretch(1);
    return panel;
}

QWidget* TAniForm::BuildDirections() {
    auto* pad = new QWidget;
    auto* grid = new QGridLayout(pad);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(1);
    const char* const arrows[] = {"↑", "←", "↓", "→"};
    const QPoint cells[] = {{1, 0}, {0, 1}, {1, 1}, {2, 1}};
    for (int tag = 0; tag < 4; ++tag) {
        auto* b = new QToolButton(pad);
        b->setText(Text(arrows[tag]));
        b->setCheckable(true);
        b->setAutoRaise(false);
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumSize(16, 16);
        grid->addWidget(b, cells[tag].y(), cells[tag].x());
        connect(b, &QToolButton::clicked, this, [this, tag] { btUpClick(tag); });
        directions_[size_t(tag)] = b;
    }
    return pad;
}

TmogPaintBox* TAniForm::Box() const {
    return ScrollBox1->Box();
}

void TAniForm::ReflectState() {
    {
        const QSignalBlocker a(FPSBar);
        const QSignalBlocker b(AnimeBar);
        FPSBar->setValue(s_.AnimeFPS);
        AnimeBar->setValue(s_.AnimeFrames);
    }
    Check(bai_, s_.AnimeBai);
    Check(chrMode_, s_.AnimeChrMode);
    Check(animeMode_, s_.AnimeMode);
    FPSBarChange();
    SizeBox();
}

// --- Playing.

void TAniForm::btUpClick(int tag) {
    // Every release stops the timer; the click starts it again while a button is down. Only
    // one direction is down at a time, and the down one may be raised again.
    Tim->stop();
    if (directions_[size_t(tag)]->isChecked())
        for (QToolButton* b : directions_)
            if (b != directions_[size_t(tag)])
                b->setChecked(false);
    if (!directions_[size_t(tag)]->isChecked())
        return;
    AniStart(play_, tag);
    SizeBox();
    Tim->setInterval(AniInterval(FPSBar->value()));
    Tim->start();
}

void TAniForm::TimTimer() {
    AniTick(play_, AnimeBar->value(), s_.AnimeMode);
    // A hidden window keeps counting but paints nothing and leaves the overview alone.
    if (!isVisible())
        return;
    Box()->repaint();
    if (w_.AllForm)
        w_.AllForm->MarkAnimationFrame(ShownRect());
}

IntRect TAniForm::ShownRect() const {
    return AniFrameRect(s_, s_.AnimeChrMode, play_.AniDirection, play_.ShownFrame);
}

void TAniForm::FPSBarChange() {
    s_.AnimeFPS = FPSBar->value();
    s_.AnimeFrames = AnimeBar->value();
    FPSTxt->setText(QString("FPS%1").arg(s_.AnimeFPS));
    AniTxt->setText(Text("%1枚").arg(s_.AnimeFrames));
}

void TAniForm::BaiGroupClick(int item) {
    s_.AnimeBai = item;
    SizeBox();
}

void TAniForm::SizeBox() {
    const PreviewLayout l = AnimationLayout(s_.CharWidth, s_.CharHeight, s_.AnimeBai + 1);
    ScrollBox1->SetBoxSize(l.Width(), l.Height());
    ScrollBox1->updateGeometry();
    // The window grows to show the whole frame; a smaller window is the user's choice later.
    resize(size().expandedTo(sizeHint()));
    Box()->update();
}

void TAniForm::BoxPaint(QPainter& p, const QRect& exposed) {
    const IntRect r = ShownRect();
    const CellSource source{&s_.MainImage, r.Left, r.Top, s_.TransColor};
    PaintPreviewArea(p, exposed, source,
                     AnimationLayout(s_.CharWidth, s_.CharHeight, s_.AnimeBai + 1),
                     s_.MainImage.ColorTable(), palette().color(QPalette::Window));
}

// --- GIF export.

uint8_t TAniForm::ExportDirection() const {
    for (int tag = 0; tag < 4; ++tag)
        if (directions_[size_t(tag)]->isChecked())
            return AniDirectionOfTag(tag);
    return kAniDown;
}

void TAniForm::btGifClick() {
    QFileDialog dialog(this, Text("GIF保存"), QString::fromStdString(s_.AppDir),
                       Text("GIF形式 (*.gif)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("gif");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    SaveGif(dialog.selectedFiles().first());
}

bool TAniForm::SaveGif(const QString& path) {
    try {
        SaveAnimationGif(s_, ExportDirection(), path.toStdString());
        return true;
    } catch (const std::exception& e) {
        QMessageBox::critical(this, "Vallo", QString::fromUtf8(e.what()));
        return false;
    }
}

} // namespace vallo
