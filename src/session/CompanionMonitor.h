#pragma once
// The companion beside the panel: starting it once a run, the status poll
// that tells whether it runs, and stopping it. Each asks the process list by
// its own rule, named here for what it is.

#include <QObject>
#include <optional>
#include <string>

#include "companion/Processes.h"

class QTimer;

class CompanionMonitor : public QObject {
    Q_OBJECT
public:
    // exeDir: the program folder, with its trailing separator. The poll runs
    // from now on, every 200 ms, hidden window or not.
    explicit CompanionMonitor(std::string exeDir, QObject* parent = nullptr);

    // Starts exe dir + Quorvel.exe with -startscript40, unless a companion
    // runs already: two binders would type every text twice.
    void Launch();
    // Stops every companion on the machine (the kill switch, the close).
    void Stop();
    // Stops the companion when the status says one runs.
    void StopIfRunning();

    // One tick of the poll (tests call it directly); running() after a change.
    void Poll();
    // What the poll last saw; nothing before its first tick.
    std::optional<bool> Running() const { return running_; }
    int LaunchAttempts() const { return launchAttempts_; }
    QTimer* Timer() const { return timer_; }

signals:
    void runningChanged(bool running);

private:
    // The status: a process whose file name begins with "Quorvel.exe".
    bool StatusSaysRunning();
    // The launch: a process named exactly "Quorvel.exe" is the one to keep.
    static bool OneIsRunning();

    const std::string exeDir_;
    companion::ProcessWatch status_;
    QTimer* timer_;
    std::optional<bool> running_;
    int launchAttempts_ = 0;
};
