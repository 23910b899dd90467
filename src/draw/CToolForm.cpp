#include "draw/CToolForm.h"

#include "draw/CopyRange.h"
#include "draw/QtClipboardImage.h"
#include "draw/ToolChoice.h"
#include "state/EditorState.h"
#include "widgets/MogPaintBox.h"
#include "widgets/QtControls.h"
#include "widgets/QtDibImage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <optional>
#include <vector>

namespace vallo {

TCToolForm::TCToolForm(EditorState& s, AppWindows& w, QWidget* parent)
    : QWidget(parent, Qt::Tool), s_(s), w_(w) {
    setObjectName("CToolForm");
    setWindowTitle(QString::fromUtf8("コピー＆ペースト"));
    // Left: the two paste options over the size group; right: the preview over the clipboard
    // buttons. The window keeps the size its controls need.
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(4, 4, 4, 4);
    columns->setSpacing(4);
    columns->setSizeConstraint(QLayout::SetFixedSize);

    auto* left = new QVBoxLayout;
    left->setSpacing(0);
    ToukaCHK = new QCheckBox(QString::fromUtf8("貼り付け時に透過色で透過"), this);
    ToukaCHK->setObjectName("ToukaCHK");
    ToukaCHK->setMinimumSize(161, 17);
    CPCHK = new QCheckBox(QString::fromUtf8("貼り付け時 合成モード適用"), this);
    CPCHK->setObjectName("CPCHK");
    CPCHK->setMinimumSize(161, 17);
    connect(ToukaCHK, &QCheckBox::toggled, this, &TCToolForm::CTCHKClick);
    connect(CPCHK, &QCheckBox::toggled, this, &TCToolForm::CTCHKClick);
    left->addWidget(ToukaCHK);
    left->addWidget(CPCHK);
    left->addSpacing(2);
    BuildSizeGroup();
    left->addWidget(SizeGroup);
    columns->addLayout(left);

    auto* right = new QVBoxLayout;
    right->setSpacing(2);
    Scroll = new QScrollArea(this);
    Scroll->setObjectName("Scroll");
    Scroll->setMinimumSize(97, 73);
    // The preview scrolls: its size follows the image, the window's does not.
    Scroll->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    Scroll->setWidgetResizable(false);
    Box = new TmogPaintBox;
    Box->setObjectName("Box");
    Box->resize(61, 57);
    Box->OnPaint = [this](QPainter& p, const QRect& exposed) { BoxPaint(p, exposed); };
    Scroll->setWidget(Box);
    right->addWidget(Scroll, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    btCopy = new QPushButton(QString::fromUtf8("コピー"), this);
    btCopy->setObjectName("btCopy");
    btCopy->setMinimumSize(45, 17);
    connect(btCopy, &QPushButton::clicked, this, &TCToolForm::btCopyClick);
    btPaste = new QPushButton(QString::fromUtf8("貼り付け"), this);
    btPaste->setObjectName("btPaste");
    btPaste->setMinimumSize(49, 17);
    connect(btPaste, &QPushButton::clicked, this, &TCToolForm::btPasteClick);
    buttons->addWidget(btCopy);
    buttons->addWidget(btPaste);
    right->addLayout(buttons);
    columns->addLayout(right);

    ReflectOptions();
    (void)w_;
}

void TCToolForm::BuildSizeGroup() {
    std::vector<QRadioButton*> items;
    SizeGroup = MakeRadioGroup(this, "SizeGroup", "コピーサイズ",
                               {"1x1", "2x2", "8x8", "16x16", "キャラ半分", "キャラサイズ"}, 2,
                               QSize(181, 53), items);
    sizeItems_ = new QButtonGroup(this);
    for (int i = 0; i < int(items.size()); ++i)
        sizeItems_->addButton(items[size_t(i)], i);
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
    if (w_.Closing)
        return;
    event->ignore();
    hide();
    btToolClick(s_, 0);
    s_.Hooks->ReflectToolButtons();
}

} // namespace vallo
