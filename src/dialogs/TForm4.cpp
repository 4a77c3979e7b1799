#include "dialogs/TForm4.h"

#include "GuiGeneral/SharedState.h"

TForm4::TForm4(SharedState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName(QStringLiteral("Form4"));
}
