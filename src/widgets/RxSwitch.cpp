#include "widgets/RxSwitch.h"

#include <QKeyEvent>
#include <QPainter>

RxSwitch::RxSwitch(QWidget* parent, const QString& name) : QAbstractButton(parent)
{
    if (!name.isEmpty()) setObjectName(name);
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void RxSwitch::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        setChecked(!isChecked());  // the picture only; no click action
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void RxSwitch::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space) {
        event->accept();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

// A vertical lever in a slot: off is the lever down on a dark slot, on is the
// lever up on a red one. Disabled, both are drawn grey.
void RxSwitch::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool on = isChecked();
    const bool enabled = isEnabled();
    const QRectF slot(width() / 2.0 - 13, 4, 26, height() - 8);

    QColor slotColor = on ? QColor(0xC0, 0x39, 0x2B) : QColor(0x3A, 0x42, 0x4E);
    QColor rim(0x1B, 0x20, 0x27);
    QColor knob = on ? QColor(0xF4, 0xF4, 0xF4) : QColor(0xA9, 0xB1, 0xBC);
    if (!enabled) {
        slotColor = QColor(0x55, 0x5A, 0x61);
        knob = QColor(0x8A, 0x8E, 0x94);
    }
    p.setPen(QPen(rim, 2));
    p.setBrush(slotColor);
    p.drawRoundedRect(slot, 13, 13);

    const qreal d = 20;
    const qreal y = on ? slot.top() + 3 : slot.bottom() - 3 - d;
    QRadialGradient shine(QPointF(slot.center().x() - 3, y + 6), d);
    shine.setColorAt(0, knob.lighter(125));
    shine.setColorAt(1, knob.darker(115));
    p.setPen(QPen(rim, 1));
    p.setBrush(shine);
    p.drawEllipse(QRectF(slot.center().x() - d / 2, y, d, d));

    // A small power mark in the free half of the slot.
    p.setPen(QPen(enabled ? QColor(255, 255, 255, on ? 230 : 120) : QColor(0xA0, 0xA0, 0xA0), 1.6,
                  Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QPointF c(slot.center().x(), on ? slot.bottom() - 13 : slot.top() + 13);
    p.drawArc(QRectF(c.x() - 5, c.y() - 5, 10, 10), 120 * 16, 300 * 16);  // open at the top
    p.drawLine(QPointF(c.x(), c.y() - 7), QPointF(c.x(), c.y() - 1));
    if (hasFocus()) {
        p.setPen(QPen(QColor(0x2D, 0x8C, 0xFF), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(rect().adjusted(1, 1, -1, -1), 4, 4);
    }
}
