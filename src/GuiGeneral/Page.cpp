#include "GuiGeneral/Page.h"

#include "GuiGeneral/SharedState.h"
#include "widgets/Look.h"

Page::Page(SharedState& state, const QString& name, QWidget* parent) : Panel(parent, name), state_(state)
{
    resize(452, 384);
    look::SetBackground(this, look::kPage);
    setFont(look::SansSerif());
}
