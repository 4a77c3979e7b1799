#include "GuiGeneral/RolePlayPage.h"

#include "GuiGeneral/SharedState.h"

RolePlayPage::RolePlayPage(SharedState& state, QWidget* parent) : Page(state, QStringLiteral("Shit2"), parent)
{
}

