#pragma once
// The department dialog: three banners, a click on one hands its code to the
// store it was given and closes.

#include <QDialog>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class Label;

class DepartmentDialog : public QDialog {
    Q_OBJECT
public:
    explicit DepartmentDialog(QWidget* parent = nullptr);

    using Store = std::function<void(const QString& department)>;
    // Shows the dialog modally; the department chosen and stored, or nothing
    // when it was closed without a choice. A store that throws keeps it open.
    std::optional<QString> Ask(const Store& store);
    // A banner's click (Image1 SFPD, Image2 LVPD, Image3 LSPD).
    void Choose(const char* department);

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::vector<std::pair<Label*, QString>> banners_;  // each banner and its picture
    Store store_;
    std::optional<QString> stored_;
};
