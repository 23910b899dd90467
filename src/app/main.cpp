#include "app/BatchCommands.h"
#include "app/CommandLine.h"
#include "app/MainForm.h"
#include "app/QtPictureReader.h"
#include "app/QtProgram.h"
#include "app/QtQuitSignals.h"
#include "state/AppPaths.h"
#include "widgets/QtAppFont.h"
#include "app/QtTranslations.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>
#include <cstdlib>
#include <iostream>
#include <memory>

namespace {

// Help, version, bad arguments and the batch commands: no window. Qt's image plug-ins still
// need an application object for the formats our own readers do not handle.
int RunWithoutWindow(const vallo::CommandLine& command, int& argc, char** argv) {
    std::unique_ptr<QCoreApplication> core;
    if (!QCoreApplication::instance() && (command.Action == vallo::CommandAction::Convert ||
                                          command.Action == vallo::CommandAction::Info))
        core = std::make_unique<QCoreApplication>(argc, argv);
    return vallo::RunWindowlessCommand(command, vallo::ReadPictureWithQt, std::cout, std::cerr);
}

// Qt's own options start with a single dash; ours with two.
bool MayHoldQtOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] == '-' && argv[i][1] != '-' && argv[i][1] != '\0')
            return true;
    return false;
}

vallo::CommandLine ArgumentsLeftByQt() {
    std::vector<std::string> args;
    const QStringList all = QCoreApplication::arguments();
    for (qsizetype i = 1; i < all.size(); ++i)
        args.push_back(all[i].toStdString());
    return vallo::ParseCommandLine(args);
}

} // namespace

int main(int argc, char** argv) {
    // Commands that need no window are told apart before Qt looks for a display.
    vallo::CommandLine command = vallo::ParseCommandLine(argc, argv);
    if (command.Action != vallo::CommandAction::Edit &&
        (command.Action != vallo::CommandAction::BadArguments || !MayHoldQtOptions(argc, argv)))
        return RunWithoutWindow(command, argc, argv);

    QApplication app(argc, argv);
    app.setApplicationName("Vallo");
    vallo::InstallQtTranslations(app);
    // Qt takes its own options (-platform, -style, ...) out; what is left must make sense.
    command = ArgumentsLeftByQt();
    if (command.Action != vallo::CommandAction::Edit)
        return RunWithoutWindow(command, argc, argv);
    vallo::UseApplicationFont(app);

    vallo::QtProgram program(
        vallo::ResolveAppPaths(QCoreApplication::applicationDirPath().toStdString(), std::getenv),
        command.File);
    vallo::CloseOnQuitSignals(program.w.MainForm);
    program.Show();
    return app.exec();
}
