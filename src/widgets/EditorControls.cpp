#include "widgets/EditorControls.h"

#include <QLabel>

#include "widgets/Label.h"
#include "widgets/Look.h"

namespace editors {

Label* AddLabel(QWidget* parent, const char* name, const QString& text, int x, int y, const QColor& color, bool bold)
{
    return AddTextLabel(parent, QString::fromLatin1(name), text, {x, y}, look::SansSerif(11, bold), color);
}

Label* AddLink(QWidget* parent, const char* name, const QString& text, int right, int y)
{
    Label* link = AddTextLabel(parent, QString::fromLatin1(name), text, {0, y}, look::SansSerif(11, true), look::kLinkNormal);
    link->move(right - link->width(), y);
    link->setCursor(Qt::PointingHandCursor);
    look::MakeLink(link);
    return link;
}

QLabel* AddLineStatus(QWidget* parent, const char* name, const QRect& rect)
{
    auto* status = new QLabel(parent);
    status->setObjectName(QString::fromLatin1(name));
    status->setGeometry(rect);
    status->setFont(look::SansSerif(11, true));
    status->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    status->hide();
    return status;
}

}  // namespace editors
