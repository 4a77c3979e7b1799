#include "session/CompanionMonitor.h"

#include <QTimer>

#include "companion/Contract.h"
#include "companion/Launch.h"

using companion::kCompanionExe;

CompanionMonitor::CompanionMonitor(std::string exeDir, QObject* parent)
    : QObject(parent), exeDir_(std::move(exeDir)), status_(std::string(kCompanionExe)), timer_(new QTimer(this))
{
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(200);
    connect(timer_, &QTimer::timeout, this, &CompanionMonitor::Poll);
    timer_->start();
}

bool CompanionMonitor::StatusSaysRunning()
{
    return status_.IsRunning();
}

bool CompanionMonitor::OneIsRunning()
{
    return companion::IsExactProcessRunning(kCompanionExe);
}

void CompanionMonitor::Launch()
{
    if (OneIsRunning()) return;
    ++launchAttempts_;
    companion::LaunchDetached(exeDir_ + std::string(kCompanionExe), std::string(companion::kStartParameter));
}

void CompanionMonitor::Stop()
{
    companion::KillProcessByName(kCompanionExe);
}

void CompanionMonitor::StopIfRunning()
{
    if (companion::IsProcessRunning(kCompanionExe)) Stop();
}

void CompanionMonitor::Poll()
{
    const bool running = StatusSaysRunning();
    // Five ticks a second for hours: news only on a change.
    if (running_ == running) return;
    running_ = running;
    emit runningChanged(running);
}
