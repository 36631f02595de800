#include "devices/wireless/blereplies.h"
#include "link/frame.h"
#include "link/protocol.h"
#include "link/replyassembler.h"

#include <QtTest>

#include <array>

namespace {
constexpr quint8 kAddress = 7;

// Every field of a data reply. Each test picks values whose bytes differ
// from field to field and from the filler, so that a field read one byte
// off comes out wrong.
struct DataFields {
    qint8 temperature;
    quint16 level;
    qint32 raw;
    qint32 empty;
    qint32 full;
    quint8 mode;
    quint8 filter;
    quint8 sensorFirmware;
    quint8 linkState;
    qint8 rssi;
    quint8 battery;
    std::array<quint8, 6> mac;
    quint8 resultCode;
};

// A twelve-bit sensor below freezing, with thermo-compensation switched off
// and every multi-byte value needing all its bytes.
constexpr DataFields kCold{
    -37, 0x0F1E, qint32(0x8A3B2C1Du), 0x11223344, 0x7E6D5C4B, 0x84, 0x8B, 215,
    0x21, -60, 36, {0x3B, 0x12, 0x0A, 0x51, 0x7F, 0xC4}, 13,
};
// A ten-bit sensor on a warm day, compensation on, a weak signal.
constexpr DataFields kWarm{
    45, 0x0302, 0x00C0FFEE, 0x01020304, 0x05060708, 0x04, 0x0F, 0x09,
    0x1E, -113, 255, {0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54}, 0,
};

// A data reply of `length` bytes in total, least significant byte first.
// The bytes the decoder does not read are 0xA0 + offset, never a field value.
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

    // What the page shows of the two readings.
    void dataShownAsTexts()
    {
        const auto cold = BleReplies::decodeData(dataReply(38, kCold));
        QVERIFY(cold);
        QVERIFY(cold->twelveBit());
        QCOMPARE(cold->scaleMaximum(), 4096);
        QCOMPARE(cold->smoothingIndex(), 11);
        QVERIFY(cold->thermoCompensationOff());
        QCOMPARE(BleReplies::rssiText(cold->rssi), QStringLiteral("-60dB")); // byte 0xC4
        QCOMPARE(BleReplies::batteryText(cold->battery), QStringLiteral("3.6В"));
        QCOMPARE(BleReplies::versionText(cold->sensorFirmware), QStringLiteral("2.1.5"));
        QCOMPARE(BleReplies::macText(cold->mac), QStringLiteral("C4:7F:51:0A:12:3B"));

        const auto warm = BleReplies::decodeData(dataReply(84, kWarm));
        QVERIFY(warm);
        QVERIFY(!warm->twelveBit());
        QCOMPARE(warm->scaleMaximum(), 1024);
        QCOMPARE(warm->smoothingIndex(), 15);
        QVERIFY(!warm->thermoCompensationOff());
        QCOMPARE(BleReplies::rssiText(warm->rssi), QStringLiteral("-113dB"));
        QCOMPARE(BleReplies::versionText(warm->sensorFirmware), QStringLiteral("0.0.9"));
        QCOMPARE(BleReplies::macText(warm->mac), QStringLiteral("54:76:98:BA:DC:FE"));
    }

    void refusedReplies_data()
    {
        QTest::addColumn<QByteArray>("reply");
        const QByteArray data38 = dataReply(38, kCold);
        QTest::newRow("37 bytes") << Frame::reply(kAddress, 0xF0, data38.mid(3, 33));
        QTest::newRow("cut at 37") << data38.left(37);
        QTest::newRow("header only") << data38.left(3);
        QTest::newRow("empty") << QByteArray();
        QByteArray request = data38;
        request[0] = char(Protocol::kRequestPrefix);
        QTest::newRow("request prefix") << request;
        QByteArray zeroPrefix = dataReply(42, kWarm);
        zeroPrefix[0] = '\0';
        QTest::newRow("zero prefix") << zeroPrefix;
        for (const quint8 code : {0xFC, 0xF2, 0xEF, 0xF1, 0x00}) {
            QByteArray other = dataReply(84, kCold);
            other[Protocol::kCommandOffset] = char(code);
            QTest::addRow("code %02X", code) << other;
        }
    }

    void refusedReplies()
    {
        QFETCH(QByteArray, reply);
        QVERIFY(!BleReplies::decodeData(reply));
    }

    void identification_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("serial");
        QTest::addColumn<int>("firmware");
        QTest::newRow("serial 12345678, 2.3.1")
            << bytes({0x4E, 0x61, 0xBC, 0x00, 0xE7, 0x00}) << 12345678 << 231;
        QTest::newRow("negative serial, two-byte version")
            << bytes({0xC4, 0xB3, 0xA2, 0x91, 0xE7, 0x03}) << int(qint32(0x91A2B3C4u)) << 999;
        QTest::newRow("trailing byte ignored")
            << bytes({0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x77}) << 0x04030201 << 0x0605;
    }

    void identification()
    {
        QFETCH(QByteArray, payload);
        QFETCH(int, serial);
        QFETCH(int, firmware);
        const QByteArray reply = Frame::reply(kAddress, 0xFC, payload);
        const auto id = BleReplies::decodeIdentification(reply);
        QVERIFY(id);
        QCOMPARE(id->serialNumber, serial);
        QCOMPARE(int(id->baseFirmware), firmware);
    }

    void identificationRefused()
    {
        const QByteArray reply = Frame::reply(kAddress, 0xFC, bytes({1, 2, 3, 4, 5, 6}));
        QCOMPARE(reply.size(), 10);
        QVERIFY(BleReplies::decodeIdentification(reply));
        QVERIFY(!BleReplies::decodeIdentification(reply.left(9)));
        QVERIFY(!BleReplies::decodeIdentification(Frame::reply(kAddress, 0xFC, bytes({1, 2, 3, 4, 5}))));
        QVERIFY(!BleReplies::decodeIdentification(QByteArray()));
        QVERIFY(!BleReplies::decodeIdentification(Frame::reply(kAddress, 0xF0, bytes({1, 2, 3, 4, 5, 6}))));
        QVERIFY(!BleReplies::decodeIdentification(Frame::request(kAddress, 0xFC, bytes({1, 2, 3, 4, 5, 6}))));
        // A data reply is no identification, even though it is long enough.
        QVERIFY(!BleReplies::decodeIdentification(dataReply(38, kCold)));
    }

    void settingsEcho()
    {
        const QByteArray echo = Frame::reply(kAddress, 0xF2, bytes({0x84, 0x8B}));
        QCOMPARE(echo.size(), 6);
        const auto decoded = BleReplies::decodeSettingsEcho(echo);
        QVERIFY(decoded);
        QCOMPARE(int(decoded->modeByte), 0x84);
        QCOMPARE(int(decoded->filterByte), 0x8B);

        QVERIFY(!BleReplies::decodeSettingsEcho(echo.left(5)));
        QVERIFY(!BleReplies::decodeSettingsEcho(Frame::reply(kAddress, 0xF2, bytes({0x84}))));
        QVERIFY(!BleReplies::decodeSettingsEcho(Frame::reply(kAddress, 0xF0, bytes({0x84, 0x8B}))));
        QVERIFY(!BleReplies::decodeSettingsEcho(Frame::request(kAddress, 0xF2, bytes({0x84, 0x8B}))));
    }

    void table()
    {
        // 20 levels then 20 volumes, each with two different bytes.
        QByteArray payload;
        for (int i = 0; i < 40; ++i)
            payload += bytes({quint8(0x10 + i), quint8(0xC0 + i)});
        const QByteArray reply = Frame::reply(kAddress, 0xEF, payload);
        QCOMPARE(reply.size(), 84);
        const auto values = BleReplies::decodeTable(reply);
        QVERIFY(values);
        QCOMPARE(values->size(), 40);
        for (int i = 0; i < 40; ++i)
            QCOMPARE(int(values->at(i)), ((0x10 + i) << 8) | (0xC0 + i)); // high byte first

        QVERIFY(!BleReplies::decodeTable(reply.left(83)));
        QVERIFY(!BleReplies::decodeTable(Frame::reply(kAddress, 0xEF, payload.left(79))));
        QVERIFY(!BleReplies::decodeTable(Frame::reply(kAddress, 0xF0, payload)));
        QByteArray request = reply;
        request[0] = char(Protocol::kRequestPrefix);
        QVERIFY(!BleReplies::decodeTable(request));
    }

    void commandResults_data()
    {
        using Kind = BleCommandResult::Kind;
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("log");
        QTest::addColumn<bool>("countdown");
        auto message = [](int code, const char *status, const char *log, bool countdown = false) {
            QTest::addRow("%d", code) << code << int(Kind::Message) << QString::fromUtf8(status)
                                      << QString::fromUtf8(log) << countdown;
        };
        QTest::newRow("0 link") << 0 << int(Kind::Link) << QString() << QString() << false;
        message(1, "UUID ВТ датчика успешно изменен", "UUID successfully changed");
        message(2, "S/N ВТ датчика успешно изменен", "S/N bluetooth device successfully changed");
        QTest::newRow("3 password") << 3 << int(Kind::Password) << QString() << QString() << false;
        message(4, "Директивная калибровка ВТ датчика произведена успешно",
                "Calibrate BLE successull");
        message(5, "Успешная перезагрузка ВТ датчика", "Reboot BLE successfull", true);
        message(6, "Калибровка уровня полного ВТ датчика произведена",
                "Calibrate BLE full successfull");
        message(7, "Калибровка уровня пустого ВТ датчика произведена",
                "Calibrate BLE empty successfull");
        message(8, "Установлены заводские настройки ВТ датчика",
                "Factory setting for BLE successfully set");
        message(9, "Датчик переведен в режим сна", "BLE sleep");
        QTest::newRow("10 password") << 10 << int(Kind::Password) << QString() << QString() << false;
        message(11, "Ошибка изменения UUID ВТ датчика", "Error set UUID BLE");
        message(12, "Ошибка изменения S/N ВТ датчика", "Error set S/N");
        message(13, "Ошибка изменения пароля ВТ датчика", "Error change password BLE");
        message(14, "Ошибка директивной калибровки ВТ датчика", "Error calibrate BLE");
        message(15, "Режим работы ВТ датчика установлен", "New mode BLE set");
        message(16, "Ошибка установки режима", "Error set new mode BLE");
        for (const int unknown : {17, 0x80, 255})
            QTest::addRow("%d unknown", unknown)
                << unknown << int(Kind::None) << QString() << QString() << false;
    }

    void commandResults()
    {
        QFETCH(int, code);
        QFETCH(int, kind);
        QFETCH(QString, status);
        QFETCH(QString, log);
        QFETCH(bool, countdown);
        const BleCommandResult result = BleReplies::commandResult(quint8(code));
        QCOMPARE(int(result.kind), kind);
        QCOMPARE(QString::fromUtf8(result.status), status);
        QCOMPARE(result.status == nullptr, status.isNull());
        QCOMPARE(QString::fromUtf8(result.log), log);
        QCOMPARE(result.log == nullptr, log.isNull());
        QCOMPARE(result.startsUpdateCountdown, countdown);

        // The code arrives at offset 36 of a data reply.
        DataFields f = kCold;
        f.resultCode = quint8(code);
        const auto d = BleReplies::decodeData(dataReply(45, f));
        QVERIFY(d);
        QCOMPARE(int(BleReplies::commandResult(d->resultCode).kind), kind);
    }

    void linkStates_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("answering");
        QTest::addColumn<bool>("baseReady");
        QTest::addColumn<bool>("sensorLinked");
        QTest::addColumn<bool>("offerUpdate");
        QTest::newRow("0x00") << 0x00 << false << false << false << true;
        QTest::newRow("0x1D") << 0x1D << false << false << false << true;
        QTest::newRow("0x1E base ready") << 0x1E << true << true << false << true;
        QTest::newRow("0x1F") << 0x1F << true << false << false << true;
        QTest::newRow("0x20") << 0x20 << true << false << false << true;
        QTest::newRow("0x21 sensor linked") << 0x21 << true << true << true << false;
        QTest::newRow("0x22") << 0x22 << false << false << false << true;
        QTest::newRow("0xFF") << 0xFF << false << false << false << true;
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

    void advertisingVersions_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<bool>("advertising");
        QTest::newRow("0") << 0 << false;
        QTest::newRow("222") << 222 << false;
        QTest::newRow("223 first") << 223 << true;
        QTest::newRow("500") << 500 << true;
        QTest::newRow("998 last") << 998 << true;
        QTest::newRow("999") << 999 << false;
        QTest::newRow("65535") << 65535 << false;
    }

    void advertisingVersions()
    {
        QFETCH(int, version);
        QFETCH(bool, advertising);
        QCOMPARE(BleReplies::isAdvertisingVersion(quint16(version)), advertising);
    }

    void texts_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("expected");
        QTest::newRow("version 215") << BleReplies::versionText(215) << "2.1.5";
        QTest::newRow("version 5") << BleReplies::versionText(5) << "0.0.5";
        QTest::newRow("version 0") << BleReplies::versionText(0) << "0.0.0";
        QTest::newRow("version 231") << BleReplies::versionText(231) << "2.3.1";
        QTest::newRow("version 1234: last three digits") << BleReplies::versionText(1234) << "2.3.4";
        QTest::newRow("version 65535") << BleReplies::versionText(65535) << "5.3.5";
        QTest::newRow("battery 36") << BleReplies::batteryText(36) << "3.6В";
        QTest::newRow("battery 0") << BleReplies::batteryText(0) << "0.0В";
        QTest::newRow("battery 5") << BleReplies::batteryText(5) << "0.5В";
        QTest::newRow("battery 255") << BleReplies::batteryText(255) << "5.5В";
        QTest::newRow("rssi -60") << BleReplies::rssiText(qint8(0xC4)) << "-60dB";
        QTest::newRow("rssi -128") << BleReplies::rssiText(-128) << "-128dB";
        QTest::newRow("rssi 0") << BleReplies::rssiText(0) << "0dB";
        QTest::newRow("rssi 127") << BleReplies::rssiText(127) << "127dB";
        QTest::newRow("mac zeros") << BleReplies::macText({}) << "00:00:00:00:00:00";
        QTest::newRow("mac") << BleReplies::macText({0x3B, 0x12, 0x0A, 0x51, 0x7F, 0xC4})
                             << "C4:7F:51:0A:12:3B";
        QTest::newRow("mac ff") << BleReplies::macText({0xFF, 0x01, 0x10, 0xA0, 0x0B, 0xFF})
                                << "FF:0B:A0:10:01:FF";
    }

    void texts()
    {
        QFETCH(QString, shown);
        QFETCH(QString, expected);
        QCOMPARE(shown, expected);
    }

    void calibration_data()
    {
        QTest::addColumn<int>("empty");
        QTest::addColumn<int>("full");
        QTest::addColumn<bool>("calibrated");
        QTest::newRow("exactly 2.2x") << 1000 << 2200 << true;
        QTest::newRow("beyond 2.2x") << 1000 << 2201 << false;
        QTest::newRow("exactly 1.3x") << 1000 << 1300 << true;
        QTest::newRow("below 1.3x") << 1000 << 1299 << false;
        QTest::newRow("exactly 2.2x of 5") << 5 << 11 << true;
        QTest::newRow("beyond 2.2x of 5") << 5 << 12 << false;
        QTest::newRow("exactly 1.3x of 10") << 10 << 13 << true;
        QTest::newRow("below 1.3x of 10") << 10 << 12 << false;
        QTest::newRow("between") << 20000 << 35000 << true;
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
        QTest::newRow("123456") << "123456" << true << bytes({0x00, 0x01, 0xE2, 0x40});
        QTest::newRow("empty is 0") << "" << true << bytes({0, 0, 0, 0});
        QTest::newRow("0") << "0" << true << bytes({0, 0, 0, 0});
        QTest::newRow("leading zeros") << "000016909060" << true << bytes({0x01, 0x02, 0x03, 0x04});
        QTest::newRow("largest") << "4294967295" << true << bytes({0xFF, 0xFF, 0xFF, 0xFF});
        QTest::newRow("one too large") << "4294967296" << false << QByteArray();
        QTest::newRow("beyond 64 bits") << "123456789012345678901234" << false << QByteArray();
        QTest::newRow("letter") << "12a" << false << QByteArray();
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
        QTest::newRow("258") << "258" << bytes({0x02, 0x01, 0x00, 0xDD, 0xEE, 0xFF});
        QTest::newRow("1") << "1" << bytes({0x01, 0x00, 0x00, 0xDD, 0xEE, 0xFF});
        QTest::newRow("three bytes") << "1193046" << bytes({0x56, 0x34, 0x12, 0xDD, 0xEE, 0xFF});
        QTest::newRow("largest") << "16777215" << bytes({0xFF, 0xFF, 0xFF, 0xDD, 0xEE, 0xFF});
        QTest::newRow("one too large") << "16777216" << QByteArray();
        QTest::newRow("zero") << "0" << QByteArray();
        QTest::newRow("empty") << "" << QByteArray();
        QTest::newRow("letters") << "abc" << QByteArray();
        QTest::newRow("digits and letter") << "25a" << QByteArray();
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
