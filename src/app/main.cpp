#include <QApplication>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "guibase/Scaling.h"
#include "guibase/Platform.h"
#include "mainwindow/MainWindow.h"
#include "store/ServerPaths.h"

int main(int argc, char** argv)
{
    // Export and import run before any window system is touched: no display needed.
    if (const auto code = RunCommandLine(store::ExeDir(), platform::Utf8Arguments(argc, argv))) return *code;

    // The fixed layout follows the system's scale as one, at exactly its
    // factor (125 %, 150 %, …): Qt declares the process aware of each
    // monitor's scale and draws text and pictures at the screen's own pixels.
    scaling::FollowTheSystem();

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    // The run ends when the splash window closes, hidden or not.
    QApplication::setQuitOnLastWindowClosed(false);

    Application run(store::ExeDir());
    // A request from outside to end the run closes the main window, once it exists.
    QObject::connect(&run, &Application::windowsBuilt, [&run] { platform::CloseOnTerminationRequest(run.Main()); });
    run.Start();
    return QApplication::exec();
}
