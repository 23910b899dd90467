#include "app/NewForm.h"

#include "app/DocumentCommands.h"
#include "app/ImageSizeJobs.h"
#include "state/EditorState.h"
#include "widgets/QtControls.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>
#include <new>

namespace vallo {

TNewForm::TNewForm(EditorState& s, AppWindows& w, QWidget* parent)
    : TSkeletonDialog(s, w, parent, "NewForm", "新規作成", "作成", "やめる") {
    auto* grid = new QGridLayout;
    Label1 = new QLabel(Text("横サイズ"), this);
    Label2 = new QLabel(Text("縦サイズ"), this);
    X = new QLineEdit(QStringLiteral("256"), this);
    Y = new QLineEdit(QStringLiteral("256"), this);
    X->setObjectName("X");
    Y->setObjectName("Y");
    for (QLineEdit* edit : {X, Y})
        edit->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
    Label1->setBuddy(X);
    Label2->setBuddy(Y);
    SizeLabel = new QLabel(this);
    SizeLabel->setObjectName("SizeLabel");
    SizeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(X, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Y, 1, 1);
    grid->addWidget(SizeLabel, 2, 0, 1, 2);
    Body()->addLayout(grid);
    OK->setDefault(true);
    setMinimumWidth(200);
}

void TNewForm::SetMode(Mode mode) {
    mode_ = mode;
    const bool isNew = mode == Mode::New;
    setWindowTitle(Text(isNew ? "新規作成" : "サイズ変更"));
    OK->setText(Text(isNew ? "作成" : "変更"));
    SizeLabel->setText(QString::fromStdString(ImageSizeRangeText()));
    X->setText(QString::number(s_.MainImage.Width()));
    Y->setText(QString::number(s_.MainImage.Height()));
}

void TNewForm::accept() {
    if (OKClick())
        TSkeletonDialog::accept();
}

bool TNewForm::OKClick() {
    int width = 0;
    int height = 0;
    std::string error;
    if (!ParseSizeText(X->text().toStdString(), width, error) ||
        !ParseSizeText(Y->text().toStdString(), height, error)) {
        ShowError(error);
        return false;
    }
    X->setText(QString::number(width));
    Y->setText(QString::number(height));
    const std::vector<std::string> problems = ImageSizeProblems(width, height);
    for (const std::string& problem : problems)
        ShowError(problem);
    if (!problems.empty() || !RunJob(width, height))
        return false;
    s_.Hooks->RefreshUndoButtons();
    return true;
}

bool TNewForm::RunJob(int width, int height) {
    try {
        if (mode_ == Mode::New)
            MakeBlankDocument(s_, width, height);
        else
            ChangeImageSize(s_, width, height);
    } catch (const std::bad_alloc&) {
        ShowError("メモリが足りません");
        return false;
    } catch (const std::exception& e) {
        ShowError(e.what());
        return false;
    }
    return true;
}

void TNewForm::ShowError(const std::string& message) {
    QMessageBox::critical(this, windowTitle(), QString::fromStdString(message));
}

} // namespace vallo
