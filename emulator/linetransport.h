#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// The wire the emulated sensors hang on: a pseudo-terminal, a real serial
// port or, in tests, plain memory. Devices and the line never care which.
class LineTransport : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Puts bytes on the line; false when they could not all be written.
    virtual bool write(const QByteArray &bytes) = 0;
    // Takes the line away for good: the tool's port sees its converter vanish.
    virtual void hangUp() = 0;
    // What the tool opens to reach the line ("/dev/pts/7", "COM5").
    virtual QString portName() const = 0;

signals:
    void received(const QByteArray &bytes);
    // The line is gone, by hangUp() or because the port failed.
    void hungUp();
};
