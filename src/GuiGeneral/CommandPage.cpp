#include "GuiGeneral/CommandPage.h"

#include "GuiGeneral/SharedState.h"

CommandPage::CommandPage(SharedState& state, QWidget* parent) : Page(state, QStringLiteral("Shit3"), parent)
{
}

void CommandPage::PointAt(const QString& folder)
{
    Q_UNUSED(folder);
}
