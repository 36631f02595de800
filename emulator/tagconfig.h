#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

// What an emulated wired tag reader starts with, written as
// tag@ADDRESS[:key=value,...], e.g. "tag@7:mode=0,serial=4242,id=0xFF".
struct TagConfig
{
    static constexpr const char *kKindName = "tag";
    static constexpr quint8 kReaderMode = 0x01; // bit 0: reads tags; clear: the device is a tag

    quint8 address = 1;
    quint8 mode = kReaderMode;
    quint32 serial = 0;       // reported signed, as the reader does
    quint16 firmware = 123;   // shown by the tool as 1.2.3
    quint32 identifier = 0;   // the tag in front of a reader, or a tag's own

    // The defaults at an address: serial number 900000 + address.
    static TagConfig defaults(quint8 address);

    // True when the description names the tag reader kind.
    static bool describesTag(const QString &text);
    // Parses one description. On failure returns nothing and, when error is
    // given, a message that names the offending part.
    static std::optional<TagConfig> parse(const QString &text, QString *error = nullptr);

    static QStringList keys();
};
