#include "eventlog.h"

#include <QFile>

EventLog::EventLog(const QString &fileName, QObject *parent)
    : QObject(parent), m_fileName(fileName)
{
}

QString EventLog::formatLine(const QDateTime &when, const QString &text)
{
    return when.toString(QStringLiteral("yyyy:MM:dd")) + QLatin1Char('-')
           + when.toString(QStringLiteral("hh:mm:ss")) + QStringLiteral(" -- ") + text
           + QStringLiteral("\r\n");
}

void EventLog::append(const QString &text)
{
    m_hasPending = true;
    m_pending += text;
    flush();
}

void EventLog::flush()
{
    QFile file(m_fileName);
    if (!file.open(QIODevice::Append | QIODevice::WriteOnly))
        return; // try again on the next tick; nothing is lost meanwhile
    if (!m_pending.isEmpty() && m_hasPending) {
        // Written as UTF-8 bytes on every platform (Qt 5 streams would use the
        // locale's codec).
        file.write(formatLine(QDateTime::currentDateTime(), m_pending).toUtf8());
    }
    file.close();
    m_pending.clear();
    m_hasPending = false;
}
