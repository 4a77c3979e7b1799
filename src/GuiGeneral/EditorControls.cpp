#include "GuiGeneral/EditorControls.h"

#include "widgets/Artwork.h"
#include "widgets/Label.h"
#include "widgets/Look.h"

namespace editors {

Label* AddLabel(QWidget* parent, const char* name, const QString& text, int x, int y, const QColor& color, bool bold)
{
    auto* label = new Label(text, parent, QString::fromLatin1(name));
    label->setFont(look::SansSerif(11, bold));
    label->SetFontColor(color);
    label->move(x, y);
    label->SetAutoSize(true);
    return label;
}

Label* AddKeyButton(QWidget* parent, const char* name, const QRect& bounds)
{
    auto* image = new Label(parent, QString::fromLatin1(name));
    image->setGeometry(bounds);
    image->setScaledContents(true);
    image->setPixmap(artwork::KeyButtonPicture());
    image->setCursor(Qt::PointingHandCursor);
    return image;
}

}  // namespace editors
