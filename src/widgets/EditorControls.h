#pragma once
// Controls the editor pages build alike.

#include <QColor>

class Label;
class QLabel;
class QRect;
class QString;
class QWidget;

namespace editors {

// An auto-sized label at (x, y), MS Sans Serif 8 pt.
Label* AddLabel(QWidget* parent, const char* name, const QString& text, int x, int y,
                const QColor& color = QColor(0xFF, 0xFF, 0xFF), bool bold = false);

// A link in the panel's look (white, red under the mouse), MS Sans Serif 8 pt
// bold, auto-sized, its right edge at `right`.
Label* AddLink(QWidget* parent, const char* name, const QString& text, int right, int y);

// The small status text beside a memo that ChatMarks fills: right-aligned,
// MS Sans Serif 8 pt, empty and hidden until a line is too long.
QLabel* AddLineStatus(QWidget* parent, const char* name, const QRect& rect);

}  // namespace editors
