#include "app/ConfForm.h"

#include "widgets/QtControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vallo {

namespace {

// The options of SettingsChoice in the order of the check boxes.
constexpr bool SettingsChoice::*kOptionFields[] = {
    &SettingsChoice::LupeOverhang, &SettingsChoice::CursorWhileDrawing,
    &SettingsChoice::LiveUpdate,   &SettingsChoice::CursorStyle,
    &SettingsChoice::RichDisplay,  &SettingsChoice::LayerDisplayMode};

int SelectedRow(const QListWidget* list) {
    return list->selectedItems().isEmpty() ? -1 : list->currentRow();
}

} // namespace

TConfForm::TConfForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TSkeletonDialog(s, w, parent, "ConfForm", "設定フォーム", "設定", "やめる") {
    Pages = new QTabWidget(this);
    Pages->setObjectName("Pages");
    Pages->addTab(BuildBasicPage(), Text("基本設定"));
    Pages->addTab(BuildListPage(), Text("倍率＆サイズ"));
    // The second page comes first; afterwards the page last used stays.
    Pages->setCurrentIndex(1);
    Body()->addWidget(Pages);
    OK->setDefault(true);
}

QWidget* TConfForm::BuildBasicPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    const struct {
        QCheckBox** box;
        const char* name;
        const char* caption;
    } boxes[] = {
        {&HamiCHK, "HamiCHK", "ルーペからはみ出した範囲も描画する"},
        {&NOCURCHK, "NOCURCHK", "描画中にカーソル表示"},
        {&FastCHK, "FastCHK", "描画を早めにその他の画面に反映する"},
        {&ReverseCHK, "ReverseCHK", "反転カーソルモード"},
        {&GoukaCHK, "GoukaCHK", "塗りつぶし系ツールで、範囲を豪華に表示する"},
        {&LayGOUKACHK, "LayGOUKACHK", "標準レイヤーモードで、特殊な表示法を使う"},
    };
    for (const auto& b : boxes) {
        *b.box = new QCheckBox(Text(b.caption), page);
        (*b.box)->setObjectName(b.name);
        layout->addWidget(*b.box);
    }
    Label1 = new QLabel(Text("Undo回数指定"), page);
    layout->addWidget(Label1);
    auto* row = new QHBoxLayout;
    UndoBar = new QScrollBar(Qt::Horizontal, page);
    UndoBar->setObjectName("UndoBar");
    UndoBar->setRange(kMinUndoSteps, kMaxUndoSteps);
    UndoBar->setMinimumWidth(160);
    connect(UndoBar, &QScrollBar::valueChanged, this, &TConfForm::UndoBarChange);
    UndoEdit = new QLineEdit(page);
    UndoEdit->setObjectName("UndoEdit");
    UndoEdit->setReadOnly(true);
    UndoEdit->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    oldundo = new QLabel(page);
    oldundo->setObjectName("oldundo");
    oldundo->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    row->addWidget(UndoBar, 1);
    row->addWidget(UndoEdit);
    row->addWidget(oldundo);
    layout->addLayout(row);
    layout->addStretch();
    return page;
}

QComboBox* TConfForm::MakeChoiceBox(const char* name, const std::vector<std::string>& items) {
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    for (const std::string& item : items)
        box->addItem(QString::fromStdString(item));
    box->setCurrentIndex(-1);
    return box;
}

QWidget* TConfForm::BuildListPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);

    grid->addWidget(new QLabel(Text("サイズ一覧"), page), 0, 0);
    List1 = new QListWidget(page);
    List1->setObjectName("List1");
    grid->addWidget(List1, 1, 0);
    auto* sizeRow = new QHBoxLayout;
    Combo1 = MakeChoiceBox("Combo1", CellSideChoices());
    Combo2 = MakeChoiceBox("Combo2", CellSideChoices());
    sizeRow->addWidget(Combo1, 1);
    sizeRow->addWidget(new QLabel(QStringLiteral("x"), page));
    sizeRow->addWidget(Combo2, 1);
    grid->addLayout(sizeRow, 2, 0);
    QPushButton* btAdd1 = MakeDialogButton(page, "btAdd1", "追加");
    QPushButton* btDel1 = MakeDialogButton(page, "btDel1", "選択した行を削除");
    connect(btAdd1, &QPushButton::clicked, this, &TConfForm::btAdd1Click);
    connect(btDel1, &QPushButton::clicked, this, &TConfForm::btDel1Click);
    grid->addWidget(btAdd1, 3, 0);
    grid->addWidget(btDel1, 4, 0);

    grid->addWidget(new QLabel(Text("倍率一覧"), page), 0, 1);
    List2 = new QListWidget(page);
    List2->setObjectName("List2");
    grid->addWidget(List2, 1, 1);
    Combo3 = MakeChoiceBox("Combo3", ZoomChoices());
    grid->addWidget(Combo3, 2, 1);
    QPushButton* Button2 = MakeDialogButton(page, "Button2", "追加");
    QPushButton* Button1 = MakeDialogButton(page, "Button1", "選択した行を削除");
    connect(Button2, &QPushButton::clicked, this, &TConfForm::Button2Click);
    connect(Button1, &QPushButton::clicked, this, &TConfForm::Button1Click);
    grid->addWidget(Button2, 3, 1);
    grid->addWidget(Button1, 4, 1);
    return page;
}

std::array<QCheckBox*, 6> TConfForm::Options() const {
    return {HamiCHK, NOCURCHK, FastCHK, ReverseCHK, GoukaCHK, LayGOUKACHK};
}

void TConfForm::showEvent(QShowEvent* event) {
    FormShow();
    TSkeletonDialog::showEvent(event);
}

void TConfForm::FormShow() {
    choice_ = SettingsOf(s_);
    for (size_t i = 0; i < Options().size(); ++i)
        Options()[i]->setChecked(choice_.*kOptionFields[i]);
    UndoBar->setValue(choice_.UndoSteps);
    UndoBarChange(choice_.UndoSteps);
    oldundo->setText(QString::number(choice_.UndoSteps));
    FillList(List1, choice_.SizeItems);
    FillList(List2, choice_.BaiItems);
    for (QComboBox* box : {Combo1, Combo2, Combo3})
        box->setCurrentIndex(-1);
}

void TConfForm::FillList(QListWidget* list, const std::vector<std::string>& items) {
    list->clear();
    for (const std::string& item : items)
        list->addItem(QString::fromStdString(item));
}

void TConfForm::UndoBarChange(int position) {
    UndoEdit->setText(QString::number(position));
}

void TConfForm::btAdd1Click() {
    if (AddSizeItem(choice_.SizeItems, Combo1->currentText().toStdString(),
                    Combo2->currentText().toStdString()))
        FillList(List1, choice_.SizeItems);
}

void TConfForm::btDel1Click() {
    if (DeleteListItem(choice_.SizeItems, SelectedRow(List1)))
        FillList(List1, choice_.SizeItems);
}

void TConfForm::Button2Click() {
    if (AddZoomItem(choice_.BaiItems, Combo3->currentText().toStdString()))
        FillList(List2, choice_.BaiItems);
}

void TConfForm::Button1Click() {
    if (DeleteListItem(choice_.BaiItems, SelectedRow(List2)))
        FillList(List2, choice_.BaiItems);
}

void TConfForm::accept() {
    for (size_t i = 0; i < Options().size(); ++i)
        choice_.*kOptionFields[i] = Options()[i]->isChecked();
    choice_.UndoSteps = UndoBar->value();
    ApplySettings(s_, choice_);
    TSkeletonDialog::accept();
}

} // namespace vallo
