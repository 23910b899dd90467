#include "app/QtProgram.h"

#include <QApplication>
#include <QCoreApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName("Vallo");

    vallo::QtProgram program(QCoreApplication::applicationDirPath().toStdString() + "/");
    program.Show();
    return app.exec();
}
