#pragma once

#include "linetransport.h"

class QSocketNotifier;

// A pseudo-terminal standing in for the converter (POSIX only): the tool opens
// the slave side ("/dev/pts/7") as its serial port, the sensors sit on the
// master side. The emulator keeps a slave descriptor of its own open so the
// line survives the tool closing and reopening its port.
class PtyTransport : public LineTransport
{
    Q_OBJECT

public:
    explicit PtyTransport(QObject *parent = nullptr);
    ~PtyTransport() override;

    bool open(QString *error = nullptr);
    bool write(const QByteArray &bytes) override;
    // Closes the master: the tool's port gets a hang-up, as when a USB
    // converter is pulled out.
    void hangUp() override;
    QString portName() const override { return m_slavePath; }

private:
    void readMaster();
    void closeDescriptors();

    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QSocketNotifier *m_notifier = nullptr;
    bool m_hungUp = false;
};
