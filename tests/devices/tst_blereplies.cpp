#include "devices/wireless/blereplies.h"
#include "link/frame.h"
#include "link/protocol.h"
#include "link/replyassembler.h"

#include <QtTest>

#include <array>

namespace {
constexpr quint8 kAddress = 7;

// Every field of a data reply; all bytes differ, so a field read one byte off is wrong.
struct DataFields {
    qint8 temperature;
    quint16 level;
    qint32 raw, empty, full;
    quint8 mode, filter, sensorFirmware, linkState;
    qint8 rssi;
    quint8 battery;
    std::array<quint8, 6> mac;
    quint8 resultCode;
};

// Twelve-bit, below freezing, compensation off; every byte of each value counts.
constexpr DataFields kCold{
    -37, 0x0F1E, qint32(0x8A3B2C1Du), 0x11223344, 0x7E6D5C4B, 0x84, 0x8B, 215,
    0x21, -60, 36, {0x3B, 0x12, 0x0A, 0x51, 0x7F, 0xC4}, 13,
};
// A ten-bit sensor on a warm day, compensation on, a weak signal.
constexpr DataFields kWarm{
    45, 0x0302, 0x00C0FFEE, 0x01020304, 0x05060708, 0x04, 0x0F, 0x09,
    0x1E, -113, 255, {0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54}, 0,
};

// A data reply of `length` bytes, little-endian; unread bytes are 0xA0 + offset.
QByteArray dataReply(int length, const DataFields &f)
{
    QByteArray payload(length - 4, '\0');
    for (int i = 0; i < payload.size(); ++i)
        payload[i] = char(0xA0 + i + 3);
    auto put = [&payload](int offset, quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            if (offset - 3 + i < payload.size())
                payload[offset - 3 + i] = char((value >> (8 * i)) & 0xFF);
        }
    };
    put(3, quint8(f.temperature), 1);
    put(4, f.level, 2);
    put(6, quint32(f.raw), 4);
    put(10, quint32(f.empty), 4);
    put(14, quint32(f.full), 4);
    put(20, f.mode, 1);
    put(22, f.filter, 1);
    put(23, f.sensorFirmware, 1);
    put(27, f.linkState, 1);
    put(28, quint8(f.rssi), 1);
    put(29, f.battery, 1);
    for (int i = 0; i < 6; ++i)
        put(30 + i, f.mac[size_t(i)], 1);
    put(36, f.resultCode, 1);
    return Frame::reply(kAddress, Protocol::Command::ReadSettings, payload);
}

QByteArray bytes(std::initializer_list<quint8> values)
{
    QByteArray out;
    for (const quint8 v : values)
        out.append(char(v));
    return out;
}

const DataFields &fieldsOf(const QString &name)
{
    return name == QLatin1String("cold") ? kCold : kWarm;
}
} // namespace

class TestBleReplies : public QObject
{
    Q_OBJECT
private slots:
    // Every field at its offset, whatever the length of the reply; the link
    // state only at the four lengths the base sends.
    void dataFieldsAtEveryLength_data()
    {
        QTest::addColumn<QString>("fields");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("hasLinkState");
        for (const char *name : {"cold", "warm"}) {
            for (const int length : {38, 42, 45, 84})
                QTest::addRow("%s %d", name, length) << QString::fromLatin1(name) << length << true;
            for (const int length : {39, 40, 41, 43, 44, 50})
                QTest::addRow("%s %d", name, length) << QString::fromLatin1(name) << length << false;
        }
    }

    void dataFieldsAtEveryLength()
    {
        QFETCH(QString, fields);
        QFETCH(int, length);
        QFETCH(bool, hasLinkState);
        const DataFields &f = fieldsOf(fields);
        const QByteArray reply = dataReply(length, f);
        QCOMPARE(int(reply.size()), length);

        const auto d = BleReplies::decodeData(reply);
        QVERIFY(d);
        QCOMPARE(d->length, length);
        QCOMPARE(int(d->temperature), int(f.temperature));
        QCOMPARE(int(d->level), int(f.level));
        QCOMPARE(d->raw, f.raw);
        QCOMPARE(d->empty, f.empty);
        QCOMPARE(d->full, f.full);
        QCOMPARE(int(d->modeByte), int(f.mode));
        QCOMPARE(int(d->filterByte), int(f.filter));
        QCOMPARE(int(d->sensorFirmware), int(f.sensorFirmware));
        QCOMPARE(d->linkState.has_value(), hasLinkState);
        if (hasLinkState)
            QCOMPARE(int(*d->linkState), int(f.linkState));
        QCOMPARE(int(d->rssi), int(f.rssi));
        QCOMPARE(int(d->battery), int(f.battery));
        for (int i = 0; i < 6; ++i)
            QCOMPARE(int(d->mac[size_t(i)]), int(f.mac[size_t(i)]));
        QCOMPARE(int(d->resultCode), int(f.resultCode));
    }

    // Only the seeds' plain values and lengths are left to the fuzz targets.
    void identification()
    {
        const auto id = BleReplies::decodeIdentification(
            Frame::reply(kAddress, 0xFC, bytes({0xC4, 0xB3, 0xA2, 0x91, 0xE7, 0x03, 0x77})));
        QVERIFY(id);
        QCOMPARE(id->serialNumber, qint32(0x91A2B3C4u)); // negative
        QCOMPARE(int(id->baseFirmware), 999);             // two bytes; the trailing byte ignored
    }

    // Too short, requests and other codes are refused by every decoder.
    void repliesRefused()
    {
        const QByteArray data38 = dataReply(38, kCold);
        QVERIFY(!BleReplies::decodeData(Frame::reply(kAddress, 0xF0, data38.mid(3, 33))));
        QByteArray request = data38;
        request[0] = char(Protocol::kRequestPrefix);
        QVERIFY(!BleReplies::decodeData(request));
        for (const quint8 code : {0xFC, 0xF2, 0xEF, 0xF1, 0x00}) {
            QByteArray other = dataReply(84, kCold);
            other[Protocol::kCommandOffset] = char(code);
            QVERIFY2(!BleReplies::decodeData(other), qPrintable(QString::number(code, 16)));
        }
        const QByteArray six = bytes({1, 2, 3, 4, 5, 6});
        QVERIFY(!BleReplies::decodeIdentification(Frame::request(kAddress, 0xFC, six)));
        const QByteArray echo = bytes({0x84, 0x8B});
        QVERIFY(!BleReplies::decodeSettingsEcho(Frame::reply(kAddress, 0xF0, echo)));
        QVERIFY(!BleReplies::decodeSettingsEcho(Frame::request(kAddress, 0xF2, echo)));
        const QByteArray table = QByteArray(80, '\x11');
        QVERIFY(BleReplies::decodeTable(Frame::reply(kAddress, 0xEF, table)));
        QVERIFY(!BleReplies::decodeTable(Frame::reply(kAddress, 0xF0, table)));
        QVERIFY(!BleReplies::decodeTable(Frame::request(kAddress, 0xEF, table)));
    }

    void linkStates_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("answering");
        QTest::addColumn<bool>("baseReady");
        QTest::addColumn<bool>("sensorLinked");
        QTest::addColumn<bool>("offerUpdate");
        QTest::newRow("0x1D") << 0x1D << false << false << false << true;
        QTest::newRow("0x1E base ready") << 0x1E << true << true << false << true;
        QTest::newRow("0x1F") << 0x1F << true << false << false << true;
        QTest::newRow("0x20") << 0x20 << true << false << false << true;
        QTest::newRow("0x21 sensor linked") << 0x21 << true << true << true << false;
        QTest::newRow("0x22") << 0x22 << false << false << false << true;
    }

    void linkStates()
    {
        QFETCH(int, code);
        QFETCH(bool, answering);
        QFETCH(bool, baseReady);
        QFETCH(bool, sensorLinked);
        QFETCH(bool, offerUpdate);
        const BleLinkState state = BleReplies::linkState(quint8(code));
        QCOMPARE(state.answering, answering);
        QCOMPARE(state.baseReady, baseReady);
        QCOMPARE(state.sensorLinked, sensorLinked);
        QCOMPARE(state.offerBaseUpdate, offerUpdate);
    }

    // Boundaries beyond the fuzz seeds' values.
    void texts()
    {
        QCOMPARE(BleReplies::versionText(1234), QStringLiteral("2.3.4")); // last three digits
        QCOMPARE(BleReplies::versionText(65535), QStringLiteral("5.3.5"));
        QCOMPARE(BleReplies::batteryText(5), QStringLiteral("0.5В"));
        QCOMPARE(BleReplies::batteryText(255), QStringLiteral("5.5В"));
        QCOMPARE(BleReplies::rssiText(-128), QStringLiteral("-128dB"));
        QCOMPARE(BleReplies::rssiText(127), QStringLiteral("127dB"));
        QCOMPARE(BleReplies::macText({0xFF, 0x01, 0x10, 0xA0, 0x0B, 0xFF}),
                 QStringLiteral("FF:0B:A0:10:01:FF"));
    }

    void calibration_data()
    {
        QTest::addColumn<int>("empty");
        QTest::addColumn<int>("full");
        QTest::addColumn<bool>("calibrated"); // 1000 x 2.2 goes through the page in tst_bledevice
        QTest::newRow("exactly 1.3x") << 1000 << 1300 << true;
        QTest::newRow("below 1.3x") << 1000 << 1299 << false;
        QTest::newRow("exactly 2.2x of 5") << 5 << 11 << true;
        QTest::newRow("beyond 2.2x of 5") << 5 << 12 << false;
        QTest::newRow("exactly 1.3x of 10") << 10 << 13 << true;
        QTest::newRow("below 1.3x of 10") << 10 << 12 << false;
        // 22 x empty no longer fits 32 bits here.
        QTest::newRow("exactly 2.2x, large") << 900000000 << 1980000000 << true;
        QTest::newRow("beyond 2.2x, large") << 900000000 << 1980000001 << false;
        QTest::newRow("exactly 1.3x, large") << 1600000000 << 2080000000 << true;
        QTest::newRow("below 1.3x, large") << 1600000000 << 2079999999 << false;
        QTest::newRow("nothing measured") << 0 << 0 << true;
        QTest::newRow("empty only") << 0 << 5 << false;
    }

    void calibration()
    {
        QFETCH(int, empty);
        QFETCH(int, full);
        QFETCH(bool, calibrated);
        QCOMPARE(BleReplies::isCalibrated(empty, full), calibrated);
    }

    void passwords_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("leading zeros") << "000016909060" << true << bytes({0x01, 0x02, 0x03, 0x04});
        QTest::newRow("beyond 64 bits") << "123456789012345678901234" << false << QByteArray();
        QTest::newRow("minus") << "-1" << false << QByteArray();
        QTest::newRow("plus") << "+5" << false << QByteArray();
        QTest::newRow("hex") << "0x10" << false << QByteArray();
        QTest::newRow("inner space") << "12 34" << false << QByteArray();
    }

    void passwords()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(QByteArray, payload);
        const auto password = BleReplies::passwordFromText(text);
        QCOMPARE(password.has_value(), accepted);
        if (accepted)
            QCOMPARE(BleReplies::passwordPayload(*password), payload);
    }

    void identifiers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("payload"); // empty: refused
        QTest::newRow("largest") << "16777215" << bytes({0xFF, 0xFF, 0xFF, 0xDD, 0xEE, 0xFF});
        QTest::newRow("one too large") << "16777216" << QByteArray();
        QTest::newRow("minus") << "-258" << QByteArray();
        QTest::newRow("beyond 64 bits") << "123456789012345678901234" << QByteArray();
    }

    void identifiers()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, payload);
        const auto identifier = BleReplies::identifierPayload(text);
        QCOMPARE(identifier.has_value(), !payload.isEmpty());
        if (identifier)
            QCOMPARE(*identifier, payload);
    }

    // Replies back to back in one block are cut where the base's lengths
    // and the CRC say, and each decodes as what it is.
    void repliesCutByTheirLengths()
    {
        QByteArray table;
        for (int i = 0; i < 40; ++i)
            table += bytes({quint8(i), quint8(2 * i)});
        const QByteArray ident = Frame::reply(kAddress, 0xFC, bytes({1, 2, 3, 4, 0xE7, 0}));
        const QByteArray echo = Frame::reply(kAddress, 0xF2, bytes({0x84, 0x8B}));
        const QList<QByteArray> sent = {
            ident,
            dataReply(38, kCold),
            dataReply(42, kWarm),
            dataReply(45, kCold),
            dataReply(84, kWarm),
            Frame::reply(kAddress, 0xEF, table),
            echo,
            Frame::reply(kAddress, 0xF8),
            Frame::reply(kAddress, 0xF7, bytes({0, 1, 0xE2, 0x40})),
        };
        QByteArray block;
        for (const QByteArray &reply : sent)
            block += reply;
        const QList<QByteArray> cut = ReplyAssembler::cut(block, BleReplies::replyLengths());
        QCOMPARE(cut, sent);
        QVERIFY(BleReplies::decodeIdentification(cut.at(0)));
        for (int i = 1; i <= 4; ++i)
            QVERIFY(BleReplies::decodeData(cut.at(i))->linkState);
        QVERIFY(BleReplies::decodeTable(cut.at(5)));
        QVERIFY(BleReplies::decodeSettingsEcho(cut.at(6)));
    }
};

QTEST_GUILESS_MAIN(TestBleReplies)
#include "tst_blereplies.moc"
