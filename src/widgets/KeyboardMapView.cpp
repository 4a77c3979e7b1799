#include "widgets/KeyboardMapView.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

#include "guibase/QtText.h"
#include "widgets/Keyboard.h"
#include "widgets/Look.h"

const QColor KeyboardMapView::kUsed(0x2D, 0x8C, 0xFF);
const QColor KeyboardMapView::kClash = look::kAlert;  // the conflict marks' colour
const QColor KeyboardMapView::kHeld(0xF2, 0xA6, 0x3B);

namespace {

using hotkeys::KeyUse;

bool IsFilterKey(const hotkeys::KeyboardMap& map, const std::string& token)
{
    const auto& keys = map.Filter().Keys();
    return std::find(keys.begin(), keys.end(), token) != keys.end();
}

}  // namespace

KeyboardMapView::KeyboardMapView(QWidget* parent)
    : QWidget(parent), map_(hotkeys::ConflictMap({}, {}))
{
    setObjectName(QStringLiteral("KeyboardMap"));
    setFixedSize(keyboard::kPictureSize);
    setMouseTracking(true);
}

void KeyboardMapView::SetMap(hotkeys::KeyboardMap map)
{
    map_ = std::move(map);
    update();
}

void KeyboardMapView::ShowLegend(bool on)
{
    legend_ = on;
    setFixedSize(keyboard::kPictureSize + QSize(0, on ? kLegendHeight + 6 : 0));
    update();
}

const hotkeys::MapKey* KeyboardMapView::KeyAt(const QPoint& at) const
{
    for (const keyboard::Cap& cap : keyboard::Caps())
        if (!cap.token.empty() && cap.rect.contains(at)) return map_.Find(cap.token);
    return nullptr;
}

QString KeyboardMapView::Describe(const hotkeys::MapKey& key)
{
    QStringList lines;
    if (key.holders.empty()) lines << QStringLiteral("%1: свободна").arg(ToQString(key.caption));
    for (const hotkeys::KeyHolder& h : key.holders)
        lines << QStringLiteral("%1 — %2%3")
                     .arg(ToQString(h.combination), ToQString(h.name),
                          h.clash ? QStringLiteral(" (совпадает с другой)") : QString());
    if (!key.system.empty())
        lines << QStringLiteral("%1 перехватывает система").arg(ToQString(key.system));
    return lines.join(u'\n');
}

void KeyboardMapView::Paint(QPainter& p, bool legend) const
{
    p.drawPixmap(QPoint(0, 0), keyboard::Picture());
    p.setRenderHint(QPainter::Antialiasing);
    for (const keyboard::Cap& cap : keyboard::Caps()) {
        if (cap.token.empty()) continue;
        const hotkeys::MapKey* key = map_.Find(cap.token);
        const QRectF face = QRectF(cap.rect).adjusted(2, 2, -2, -2);
        if (IsFilterKey(map_, std::string(cap.token))) {
            // The keys the filter holds: lit, whatever else they do.
            QColor held = kHeld;
            held.setAlpha(150);
            p.setPen(Qt::NoPen);
            p.setBrush(held);
            p.drawRoundedRect(face, 4, 4);
            continue;
        }
        if (key == nullptr) continue;
        if (key->use != KeyUse::Free) {
            QColor fill = key->use == KeyUse::Clash ? kClash : kUsed;
            fill.setAlpha(key->use == KeyUse::Clash ? 170 : 120);
            p.setPen(Qt::NoPen);
            p.setBrush(fill);
            p.drawRoundedRect(face, 4, 4);
        }
        // Keys held before a last key (modifiers, mouse buttons) are shown
        // apart: an outline, not a fill.
        if (key->group != hotkeys::KeyGroup::Ordinary) {
            p.setPen(QPen(kHeld, 1.5, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(face.adjusted(1, 1, -1, -1), 4, 4);
        }
    }
    if (!legend) return;

    // The legend, in one row under the picture.
    const int top = keyboard::kPictureSize.height() + 6;
    p.fillRect(QRect(0, keyboard::kPictureSize.height(), keyboard::kPictureSize.width(), kLegendHeight + 6), look::kWindow);
    QFont font = look::SegoeUi(12, true);
    p.setFont(font);
    int x = 12;
    const auto item = [&](const QColor& fill, bool outline, const QString& text) {
        const QRectF swatch(x, top + 4, 18, 14);
        p.setPen(outline ? QPen(kHeld, 1.5, Qt::DashLine) : QPen(Qt::NoPen));
        p.setBrush(outline ? QBrush(Qt::NoBrush) : QBrush(fill));
        p.drawRoundedRect(swatch, 3, 3);
        p.setPen(look::kTitle);
        const QRect text_rect(x + 24, top, 400, 22);
        p.drawText(text_rect, Qt::AlignLeft | Qt::AlignVCenter, text);
        x += 24 + p.fontMetrics().horizontalAdvance(text) + 22;
    };
    QColor used = kUsed;
    used.setAlpha(120);
    QColor clash = kClash;
    clash.setAlpha(170);
    QColor held = kHeld;
    held.setAlpha(150);
    item(look::kField, false, QStringLiteral("свободна"));
    item(used, false, QStringLiteral("занята"));
    item(clash, false, QStringLiteral("совпадают комбинации"));
    item(held, false, map_.Filter().Keys().empty() ? QStringLiteral("удерживаемые: не выбраны")
                                                   : QStringLiteral("удерживаются: ") + ToQString(map_.Filter().Caption()));
    item(QColor(), true, QStringLiteral("клавиши-модификаторы и кнопки мыши"));
}

QImage KeyboardMapView::Printable() const
{
    const QSize size(keyboard::kPictureSize.width(), keyboard::kPictureSize.height() + kLegendHeight + 6);
    QImage image(size * 2, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    image.fill(look::kWindow);
    QPainter p(&image);
    Paint(p, true);
    return image;
}

void KeyboardMapView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    Paint(p, legend_);
}

bool KeyboardMapView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (const hotkeys::MapKey* key = KeyAt(help->pos())) QToolTip::showText(help->globalPos(), Describe(*key), this);
        else QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void KeyboardMapView::mousePressEvent(QMouseEvent* event)
{
    if (const hotkeys::MapKey* key = KeyAt(event->position().toPoint())) emit keyClicked(ToQString(key->token));
}
