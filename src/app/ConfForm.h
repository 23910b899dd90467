#pragma once

#include "app/Settings.h"
#include "widgets/QtSkeletonDialog.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QScrollBar;
class QTabWidget;

namespace vallo {

// The settings dialog: six options and the undo count on "基本設定", the cell-size and zoom
// lists on "倍率＆サイズ". It edits a working copy; "設定" applies it, "やめる" drops it.
class TConfForm : public TSkeletonDialog {
    Q_OBJECT
public:
    TConfForm(EditorState& s, AppWindows& w, QWidget* parent);

    // Each showing starts from the state.
    void FormShow();
    // "設定": applies the working copy, then closes.
    void accept() override;

    void UndoBarChange(int position);
    void btAdd1Click();
    void btDel1Click();
    void Button2Click();
    void Button1Click();

    QTabWidget* Pages = nullptr;
    QCheckBox* HamiCHK = nullptr;
    QCheckBox* NOCURCHK = nullptr;
    QCheckBox* FastCHK = nullptr;
    QCheckBox* ReverseCHK = nullptr;
    QCheckBox* GoukaCHK = nullptr;
    QCheckBox* LayGOUKACHK = nullptr;
    QLabel* Label1 = nullptr;
    QScrollBar* UndoBar = nullptr;
    QLineEdit* UndoEdit = nullptr;
    QLabel* oldundo = nullptr;
    QListWidget* List1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QListWidget* List2 = nullptr;
    QComboBox* Combo3 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildBasicPage();
    QWidget* BuildListPage();
    QComboBox* MakeChoiceBox(const char* name, const std::vector<std::string>& items);
    void FillList(QListWidget* list, const std::vector<std::string>& items);
    // The check boxes in the order of the options of SettingsChoice.
    std::array<QCheckBox*, 6> Options() const;

    SettingsChoice choice_;
};

} // namespace vallo
