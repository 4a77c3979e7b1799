#include "widgets/Label.h"

#include <QMouseEvent>

#include "widgets/Artwork.h"

Label::Label(QWidget* parent, const QString& name) : QLabel(parent)
{
    if (!name.isEmpty()) setObjectName(name);
}

Label::Label(const QString& text, QWidget* parent, const QString& name) : Label(parent, name)
{
    setText(text);
}

void Label::setText(const QString& text)
{
    QLabel::setText(text);
    if (autoSize_) adjustSize();
}

void Label::SetAutoSize(bool on)
{
    autoSize_ = on;
    if (on) adjustSize();
}

void Label::SetFontColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

QColor Label::FontColor() const
{
    return palette().color(QPalette::WindowText);
}

void Label::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    emit MouseEnter();
}

void Label::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    emit MouseLeave();
}

// Presses are taken here and never travel on to the window, which would
// otherwise start dragging itself.
void Label::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    pressedInside_ = true;
    emit MouseDown(event->button());
}

void Label::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    const bool click = pressedInside_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressedInside_ = false;
    emit MouseUp(event->button());
    if (click) emit Click();
}

void Label::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    emit DblClick();
}

Label* AddTextLabel(QWidget* parent, const QString& name, const QString& text, QPoint at, const QFont& font,
                    const QColor& color)
{
    auto* label = new Label(text, parent, name);
    label->setFont(font);
    label->SetFontColor(color);
    label->move(at);
    label->SetAutoSize(true);
    return label;
}

Label* AddKeyButton(QWidget* parent, const QString& name, const QRect& bounds)
{
    auto* image = new Label(parent, name);
    image->setGeometry(bounds);
    image->setScaledContents(true);
    image->setPixmap(artwork::KeyButtonPicture());
    image->setCursor(Qt::PointingHandCursor);
    return image;
}
