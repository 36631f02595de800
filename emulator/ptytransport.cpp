#include "ptytransport.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kReadChunk = 4096;

QString systemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

PtyTransport::PtyTransport(QObject *parent) : LineTransport(parent) {}

PtyTransport::~PtyTransport()
{
    closeDescriptors();
}

bool PtyTransport::open(QString *error)
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return fail(error, systemError("posix_openpt"));
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        const QString message = systemError("grantpt/unlockpt");
        closeDescriptors();
        return fail(error, message);
    }
    const char *name = ::ptsname(m_master);
    if (!name) {
        const QString message = systemError("ptsname");
        closeDescriptors();
        return fail(error, message);
    }
    m_slavePath = QString::fromLocal8Bit(name);

    // Raw mode on the slave: no echo, no line editing, no CR/LF translation,
    // every byte passes as it is.
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    termios settings{};
    if (m_slave < 0 || ::tcgetattr(m_slave, &settings) != 0) {
        const QString message = systemError("opening the pseudo-terminal slave");
        closeDescriptors();
        return fail(error, message);
    }
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B19200);
    ::cfsetospeed(&settings, B19200);
    if (::tcsetattr(m_slave, TCSANOW, &settings) != 0) {
        const QString message = systemError("tcsetattr");
        closeDescriptors();
        return fail(error, message);
    }

    const int flags = ::fcntl(m_master, F_GETFL);
    if (flags < 0 || ::fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0) {
        const QString message = systemError("fcntl O_NONBLOCK");
        closeDescriptors();
        return fail(error, message);
    }
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyTransport::readMaster);
    return true;
}

void PtyTransport::readMaster()
{
    QByteArray bytes;
    char chunk[kReadChunk];
    for (;;) {
        const ssize_t n = ::read(m_master, chunk, sizeof chunk);
        if (n > 0) {
            bytes.append(chunk, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // EAGAIN: drained. EIO would mean no slave is open, which our own
        // slave descriptor rules out; stop listening rather than spin.
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
            m_notifier->setEnabled(false);
        break;
    }
    if (!bytes.isEmpty())
        emit received(bytes);
}

bool PtyTransport::write(const QByteArray &bytes)
{
    if (m_master < 0)
        return false;
    const char *data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(m_master, data, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false; // EAGAIN: nobody reads the slave and its queue is full
        }
        data += n;
        left -= n;
    }
    return true;
}

void PtyTransport::hangUp()
{
    if (m_hungUp)
        return;
    m_hungUp = true;
    closeDescriptors();
    emit hungUp();
}

void PtyTransport::closeDescriptors()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = -1;
    m_master = -1;
}
