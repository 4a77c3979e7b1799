#pragma once
// The safety net: a snapshot of the whole setup at each start, and export,
// import and restore of setups for the player (tray menu and the header's
// "Копии настроек" menu).

#include <QObject>
#include <QString>
#include <memory>
#include <thread>

class QAction;
class QWidget;
class Session;
namespace backup {
struct Archive;
}

class SetupTransfer : public QObject {
    Q_OBJECT
public:
    SetupTransfer(Session& session, QWidget* window);
    ~SetupTransfer() override;  // waits for a snapshot still being written

    QAction* ExportAction() const { return export_; }
    QAction* ImportAction() const { return import_; }
    QAction* RestoreAction() const { return restore_; }

    // Reads the setup now (before anything writes to it) and packs and
    // writes the snapshot on a worker thread.
    void StartSnapshot();
    void WaitForSnapshot();

    void Export();
    void Import();
    void Restore();
    // Previews `archive` and applies it in the mode the player picks, after
    // a snapshot of the setup as it is. True when applied.
    bool Offer(backup::Archive archive, const QString& source);

private:
    Session& session_;
    QWidget* window_;
    QAction* export_;
    QAction* import_;
    QAction* restore_;
    std::thread snapshot_;
};
