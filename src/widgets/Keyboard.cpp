#include "widgets/Keyboard.h"

#include <QLinearGradient>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include "widgets/Look.h"

namespace keyboard {
namespace {

using K = CapKind;

// Ordinary keys are 37 wide on a 38-pixel pitch. The main block runs from
// x 11 to 577, the navigation block from 590, the numeric pad from 735.
constexpr Cap kCaps[] = {
    // Function row
    {"VK1B", "Esc", "", {11, 10, 37, 37}, K::Key},
    {"VK70", "F1", "", {76, 10, 37, 37}, K::Key},
    {"VK71", "F2", "", {114, 10, 37, 37}, K::Key},
    {"VK72", "F3", "", {152, 10, 37, 37}, K::Key},
    {"VK73", "F4", "", {190, 10, 37, 37}, K::Key},
    {"VK74", "F5", "", {251, 10, 37, 37}, K::Key},
    {"VK75", "F6", "", {289, 10, 37, 37}, K::Key},
    {"VK76", "F7", "", {327, 10, 37, 37}, K::Key},
    {"VK77", "F8", "", {365, 10, 37, 37}, K::Key},
    {"VK78", "F9", "", {426, 10, 37, 37}, K::Key},
    {"VK79", "F10", "", {464, 10, 37, 37}, K::Key},
    {"VK7A", "F11", "", {502, 10, 37, 37}, K::Key},
    {"VK7B", "F12", "", {540, 10, 37, 37}, K::Key},
    {"VK2A", "PrtSc", "", {590, 10, 37, 37}, K::Key},
    {"VK91", "Scroll\nLock", "", {628, 10, 37, 37}, K::Key},
    {"VK13", "Pause", "", {666, 9, 37, 38}, K::Key},
    // Digits row
    {"VKC0", "~\n`", "Ё", {11, 82, 37, 38}, K::Key},
    {"VK31", "!\n1", "", {49, 82, 37, 38}, K::Key},
    {"VK32", "@\n2", "", {87, 82, 37, 38}, K::Key},
    {"VK33", "#\n3", "", {125, 82, 37, 38}, K::Key},
    {"VK34", "$\n4", "", {163, 82, 37, 38}, K::Key},
    {"VK35", "%\n5", "", {201, 82, 37, 38}, K::Key},
    {"VK36", "^\n6", "", {239, 82, 37, 38}, K::Key},
    {"VK37", "&\n7", "", {277, 82, 37, 38}, K::Key},
    {"VK38", "*\n8", "", {315, 82, 37, 38}, K::Key},
    {"VK39", "(\n9", "", {353, 82, 37, 38}, K::Key},
    {"VK30", ")\n0", "", {391, 82, 37, 38}, K::Key},
    {"VKBD", "_\n-", "", {429, 82, 37, 38}, K::Key},
    {"VKBB", "+\n=", "", {467, 82, 37, 38}, K::Key},
    {"VK08", "Backspace", "", {506, 82, 71, 38}, K::Key},
    // Upper letter row
    {"VK09", "Tab", "", {11, 122, 54, 38}, K::Key},
    {"VK51", "Q", "Й", {67, 122, 37, 38}, K::Key},
    {"VK57", "W", "Ц", {105, 122, 37, 38}, K::Key},
    {"VK45", "E", "У", {143, 122, 37, 38}, K::Key},
    {"VK52", "R", "К", {181, 122, 37, 38}, K::Key},
    {"VK54", "T", "Е", {219, 122, 37, 38}, K::Key},
    {"VK59", "Y", "Н", {257, 122, 37, 38}, K::Key},
    {"VK55", "U", "Г", {295, 122, 37, 38}, K::Key},
    {"VK49", "I", "Ш", {333, 122, 37, 38}, K::Key},
    {"VK4F", "O", "Щ", {371, 122, 37, 38}, K::Key},
    {"VK50", "P", "З", {409, 122, 37, 38}, K::Key},
    {"VKDB", "{\n[", "Х", {447, 122, 37, 38}, K::Key},
    {"VKDD", "}\n]", "Ъ", {485, 122, 37, 38}, K::Key},
    {"VKDC", "|\n\\", "", {524, 122, 53, 38}, K::Key},
    // Home row
    {"VK14", "Caps Lock", "", {11, 161, 64, 38}, K::Key},
    {"VK41", "A", "Ф", {77, 161, 37, 38}, K::Key},
    {"VK53", "S", "Ы", {115, 161, 37, 38}, K::Key},
    {"VK44", "D", "В", {153, 161, 37, 38}, K::Key},
    {"VK46", "F", "А", {191, 161, 37, 38}, K::Key},
    {"VK47", "G", "П", {229, 161, 37, 38}, K::Key},
    {"VK48", "H", "Р", {267, 161, 37, 38}, K::Key},
    {"VK4A", "J", "О", {305, 161, 37, 38}, K::Key},
    {"VK4B", "K", "Л", {343, 161, 37, 38}, K::Key},
    {"VK4C", "L", "Д", {381, 161, 37, 38}, K::Key},
    {"VKBA", ":\n;", "Ж", {419, 161, 37, 38}, K::Key},
    {"VKDE", "\"\n'", "Э", {457, 161, 37, 38}, K::Key},
    {"VK0D", "Enter", "", {496, 161, 81, 38}, K::Key},
    // Lower letter row
    {"VK10", "Shift", "", {11, 200, 91, 38}, K::Key},
    {"VK5A", "Z", "Я", {104, 201, 37, 37}, K::Key},
    {"VK58", "X", "Ч", {142, 201, 37, 37}, K::Key},
    {"VK43", "C", "С", {180, 201, 37, 37}, K::Key},
    {"VK56", "V", "М", {218, 201, 37, 37}, K::Key},
    {"VK42", "B", "И", {256, 201, 37, 37}, K::Key},
    {"VK4E", "N", "Т", {294, 201, 37, 37}, K::Key},
    {"VK4D", "M", "Ь", {332, 201, 37, 37}, K::Key},
    {"VKBC", "<\n,", "Б", {370, 201, 37, 37}, K::Key},
    {"VKBE", ">\n.", "Ю", {408, 201, 37, 37}, K::Key},
    {"VKBF", "?\n/", "", {446, 201, 37, 37}, K::Key},
    {"", "Shift", "", {485, 200, 92, 38}, K::DarkKey},
    // Bottom row
    {"VK11", "Ctrl", "", {11, 240, 55, 38}, K::Key},
    {"VK5B", "Win", "", {67, 240, 48, 38}, K::Key},
    {"VK12", "Alt", "", {117, 240, 47, 38}, K::Key},
    {"VK20", "", "", {166, 240, 207, 38}, K::Key},
    {"", "Alt", "", {375, 240, 47, 38}, K::DarkKey},
    {"VK5C", "Win", "", {424, 240, 47, 38}, K::Key},
    {"", "Menu", "", {473, 240, 47, 38}, K::DarkKey},
    {"", "Ctrl", "", {522, 240, 55, 38}, K::DarkKey},
    // Navigation block
    {"VK2D", "Insert", "", {590, 82, 37, 38}, K::Key},
    {"VK24", "Home", "", {628, 82, 37, 38}, K::Key},
    {"VK21", "Page\nUp", "", {666, 82, 37, 38}, K::Key},
    {"VK2E", "Delete", "", {590, 122, 37, 38}, K::Key},
    {"VK23", "End", "", {628, 122, 37, 38}, K::Key},
    {"VK22", "Page\nDown", "", {666, 122, 37, 38}, K::Key},
    {"VK26", "↑", "", {628, 201, 37, 37}, K::Key},
    {"VK25", "←", "", {590, 240, 37, 38}, K::Key},
    {"VK28", "↓", "", {628, 240, 37, 38}, K::Key},
    {"VK27", "→", "", {666, 240, 37, 38}, K::Key},
    // Numeric pad
    {"VK90", "Num\nLock", "", {735, 82, 37, 38}, K::Key},
    {"VK6F", "/", "", {773, 82, 37, 38}, K::Key},
    {"VK6A", "*", "", {811, 82, 37, 38}, K::Key},
    {"VK6D", "-", "", {849, 82, 36, 38}, K::Key},
    {"VK67", "7\nHome", "", {735, 122, 37, 38}, K::Key},
    {"VK68", "8\n↑", "", {773, 122, 37, 38}, K::Key},
    {"VK69", "9\nPgUp", "", {811, 122, 37, 38}, K::Key},
    {"VK6B", "+", "", {849, 122, 36, 77}, K::Key},
    {"VK64", "4\n←", "", {735, 161, 37, 38}, K::Key},
    {"VK65", "5", "", {773, 161, 37, 38}, K::Key},
    {"VK66", "6\n→", "", {811, 161, 37, 38}, K::Key},
    {"VK61", "1\nEnd", "", {735, 200, 37, 38}, K::Key},
    {"VK62", "2\n↓", "", {773, 200, 37, 38}, K::Key},
    {"VK63", "3\nPgDn", "", {811, 200, 37, 38}, K::Key},
    {"", "Enter", "", {849, 200, 36, 78}, K::DarkKey},
    {"VK60", "0\nIns", "", {735, 240, 74, 38}, K::Key},
    {"VK6E", ".\nDel", "", {811, 240, 37, 38}, K::Key},
    // Mouse
    {"VK01", "ЛКМ", "", {908, 45, 59, 105}, K::MouseButton},
    {"VK02", "ПКМ", "", {995, 43, 60, 108}, K::MouseButton},
    {"VK9F", "", "", {967, 64, 29, 20}, K::MouseWheel},
    {"VK04", "", "", {966, 83, 30, 28}, K::MouseWheel},
    {"VK9E", "", "", {967, 110, 28, 23}, K::MouseWheel},
};

const QRect kKeyboardBody(3, 2, 890, 284);
const QRect kMouseBody(901, 34, 157, 250);

const QColor kBodyTop(0x20, 0x26, 0x2E);
const QColor kBodyBottom(0x17, 0x1B, 0x21);
const QColor kRim(0x0C, 0x0F, 0x13);
const QColor kCapTop(0x55, 0x61, 0x70);
const QColor kCapBottom(0x3C, 0x46, 0x52);
const QColor kDarkTop(0x22, 0x27, 0x2E);
const QColor kDarkBottom(0x1C, 0x20, 0x26);
const QColor kLegend(0xEE, 0xF1, 0xF4);
const QColor kDarkLegend(0x5A, 0x63, 0x6E);
const QColor kLocal(0x8C, 0xC4, 0xF0);

QFont LegendFont(int pixels, bool bold = false)
{
    return look::PixelFont(QStringLiteral("Segoe UI"), pixels, bold);
}

void PaintBody(QPainter& p, const QPainterPath& outline)
{
    QLinearGradient fill(outline.boundingRect().topLeft(), outline.boundingRect().bottomLeft());
    fill.setColorAt(0, kBodyTop);
    fill.setColorAt(1, kBodyBottom);
    p.setPen(QPen(kRim, 2));
    p.setBrush(fill);
    p.drawPath(outline);
}

// A key cap: a rounded face with a lighter top edge, so rows read as keys.
void PaintCapFace(QPainter& p, const QRectF& r, bool dark)
{
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, dark ? kDarkTop : kCapTop);
    fill.setColorAt(1, dark ? kDarkBottom : kCapBottom);
    p.setPen(QPen(kRim, 1));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    if (!dark) {
        p.setPen(QPen(QColor(255, 255, 255, 40), 1));
        p.drawLine(QPointF(r.left() + 4, r.top() + 1.5), QPointF(r.right() - 4, r.top() + 1.5));
    }
}

void PaintLegend(QPainter& p, const Cap& cap, bool dark)
{
    const QString legend = QString::fromUtf8(cap.legend.data(), qsizetype(cap.legend.size()));
    const QRect inner = cap.rect.adjusted(4, 3, -4, -3);
    p.setPen(dark ? kDarkLegend : kLegend);
    if (const qsizetype split = legend.indexOf(QLatin1Char('\n')); split >= 0) {
        p.setFont(LegendFont(10, true));
        p.drawText(inner, Qt::AlignLeft | Qt::AlignTop, legend.left(split));
        p.drawText(inner, Qt::AlignLeft | Qt::AlignBottom, legend.mid(split + 1));
    } else if (legend.size() <= 3) {
        p.setFont(LegendFont(13, true));
        p.drawText(inner, Qt::AlignLeft | Qt::AlignTop, legend);
    } else {
        p.setFont(LegendFont(10, true));
        p.drawText(inner, Qt::AlignCenter | Qt::TextWordWrap, legend);
    }
    if (!cap.local.empty()) {
        p.setFont(LegendFont(11, true));
        p.setPen(kLocal);
        p.drawText(inner, Qt::AlignRight | Qt::AlignBottom,
                   QString::fromUtf8(cap.local.data(), qsizetype(cap.local.size())));
    }
}

void PaintLockLights(QPainter& p)
{
    const QRect panel(735, 10, 150, 37);
    p.setPen(QPen(kRim, 1));
    p.setBrush(QColor(0x12, 0x16, 0x1B));
    p.drawRoundedRect(QRectF(panel).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    const struct {
        QRect light;
        const char* name;
    } lights[] = {{kNumLockLight, "Num"}, {kCapsLockLight, "Caps"}, {kScrollLockLight, "Scroll"}};
    p.setFont(LegendFont(9));
    for (const auto& l : lights) {
        p.setPen(QPen(kRim, 1));
        p.setBrush(QColor(0x2E, 0x3A, 0x33));
        p.drawRect(QRectF(l.light).adjusted(-0.5, -0.5, 0.5, 0.5));
        p.setPen(kDarkLegend.lighter(150));
        p.drawText(QRect(l.light.left() - 6, l.light.bottom() + 4, l.light.width() + 12, 14), Qt::AlignCenter,
                   QString::fromLatin1(l.name));
    }
}

QPainterPath MouseOutline()
{
    // Tight shoulders where the buttons sit, a broad round palm below.
    const QRectF r(kMouseBody);
    const qreal top = 14;
    const qreal bottom = 62;
    QPainterPath path;
    path.moveTo(r.left(), r.top() + top);
    path.arcTo(QRectF(r.left(), r.top(), 2 * top, 2 * top), 180, -90);
    path.lineTo(r.right() - top, r.top());
    path.arcTo(QRectF(r.right() - 2 * top, r.top(), 2 * top, 2 * top), 90, -90);
    path.lineTo(r.right(), r.bottom() - bottom);
    path.arcTo(QRectF(r.right() - 2 * bottom, r.bottom() - 2 * bottom, 2 * bottom, 2 * bottom), 0, -90);
    path.lineTo(r.left() + bottom, r.bottom());
    path.arcTo(QRectF(r.left(), r.bottom() - 2 * bottom, 2 * bottom, 2 * bottom), 270, -90);
    path.closeSubpath();
    return path;
}

void PaintMouseButton(QPainter& p, const Cap& cap)
{
    const QRectF r = QRectF(cap.rect).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, kCapTop);
    fill.setColorAt(1, kCapBottom);
    p.setPen(QPen(kRim, 1));
    p.setBrush(fill);
    p.drawRect(r);
    p.setPen(kLegend);
    p.setFont(LegendFont(13, true));
    p.drawText(cap.rect, Qt::AlignCenter, QString::fromUtf8(cap.legend.data(), qsizetype(cap.legend.size())));
}

// The wheel well between the buttons: a rocker pad with an arrow above and
// below the wheel itself, each filling the shape that lies over it.
void PaintWheel(QPainter& p)
{
    const Cap* up = FindCap("VK9F");
    const Cap* middle = FindCap("VK04");
    const Cap* down = FindCap("VK9E");
    const QRect well = up->rect.united(middle->rect).united(down->rect).adjusted(-1, -2, 1, 2);
    p.setPen(QPen(kRim, 1));
    p.setBrush(QColor(0x14, 0x18, 0x1D));
    p.drawRoundedRect(QRectF(well).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);

    const auto pad = [&](const QRect& r, bool pointsUp) {
        const QRectF face = QRectF(r).adjusted(1, 1, -2, -2);
        QLinearGradient fill(face.topLeft(), face.bottomLeft());
        fill.setColorAt(0, kCapTop);
        fill.setColorAt(1, kCapBottom);
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRoundedRect(face, 4, 4);
        const QPointF c = face.center();
        const qreal d = pointsUp ? -4 : 4;
        const QPointF tri[] = {{c.x() - 5, c.y() - d / 2}, {c.x() + 5, c.y() - d / 2}, {c.x(), c.y() + d}};
        p.setBrush(kLegend);
        p.drawPolygon(tri, 3);
    };
    pad(up->rect, true);
    pad(down->rect, false);

    const QRectF wheel = QRectF(middle->rect).adjusted(1, 1, -2, -2);
    QLinearGradient fill(wheel.topLeft(), wheel.topRight());
    fill.setColorAt(0, kCapBottom);
    fill.setColorAt(0.5, kCapTop.lighter(120));
    fill.setColorAt(1, kCapBottom);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(wheel, 5, 5);
    p.setPen(QPen(kCapBottom.darker(125), 1));
    for (qreal y = wheel.top() + 4.5; y < wheel.bottom() - 3; y += 4)
        p.drawLine(QPointF(wheel.left() + 3, y), QPointF(wheel.right() - 3, y));
}

QPixmap PaintPicture()
{
    // At the screen's own pixels, so a scaled panel shows sharp caps.
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pm((QSizeF(kPictureSize) * ratio).toSize());
    pm.setDevicePixelRatio(ratio);
    pm.fill(look::kWindow);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QPainterPath keyboardOutline;
    keyboardOutline.addRoundedRect(QRectF(kKeyboardBody), 10, 10);
    PaintBody(p, keyboardOutline);
    PaintBody(p, MouseOutline());
    PaintLockLights(p);

    for (const Cap& cap : kCaps) {
        switch (cap.kind) {
        case K::Key:
        case K::DarkKey: {
            const bool dark = cap.kind == K::DarkKey;
            PaintCapFace(p, cap.rect, dark);
            PaintLegend(p, cap, dark);
            break;
        }
        case K::MouseButton:
            PaintMouseButton(p, cap);
            break;
        case K::MouseWheel:
            break;  // painted together below
        }
    }
    PaintWheel(p);
    return pm;
}

}  // namespace

std::span<const Cap> Caps()
{
    return kCaps;
}

const Cap* FindCap(std::string_view token)
{
    if (token.empty()) return nullptr;
    for (const Cap& cap : kCaps) {
        if (cap.token == token) return &cap;
    }
    return nullptr;
}

const QPixmap& Picture()
{
    static const QPixmap picture = PaintPicture();
    return picture;
}

}  // namespace keyboard
