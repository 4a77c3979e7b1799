// The GUI tests share one QApplication, on the offscreen platform unless told
// otherwise. Wine hands no QT_ variable to a Windows program, so the platform
// and the scale also come as flags: --platform=windows, --scale=1.5.

#include <gtest/gtest.h>

#include <QApplication>
#include <cstring>

#include "guibase/Scaling.h"
#include "widgets/Look.h"

int main(int argc, char** argv)
{
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--platform=", 11) == 0) qputenv("QT_QPA_PLATFORM", argv[i] + 11);
        else if (std::strncmp(argv[i], "--scale=", 8) == 0) qputenv("QT_SCALE_FACTOR", argv[i] + 8);
        else argv[kept++] = argv[i];
    }
    argc = kept;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    scaling::FollowTheSystem();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setQuitOnLastWindowClosed(false);
    look::InstallFontSubstitutes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
