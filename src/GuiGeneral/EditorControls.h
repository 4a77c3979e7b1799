#pragma once
// Controls the editor pages build alike.

#include <QColor>
#include <QRect>

class Label;
class QWidget;

namespace editors {

// An auto-sized label at (x, y), MS Sans Serif 8 pt.
Label* AddLabel(QWidget* parent, const char* name, const QString& text, int x, int y,
                const QColor& color = QColor(0xFF, 0xFF, 0xFF), bool bold = false);

// A picture label with the keyboard pictogram, stretched over `bounds`.
Label* AddKeyButton(QWidget* parent, const char* name, const QRect& bounds);

}  // namespace editors
