#include "widgets/KeyShape.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

const QColor kDesignHatch(0xFF, 0x00, 0x00);
const QColor kSelectedHatch(0x00, 0xFF, 0xFF);
const QColor kOutline(0x0C, 0x0F, 0x13);
constexpr qreal kRadius = 5;

}  // namespace

KeyShape::KeyShape(QWidget* parent, const QString& name, const QRect& geometry, Form form, const QString& hint)
    : QWidget(parent), form_(form), hint_(hint)
{
    setObjectName(name);
    setGeometry(geometry);
    setToolTip(hint);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_TranslucentBackground);
    if (form_ != Form::OutlinedRound) setMask(Area());
}

QRegion KeyShape::Area() const
{
    if (form_ == Form::OutlinedRound) return QRegion(rect());
    return QRegion(0, 0, width() - 1, height() - 1);
}

void KeyShape::SetBrush(Brush brush)
{
    if (brush == brush_) return;
    brush_ = brush;
    update();
}

void KeyShape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QBrush fill(Qt::NoBrush);
    if (brush_ == Brush::Design) fill = QBrush(kDesignHatch, Qt::BDiagPattern);
    if (brush_ == Brush::Selected) fill = QBrush(kSelectedHatch, Qt::FDiagPattern);
    p.setBrush(fill);
    switch (form_) {
    case Form::OutlinedRound:
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kOutline, 1));
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
        break;
    case Form::Plain:
        p.setPen(Qt::NoPen);
        p.drawRect(Area().boundingRect());
        break;
    case Form::Round:
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(Area().boundingRect()), kRadius, kRadius);
        break;
    }
}

// Any button, as the picker's handler wants; a double click arrives here
// twice, as two presses.
void KeyShape::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit MouseDown(event->button());
}
