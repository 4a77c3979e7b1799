#include "GuiGeneral/ArticlePage.h"

#include "GuiGeneral/SharedState.h"

ArticlePage::ArticlePage(SharedState& state, QWidget* parent) : Page(state, QStringLiteral("Shit4"), parent)
{
}

