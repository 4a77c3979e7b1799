#include "widgets/HookSwitch.h"

#include <QPainter>

#include "widgets/Look.h"

namespace {

const QColor kTrackOn(0x1F, 0xA6, 0xB8);
const QColor kTrackOff(0x4A, 0x52, 0x5E);
const QColor kRim(0x0C, 0x0F, 0x13);

}  // namespace

HookSwitch::HookSwitch(QWidget* parent, const QString& name) : QAbstractButton(parent)
{
    if (!name.isEmpty()) setObjectName(name);
    setCheckable(true);
    setChecked(true);
    setText(QStringLiteral("Hook"));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setFont(look::SansSerif(13, true));
}

// Caption on the left; at the right a track with a round knob, lit and to the
// right when on, grey and to the left when off.
void HookSwitch::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool on = isChecked();
    const QRectF track(width() - 48, (height() - 20) / 2.0, 44, 20);

    p.setFont(font());
    p.setPen(look::kClWindow);
    p.drawText(QRectF(2, 0, track.left() - 4, height()), Qt::AlignLeft | Qt::AlignVCenter, text());

    p.setPen(QPen(kRim, 1.5));
    p.setBrush(on ? kTrackOn : kTrackOff);
    p.drawRoundedRect(track, 10, 10);
    p.setPen(QPen(QColor(255, 255, 255, on ? 230 : 110), 1.2));
    p.setFont(look::SansSerif(9, true));
    p.drawText(on ? track.adjusted(6, 0, -22, 0) : track.adjusted(22, 0, -5, 0), Qt::AlignCenter,
               on ? QStringLiteral("I") : QStringLiteral("O"));

    const qreal d = 16;
    const QRectF knob(on ? track.right() - d - 2 : track.left() + 2, track.top() + 2, d, d);
    QRadialGradient shine(knob.center() - QPointF(2, 3), d);
    shine.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    shine.setColorAt(1, QColor(0xB9, 0xC1, 0xCB));
    p.setPen(QPen(kRim, 1));
    p.setBrush(shine);
    p.drawEllipse(knob);
    if (hasFocus()) {
        p.setPen(QPen(QColor(0x2D, 0x8C, 0xFF), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    }
}
