#include "dialogs/TForm5.h"

#include "GuiGeneral/SharedState.h"

TForm5::TForm5(SharedState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName(QStringLiteral("Form5"));
}
