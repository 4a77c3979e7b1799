#include "GuiGeneral/EditorControls.h"

#include "widgets/Label.h"
#include "widgets/Look.h"

namespace editors {

Label* AddLabel(QWidget* parent, const char* name, const QString& text, int x, int y, const QColor& color, bool bold)
{
    return AddTextLabel(parent, QString::fromLatin1(name), text, {x, y}, look::SansSerif(11, bold), color);
}

}  // namespace editors
