#include "widgets/RecordSwitch.h"

#include <QPainter>

#include "widgets/Look.h"

namespace {

const QColor kPillOff(0x1B, 0x20, 0x26);
const QColor kPillOn(0x3A, 0x1D, 0x1D);
const QColor kRimOff(0x4A, 0x52, 0x5E);
const QColor kLightOff(0x5A, 0x62, 0x6E);
const QColor kLightOn(0xFF, 0x3B, 0x30);

}  // namespace

RecordSwitch::RecordSwitch(QWidget* parent, const QString& name) : QAbstractButton(parent)
{
    if (!name.isEmpty()) setObjectName(name);
    setCheckable(true);
    setText(QStringLiteral("Запись с клавиатуры"));
    setCursor(Qt::PointingHandCursor);
    // Keys typed while recording must reach the picker, not toggle this.
    setFocusPolicy(Qt::NoFocus);
    setFont(look::SansSerif(11, true));
    setToolTip(QStringLiteral("Нажимайте клавиши на клавиатуре, чтобы выбрать их"));
}

QSize RecordSwitch::sizeHint() const
{
    return {fontMetrics().horizontalAdvance(text()) + 34, 22};
}

void RecordSwitch::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool on = isChecked();
    const QRectF pill = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(on ? kLightOn : kRimOff, 1));
    p.setBrush(on ? kPillOn : kPillOff);
    p.drawRoundedRect(pill, pill.height() / 2, pill.height() / 2);

    const qreal d = 10;
    const QRectF light(pill.left() + 7, pill.center().y() - d / 2, d, d);
    if (on) {
        QRadialGradient glow(light.center(), d);
        glow.setColorAt(0, QColor(0xFF, 0x3B, 0x30, 150));
        glow.setColorAt(1, QColor(0xFF, 0x3B, 0x30, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(light.center(), d, d);
    }
    p.setPen(QPen(look::kWindow, 1));
    p.setBrush(on ? kLightOn : kLightOff);
    p.drawEllipse(light);

    p.setFont(font());
    p.setPen(on ? look::kClWindow : look::kClScrollBar);
    p.drawText(pill.adjusted(d + 13, 0, -8, 0), Qt::AlignLeft | Qt::AlignVCenter, text());
}
