#pragma once
// The rank dialog.

#include <QDialog>

struct SharedState;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(SharedState& state, QWidget* parent = nullptr);

private:
    SharedState& state_;
};
