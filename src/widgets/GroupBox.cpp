#include "widgets/GroupBox.h"

#include <QPainter>

#include "widgets/Look.h"

namespace {

const QColor kFrame(0x4A, 0x53, 0x60);

}  // namespace

GroupBox::GroupBox(const QString& title, QWidget* parent, const QString& name) : QGroupBox(title, parent)
{
    setObjectName(name);
    setFont(look::SansSerif());
}

void GroupBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics(font());
    const int titleTop = 0;
    const int frameTop = titleTop + metrics.height() / 2;
    p.setPen(QPen(kFrame, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(0.5, frameTop + 0.5, width() - 1, height() - frameTop - 1), 3, 3);

    // The caption interrupts the top edge.
    const QRect caption(8, titleTop, metrics.horizontalAdvance(title()) + 6, metrics.height());
    p.fillRect(caption, palette().color(QPalette::Window));
    p.setPen(look::kTitle);
    p.drawText(caption, Qt::AlignCenter, title());
}
