#include "widgets/KeyShape.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

const QColor kDesignHatch(0xFF, 0x00, 0x00);
const QColor kSelectedHatch(0x00, 0xFF, 0xFF);
const QColor kOutline(0x0C, 0x0F, 0x13);
const QColor kUsedMark(0xF2, 0xA6, 0x3B);
constexpr qreal kUsedMarkSize = 7;
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

void KeyShape::SetUsedBy(const QString& holders)
{
    if (holders == usedBy_) return;
    usedBy_ = holders;
    setToolTip(holders.isEmpty() ? hint_ : hint_ + QStringLiteral("\nУже назначена: ") + holders);
    update();
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
    if (IsUsed()) {
        // A small folded corner at the top right, clear of the legend and
        // of the hatches, which fill the whole key.
        const QRectF box = QRectF(Area().boundingRect()).adjusted(2.5, 2.5, -2.5, -2.5);
        const QPointF corner = box.topRight();
        const QPointF pts[] = {corner, corner - QPointF(kUsedMarkSize, 0), corner + QPointF(0, kUsedMarkSize)};
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(kUsedMark);
        p.drawPolygon(pts, 3);
    }
}

// Any button, as the picker's handler wants; a double click arrives here
// twice, as two presses.
void KeyShape::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit MouseDown(event->button());
}
