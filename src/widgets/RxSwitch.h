#pragma once
// A two-position switch drawn with one picture for off and one for on. A
// mouse click flips it and then runs its click action; Space flips only the
// picture, as the framework's switch does.

#include <QAbstractButton>

class RxSwitch : public QAbstractButton {
    Q_OBJECT
public:
    explicit RxSwitch(QWidget* parent = nullptr, const QString& name = {});

    bool IsOn() const { return isChecked(); }

    QSize sizeHint() const override { return {50, 60}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
};
