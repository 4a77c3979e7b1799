#include "dialogs/TForm2.h"

#include "GuiGeneral/SharedState.h"

TForm2::TForm2(SharedState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName(QStringLiteral("Form2"));
}
