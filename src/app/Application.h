#pragma once
// One run of the panel: the session, the companion's monitor and the eight windows,
// created hidden in their fixed order and kept until the run ends. It wires
// the news the windows send each other. The run ends when the splash window
// closes, which closing the main window does.

#include <QList>
#include <QObject>
#include <memory>
#include <string>

#include "mainwindow/Dialogs.h"

class QWidget;
class CompanionMonitor;
class Session;
class SyncHandshake;
class SplashWindow;
class MainWindow;
class EmptyWindow;

class Application : public QObject {
    Q_OBJECT
public:
    // exeDir: the program folder, with its trailing separator. Opens the
    // session and makes the splash window, the first of the windows.
    explicit Application(std::string exeDir);
    ~Application() override;

    // Shows the splash; the other windows are made as soon as it is on
    // screen, long before its ticks hand over to the main window.
    void Start();
    // Makes the windows after the splash, in their order (once).
    void BuildWindows();

    Session& GetSession() { return *session_; }
    SyncHandshake& Sync();
    CompanionMonitor* Companion() const { return companion_.get(); }
    SplashWindow* Splash() const { return splash_; }
    MainWindow* Main() const { return main_; }
    const Dialogs& GetDialogs() const { return dialogs_; }
    // Every window made so far, in the order of its making.
    const QList<QWidget*>& Windows() const { return windows_; }
    bool Ended() const { return ended_; }

signals:
    void windowsBuilt();
    void runEnded();

private:
    template <class Window, class... Args>
    Window* Make(Args&&... args);

    std::unique_ptr<Session> session_;
    std::unique_ptr<CompanionMonitor> companion_;
    QList<QWidget*> windows_;
    SplashWindow* splash_ = nullptr;
    MainWindow* main_ = nullptr;
    Dialogs dialogs_;
    EmptyWindow* empty_ = nullptr;
    bool ended_ = false;
};
