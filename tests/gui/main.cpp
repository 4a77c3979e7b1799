// The GUI tests share one QApplication on the offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>

#include "guibase/Scaling.h"
#include "widgets/Look.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    scaling::FollowTheSystem();  // QT_SCALE_FACTOR picks a scale to test at
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setQuitOnLastWindowClosed(false);
    look::InstallFontSubstitutes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
