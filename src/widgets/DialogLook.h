#pragma once
// What the small profile dialogs share: a fixed frame with only a close box,
// centred on the screen, and the dark fields.

#include <QColor>
#include <QSize>

class QDialog;
class QWidget;

namespace dialoglook {

// A dialog frame that cannot be resized, with a close box only; its client
// area is `client`, and it opens centred on the screen.
void MakeFixedDialog(QDialog* dialog, const QSize& client, const QColor& background);

// The dark field look of the dialogs' edit boxes: #596573 with #D7D9DC text.
void StyleField(QWidget* field);

}  // namespace dialoglook
