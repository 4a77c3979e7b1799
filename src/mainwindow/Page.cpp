#include "mainwindow/Page.h"

#include "widgets/Look.h"

Page::Page(Session& session, const QString& name, QWidget* parent) : Panel(parent, name), session_(session)
{
    resize(452, 384);
    look::SetBackground(this, look::kPage);
    setFont(look::SansSerif());
}
