#pragma once

#include <QByteArray>
#include <QString>

// The far end of a serial line for tests: a pseudo-terminal whose slave
// the tool opens as its "COM port" while the test reads and writes the
// master, the way a sensor behind a converter would.
class PseudoTerminal
{
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool isOpen() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }
    // Everything that arrived from the tool so far (non-blocking).
    QByteArray readAvailable();
    bool write(const QByteArray &data);
    // Hangs up the line: the tool's port sees its device vanish.
    void close();

private:
    int m_master = -1;
    QString m_slavePath;
};
