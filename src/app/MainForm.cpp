#include "app/MainForm.h"

#include "app/ConfForm.h"
#include "app/DocumentCommands.h"
#include "app/NewForm.h"
#include "app/QtDocumentUi.h"
#include "app/Startup.h"
#include "draw/CToolForm.h"
#include "draw/EToolForm.h"
#include "draw/LayForm.h"
#include "draw/ToolForm.h"
#include "draw/Undo.h"
#include "palette/PaleForm.h"
#include "state/Configuration.h"
#include "state/EditorState.h"
#include "state/RecoveryCopy.h"
#include "views/AllForm.h"
#include "views/AniForm.h"
#include "views/EXForm.h"
#include "views/LupeForm.h"
#include "views/NarabeForm.h"
#include "widgets/QtControls.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QUrl>

namespace vallo {

namespace {

// The project's home page, when the build names one.
#ifndef VALLO_HOMEPAGE
#define VALLO_HOMEPAGE ""
#endif
constexpr const char* kHomePage = VALLO_HOMEPAGE;

// Opens a page in the desktop's browser; where the desktop has none, says so and where the page
// is, so that the user can open it by hand.
void OpenPage(QWidget* parent, const QUrl& url) {
    if (!QDesktopServices::openUrl(url))
        QMessageBox::warning(parent, "Vallo",
                             Text("ブラウザーでページを開けませんでした。\n") +
                                 (url.isLocalFile() ? url.toLocalFile() : url.toDisplayString()));
}

} // namespace

TMainForm::TMainForm(EditorState& s, AppWindows& w, QWidget* parent)
    : QMainWindow(parent), s_(s), w_(w) {
    w_.MainForm = this;
    ui_ = std::make_unique<QtDocumentUi>(s_, this);
    setWindowTitle(Text("Vallo[無題]"));
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName("MdiArea");
    // Whatever part of the magnifier or the overview a small frame cannot show stays reachable.
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    BuildMenus();
    BuildShortcuts();
    resize(s_.Windows.Main.Width, s_.Windows.Main.Height);

    problems_ = MainFormCreate(s_, s_.AppDir);
    OpenRecoveryCopy();

    Tim = new QTimer(this);
    Tim->setSingleShot(true);
    Tim->setInterval(1);
    connect(Tim, &QTimer::timeout, this, &TMainForm::TimTimer);
    Tim->start();
}

TMainForm::~TMainForm() {
    if (w_.MainForm == this)
        w_.MainForm = nullptr;
    // The writer finishes a removal asked for by the close query before the program ends.
    if (s_.Recovery == recovery_.get())
        s_.Recovery = nullptr;
    recovery_.reset();
}

void TMainForm::OpenRecoveryCopy() {
    recovery_ = std::make_unique<RecoveryCopy>(RecoveryDir(s_));
    try {
        recovery_->Open();
    } catch (const std::exception& e) {
        // Without the folder the editor works on, only without a safety net.
        problems_.push_back(e.what());
        recovery_.reset();
        return;
    }
    s_.Recovery = recovery_.get();
    RecoveryTim = new QTimer(this);
    RecoveryTim->setInterval(250);
    connect(RecoveryTim, &QTimer::timeout, this, &TMainForm::RecoveryTimTimer);
}

void TMainForm::RecoveryTimTimer() {
    if (!s_.Recovery)
        return;
    if (const std::optional<std::string> problem = s_.Recovery->Tick(s_)) {
        auto* box = new QMessageBox(QMessageBox::Warning, "Vallo", QString::fromStdString(*problem),
                                    QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    }
}

void TMainForm::BuildMenus() {
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(Text("ファイル(&F)"));
    QAction* meNew = file->addAction(Text("新規作成(&N)"), this, &TMainForm::NewClick);
    meNew->setShortcut(QKeySequence::New);
    QAction* meOpen = file->addAction(Text("開く(&O)"), this, &TMainForm::OpenClick);
    meOpen->setShortcut(QKeySequence::Open);
    QAction* meSave = file->addAction(Text("上書き保存(&S)"), this, &TMainForm::SaveClick);
    meSave->setShortcut(QKeySequence::Save);
    QAction* meSaveAs =
        file->addAction(Text("名前を付けて保存(&A)"), this, &TMainForm::SaveAsClick);
    meSaveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addSeparator();
    for (int n = 1; n <= 5; ++n)
        F_[size_t(n)] = file->addAction(QString(), this, [this, n] { FClick(n); });
    QMenu* older = file->addMenu(Text("もっと前に使用したファイル"));
    for (int n = 6; n <= 9; ++n)
        F_[size_t(n)] = older->addAction(QString(), this, [this, n] { FClick(n); });
    SetRecentFileCaptions();

    QMenu* window = bar->addMenu(Text("ウィンドウ(&W)"));
    const struct {
        WindowItem item;
        const char* caption;
        bool ticked;
    } items[] = {
        {WindowItem::Tool, "ツールウィンドウ", true},
        {WindowItem::Pale, "パレットウィンドウ", true},
        {WindowItem::Lay, "レイヤーウィンドウ", true},
        {WindowItem::EX, "拡張表示ウィンドウ", true},
        {WindowItem::Ani, "アニメーションウィンドウ", false},
        {WindowItem::ETool, "特殊ツールウィンドウ", false},
        {WindowItem::Narabe, "並べて表示ウィンドウ", false},
    };
    for (const auto& it : items) {
        QAction* a = window->addAction(Text(it.caption));
        a->setCheckable(true);
        a->setChecked(it.ticked);
        const WindowItem item = it.item;
        connect(a, &QAction::triggered, this, [this, item] { WindowItemClick(item); });
        windowItems_[item] = a;
    }
    window->addSeparator();
    window->addAction(Text("ポジションリセット(&R))"), this, &TMainForm::PositionResetClick);

    bar->addAction(Text("設定(&O)"), this, &TMainForm::ConfClick);
    bar->addAction(Text("画像サイズ変更(&S)"), this, &TMainForm::SizeChangeClick);

    QMenu* help = bar->addMenu(Text("ヘルプ(&H)"));
    help->addAction(Text("ヘルプ"), this, &TMainForm::HelpClick);
    help->addAction(Text("公式ウェブサイトへ"), this, &TMainForm::WebClick);

    QAction* spacer = bar->addAction(Text("　　　　　　　　"));
    spacer->setEnabled(false);
    bar->addAction(Text("終了(&E)"), this, &QWidget::close);
}

void TMainForm::BuildShortcuts() {
    // Undo and redo work from every window of the program, floating ones included.
    auto* undo = new QAction(this);
    undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    undo->setShortcutContext(Qt::ApplicationShortcut);
    connect(undo, &QAction::triggered, this, &TMainForm::UndoClick);
    addAction(undo);
    auto* redo = new QAction(this);
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    redo->setShortcutContext(Qt::ApplicationShortcut);
    connect(redo, &QAction::triggered, this, &TMainForm::RedoClick);
    addAction(redo);
}

// ---- Document commands.

void TMainForm::NewClick() {
    if (!w_.NewForm || !ConfirmDiscardOrSave(s_, *ui_))
        return;
    w_.NewForm->SetMode(TNewForm::Mode::New);
    w_.NewForm->exec();
}
void TMainForm::OpenClick() {
    vallo::OpenClick(s_, *ui_);
}
void TMainForm::SaveClick() {
    vallo::SaveClick(s_, *ui_);
}
void TMainForm::SaveAsClick() {
    vallo::SaveAsClick(s_, *ui_);
}
void TMainForm::FClick(int n) {
    vallo::FClick(s_, *ui_, n);
}

void TMainForm::UndoClick() {
    if (!CanUndo(s_))
        return;
    Undo(s_);
    s_.Hooks->RefreshUndoButtons();
}

void TMainForm::RedoClick() {
    if (!CanRedo(s_))
        return;
    Redo(s_);
    s_.Hooks->RefreshUndoButtons();
}

void TMainForm::SetRecentFileCaptions() {
    for (int n = 1; n <= 9; ++n)
        if (F_[size_t(n)])
            F_[size_t(n)]->setText(QString::number(n) + ":" +
                                   QString::fromStdString(s_.RecentFiles[size_t(n)]));
}

// ---- Window menu.

QAction* TMainForm::WindowItemAction(WindowItem item) const {
    const auto it = windowItems_.find(item);
    return it == windowItems_.end() ? nullptr : it->second;
}

void TMainForm::SetWindowItemChecked(WindowItem item, bool checked) {
    if (QAction* a = WindowItemAction(item))
        a->setChecked(checked);
}

bool TMainForm::WindowItemChecked(WindowItem item) const {
    const QAction* a = WindowItemAction(item);
    return a && a->isChecked();
}

QWidget* TMainForm::FloatingWindow(WindowItem item) const {
    switch (item) {
    case WindowItem::Tool:
        return w_.ToolForm;
    case WindowItem::Pale:
        return w_.PaleForm;
    case WindowItem::Lay:
        return w_.LayForm;
    case WindowItem::EX:
        return w_.EXForm;
    case WindowItem::Ani:
        return w_.AniForm;
    case WindowItem::ETool:
        return w_.EToolForm;
    case WindowItem::Narabe:
        return w_.NarabeForm;
    }
    return nullptr;
}

void TMainForm::ShowFloatingWindow(QWidget* window) {
    if (!window)
        return;
    window->show();
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->geometry();
        QPoint p = window->pos();
        p.setX(std::max(std::min(p.x(), area.width() - 20), -20));
        p.setY(std::max(std::min(p.y(), area.height() - 20), -20));
        window->move(p);
    }
    for (const auto& [item, action] : windowItems_)
        if (FloatingWindow(item) == window)
            action->setChecked(true);
}

void TMainForm::WindowItemClick(WindowItem item) {
    QAction* a = WindowItemAction(item);
    QWidget* window = FloatingWindow(item);
    // The action toggled its tick already; the tick it had before decides what happens.
    const bool wasTicked = !a->isChecked();
    if (item == WindowItem::Tool || wasTicked) {
        a->setChecked(wasTicked);
        if (window) {
            window->raise();
            window->activateWindow();
        }
        return;
    }
    a->setChecked(false);
    ShowFloatingWindow(window);
}

// ---- Window places.

namespace {

template <class Places> auto* PlaceOf(Places& places, WindowItem item) {
    switch (item) {
    case WindowItem::Tool:
        return &places.Tool;
    case WindowItem::Pale:
        return &places.Pale;
    case WindowItem::Lay:
        return &places.Lay;
    case WindowItem::EX:
        return &places.EX;
    case WindowItem::Ani:
        return &places.Ani;
    case WindowItem::ETool:
        return &places.ETool;
    case WindowItem::Narabe:
        return &places.Narabe;
    }
    return static_cast<decltype(&places.Tool)>(nullptr);
}

// The magnifier and the overview stand in MDI sub-windows: their places are the frames'.
void PlaceChild(QWidget* content, const WindowPlace& place) {
    QWidget* frame = content ? content->parentWidget() : nullptr;
    if (!frame || place.Width <= 0 || place.Height <= 0)
        return;
    frame->setGeometry(place.Left, place.Top, place.Width, place.Height);
}

void StoreChild(const QWidget* content, WindowPlace& place) {
    const QWidget* frame = content ? content->parentWidget() : nullptr;
    if (!frame)
        return;
    place.Left = frame->x();
    place.Top = frame->y();
    place.Width = frame->width();
    place.Height = frame->height();
}

// A first start maximises the frame; its restored bounds are those the configuration gives a
// maximised frame: 20 pixels in from the corner, 40 pixels smaller.
QRect FirstStartFrame(const WindowPlace& main) {
    return QRect(20, 20, main.Width - 40, main.Height - 40);
}

constexpr WindowItem kFloatingItems[] = {WindowItem::Pale,  WindowItem::Tool, WindowItem::Lay,
                                         WindowItem::EX,    WindowItem::Ani,  WindowItem::ETool,
                                         WindowItem::Narabe};

} // namespace

void TMainForm::PositionResetClick() {
    // Back to the first-start places: the floating windows beside the frame, the magnifier and
    // the overview side by side in a frame that shows both whole. The copy tool keeps its place.
    const WindowPlaces first;
    for (WindowItem item : {WindowItem::Ani, WindowItem::Tool, WindowItem::EX, WindowItem::Narabe,
                            WindowItem::Pale, WindowItem::Lay, WindowItem::ETool})
        if (QWidget* window = FloatingWindow(item)) {
            const WindowPlace* place = PlaceOf(first, item);
            window->move(place->Left, place->Top);
            KeepWindowOnScreen(window);
        }
    PlaceChild(w_.LupeForm, first.Lupe);
    PlaceChild(w_.AllForm, first.All);
    if (!isMaximized() && !isFullScreen())
        setGeometry(FirstStartFrame(first.Main));
    FitFrameToChildren();
}

void TMainForm::ApplyWindowPlaces() {
    const WindowPlace& main = s_.Windows.Main;
    // The configuration has already put a maximised frame's restored bounds inside the screen.
    setGeometry(main.Left, main.Top, std::max(main.Width, 200), std::max(main.Height, 150));
    PlaceChild(w_.LupeForm, s_.Windows.Lupe);
    PlaceChild(w_.AllForm, s_.Windows.All);
    FitFrameToChildren();
    for (WindowItem item : kFloatingItems) {
        const WindowPlace* place = PlaceOf(s_.Windows, item);
        QWidget* window = FloatingWindow(item);
        if (!window)
            continue;
        window->move(place->Left, place->Top);
        window->setVisible(place->Visible);
        KeepWindowOnScreen(window);
    }
    if (w_.CToolForm)
        w_.CToolForm->move(s_.Windows.CTool.Left, s_.Windows.CTool.Top);
    for (WindowItem item :
         {WindowItem::Tool, WindowItem::EX, WindowItem::Ani, WindowItem::ETool, WindowItem::Narabe})
        if (QWidget* window = FloatingWindow(item))
            SetWindowItemChecked(item, window->isVisible());
    if (s_.Windows.MainMax)
        setWindowState(windowState() | Qt::WindowMaximized);
}

QRect TMainForm::AvailableArea() const {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1366, 768);
}

void TMainForm::FitFrameToChildren() {
    const QRect area = AvailableArea();
    const int frame = mdi_->frameWidth();
    // What the frame adds around the MDI area's viewport: the menu bar and the area's frame.
    const QSize chrome(2 * frame, menuBar()->sizeHint().height() + 2 * frame);
    const QSize room = area.size() - chrome;
    QRect need;
    for (QWidget* content :
         {static_cast<QWidget*>(w_.LupeForm), static_cast<QWidget*>(w_.AllForm)}) {
        QWidget* sub = content ? content->parentWidget() : nullptr;
        if (!sub)
            continue;
        // Never smaller than what shows the bar at its foot; kept where the screen can show it.
        QRect g = sub->geometry();
        const QSize least = sub->minimumSizeHint();
        g.setSize(g.size().expandedTo(least).boundedTo(room.expandedTo(least)));
        g.moveLeft(std::clamp(g.left(), 0, std::max(0, room.width() - g.width())));
        g.moveTop(std::clamp(g.top(), 0, std::max(0, room.height() - g.height())));
        sub->setGeometry(g);
        need |= g;
    }
    QRect normal = geometry();
    normal.setSize(normal.size().expandedTo(QSize(need.right() + 1, need.bottom() + 1) + chrome));
    normal.moveLeft(std::clamp(normal.left(), area.left(),
                               std::max(area.left(), area.right() + 1 - normal.width())));
    normal.moveTop(std::clamp(normal.top(), area.top(),
                              std::max(area.top(), area.bottom() + 1 - normal.height())));
    setGeometry(normal);
}

void TMainForm::StoreWindowPlaces() {
    // A maximised frame keeps its maximised size, which the next start reduces by 40 for the
    // restored one: the restored size stays the same from session to session.
    WindowPlace& main = s_.Windows.Main;
    main.Left = geometry().x();
    main.Top = geometry().y();
    main.Width = geometry().width();
    main.Height = geometry().height();
    s_.Windows.MainMax = isMaximized();
    StoreChild(w_.LupeForm, s_.Windows.Lupe);
    StoreChild(w_.AllForm, s_.Windows.All);
    for (WindowItem item : kFloatingItems) {
        WindowPlace* place = PlaceOf(s_.Windows, item);
        if (const QWidget* window = FloatingWindow(item)) {
            // The client area's corner: a window is moved there before a window manager frames it.
            place->Left = window->geometry().x();
            place->Top = window->geometry().y();
            place->Visible = window->isVisible();
        }
    }
    if (w_.CToolForm) {
        s_.Windows.CTool.Left = w_.CToolForm->geometry().x();
        s_.Windows.CTool.Top = w_.CToolForm->geometry().y();
        s_.Windows.CTool.Visible = w_.CToolForm->isVisible();
    }
}

void TMainForm::ShowStartupWindows() {
    for (WindowItem item : {WindowItem::Tool, WindowItem::Pale, WindowItem::Lay, WindowItem::EX})
        if (QWidget* window = FloatingWindow(item)) {
            window->show();
            SetWindowItemChecked(item, true);
        }
}

// ---- Start-up and shut-down.

void TMainForm::TimTimer() {
    Tim->stop();
    if (!s_.StartingUp)
        return;
    DeferredStartup(s_, *ui_);
    if (RecoveryTim)
        RecoveryTim->start();
    ReportStartupProblems();
}

void TMainForm::ReportStartupProblems() {
    if (problems_.empty())
        return;
    // Shown without blocking: the editor works on with safe defaults.
    QString text;
    for (const std::string& problem : problems_)
        text += QString::fromStdString(problem) + "\n";
    auto* box =
        new QMessageBox(QMessageBox::Warning, "Vallo", text.trimmed(), QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery(s_, *ui_)) {
        event->ignore();
        return;
    }
    // The close query removed the copy or the work is saved: no new copy from here on.
    if (RecoveryTim)
        RecoveryTim->stop();
    StoreWindowPlaces();
    s_.IniReadMode = false;
    try {
        RunIniRoutine(s_);
    } catch (const std::exception& e) {
        ui_->ShowError(e.what()); // the settings are lost, the window still closes
    }
    event->accept();
    CloseEveryWindow();
}

void TMainForm::CloseEveryWindow() {
    // The floating windows refuse a close request while the program runs; now they take it, so
    // that none stays on screen and Qt's quit on the last window closed is not held up.
    w_.Closing = true;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this)
            window->close();
    // Ends the event loop once this close is through, also when quitting on the last window
    // is turned off.
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

// ---- Dialogs, help and web site.

void TMainForm::ConfClick() {
    if (w_.ConfForm)
        w_.ConfForm->exec();
}

void TMainForm::SizeChangeClick() {
    if (!w_.NewForm)
        return;
    w_.NewForm->SetMode(TNewForm::Mode::SizeChange);
    w_.NewForm->exec();
}

void TMainForm::HelpClick() {
    OpenPage(this, QUrl::fromLocalFile(QString::fromStdString(s_.AppDir) + "help/index.html"));
}

QUrl TMainForm::WebSiteUrl() const {
    if (*kHomePage)
        return QUrl(QString::fromUtf8(kHomePage));
    // Without a home page, the help page's section about the program.
    QUrl about = QUrl::fromLocalFile(QString::fromStdString(s_.AppDir) + "help/index.html");
    about.setFragment(QStringLiteral("about"));
    return about;
}

void TMainForm::WebClick() {
    OpenPage(this, WebSiteUrl());
}

} // namespace vallo
