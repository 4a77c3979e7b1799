#include <QApplication>

#include "GuiGeneral/TForm1.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "guibase/Platform.h"
#include "store/ServerPaths.h"
#include "widgets/Look.h"

int main(int argc, char** argv)
{
    // Export and import run before any window system is touched: no display needed.
    if (const auto code = RunCommandLine(store::ExeDir(), platform::Utf8Arguments(argc, argv))) return *code;

    // Sizes are physical pixels: the system is told so before any window
    // exists, and Qt's own scaling stays off.
    platform::DeclareDpiAware();
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    // The run ends when the splash window closes, hidden or not.
    QApplication::setQuitOnLastWindowClosed(false);
    look::InstallFontSubstitutes();

    Application run(store::ExeDir());
    platform::CloseOnTerminationRequest(run.State().forms.Form1);
    run.Start();
    return QApplication::exec();
}
