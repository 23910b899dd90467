#pragma once

#include <QFrame>
#include <string>

class QFileDialog;
class QLabel;
class QPushButton;
class QScrollArea;

namespace vallo {

// The side panel of the open and save dialogs: a preview of the selected picture and two
// buttons that link the program's folder and the browsed folder to each other.
class QtPreviewPanel : public QFrame {
    Q_OBJECT
public:
    QtPreviewPanel(const std::string& appDir, QFileDialog* dialog);

    // Puts a panel on the dialog's right edge and the program's folder in its side bar.
    static QtPreviewPanel* Attach(QFileDialog& dialog, const std::string& appDir);

    // The dialog's selection changed to path.
    void SelectionChange(const QString& path);
    // A link to the browsed folder, made in the program's folder.
    void Button1Click();
    // A link to the program's folder, made in the browsed folder.
    void Button2Click();

    QScrollArea* PictureScroll = nullptr;
    QLabel* PreImg = nullptr;
    QLabel* ERLabel = nullptr;
    QWidget* Panel2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

private:
    void ShowPicture(const QImage& picture);
    void ShowUnsupported();
    std::string BrowsedPath() const;

    std::string appDir_;
    QFileDialog* dialog_;
    QString selected_;
};

} // namespace vallo
