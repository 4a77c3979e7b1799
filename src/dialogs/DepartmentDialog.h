#pragma once
// The department dialog: three banners, a click on one stores its code.
// Every close, with a choice or without, asks the companion to reload.

#include <QDialog>

class Session;
class SyncHandshake;

class DepartmentDialog : public QDialog {
    Q_OBJECT
public:
    DepartmentDialog(Session& session, SyncHandshake& sync, QWidget* parent = nullptr);

    // A banner's click (Image1 SFPD, Image2 LVPD, Image3 LSPD).
    void Choose(const char* department);

signals:
    void departmentStored(const QString& department);

private:
    Session& session_;
    SyncHandshake& sync_;
};
