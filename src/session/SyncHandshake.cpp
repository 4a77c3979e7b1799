#include "session/SyncHandshake.h"

#include <QTimer>

#include "session/Session.h"

using companion::kReload;

SyncHandshake::SyncHandshake(Session& session, QObject* parent)
    : QObject(parent), session_(session), timer_(new QTimer(this))
{
    timer_->setObjectName(QStringLiteral("Timer2"));
    timer_->setInterval(200);
    connect(timer_, &QTimer::timeout, this, &SyncHandshake::Tick);
}

void SyncHandshake::Request()
{
    session_.Settings().WriteInteger(kReload.section, kReload.key, 1);
    if (!timer_->isActive()) timer_->start();
}

void SyncHandshake::Tick()
{
    try {
        if (session_.Settings().ReadInteger(kReload.section, kReload.key, 0) != 0) return;
        timer_->stop();  // before the news: one handshake, one message
        const std::string badge = session_.Settings().ReadString(companion::kBadge.section, companion::kBadge.key,
                                                                 companion::kBadgeAfterSync);
        emit synced(QString::fromStdString(badge));
    } catch (const std::exception& e) {
        emit failed(QString::fromUtf8(e.what()));
    }
}
