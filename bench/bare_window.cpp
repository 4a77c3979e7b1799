// The yardstick for the panel's start: a Qt program that shows one frameless
// window of the splash's size and does nothing else (bench/startup.sh).

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("Bare"));
    window.setFixedSize(283, 194);
    window.show();
    return QApplication::exec();
}
