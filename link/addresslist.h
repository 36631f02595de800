#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Bus addresses found by the search. Sensors answer the broadcast with
// their address as single bytes, so every received byte is one address.
class AddressList
{
public:
    AddressList() = default;
    explicit AddressList(const QByteArray &bytes) : m_bytes(bytes) {}

    // The main window's copy ends at the first zero byte: 0 is no address.
    static AddressList untilZero(const QByteArray &bytes);

    int count() const { return int(m_bytes.size()); }
    bool isEmpty() const { return m_bytes.isEmpty(); }
    // The address at index; 0 when the index lies beyond the list.
    quint8 at(int index) const;
    quint8 first() const { return at(0); }
    QByteArray bytes() const { return m_bytes; }
    // "1,2,3": decimal addresses joined without spaces.
    QString joined() const;
    // Round robin over at most maxSensors sensors: 0, 1, 2, 0, ...
    int nextIndex(int current, int maxSensors) const;

private:
    QByteArray m_bytes;
};
