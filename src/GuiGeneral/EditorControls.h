#pragma once
// Controls the editor pages build alike.

#include <QColor>

class Label;
class QWidget;

namespace editors {

// An auto-sized label at (x, y), MS Sans Serif 8 pt.
Label* AddLabel(QWidget* parent, const char* name, const QString& text, int x, int y,
                const QColor& color = QColor(0xFF, 0xFF, 0xFF), bool bold = false);

}  // namespace editors
