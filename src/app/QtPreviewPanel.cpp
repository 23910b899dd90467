#include "app/QtPreviewPanel.h"

#include "app/FilePreview.h"
#include "app/FolderShortcut.h"
#include "widgets/QtControls.h"
#include "widgets/QtDibImage.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>

namespace vallo {

namespace {

// A large picture previews its top-left part only, so that the panel never holds more than a
// few tens of megabytes.
constexpr int kPreviewMaxSide = 4096;

QRect PreviewPart(const QSize& size) {
    return QRect(0, 0, std::min(size.width(), kPreviewMaxSide),
                 std::min(size.height(), kPreviewMaxSide));
}

// The picture of a file for the preview; a null image when it cannot be shown.
QImage PreviewImage(const QString& path, PreviewSource source) {
    if (source == PreviewSource::Png) {
        TDIB picture;
        switch (LoadPngPreview(path.toStdString(), picture)) {
        case PngPreview::Read:
            return DibRegionToImage(picture, PreviewPart(QSize(picture.Width(), picture.Height())));
        case PngPreview::Broken:
            return {};
        case PngPreview::NotPng:
            break;
        }
    }
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isValid() && PreviewPart(size).size() != size)
        reader.setClipRect(PreviewPart(size));
    return reader.read();
}

// The detail columns of the file list show their whole sizes, types and dates; the name column
// takes the rest of the width.
void FitListColumns(QFileDialog& dialog) {
    auto* view = dialog.findChild<QTreeView*>("treeView");
    if (!view)
        return;
    QHeaderView* header = view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
}

} // namespace

QtPreviewPanel::QtPreviewPanel(const std::string& appDir, QFileDialog* dialog)
    : QFrame(dialog), appDir_(appDir), dialog_(dialog) {
    setObjectName("OpenDialogPanel");
    setFrameShape(QFrame::Box);
    setMinimumSize(214, 289);
    auto* layout = new QVBoxLayout(this);

    PictureScroll = new QScrollArea(this);
    PictureScroll->setObjectName("PictureScroll");
    PictureScroll->setMinimumSize(208, 231);
    auto* content = new QWidget(PictureScroll);
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    PreImg = new QLabel(content);
    PreImg->setObjectName("PreImg");
    PreImg->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ERLabel = new QLabel(Text(kMsgNoPreview), content);
    ERLabel->setObjectName("ERLabel");
    QFont big = ERLabel->font();
    big.setPixelSize(27);
    ERLabel->setFont(big);
    ERLabel->hide();
    contentLayout->addWidget(PreImg, 0, Qt::AlignLeft | Qt::AlignTop);
    contentLayout->addWidget(ERLabel, 0, Qt::AlignLeft | Qt::AlignTop);
    contentLayout->addStretch();
    PictureScroll->setWidget(content);
    PictureScroll->setWidgetResizable(true);
    layout->addWidget(PictureScroll, 1);

    Panel2 = new QWidget(this);
    Panel2->setMinimumHeight(52);
    auto* buttons = new QVBoxLayout(Panel2);
    buttons->setContentsMargins(0, 0, 0, 0);
    Button1 = new QPushButton(Text("Valloフォルダにショートカット作成"), Panel2);
    Button2 = new QPushButton(Text("Valloフォルダへのショートカット作成"), Panel2);
    for (QPushButton* button : {Button1, Button2}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    connect(Button1, &QPushButton::clicked, this, &QtPreviewPanel::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QtPreviewPanel::Button2Click);
    layout->addWidget(Panel2);

    if (dialog_)
        connect(dialog_, &QFileDialog::currentChanged, this, &QtPreviewPanel::SelectionChange);
}

QtPreviewPanel* QtPreviewPanel::Attach(QFileDialog& dialog, const std::string& appDir) {
    auto* panel = new QtPreviewPanel(appDir, &dialog);
    // The panel stands beside every row but the last, whose corner holds the size grip.
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(panel, 0, grid->columnCount(), std::max(1, grid->rowCount() - 1), 1);
    else if (dialog.layout())
        dialog.layout()->addWidget(panel);
    // The dialog was sized for its list alone; widen it by the panel so that the list keeps
    // room for its columns, as far as the screen allows.
    const QSize room = dialog.screen()->availableGeometry().size() * 9 / 10;
    dialog.resize(QSize(dialog.width() + panel->sizeHint().width(), dialog.height())
                      .boundedTo(room)
                      .expandedTo(dialog.minimumSizeHint()));
    FitListColumns(dialog);
    // A typed name that names a file previews it, as a click on it would.
    if (auto* name = dialog.findChild<QLineEdit*>("fileNameEdit"))
        connect(name, &QLineEdit::textEdited, panel, [panel, &dialog](const QString& text) {
            const QString path = dialog.directory().absoluteFilePath(text);
            if (QFileInfo(path).isFile())
                panel->SelectionChange(path);
        });
    QList<QUrl> places = dialog.sidebarUrls();
    const QUrl program = QUrl::fromLocalFile(QDir(QString::fromStdString(appDir)).absolutePath());
    if (!places.contains(program))
        places << program;
    dialog.setSidebarUrls(places);
    return panel;
}

void QtPreviewPanel::SelectionChange(const QString& path) {
    const PreviewSource source = PreviewSourceOf(path.toStdString());
    selected_ = path;
    if (source == PreviewSource::Keep)
        return;
    const QImage picture = PreviewImage(path, source);
    if (picture.isNull() || !PreviewShowable(picture.width(), picture.height()))
        ShowUnsupported();
    else
        ShowPicture(picture);
}

void QtPreviewPanel::ShowPicture(const QImage& picture) {
    ERLabel->hide();
    // On a scaled screen the picture is enlarged in whole pixels; the part shown then shrinks so
    // that the enlarged copy stays as small as the unscaled one.
    const int ratio = std::max(1, qCeil(devicePixelRatioF()));
    const QImage part =
        ratio == 1 ? picture
                   : picture.copy(QRect(0, 0, kPreviewMaxSide / ratio, kPreviewMaxSide / ratio)
                                      .intersected(picture.rect()));
    PreImg->setPixmap(PixelPixmap(part, ratio));
    PreImg->setFixedSize(part.size());
    PreImg->show();
}

void QtPreviewPanel::ShowUnsupported() {
    PreImg->hide();
    PreImg->clear();
    ERLabel->show();
}

std::string QtPreviewPanel::BrowsedPath() const {
    if (!selected_.isEmpty())
        return selected_.toStdString();
    return dialog_ ? dialog_->directory().absolutePath().toStdString() : std::string();
}

void QtPreviewPanel::Button1Click() {
    if (const auto folder = BrowsedFolder(BrowsedPath()))
        MakeFolderShortcut(ShortcutToBrowsedFolder(appDir_, *folder));
}

void QtPreviewPanel::Button2Click() {
    if (const auto folder = BrowsedFolder(BrowsedPath()))
        MakeFolderShortcut(ShortcutToProgramFolder(appDir_, *folder));
}

} // namespace vallo
