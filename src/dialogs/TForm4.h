#pragma once
// The department dialog.

#include <QDialog>

struct SharedState;

class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(SharedState& state, QWidget* parent = nullptr);

private:
    SharedState& state_;
};
