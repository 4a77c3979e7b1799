#include "dialogs/TForm6.h"

#include "GuiGeneral/SharedState.h"

TForm6::TForm6(SharedState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Клава"));
}

void TForm6::ClearMarks()
{
}

void TForm6::LoadMarks(const QString& hotkey)
{
    Q_UNUSED(hotkey);
}

void TForm6::ShowModal()
{
    exec();
}
