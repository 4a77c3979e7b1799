#pragma once
// The fixed look of the panel: colours and fonts shared by every window.

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;
class Label;

namespace look {

inline const QColor kWindow(0x26, 0x2C, 0x34);     // window backgrounds
inline const QColor kPage(0x33, 0x3B, 0x46);       // page panels
inline const QColor kField(0x59, 0x65, 0x73);      // fields and chips
inline const QColor kListField(0x58, 0x5E, 0x67);  // lists and memos of the editors
inline const QColor kTitle(0xD7, 0xD9, 0xDC);      // row titles
inline const QColor kSilver(0xC0, 0xC0, 0xC0);     // values
inline const QColor kAlert(0xC0, 0x39, 0x2B);      // hover of rows, "not running"
inline const QColor kRunning(0x00, 0x80, 0x00);
// The system colours the design names, at their standard values.
inline const QColor kClWindow(0xFF, 0xFF, 0xFF);     // clWindow
inline const QColor kClScrollBar(0xC8, 0xC8, 0xC8);  // clScrollBar
inline const QColor kClBtnFace(0xF0, 0xF0, 0xF0);    // clBtnFace
inline const QColor kClInfoBk(0xFF, 0xFF, 0xE1);     // clInfoBk
inline const QColor kLinkHover(0xFF, 0x00, 0x00);
inline const QColor kLinkNormal(0xFF, 0xFF, 0xFF);

// Where the design's Windows fonts are missing, metric-compatible faces
// stand in for them. Call once, before any window exists.
void InstallFontSubstitutes();

// A font by pixel size, as the design gives them.
QFont PixelFont(const QString& family, int pixels, bool bold = false);
QFont SegoeUi(int pixels, bool bold = false);
QFont SansSerif(int pixels = 11, bool bold = false);  // "MS Sans Serif"; 8 pt is 11 pixels

void SetBackground(QWidget* widget, const QColor& color);

// Places a top-level window in the middle of the primary screen.
void CentreOnScreen(QWidget* window);
void SetTextColor(QWidget* widget, const QColor& color);

// The shared pair of hover handlers of the labels that act as text buttons:
// red under the mouse, white again when it leaves.
void MakeLink(Label* label);

}  // namespace look
