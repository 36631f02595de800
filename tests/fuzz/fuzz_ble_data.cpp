// The base station's data reply (0xF0): any length, any bytes; what the page
// makes of its link state, result code, MAC and readings.
#include "blefuzz.h"

#include <QStringList>

namespace {
bool carriesLinkState(size_t size)
{
    return size == 38 || size == 42 || size == 45 || size == 84;
}

void checkLinkState(quint8 code)
{
    const BleLinkState state = BleReplies::linkState(code);
    FUZZ_CHECK(state.answering == (code >= 0x1E && code <= 0x21));
    FUZZ_CHECK(state.baseReady == (code == 0x1E || code == 0x21));
    FUZZ_CHECK(state.sensorLinked == (code == 0x21));
    FUZZ_CHECK(!state.baseReady || state.answering);
    FUZZ_CHECK(state.offerBaseUpdate == !state.sensorLinked);
}

void checkCommandResult(quint8 code)
{
    using Kind = BleCommandResult::Kind;
    const BleCommandResult result = BleReplies::commandResult(code);
    const Kind expected = code == 0                ? Kind::Link
                          : code == 3 || code == 10 ? Kind::Password
                          : code <= 16              ? Kind::Message
                                                    : Kind::None;
    FUZZ_CHECK(result.kind == expected);
    // A message has both texts; nothing else has any.
    FUZZ_CHECK((result.status != nullptr) == (expected == Kind::Message));
    FUZZ_CHECK((result.log != nullptr) == (expected == Kind::Message));
    if (result.status)
        FUZZ_CHECK(!QString::fromUtf8(result.status).isEmpty() && *result.log);
    FUZZ_CHECK(result.startsUpdateCountdown == (code == 5));
}

// Six upper-case hex pairs joined by ':', the last byte received first.
void checkMacText(const std::array<quint8, 6> &mac)
{
    const QString text = BleReplies::macText(mac);
    FUZZ_CHECK(text.size() == 17);
    const QStringList parts = text.split(QLatin1Char(':'));
    FUZZ_CHECK(parts.size() == 6);
    for (int i = 0; i < 6; ++i) {
        const QString &part = parts.at(i);
        FUZZ_CHECK(part.size() == 2 && part == part.toUpper());
        bool ok = false;
        FUZZ_CHECK(part.toUInt(&ok, 16) == mac[size_t(5 - i)] && ok);
    }
}

// Needs calibration when full > 2.2 x empty or full < 1.3 x empty, in
// whole numbers: 10 x full against 22 and 13 x empty.
bool calibratedExactly(qint32 empty, qint32 full)
{
    const qint64 f10 = qint64(full) * 10;
    return !(f10 > qint64(empty) * 22 || f10 < qint64(empty) * 13);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray reply = fuzzBytes(data, size);
    const auto d = BleReplies::decodeData(reply);
    FUZZ_CHECK(d.has_value()
               == (size >= size_t(BleReplies::kDataMinLength)
                   && fuzzHasCode(data, size, Protocol::Command::ReadSettings)));
    fuzzAtMostOneDecoder(reply);
    if (size > 0) {
        checkLinkState(data[size - 1]);
        checkCommandResult(data[size - 1]);
    }
    if (!d)
        return 0;

    FUZZ_CHECK(d->length == int(size));
    FUZZ_CHECK(d->temperature == qint8(data[3]));
    FUZZ_CHECK(d->level == fuzzLittleEndian(data, 4, 2));
    FUZZ_CHECK(quint32(d->raw) == fuzzLittleEndian(data, 6, 4));
    FUZZ_CHECK(quint32(d->empty) == fuzzLittleEndian(data, 10, 4));
    FUZZ_CHECK(quint32(d->full) == fuzzLittleEndian(data, 14, 4));
    FUZZ_CHECK(d->modeByte == data[20]);
    FUZZ_CHECK(d->filterByte == data[22]);
    FUZZ_CHECK(d->sensorFirmware == data[23]);
    // Only the four lengths the base sends carry a link state.
    FUZZ_CHECK(d->linkState.has_value() == carriesLinkState(size));
    if (d->linkState)
        FUZZ_CHECK(*d->linkState == data[27]);
    FUZZ_CHECK(d->rssi == qint8(data[28]));
    FUZZ_CHECK(d->battery == data[29]);
    for (size_t i = 0; i < 6; ++i)
        FUZZ_CHECK(d->mac[i] == data[30 + i]);
    FUZZ_CHECK(d->resultCode == data[36]);

    FUZZ_CHECK(d->twelveBit() == bool(data[20] & 0x80));
    FUZZ_CHECK(d->scaleMaximum() == (d->twelveBit() ? 4096 : 1024));
    FUZZ_CHECK(d->smoothingIndex() >= 0 && d->smoothingIndex() <= 0x7F);
    FUZZ_CHECK(d->thermoCompensationOff() == bool(data[22] & 0x80));

    checkLinkState(data[27]);
    checkCommandResult(d->resultCode);
    checkMacText(d->mac);
    FUZZ_CHECK(BleReplies::isCalibrated(d->empty, d->full) == calibratedExactly(d->empty, d->full));
    FUZZ_CHECK(BleReplies::rssiText(d->rssi) == QString::number(int(d->rssi)) + QLatin1String("dB"));
    const QString battery = BleReplies::batteryText(d->battery);
    FUZZ_CHECK(battery.size() == 4 && battery.at(1) == QLatin1Char('.'));
    FUZZ_CHECK(battery.at(0).digitValue() == d->battery / 10 % 10);
    FUZZ_CHECK(battery.at(2).digitValue() == d->battery % 10);
    fuzzCheckVersionText(d->sensorFirmware);
    return 0;
}
