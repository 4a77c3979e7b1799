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

// The small status text beside a memo that ChatMarks fills: right-aligned,
// MS Sans Serif 8 pt, empty and hidden until a line is too long.
QLabel* AddLineStatus(QWidget* parent, const char* name, const QRect& rect);

// Before a text goes to a 1251 file: true when it holds only characters 1251
// can store, or the user agreed to have the others stored as "?".
bool ConfirmCp1251(QWidget* parent, const QString& text);
// For values typed into the INI files: true, after a message, when the value
// holds characters 1251 cannot store and must not be stored.
bool RefuseUnsupported(QWidget* parent, const QString& value);

}  // namespace editors
