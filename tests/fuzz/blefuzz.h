#pragma once

// Reference readings of the base station's replies for the BLE fuzz
// targets: straight from the bytes, independent of the decoders' helpers.
#include "fuzzinput.h"

#include "devices/wireless/blereplies.h"
#include "link/protocol.h"

inline quint32 fuzzLittleEndian(const uint8_t *data, size_t offset, int bytes)
{
    quint32 value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | data[offset + size_t(i)];
    return value;
}

// The reply prefix and the command code, when the input reaches them.
inline bool fuzzHasCode(const uint8_t *data, size_t size, quint8 code)
{
    return size > size_t(Protocol::kCommandOffset) && data[0] == Protocol::kReplyPrefix
           && data[Protocol::kCommandOffset] == code;
}

// The codes tell the replies apart: no input is two kinds of reply.
inline void fuzzAtMostOneDecoder(const QByteArray &reply)
{
    const int decoded = int(BleReplies::decodeIdentification(reply).has_value())
                        + int(BleReplies::decodeData(reply).has_value())
                        + int(BleReplies::decodeSettingsEcho(reply).has_value())
                        + int(BleReplies::decodeTable(reply).has_value());
    FUZZ_CHECK(decoded <= 1);
}

// "x.y.z" of the last three decimal digits.
inline void fuzzCheckVersionText(quint16 version)
{
    const QString text = BleReplies::versionText(version);
    FUZZ_CHECK(text.size() == 5);
    FUZZ_CHECK(text.at(1) == QLatin1Char('.') && text.at(3) == QLatin1Char('.'));
    FUZZ_CHECK(text.at(0).digitValue() == version / 100 % 10);
    FUZZ_CHECK(text.at(2).digitValue() == version / 10 % 10);
    FUZZ_CHECK(text.at(4).digitValue() == version % 10);
}
