#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include "addresslist.h"

// What a device page knows of its line: the poll step, the addresses the
// search found, which of them is polled now, and the connection watchdog
// that sends a silent page back to the search.
class DeviceLink : public QObject
{
    Q_OBJECT
public:
    explicit DeviceLink(QObject *parent = nullptr);

    quint8 step() const { return m_step; }
    void setStep(quint8 step) { m_step = step; }

    const AddressList &addresses() const { return m_addresses; }
    void setAddresses(const AddressList &list);
    int polledIndex() const { return m_polledIndex; }
    void setPolledIndex(int index) { m_polledIndex = index; }
    // The polled address; 0 when the list is shorter than the index.
    quint8 polledAddress() const { return m_addresses.at(m_polledIndex); }

    bool replySeen() const { return m_replySeen; }
    void setReplySeen(bool seen) { m_replySeen = seen; }

    // Restarts the watchdog while it is enabled; stops it otherwise.
    void restartWatchdog();
    void setWatchdogEnabled(bool enabled);
    bool watchdogEnabled() const { return m_watchdogEnabled; }
    QTimer *watchdog() { return &m_watchdog; }

    // Back to the search: step 255, index 0, no reply seen.
    void reset();

    // The readings cycle of a page that has no decoder of its own yet: the
    // search answer gives the addresses, then accepted 0xF0 and 0xFC replies
    // hand the turn to each other. Returns the next poll step; *addresses is
    // set when a search answer was taken.
    quint8 takeReply(const QByteArray &block, quint8 step, bool *addressesTaken);

signals:
    void watchdogExpired();

private:
    quint8 m_step;
    AddressList m_addresses;
    int m_polledIndex = 0;
    bool m_replySeen = false;
    bool m_watchdogEnabled = true;
    QTimer m_watchdog;
};
