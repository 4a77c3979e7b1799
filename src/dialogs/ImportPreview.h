#pragma once
// What an import or a restore would do, before it does it: the files that
// are new, replaced or removed and the hotkeys that change, for either mode.

#include <QDialog>

#include "backup/Apply.h"

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

class ImportPreview : public QDialog {
    Q_OBJECT
public:
    // `exeDir` is the program folder the archive would go into.
    ImportPreview(const std::string& exeDir, backup::Archive archive, const QString& source, QWidget* parent = nullptr);

    backup::Mode Mode() const { return mode_; }
    void SetMode(backup::Mode mode);
    const backup::Plan& Plan() const { return plan_; }
    QStringList Changes() const;   // the lines of the file list
    QStringList Hotkeys() const;   // the lines of the hotkey list

private:
    void Refresh();

    std::string exeDir_;
    backup::Archive archive_;
    backup::Mode mode_ = backup::Mode::Merge;
    backup::Plan plan_;
    QRadioButton* merge_ = nullptr;
    QRadioButton* replace_ = nullptr;
    QListWidget* changes_ = nullptr;
    QListWidget* hotkeys_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* apply_ = nullptr;
};

// The snapshots of the program folder, newest first; the chosen one's path,
// or "" when cancelled.
QString ChooseSnapshot(const std::string& exeDir, QWidget* parent);
