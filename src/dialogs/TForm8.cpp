#include "dialogs/TForm8.h"

#include "GuiGeneral/SharedState.h"

TForm8::TForm8(SharedState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName(QStringLiteral("Form8"));
}
