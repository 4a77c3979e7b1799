#pragma once
// The picker's "Запись с клавиатуры" toggle: a pill with a record light,
// dark when off and lit red while key presses select keys.

#include <QAbstractButton>

class RecordSwitch : public QAbstractButton {
    Q_OBJECT
public:
    explicit RecordSwitch(QWidget* parent = nullptr, const QString& name = {});

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
