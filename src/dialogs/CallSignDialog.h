#pragma once
// The call-sign dialog: call sign, and an extra tag behind a check box. It
// reads the store on every show; OK stores both, tells the home page and asks
// the companion to reload.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class Session;
class SyncHandshake;

class CallSignDialog : public QDialog {
    Q_OBJECT
public:
    CallSignDialog(Session& session, SyncHandshake& sync, QWidget* parent = nullptr);

    void ReadStored();      // at every show
    void StoreCallSign();   // Button1 "ОК"

signals:
    void callSignStored();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Session& session_;
    SyncHandshake& sync_;
    QLineEdit* edit1_;
    QCheckBox* checkBox1_;
    QLineEdit* edit2_;
    QPushButton* button1_;
};
