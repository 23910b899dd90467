#include "app/QtDocumentUi.h"

#include "app/QtPictureReader.h"
#include "app/QtPreviewPanel.h"
#include "app/RecoveryOffer.h"
#include "state/AppPaths.h"
#include "state/EditorState.h"
#include "widgets/QtControls.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace vallo {

QStringList QtNameFilters(const char* filter) {
    const QStringList parts = Text(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    return filters;
}

SaveAnswer QtDocumentUi::AskSaveChanges() {
    const auto answer = QMessageBox::warning(
        parent_, "Vallo", Text(kMsgUnsavedWork),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        return SaveAnswer::Yes;
    if (answer == QMessageBox::No)
        return SaveAnswer::No;
    return SaveAnswer::Cancel;
}

bool QtDocumentUi::AskRestoreRecovery() {
    return QMessageBox::question(parent_, "Vallo", Text(kMsgRestoreRecovery),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

bool QtDocumentUi::AskOverwrite(const std::string&) {
    return QMessageBox::warning(parent_, "Vallo", Text(kMsgOverwrite),
                                QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::string> QtDocumentUi::ChooseOpenFile() {
    QFileDialog dialog(parent_, QString(), QString::fromStdString(DocumentStartFolder(s_)));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(QtNameFilters(kOpenFilter));
    QtPreviewPanel::Attach(dialog, s_.AppDir);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

std::optional<SaveChoice> QtDocumentUi::ChooseSaveFile() {
    QFileDialog dialog(parent_, QString(), QString::fromStdString(DocumentStartFolder(s_)));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The document commands ask the overwrite question themselves, after the extension rule.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = QtNameFilters(kSaveFilter);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(kSaveFilterPng - 1));
    QtPreviewPanel::Attach(dialog, s_.AppDir);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    SaveChoice choice;
    choice.Path = dialog.selectedFiles().first().toStdString();
    choice.FilterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (choice.FilterIndex < 1)
        choice.FilterIndex = kSaveFilterPng;
    return choice;
}

void QtDocumentUi::ShowError(const std::string& message) {
    QMessageBox::critical(parent_, "Vallo", QString::fromStdString(message));
}

bool QtDocumentUi::ReadOtherPicture(const std::string& path, RgbaPicture& picture,
                                    std::string& error) {
    return ReadPictureWithQt(path, picture, error);
}

} // namespace vallo
