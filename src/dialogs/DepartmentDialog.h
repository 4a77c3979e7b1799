#pragma once
// The department dialog: three banners, a click on one stores its code.
// Every close, with a choice or without, asks the companion to reload.

#include <QDialog>
#include <utility>
#include <vector>

class Label;
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

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::vector<std::pair<Label*, QString>> banners_;  // each banner and its picture
    Session& session_;
    SyncHandshake& sync_;
};
