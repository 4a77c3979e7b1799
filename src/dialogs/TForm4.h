#pragma once
// The department dialog: three banners, a click on one stores its code.
// Every close, with a choice or without, asks the companion to reload.

#include <QDialog>

class Label;
struct SharedState;

class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(SharedState& state, QWidget* parent = nullptr);

    void Image1Click();  // SFPD
    void Image2Click();  // LVPD
    void Image3Click();  // LSPD
    void FormClose();

private:
    void Choose(const char* department);

    SharedState& state_;
};
