#include "app/DocumentTestSupport.h"
#include "app/QtPreviewPanel.h"
#include "formats/PngCodec.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPixmap>
#include <QUrl>
#include <fstream>
#include <gtest/gtest.h>

using namespace vallo;

TEST(QtPreviewPanel, ShowsPngsAndNoPreviewForTinyOrBadFiles) {
    testsupport::TempDir dir;
    for (const auto& [name, side] : {std::pair{"a.png", 20}, std::pair{"tiny.png", 4}})
        SavePNG(dir / name, TDIB(side, side + 1, 8), {}, 3);
    std::ofstream(dir / "bad.gif") << "GIF89a not really";

    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QtPreviewPanel* panel = QtPreviewPanel::Attach(dialog, dir.Dir());
    const QUrl program =
        QUrl::fromLocalFile(QDir(QString::fromStdString(dir.Dir())).absolutePath());
    EXPECT_TRUE(dialog.sidebarUrls().contains(program));
    EXPECT_TRUE(panel->isVisibleTo(&dialog));

    const auto selectAndLook = [&](const std::string& path) {
        panel->SelectionChange(QString::fromStdString(path));
        return panel->ERLabel->isVisibleTo(panel) ? QSize() : panel->PreImg->pixmap().size();
    };
    EXPECT_EQ(selectAndLook(dir / "a.png"), QSize(20, 21));
    EXPECT_EQ(selectAndLook(dir.Dir()), QSize(20, 21)); // a folder keeps the preview
    EXPECT_EQ(selectAndLook(dir / "tiny.png"), QSize());
    EXPECT_FALSE(panel->PreImg->isVisibleTo(panel));
    EXPECT_EQ(panel->ERLabel->text(), "未対応");
    EXPECT_EQ(selectAndLook(dir / "a.png"), QSize(20, 21));
    EXPECT_EQ(selectAndLook(dir / "bad.gif"), QSize());
}
