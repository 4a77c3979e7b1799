#pragma once
// The large text editor.

#include <QDialog>

struct SharedState;

class TForm8 : public QDialog {
    Q_OBJECT
public:
    explicit TForm8(SharedState& state, QWidget* parent = nullptr);

private:
    SharedState& state_;
};
