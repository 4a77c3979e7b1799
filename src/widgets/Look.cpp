#include "widgets/Look.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "widgets/Label.h"

namespace look {

void InstallFontSubstitutes()
{
    const QStringList sans = {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                              QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("Segoe UI"), sans);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
}

QFont PixelFont(const QString& family, int pixels, bool bold)
{
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

QFont SegoeUi(int pixels, bool bold)
{
    return PixelFont(QStringLiteral("Segoe UI"), pixels, bold);
}

QFont SansSerif(int pixels, bool bold)
{
    return PixelFont(QStringLiteral("MS Sans Serif"), pixels, bold);
}

void SetBackground(QWidget* widget, const QColor& color)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, color);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

void CentreOnScreen(QWidget* window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

void SetTextColor(QWidget* widget, const QColor& color)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::Text, color);
    p.setColor(QPalette::ButtonText, color);
    widget->setPalette(p);
}

void MakeLink(Label* label)
{
    QObject::connect(label, &Label::MouseEnter, label, [label] { label->SetFontColor(kLinkHover); });
    QObject::connect(label, &Label::MouseLeave, label, [label] { label->SetFontColor(kLinkNormal); });
}

}  // namespace look
