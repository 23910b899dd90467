#include "draw/CToolForm.h"

#include "state/EditorState.h"
#include "draw/CopyRange.h"
#include "draw/QtClipboardImage.h"
#include "draw/ToolChoice.h"
#include "widgets/MogPaintBox.h"
#include "widgets/QtDibImage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <algorithm>
#include <exception>
#include <optional>

namespace vallo {

TCToolForm::TCToolForm(EditorState& s, AppWindows& w, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), s_(s), w_(w) {
    setObjectName("CToolForm");
    setWindowTitle(QString::fromUtf8("コピー＆ペースト"));
    setFixedSize(284, 93);
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);

    ToukaCHK = new QCheckBox(QString::fromUtf8("貼り付け時に透過色で透過"), this);
    ToukaCHK->setObjectName("ToukaCHK");
    ToukaCHK->setGeometry(4, 4, 180, 17);
    CPCHK = new QCheckBox(QString::fromUtf8("貼り付け時 合成モード適用"), this);
    CPCHK->setObjectName("CPCHK");
    CPCHK->setGeometry(4, 20, 180, 17);
    connect(ToukaCHK, &QCheckBox::toggled, this, &TCToolForm::CTCHKClick);
    connect(CPCHK, &QCheckBox::toggled, this, &TCToolForm::CTCHKClick);

    BuildSizeGroup();

    Scroll = new QScrollArea(this);
    Scroll->setObjectName("Scroll");
    Scroll->setGeometry(184, 0, 97, 73);
    Scroll->setWidgetResizable(false);
    Box = new TmogPaintBox;
    Box->setObjectName("Box");
    Box->resize(61, 57);
    Box->OnPaint = [this](QPainter& p, const QRect& exposed) { BoxPaint(p, exposed); };
    Scroll->setWidget(Box);

    btCopy = new QPushButton(QString::fromUtf8("コピー"), this);
    btCopy->setObjectName("btCopy");
    btCopy->setGeometry(184, 76, 45, 17);
    connect(btCopy, &QPushButton::clicked, this, &TCToolForm::btCopyClick);
    btPaste = new QPushButton(QString::fromUtf8("貼り付け"), this);
    btPaste->setObjectName("btPaste");
    btPaste->setGeometry(232, 76, 49, 17);
    // The captions are wider than the buttons in the window's font.
    QFont narrow = font();
    narrow.setPixelSize(11);
    btCopy->setFont(narrow);
    btPaste->setFont(narrow);
    connect(btPaste, &QPushButton::clicked, this, &TCToolForm::btPasteClick);

    ReflectOptions();
    (void)w_;
}

void TCToolForm::BuildSizeGroup() {
    SizeGroup = new QGroupBox(QString::fromUtf8("コピーサイズ"), this);
    SizeGroup->setObjectName("SizeGroup");
    SizeGroup->setGeometry(0, 40, 181, 53);
    sizeItems_ = new QButtonGroup(this);
    const char* const captions[6] = {"1x1", "2x2", "8x8", "16x16", "キャラ半分", "キャラサイズ"};
    // Two columns filled top to bottom, three items each.
    for (int i = 0; i < 6; ++i) {
        auto* item = new QRadioButton(QString::fromUtf8(captions[i]), SizeGroup);
        item->setGeometry(i < 3 ? 4 : 76, 14 + (i % 3) * 13, i < 3 ? 70 : 104, 13);
        sizeItems_->addButton(item, i);
    }
    connect(sizeItems_, &QButtonGroup::idClicked, this, &TCToolForm::SizeGroupClick);
}

QRadioButton* TCToolForm::SizeItem(int item) const {
    return qobject_cast<QRadioButton*>(sizeItems_->button(item));
}

void TCToolForm::CTCHKClick() {
    vallo::CTCHKClick(s_, ToukaCHK->isChecked(), CPCHK->isChecked());
}

void TCToolForm::SizeGroupClick(int item) {
    s_.CopySizeChoice = item;
    vallo::SizeGroupClick(s_);
}

void TCToolForm::ReflectOptions() {
    const QSignalBlocker quiet1(ToukaCHK);
    const QSignalBlocker quiet2(CPCHK);
    ToukaCHK->setChecked(s_.PasteTransparent);
    CPCHK->setChecked(s_.CopyWithMergeMode);
    if (QRadioButton* item = SizeItem(s_.CopySizeChoice))
        item->setChecked(true);
}

QImage TCToolForm::PreviewImage() const {
    QRect source;
    QImage wrapper;
    if (s_.CopyRangeState == 0)
        wrapper = WrapDibRect(s_.MainImage,
                              QRect(s_.CharLeft, s_.CharTop, s_.CharWidth, s_.CharHeight), &source);
    else if (s_.CopyRangeState == 2)
        wrapper = WrapDibRect(s_.CopyImage,
                              QRect(0, 0, s_.CopyImage.Width(), s_.CopyImage.Height()), &source);
    return wrapper.isNull() ? QImage() : wrapper.copy(source);
}

void TCToolForm::BoxPaint(QPainter& p, const QRect& exposed) {
    const bool choosing = s_.CopyRangeState == 1;
    if (!choosing)
        shown_ = PreviewImage();
    btCopy->setEnabled(!choosing);
    p.fillRect(exposed, palette().color(QPalette::Window));
    if (!shown_.isNull())
        p.drawImage(exposed.topLeft(), shown_, exposed);
}

void TCToolForm::RepaintPreview() {
    btCopy->setEnabled(s_.CopyRangeState != 1);
    Box->update();
}

void TCToolForm::SizePreview(int width, int height) {
    Box->resize(std::max(width, 1), std::max(height, 1));
}

void TCToolForm::btCopyClick() {
    try {
        const std::optional<TDIB> copy = vallo::btCopyClick(s_);
        if (!copy)
            return;
        QGuiApplication::clipboard()->setImage(DibToIndexedImage(*copy));
    } catch (const std::exception& e) {
        ShowError(e.what());
    }
}

void TCToolForm::btPasteClick() {
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull())
        return;
    try {
        vallo::btPasteClick(s_, DibFromClipboardImage(image));
    } catch (const std::exception& e) {
        ShowError(e.what());
    }
}

void TCToolForm::ShowError(const char* message) {
    QMessageBox::critical(this, QString::fromUtf8("Vallo"), QString::fromUtf8(message));
}

void TCToolForm::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
    btToolClick(s_, 0);
    s_.Hooks->ReflectToolButtons();
}

} // namespace vallo
