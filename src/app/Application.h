#pragma once
// One run of the panel: the shared state and the eight windows, created
// hidden in their fixed order and kept until the run ends. The run ends when
// the splash window closes, which the main window's close handler does.

#include <QObject>
#include <QStringList>
#include <memory>
#include <string>

#include "GuiGeneral/SharedState.h"

class Application : public QObject {
    Q_OBJECT
public:
    // exeDir: the program folder, with its trailing separator.
    explicit Application(std::string exeDir);
    ~Application() override;

    SharedState& State() { return *state_; }
    // Class names in the order the windows were created.
    const QStringList& CreationOrder() const { return creationOrder_; }
    // Shows the splash window; its ticks do the rest.
    void Start();
    bool Ended() const { return ended_; }

signals:
    void RunEnded();

private:
    template <class Form, class... Args>
    Form* Create(Args&&... args);

    std::unique_ptr<SharedState> state_;
    QStringList creationOrder_;
    bool ended_ = false;
};
