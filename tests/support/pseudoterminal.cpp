#include "pseudoterminal.h"

#include <QtGlobal>

// Pseudo-terminals are POSIX; elsewhere the line never opens and the tests
// that need one report it.
#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>
#endif

PseudoTerminal::PseudoTerminal()
{
#ifdef Q_OS_UNIX
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return;
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        close();
        return;
    }
    m_slavePath = QString::fromLocal8Bit(ptsname(m_master));
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    // Raw line, so bytes pass unchanged in both directions.
    termios settings {};
    if (tcgetattr(m_master, &settings) == 0) {
        cfmakeraw(&settings);
        tcsetattr(m_master, TCSANOW, &settings);
    }
#endif
}

PseudoTerminal::~PseudoTerminal()
{
    close();
}

QByteArray PseudoTerminal::readAvailable()
{
    QByteArray out;
#ifdef Q_OS_UNIX
    if (m_master < 0)
        return out;
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        out.append(buffer, int(n));
    }
#endif
    return out;
}

bool PseudoTerminal::write(const QByteArray &data)
{
#ifndef Q_OS_UNIX
    Q_UNUSED(data)
    return false;
#else
    if (m_master < 0)
        return false;
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(m_master, data.constData() + done, size_t(data.size() - done));
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR)
                continue;
            return false;
        }
        done += n;
    }
    return true;
#endif
}

void PseudoTerminal::close()
{
#ifdef Q_OS_UNIX
    if (m_master >= 0)
        ::close(m_master);
#endif
    m_master = -1;
}
