// An advertising base's record (0xF0 at a heard sensor's address): any
// length, any bytes; the slots it fills, what the page keeps of a lost
// sensor and the configuration byte the slots' switches write. The same
// input read as UTF-8 is what the engineer types into a tile: a new address
// or a serial number to connect.
#include "blefuzz.h"

#include "devices/wireless/adwrecord.h"
#include "link/crc8.h"
#include "link/frame.h"

#include <algorithm>
#include <optional>

namespace {

constexpr int kMaxAddress = 254;          // 0 ends an address list, 255 is the broadcast
constexpr size_t kMaxListedAddresses = 8; // input bytes taken as the enabled sensors' addresses

bool sameRecord(const AdwRecord &a, const AdwRecord &b)
{
    return a.address == b.address && a.temperature == b.temperature && a.level == b.level
           && a.raw == b.raw && a.empty == b.empty && a.full == b.full
           && a.furtherValue == b.furtherValue && a.modeByte == b.modeByte
           && a.byte21 == b.byte21 && a.filterByte == b.filterByte
           && a.sensorFirmware == b.sensorFirmware && a.linkState == b.linkState
           && a.rssi == b.rssi && a.battery == b.battery && a.name == b.name
           && a.connectionState == b.connectionState && a.flags == b.flags
           && a.byte41 == b.byte41;
}

void checkFields(const AdwRecord &r, const uint8_t *data)
{
    FUZZ_CHECK(r.address == data[1]);
    FUZZ_CHECK(r.temperature == qint8(data[3]));
    FUZZ_CHECK(r.level == fuzzLittleEndian(data, 4, 2));
    FUZZ_CHECK(quint32(r.raw) == fuzzLittleEndian(data, 6, 4));
    FUZZ_CHECK(quint32(r.empty) == fuzzLittleEndian(data, 10, 4));
    FUZZ_CHECK(quint32(r.full) == fuzzLittleEndian(data, 14, 4));
    FUZZ_CHECK(r.furtherValue == fuzzLittleEndian(data, 18, 2));
    FUZZ_CHECK(r.modeByte == data[20] && r.byte21 == data[21]);
    FUZZ_CHECK(r.filterByte == data[22] && r.sensorFirmware == data[23]);
    FUZZ_CHECK(r.linkState == data[27]);
    FUZZ_CHECK(r.rssi == qint8(data[28]) && r.battery == data[29]);
    for (size_t i = 0; i < size_t(AdwRecord::kNameSize); ++i)
        FUZZ_CHECK(quint8(r.name[i]) == data[33 + i]);
    FUZZ_CHECK(r.connectionState == data[39] && r.flags == data[40] && r.byte41 == data[41]);

    FUZZ_CHECK(r.isLinkedSensor() == (data[27] == 0x1F));
    FUZZ_CHECK(r.isConnected() == (data[39] <= 9));
    FUZZ_CHECK(r.isSignalLost() == (data[28] == 0));
    FUZZ_CHECK(r.scaleMaximum() == ((data[20] & 0x80) ? 4096 : 1024));
}

// The slots: the linked sensor only slot 0, any other the slots 1..3 of the
// bits 0..2 set, in order.
void checkSlots(const AdwRecord &r)
{
    const QVector<int> filled = AdwRules::slotsOf(r);
    QVector<int> expected;
    if (r.linkState == 0x1F) {
        expected << 0;
    } else {
        for (int slot = 1; slot <= 3; ++slot)
            if (r.flags & (1u << (slot - 1)))
                expected << slot;
    }
    FUZZ_CHECK(filled == expected);
    for (const int slot : filled)
        FUZZ_CHECK(slot >= 0 && slot < AdwRules::kSlots);
}

// A lost sensor keeps its address, name and the bytes the page does not
// show; readings, link, flags and connection go.
void checkEmptied(const AdwRecord &r)
{
    const AdwRecord kept = AdwRules::emptiedIfLost(r);
    if (r.rssi != 0) {
        FUZZ_CHECK(sameRecord(kept, r));
        return;
    }
    AdwRecord expected;
    expected.address = r.address;
    expected.name = r.name;
    expected.furtherValue = r.furtherValue;
    expected.byte21 = r.byte21;
    expected.byte41 = r.byte41;
    expected.connectionState = 0xFF;
    FUZZ_CHECK(sameRecord(kept, expected));
    FUZZ_CHECK(!kept.isConnected() && !kept.isLinkedSensor() && kept.isSignalLost());
    FUZZ_CHECK(AdwRules::slotsOf(kept).isEmpty());
    for (int slot = 0; slot < AdwRules::kSlots; ++slot)
        FUZZ_CHECK(!AdwRules::dopBit(kept.flags, slot));
}

// Every slot's switch, in range or not, on the record's configuration byte:
// only the slot's own bits move, to what was asked.
void checkSwitches(quint8 flags)
{
    for (int slot = -1; slot <= AdwRules::kSlots; ++slot) {
        const bool inRange = slot >= 0 && slot < AdwRules::kSlots;
        FUZZ_CHECK(AdwRules::dopBit(flags, slot) == (inRange && (flags & (1u << (3 + slot)))));
        for (int combination = 0; combination < 4; ++combination) {
            const bool device = combination & 1;
            const bool dop = combination & 2;
            const quint8 switched = AdwRules::switchedFlags(flags, slot, device, dop);
            if (!inRange) {
                FUZZ_CHECK(switched == flags);
                continue;
            }
            unsigned own = 1u << (3 + slot);
            if (slot > 0)
                own |= 1u << (slot - 1);
            FUZZ_CHECK((switched & ~own & 0xFFu) == (flags & ~own & 0xFFu));
            FUZZ_CHECK(bool(switched & (1u << (3 + slot))) == dop);
            FUZZ_CHECK(AdwRules::dopBit(switched, slot) == dop);
            if (slot > 0)
                FUZZ_CHECK(bool(switched & (1u << (slot - 1))) == device);
        }
    }
}

// A name the base reports, typed back into the tile, is matched byte for
// byte: the characters up to the first zero, zeros after them. Only names
// of ASCII characters, which every local 8-bit encoding keeps as they are.
void checkNameRoundTrip(const AdwRecord &r)
{
    const auto end = std::find(r.name.begin(), r.name.end(), '\0');
    const size_t length = size_t(end - r.name.begin());
    const QString text = r.nameText();
    FUZZ_CHECK(text.size() <= AdwRecord::kNameSize);
    if (!std::all_of(r.name.begin(), end, [](char c) { return quint8(c) < 0x80; }))
        return;
    FUZZ_CHECK(text == QLatin1String(r.name.data(), int(length)));
    const auto typed = AdwRules::nameForConnect(text);
    for (size_t i = 0; i < typed.size(); ++i)
        FUZZ_CHECK(typed[i] == (i < length ? r.name[i] : '\0'));
}

void checkRecord(const uint8_t *data, size_t size)
{
    const QByteArray frame = fuzzBytes(data, size);
    const auto record = AdwRules::decode(frame);
    FUZZ_CHECK(record.has_value()
               == (size >= size_t(AdwRules::kMinRecordLength)
                   && fuzzHasCode(data, size, Protocol::Command::ReadSettings)));

    // The same bytes with a CRC that holds, as the link hands a record on:
    // accepted at the sensor's address, and decoded alike, since no field
    // lies in the CRC or behind the fields.
    if (size >= size_t(Protocol::kMinReplyLength)) {
        QByteArray sealed(reinterpret_cast<const char *>(data), int(size));
        sealed[sealed.size() - 1] = char(crc8(reinterpret_cast<const quint8 *>(sealed.constData()),
                                              sealed.size() - 1));
        FUZZ_CHECK(Frame::hasValidCrc(sealed));
        if (data[0] == Protocol::kReplyPrefix)
            FUZZ_CHECK(Frame::check(sealed, data[Protocol::kAddressOffset])
                       == Frame::Verdict::Accepted);
        const auto resealed = AdwRules::decode(sealed);
        FUZZ_CHECK(resealed.has_value() == record.has_value());
        if (record)
            FUZZ_CHECK(sameRecord(*resealed, *record));
    }
    if (!record)
        return;
    checkFields(*record, data);
    checkSlots(*record);
    checkEmptied(*record);
    checkSwitches(record->flags);
    checkNameRoundTrip(*record);
}

// Whether two non-zero addresses differ by one, pair by pair.
bool neighbouring(const QVector<int> &addresses)
{
    for (const int a : addresses)
        for (const int b : addresses)
            if (a != 0 && b != 0 && b - a == 1)
                return true;
    return false;
}

void checkAddresses(const uint8_t *data, size_t size)
{
    QVector<int> addresses;
    for (size_t i = 0; i < std::min(size, kMaxListedAddresses); ++i)
        addresses << int(data[i]);
    FUZZ_CHECK(AdwRules::hasNeighbouringAddresses(addresses) == neighbouring(addresses));

    // The tile's text of an address, read back as the new address.
    const int address = size > 0 ? int(data[0]) : 0;
    const bool valid = address >= 1 && address <= kMaxAddress;
    for (const bool dop : {false, true}) {
        const auto back = AdwRules::addressFromEdit(AdwRules::addressEditText(address, dop));
        FUZZ_CHECK(back.has_value() == valid);
        if (back)
            FUZZ_CHECK(*back == address);
    }
}

// The number before the first comma, blanks around it allowed, an optional
// sign and decimal digits; saturates far above any address.
std::optional<long long> typedNumber(const QString &text)
{
    const QString part = text.section(QLatin1Char(','), 0, 0);
    int from = 0;
    int to = part.size();
    while (from < to && part.at(from).isSpace())
        ++from;
    while (to > from && part.at(to - 1).isSpace())
        --to;
    bool negative = false;
    if (from < to && (part.at(from) == QLatin1Char('+') || part.at(from) == QLatin1Char('-'))) {
        negative = part.at(from) == QLatin1Char('-');
        ++from;
    }
    if (from == to)
        return std::nullopt;
    long long value = 0;
    for (int i = from; i < to; ++i) {
        const QChar c = part.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = std::min(value * 10 + (c.unicode() - '0'), 1000000LL);
    }
    return negative ? -value : value;
}

void checkTyped(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));

    const auto address = AdwRules::addressFromEdit(text);
    const auto number = typedNumber(text);
    FUZZ_CHECK(address.has_value() == (number && *number >= 1 && *number <= kMaxAddress));
    if (address)
        FUZZ_CHECK(*address == *number);

    // Only "KV_" and 1..16 digits ever go to the base.
    const auto payload = AdwRules::namePayload(text);
    const bool digits = !text.isEmpty() && text.size() <= AdwRules::kMaxNameDigits
                        && std::all_of(text.begin(), text.end(), [](QChar c) {
                               return c >= QLatin1Char('0') && c <= QLatin1Char('9');
                           });
    FUZZ_CHECK(payload.has_value() == digits);
    if (payload) {
        FUZZ_CHECK(payload->startsWith("KV_"));
        FUZZ_CHECK(payload->size() == 3 + text.size());
        FUZZ_CHECK(payload->mid(3) == text.toLatin1());
    }

    // Typed ASCII is matched as its first six bytes, zero-filled.
    const auto name = AdwRules::nameForConnect(text);
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; })) {
        const QByteArray bytes = text.toLatin1();
        for (size_t i = 0; i < name.size(); ++i)
            FUZZ_CHECK(name[i] == (int(i) < bytes.size() ? bytes.at(int(i)) : '\0'));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    checkRecord(data, size);
    checkAddresses(data, size);
    checkTyped(data, size);
    return 0;
}
