#include "GuiGeneral/KeySettingsPage.h"

#include "GuiGeneral/SharedState.h"

KeySettingsPage::KeySettingsPage(SharedState& state, QWidget* parent) : Page(state, QStringLiteral("Shit6"), parent)
{
}

void KeySettingsPage::HideKeyPages()
{
}

void KeySettingsPage::ShowKeyPage(int n)
{
    Q_UNUSED(n);
}
