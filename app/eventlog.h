#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

// The plain-text event log "log.txt": every message is appended to a pending
// text and flushed at once; when the file cannot be opened the text waits
// for the next flush (the main window's one-second timer).
class EventLog : public QObject
{
    Q_OBJECT
public:
    explicit EventLog(const QString &fileName = QStringLiteral("log.txt"),
                      QObject *parent = nullptr);

    void setFileName(const QString &fileName) { m_fileName = fileName; }
    QString fileName() const { return m_fileName; }
    QString pending() const { return m_pending; }

    // "yyyy:MM:dd-hh:mm:ss -- " + text + "\r\n"
    static QString formatLine(const QDateTime &when, const QString &text);

public slots:
    void append(const QString &text);
    void flush();

private:
    QString m_fileName;
    QString m_pending;
    bool m_hasPending = false;
};
