#pragma once

#include "state/WindowItem.h"
#include "widgets/QtWindows.h"

#include <QMainWindow>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMdiArea;
class QMenu;
class QTimer;
class QUrl;

namespace vallo {

struct EditorState;
class DocumentUi;
class RecoveryCopy;

// The frame window: holds the magnifier and the overview, owns the menu bar, the document
// commands, the window menu and the start-up and shut-down order.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // Runs the main window's creation step with s.AppDir as the program folder.
    TMainForm(EditorState& s, AppWindows& w, QWidget* parent = nullptr);
    ~TMainForm() override;

    QMdiArea* MdiArea() const { return mdi_; }
    DocumentUi& Ui() { return *ui_; }
    // Messages about data files that could not be read at creation, shown after start-up.
    const std::vector<std::string>& StartupProblems() const { return problems_; }

    // Window menu.
    void SetWindowItemChecked(WindowItem item, bool checked);
    bool WindowItemChecked(WindowItem item) const;
    QAction* WindowItemAction(WindowItem item) const;
    // Shows a floating window, pulls it back on screen and ticks its menu item.
    void ShowFloatingWindow(QWidget* window);
    QWidget* FloatingWindow(WindowItem item) const;

    void SetRecentFileCaptions();
    QAction* RecentFileAction(int n) const { return F_[size_t(n)]; }
    // Window places as the configuration keeps them (EditorState::Windows).
    void ApplyWindowPlaces();
    // Makes the restored frame large enough to show the magnifier and the overview whole, bar
    // included, and keeps both subwindows where the screen can show them.
    void FitFrameToChildren();
    void StoreWindowPlaces();
    void ShowStartupWindows();

    // The deferred start-up step; the 1 ms timer runs it once after the window shows.
    void TimTimer();

    // Menu handlers.
    void NewClick();
    void OpenClick();
    void SaveClick();
    void SaveAsClick();
    void FClick(int n);
    void WindowItemClick(WindowItem item);
    void PositionResetClick();
    void ConfClick();
    void SizeChangeClick();
    void HelpClick();
    void WebClick();
    // The address "公式ウェブサイトへ" opens.
    QUrl WebSiteUrl() const;
    void UndoClick();
    void RedoClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildShortcuts();
    void ReportStartupProblems();
    void OpenRecoveryCopy();
    void RecoveryTimTimer();
    QRect AvailableArea() const;
    void CloseEveryWindow();

    EditorState& s_;
    AppWindows& w_;
    std::unique_ptr<DocumentUi> ui_;
    std::vector<std::string> problems_;
    QMdiArea* mdi_ = nullptr;
    QTimer* Tim = nullptr;
    // Looks at the document a few times a second for the recovery copy.
    QTimer* RecoveryTim = nullptr;
    std::unique_ptr<RecoveryCopy> recovery_;
    std::array<QAction*, 10> F_{}; // F1..F9; 0 unused
    std::map<WindowItem, QAction*> windowItems_;
};

} // namespace vallo
