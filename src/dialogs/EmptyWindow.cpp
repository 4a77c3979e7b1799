#include "dialogs/EmptyWindow.h"

EmptyWindow::EmptyWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Form7"));
    setFixedSize(928, 480);
}
