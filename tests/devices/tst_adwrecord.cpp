// The advertising record and the rules of the advertising page, without widgets.

#include "devices/wireless/adwrecord.h"
#include "link/frame.h"
#include "link/protocol.h"

#include <QtTest>

namespace {

// A record as a base sends it: fields at their offsets, CRC last.
QByteArray record(quint8 address, quint8 flags, qint8 rssi = -48, quint8 connection = 0,
                  const QByteArray &name = "100001", quint8 link = 0x21, int length = 45)
{
    QByteArray payload(length - 4, '\0');
    auto put = [&payload](int offset, quint32 value, int width) {
        for (int i = 0; i < width; ++i)
            payload[offset - 3 + i] = char((value >> (8 * i)) & 0xFF);
    };
    put(3, quint8(qint8(-7)), 1);
    put(4, 3000, 2);
    put(6, 123456, 4);
    put(10, 1000, 4);
    put(14, 9000, 4);
    put(20, 0x80, 1);
    put(22, 3, 1);
    put(23, 120, 1);
    put(27, link, 1);
    put(28, quint8(rssi), 1);
    put(29, 35, 1);
    for (int i = 0; i < name.size() && i < 6; ++i)
        put(33 + i, quint8(name.at(i)), 1);
    put(39, connection, 1);
    put(40, flags, 1);
    return Frame::reply(address, Protocol::Command::ReadSettings, payload);
}

} // namespace

class TestAdwRecord : public QObject
{
    Q_OBJECT

private slots:
    // Offsets, lengths and slot switches are also checked by fuzz_ble_advertising.
    void decodesTheFieldsTheSeedsDoNotVary()
    {
        const auto r = AdwRules::decode(record(7, 0x12));
        QVERIFY(r);
        QCOMPARE(r->address, quint8(7));
        QCOMPARE(r->temperature, qint8(-7));
        QCOMPARE(r->raw, 123456);
        QVERIFY(r->hasFilter());
        QCOMPARE(r->nameText(), QStringLiteral("100001"));
        QVERIFY(!r->isLinkedSensor());
    }

    void refusesWhatIsNoRecord()
    {
        QByteArray identification = record(7, 0);
        identification[2] = char(Protocol::Command::ReadIdentification);
        QVERIFY(!AdwRules::decode(identification));
        QByteArray request = record(7, 0);
        request[0] = char(Protocol::kRequestPrefix);
        QVERIFY(!AdwRules::decode(request));
    }

    void connectionStateNineIsConnectedTenIsNot()
    {
        QVERIFY(AdwRules::decode(record(7, 0, -48, 9))->isConnected());
        QVERIFY(!AdwRules::decode(record(7, 0, -48, 10))->isConnected());
        QVERIFY(!AdwRules::decode(record(7, 0, -48, 0xFF))->isConnected());
    }

    void neighbouringAddressesWarn()
    {
        QVERIFY(AdwRules::hasNeighbouringAddresses({5, 6}));
        QVERIFY(AdwRules::hasNeighbouringAddresses({9, 5, 20, 6}));
        QVERIFY(!AdwRules::hasNeighbouringAddresses({5, 7}));
        QVERIFY(!AdwRules::hasNeighbouringAddresses({0, 1}));
        QVERIFY(!AdwRules::hasNeighbouringAddresses({5, 5}));
        QVERIFY(!AdwRules::hasNeighbouringAddresses({}));
    }

    void typedAddressesAndNames()
    {
        QCOMPARE(AdwRules::addressEditText(12, false), QStringLiteral("12"));
        QCOMPARE(AdwRules::addressEditText(12, true), QStringLiteral("12,13"));
        for (const char *bad : {"", ",13", "0", "255", "300", "x1", "-3"})
            QVERIFY2(!AdwRules::addressFromEdit(QLatin1String(bad)), bad);
        for (const char *bad : {"", "12a", "12 3"})
            QVERIFY2(!AdwRules::namePayload(QLatin1String(bad)), bad);
    }
};

QTEST_GUILESS_MAIN(TestAdwRecord)
#include "tst_adwrecord.moc"
