#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName("Vallo");
    QMainWindow window;
    window.setWindowTitle(QString::fromUtf8("Vallo [無題]"));
    window.resize(800, 600);
    window.show();
    return app.exec();
}
