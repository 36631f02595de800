#pragma once

#include "emulateddevice.h"
#include "tagconfig.h"

#include <QByteArray>
#include <QJsonObject>
#include <QtGlobal>

// A wired tag reader on the line: it reads the identifier of the tag in
// front of it, or, in tag mode, is a tag itself. It reports its mode in the
// readings reply and its serial number and firmware in the identification,
// reads and sets the identifier, and takes a new mode, serial number and
// address. Its change commands carry no write key; the mode and the serial
// number it acknowledges with 0xF8, a new address not at all.
class EmulatedTag : public EmulatedDevice
{
public:
    static constexpr int kReadingsLength = 22;       // mode byte at offset 20, then the CRC
    static constexpr int kIdentificationLength = 10; // serial at 3, firmware at 7
    static constexpr int kIdentifierLength = 9;      // a presence byte at 3, identifier at 4
    static constexpr int kIdentifierSetLength = 8;   // identifier at 3

    explicit EmulatedTag(const TagConfig &config);

    Response handle(const QByteArray &request) override;

    quint8 address() const override { return m_address; }
    QString kindName() const override { return QLatin1String(TagConfig::kKindName); }
    QJsonObject state() const override;

    quint8 mode() const { return m_mode; }
    quint32 serial() const { return m_serial; }
    quint16 firmware() const { return m_firmware; }
    quint32 identifier() const { return m_identifier; }
    // The tag the reader sees (from the console).
    void setIdentifier(quint32 identifier) { m_identifier = identifier; }
    int identifierReads() const { return m_identifierReads; }

private:
    quint8 m_address;
    quint8 m_mode;
    quint32 m_serial;
    quint16 m_firmware;
    quint32 m_identifier;
    int m_identifierReads = 0;
};
