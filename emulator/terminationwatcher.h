#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT, SIGTERM and SIGHUP into a signal on the event loop, so that
// the emulator can clean up (its --link symlink) before it exits. The handler
// only writes one byte into a socket pair; the loop reads it.
class TerminationWatcher : public QObject
{
    Q_OBJECT

public:
    explicit TerminationWatcher(QObject *parent = nullptr);
    ~TerminationWatcher() override;
    bool start();

signals:
    void terminationRequested();

private:
    QSocketNotifier *m_notifier = nullptr;
};
