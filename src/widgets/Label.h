#pragma once
// A label that reports the mouse like the window framework's labels do, so
// handlers read as "Label19Click", "Key37MouseDown", and so on. It also
// carries the two free-text slots some controls use: a hint and a help keyword.

#include <QLabel>

class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr, const QString& name = {});
    Label(const QString& text, QWidget* parent, const QString& name);

    // Sets the caption; an auto-sized label then fits its text again.
    void setText(const QString& text);
    // Sizes the label to its text from now on, as the framework's labels do
    // by default: only the text itself is the click target.
    void SetAutoSize(bool on);

    const QString& Hint() const { return hint_; }
    void SetHint(const QString& hint) { hint_ = hint; }
    const QString& HelpKeyword() const { return helpKeyword_; }
    void SetHelpKeyword(const QString& keyword) { helpKeyword_ = keyword; }

    void SetFontColor(const QColor& color);
    QColor FontColor() const;

signals:
    void MouseEnter();
    void MouseLeave();
    void MouseDown(Qt::MouseButton button);
    void MouseUp(Qt::MouseButton button);
    void Click();
    void DblClick();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QString hint_;
    QString helpKeyword_;
    bool pressedInside_ = false;
    bool autoSize_ = false;
};

// A caption at `at`, sized to its text, in the given font and colour.
Label* AddTextLabel(QWidget* parent, const QString& name, const QString& text, QPoint at, const QFont& font,
                    const QColor& color);

// A key button: the keyboard pictogram stretched over `bounds`, hand cursor.
Label* AddKeyButton(QWidget* parent, const QString& name, const QRect& bounds);
