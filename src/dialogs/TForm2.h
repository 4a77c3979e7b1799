#pragma once
// The rank dialog: an editable list of the 13 ranks. It keeps its text between
// openings and never reads the stored rank.

#include <QDialog>

class QComboBox;
class QPushButton;
struct SharedState;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(SharedState& state, QWidget* parent = nullptr);

    void Button1Click();  // OK

private:
    SharedState& state_;
    QComboBox* comboBox1_;
    QPushButton* button1_;
};
