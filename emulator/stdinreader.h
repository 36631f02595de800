#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

// Reads commands from standard input line by line without blocking the event
// loop (POSIX: a socket notifier on descriptor 0).
class StdinReader : public QObject
{
    Q_OBJECT

public:
    explicit StdinReader(QObject *parent = nullptr);
    // False where standard input cannot be watched (no POSIX descriptors).
    bool start();

signals:
    void lineRead(const QString &line);
    void closed();

private:
    void readAvailable();

    QSocketNotifier *m_notifier = nullptr;
    QByteArray m_pending;
};
