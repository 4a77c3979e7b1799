#pragma once
// Asks the companion to read its settings again and waits for its answer:
// [quorvel] од := 1, then a 200 ms poll until the companion has written 0.

#include <QObject>
#include <QString>

class QTimer;
class Session;

class SyncHandshake : public QObject {
    Q_OBJECT
public:
    explicit SyncHandshake(Session& session, QObject* parent = nullptr);

    // Writes the request and starts waiting; a request made while waiting
    // joins the pending one. Throws store::WriteError when it cannot be written.
    void Request();
    // One tick of the poll (tests call it directly).
    void Tick();
    QTimer* Timer() const { return timer_; }

signals:
    // The companion answered; `badge` is the badge it stored.
    void synced(const QString& badge);
    // A tick could not read the settings file.
    void failed(const QString& message);

private:
    Session& session_;
    QTimer* timer_;
};
