#pragma once
// A clickable shape over a key of a picture. Its brush is its state: clear
// lets the picture show through, a hatch marks it. The framework's shape is
// the model, including its edge rule: a shape without an outline fills its
// interior only, one pixel short of its right and bottom edge, so shapes
// that touch never share a pixel.

#include <QWidget>

class KeyShape : public QWidget {
    Q_OBJECT
public:
    enum class Brush {
        Design,    // red backward-diagonal hatch, until the first reset
        Clear,
        Selected,  // cyan forward-diagonal hatch
    };
    enum class Form {
        OutlinedRound,  // rounded rectangle with a thin outline
        Plain,          // rectangle, no outline
        Round,          // rounded rectangle, no outline
    };

    KeyShape(QWidget* parent, const QString& name, const QRect& geometry, Form form, const QString& hint);

    Brush CurrentBrush() const { return brush_; }
    void SetBrush(Brush brush);
    const QString& Hint() const { return hint_; }
    // Marks the key as used by other hotkeys (a corner mark beside any
    // hatch) and names them under the hint; "" clears it.
    void SetUsedBy(const QString& holders);
    bool IsUsed() const { return !usedBy_.isEmpty(); }
    // The pixels it paints and takes presses on, in its own coordinates.
    QRegion Area() const;

signals:
    void MouseDown(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Form form_;
    Brush brush_ = Brush::Design;
    QString hint_;
    QString usedBy_;
};
