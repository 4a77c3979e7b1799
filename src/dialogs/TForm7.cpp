#include "dialogs/TForm7.h"

TForm7::TForm7(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Form7"));
    setFixedSize(928, 480);
}
