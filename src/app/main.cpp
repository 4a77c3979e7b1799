#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Quorvel Script (v 1.0.1 beta)"));
    window.setFixedSize(622, 467);
    window.show();
    return app.exec();
}
