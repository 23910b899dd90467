#include "palette/PaleForm.h"

#include "palette/ColorsForm.h"
#include "palette/PLForm.h"
#include "palette/PSForm.h"
#include "palette/PSizeForm.h"
#include "palette/Pale2Form.h"
#include "palette/PaletteCommands.h"
#include "palette/PaletteExchange.h"
#include "palette/PaletteFile.h"
#include "palette/PaletteGrid.h"
#include "palette/Tone.h"
#include "state/EditorState.h"
#include "views/LupeMouse.h"
#include "widgets/MogPaintBox.h"
#include "widgets/QtControls.h"
#include "widgets/QtDibImage.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace vallo {

TPaleForm::TPaleForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TFloatingForm(s, w, WindowItem::Pale, Text("パレット"), parent) {
    setObjectName("PaleForm");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The window always has the grid's size: it follows SizeToGrid, never the user.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Menu_ = new QMenuBar(this);
    Menu_->setObjectName("Menu");
    layout->setMenuBar(Menu_);
    PaleBox_ = new TmogPaintBox(this);
    PaleBox_->setObjectName("PaleBox");
    PaleBox_->setMouseTracking(false);
    PaleBox_->OnPaint = [this](QPainter& p, const QRect& r) { PaleBoxPaint(p, r); };
    PaleBox_->OnMouseDown = [this](QMouseEvent* e, QPoint pos) { PaleBoxMouseDown(e, pos); };
    PaleBox_->OnMouseMove = [this](QMouseEvent* e, QPoint pos) { PaleBoxMouseMove(e, pos); };
    PaleBox_->OnMouseUp = [this](QMouseEvent* e, QPoint pos) { PaleBoxMouseUp(e, pos); };
    layout->addWidget(PaleBox_, 0, Qt::AlignLeft | Qt::AlignTop);
    menuRoom_ = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
    layout->addItem(menuRoom_);
    BuildMenu();
    SizeToGrid();
}

void TPaleForm::BuildMenu() {
    QMenu* File1 = Menu_->addMenu(Text("パレット(&P)"));
    L1 = File1->addAction(Text("パレットを読み込む(&O)"));
    S1 = File1->addAction(Text("パレットを保存する(&S)"));
    N5 = File1->addAction(Text("禁止色読み込み"));
    N6 = File1->addAction(Text("禁止色保存"));
    N7 = File1->addAction(Text("禁止色クリア"));
    N4 = File1->addAction(Text("サイズ調整(&Z)"));
    Change = Menu_->addAction(Text("色を変える(&C)"));
    Change->setShortcut(QKeySequence(Qt::Key_Return));
    QMenu* N1 = Menu_->addMenu(Text("特殊効果(&E)"));
    Colors = N1->addAction(Text("色調調整"));
    Grade = N1->addAction(Text("グラデーション"));
    N2 = N1->addAction(Text("透明色を描画色に置換"));
    N2->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    N3 = N1->addAction(Text("描画色を透明色にコピー"));
    N8 = N1->addAction(Text("描画色と透明色の位置交換"));
    File1->addSeparator();
    Import = File1->addAction(Text("インポート(&I)..."));
    Export = File1->addAction(Text("エクスポート(&X)..."));
    connect(L1, &QAction::triggered, this, [this] { L1Click(); });
    connect(S1, &QAction::triggered, this, [this] { S1Click(); });
    connect(N5, &QAction::triggered, this, [this] { N5Click(); });
    connect(N6, &QAction::triggered, this, [this] { N6Click(); });
    connect(N4, &QAction::triggered, this, [this] { N4Click(); });
    connect(Change, &QAction::triggered, this, [this] { ChangeClick(); });
    connect(Colors, &QAction::triggered, this, [this] { ColorsClick(); });
    connect(Import, &QAction::triggered, this, [this] { ImportClick(); });
    connect(Export, &QAction::triggered, this, [this] { ExportClick(); });
    connect(N7, &QAction::triggered, this, [this] { N7Click(); });
    connect(Grade, &QAction::triggered, this, [this] { GradeClick(); });
    connect(N2, &QAction::triggered, this, [this] { N2Click(); });
    connect(N3, &QAction::triggered, this, [this] { N3Click(); });
    connect(N8, &QAction::triggered, this, [this] { N8Click(); });
}

void TPaleForm::Repaint() {
    PaleBox_->update();
}

void TPaleForm::SizeToGrid() {
    PaleBox_->setFixedSize(PaleBoxWidth(s_), PaleBoxHeight(s_));
    // A grid narrower than the menu bar leaves room beside it, so that every menu stays
    // visible; the window's colour fills that room.
    menuRoom_->changeSize(Menu_->sizeHint().width(), 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
    layout()->invalidate();
    Repaint();
}

// --- Menu.

void TPaleForm::L1Click() {
    w_.PLForm->Prepare(kCaptionLoadPalette, PaletteFileExtension(PaletteFileKind::Palette));
    w_.PLForm->exec();
}

void TPaleForm::N5Click() {
    w_.PLForm->Prepare(kCaptionLoadForbidden, PaletteFileExtension(PaletteFileKind::Forbidden));
    w_.PLForm->exec();
}

void TPaleForm::S1Click() {
    w_.PSForm->Prepare(kCaptionSavePalette, "パレットを保存");
    w_.PSForm->exec();
}

void TPaleForm::N6Click() {
    w_.PSForm->Prepare(kCaptionSaveForbidden, "描画禁止色の位置を保存");
    w_.PSForm->exec();
}

void TPaleForm::N4Click() {
    w_.PSizeForm->exec();
}

void TPaleForm::ChangeClick() {
    w_.Pale2Form->Load();
    w_.Pale2Form->exec();
}

void TPaleForm::ColorsClick() {
    w_.ColorsForm->exec();
}

void TPaleForm::ImportClick() {
    const QString path = QFileDialog::getOpenFileName(
        this, Text("パレットのインポート"), QString::fromStdString(PaletteFolder(s_)),
        Text("パレット (*.gpl *.pal *.act *.hex);;すべてのファイル (*)"), nullptr,
        QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty())
        ImportFrom(path);
}

void TPaleForm::ExportClick() {
    static const char* const kFilters[4] = {"GIMP パレット (*.gpl)", "JASC パレット (*.pal)",
                                            "Adobe カラーテーブル (*.act)",
                                            "16 進数の一覧 (*.hex)"};
    QStringList filters;
    for (const char* f : kFilters)
        filters << Text(f);
    QString chosen = filters[0];
    QString path = QFileDialog::getSaveFileName(
        this, Text("パレットのエクスポート"), QString::fromStdString(PaletteFolder(s_)),
        filters.join(";;"), &chosen, QFileDialog::DontUseNativeDialog);
    if (path.isEmpty())
        return;
    // A name typed without an extension takes the one of the chosen file type.
    if (QFileInfo(path).suffix().isEmpty())
        path += chosen.mid(chosen.indexOf("*.") + 1).chopped(1);
    ExportTo(path);
}

void TPaleForm::ImportFrom(const QString& path) {
    try {
        ImportPalette(s_, path.toStdString());
        TimTimer(s_);
    } catch (const std::exception& e) {
        ShowError(e);
    }
}

void TPaleForm::ExportTo(const QString& path) {
    try {
        ExportPalette(s_, path.toStdString());
    } catch (const std::exception& e) {
        ShowError(e);
    }
}

void TPaleForm::ShowError(const std::exception& e) {
    QMessageBox::critical(this, QStringLiteral("Vallo"), QString::fromUtf8(e.what()));
}

void TPaleForm::N7Click() {
    ClearForbiddenColors(s_);
}

void TPaleForm::GradeClick() {
    Gradation(s_);
    TimTimer(s_);
}

void TPaleForm::N2Click() {
    ReplaceTransWithDrawColor(s_);
    TimTimer(s_);
}

void TPaleForm::N3Click() {
    CopyDrawColorToTransColor(s_);
    TimTimer(s_);
}

void TPaleForm::N8Click() {
    SwapDrawAndTransColors(s_);
    TimTimer(s_);
}

// --- The grid.

void TPaleForm::PaleBoxPaint(QPainter& p, const QRect& exposed) {
    PaintDibExposed(p, s_.PaletteImage, exposed, Qt::black);
    p.setBrush(Qt::NoBrush);
    for (const PaletteMarkerFrame& f : PaletteMarkerFrames(s_)) {
        const IntRect& r = f.Rect;
        if (r.Right - r.Left < 1 || r.Bottom - r.Top < 1)
            continue;
        p.setPen(QColor(ColorRed(f.Color), ColorGreen(f.Color), ColorBlue(f.Color)));
        // A one-pixel frame just inside the rectangle (right and bottom exclusive).
        p.drawRect(r.Left, r.Top, r.Right - r.Left - 1, r.Bottom - r.Top - 1);
    }
}

void TPaleForm::PaleBoxMouseDown(QMouseEvent* e, QPoint pos) {
    MouseButton button;
    if (ToMouseButton(e->button(), button))
        vallo::PaleBoxMouseDown(s_, button, pos.x(), pos.y(), e->modifiers() & Qt::ShiftModifier);
}

void TPaleForm::PaleBoxMouseMove(QMouseEvent*, QPoint pos) {
    vallo::PaleBoxMouseMove(s_, pos.x(), pos.y());
}

void TPaleForm::PaleBoxMouseUp(QMouseEvent* e, QPoint pos) {
    MouseButton button;
    if (ToMouseButton(e->button(), button))
        vallo::PaleBoxMouseUp(s_, button, pos.x(), pos.y());
}

} // namespace vallo
