#pragma once
// A plain panel that keeps mouse presses to itself, so a click on it never
// reaches the window behind (which drags itself on presses it receives).

#include <QWidget>

class Panel : public QWidget {
    Q_OBJECT
public:
    explicit Panel(QWidget* parent = nullptr, const QString& name = {});

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
