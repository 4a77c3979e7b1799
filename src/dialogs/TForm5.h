#pragma once
// The call-sign dialog: call sign, and an extra tag behind a check box. It
// reads the store on every show; OK stores both and refreshes the home page.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
struct SharedState;

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(SharedState& state, QWidget* parent = nullptr);

    void FormShow();
    void CheckBox1Click();
    void Button1Click();  // ОК

protected:
    void showEvent(QShowEvent* event) override;

private:
    SharedState& state_;
    QLineEdit* edit1_;
    QCheckBox* checkBox1_;
    QLineEdit* edit2_;
    QPushButton* button1_;
};
