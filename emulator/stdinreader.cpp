#include "stdinreader.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

namespace {
constexpr int kStdin = 0;
constexpr int kReadChunk = 4096;
} // namespace

StdinReader::StdinReader(QObject *parent) : QObject(parent) {}

bool StdinReader::start()
{
#ifdef Q_OS_UNIX
    m_notifier = new QSocketNotifier(kStdin, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &StdinReader::readAvailable);
    return true;
#else
    return false;
#endif
}

void StdinReader::readAvailable()
{
#ifdef Q_OS_UNIX
    char chunk[kReadChunk];
    // The notifier said the descriptor is readable, so one read() will not block.
    ssize_t n = -1;
    do {
        n = ::read(kStdin, chunk, sizeof chunk);
    } while (n < 0 && errno == EINTR);
    if (n <= 0) {
        // End of input (or a dead descriptor): the line keeps running without a console.
        m_notifier->setEnabled(false);
        if (!m_pending.isEmpty())
            emit lineRead(QString::fromUtf8(m_pending));
        m_pending.clear();
        emit closed();
        return;
    }
    m_pending.append(chunk, int(n));
    int newline = int(m_pending.indexOf('\n'));
    while (newline >= 0) {
        const QByteArray line = m_pending.left(newline);
        m_pending.remove(0, newline + 1);
        emit lineRead(QString::fromUtf8(line).trimmed());
        newline = int(m_pending.indexOf('\n'));
    }
#endif
}
