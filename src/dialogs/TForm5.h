#pragma once
// The call-sign dialog.

#include <QDialog>

struct SharedState;

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(SharedState& state, QWidget* parent = nullptr);

private:
    SharedState& state_;
};
