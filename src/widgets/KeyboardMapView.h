#pragma once
// The keyboard picture coloured by what each key does on the current server:
// free, the last key of one combination, or held by clashing combinations;
// the keys of the chosen filter (Alt, ПКМ, …) lit apart, the other keys held
// before a last key outlined. Hovering lists the holders; a click tells which
// key was clicked.

#include <QWidget>

#include "hotkeys/KeyboardMap.h"

class KeyboardMapView : public QWidget {
    Q_OBJECT
public:
    explicit KeyboardMapView(QWidget* parent = nullptr);

    void SetMap(hotkeys::KeyboardMap map);
    // The legend under the picture, as the map window shows it.
    void ShowLegend(bool on);
    const hotkeys::KeyboardMap& Map() const { return map_; }
    // The key of the picture under a point, or nullptr.
    const hotkeys::MapKey* KeyAt(const QPoint& at) const;
    // The tooltip of a key: each holder's caption and whole combination.
    static QString Describe(const hotkeys::MapKey& key);
    // Paints the map (and the legend under it when `legend`) into `painter`.
    void Paint(QPainter& painter, bool legend) const;
    // The map with its legend, for printing: 2 image pixels to a layout pixel.
    QImage Printable() const;

    static const QColor kUsed;
    static const QColor kClash;
    static const QColor kHeld;
    static constexpr int kLegendHeight = 28;

signals:
    void keyClicked(const QString& token);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    hotkeys::KeyboardMap map_;
    bool legend_ = false;
};
