#include "widgets/Panel.h"

#include <QMouseEvent>

Panel::Panel(QWidget* parent, const QString& name) : QWidget(parent)
{
    if (!name.isEmpty()) setObjectName(name);
}

void Panel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}
