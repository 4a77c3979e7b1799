#pragma once
// A group box drawn in the panel's look: a thin rounded frame with its
// caption set into the top edge, whatever the platform's style draws.

#include <QGroupBox>

class GroupBox : public QGroupBox {
    Q_OBJECT
public:
    GroupBox(const QString& title, QWidget* parent, const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;
};
