#include "devices/fls/flsparameters.h"
#include "devices/fls/flsreplies.h"
#include "devices/fls/stabilitywindow.h"
#include "link/frame.h"

#include <QtTest>

namespace {
// A settings reply of the given total length with the fields the wired
// sensor sends; the model byte goes where that length carries it.
QByteArray settingsReply(int length, quint8 modelByte, qint8 temperature = 20,
                         quint16 level = 512, qint32 cnt = 30000)
{
    QByteArray payload(length - 4, '\0');
    auto put = [&payload](int offset, quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            payload[offset - 3 + i] = char((value >> (8 * i)) & 0xFF);
    };
    put(3, quint8(temperature), 1);
    put(4, level, 2);
    put(6, quint32(cnt), 4);
    put(10, 10000, 4);
    put(14, 20000, 4);
    put(20, 0x84, 1);
    put(22, 0x95, 1);
    if (length == 24)
        put(21, modelByte, 1);
    else if (length >= 25)
        put(21, 35, 1); // lamp threshold
    if (length == 25)
        put(23, modelByte, 1);
    if (length == 29) {
        put(23, 0x10, 1); // KV260 output byte
        put(27, modelByte, 1);
    }
    return Frame::reply(1, 0xF0, payload);
}
} // namespace

class TestFlsReplies : public QObject
{
    Q_OBJECT
private slots:
    void modelByLengthAndByte_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("modelByte");
        QTest::addColumn<int>("model");
        // KV210, KV260, KV510 and a KV610 in 24 bytes: tst_fls_e2e.
        QTest::newRow("25 KV610 0x60") << 25 << 0x60 << int(FlsModel::KV610);
        QTest::newRow("25 KV610 0x62") << 25 << 0x62 << int(FlsModel::KV610);
        QTest::newRow("29 KV610 0x63") << 29 << 0x63 << int(FlsModel::KV610);
        QTest::newRow("25 generic 0x61") << 25 << 0x61 << int(FlsModel::Generic);
        QTest::newRow("24 generic 0") << 24 << 0 << int(FlsModel::Generic);
        QTest::newRow("26 no model") << 26 << 1 << int(FlsModel::None);
    }

    void modelByLengthAndByte()
    {
        QFETCH(int, length);
        QFETCH(int, modelByte);
        QFETCH(int, model);
        const QByteArray reply = settingsReply(length, quint8(modelByte));
        QCOMPARE(reply.size(), length);
        const auto decoded = FlsReplies::decodeSettings(reply);
        QVERIFY(decoded);
        QCOMPARE(int(decoded->model), model);
        QCOMPARE(decoded->length, length);
    }

    void settingsFields()
    {
        const auto r = FlsReplies::decodeSettings(settingsReply(29, 3, qint8(-10), 4095, -5));
        QVERIFY(r);
        QCOMPARE(int(r->temperature), -10); // 0xF6 is minus ten degrees
        QCOMPARE(int(r->level), 4095);
        QCOMPARE(r->cnt, -5);
        QCOMPARE(r->emptyCount, 10000);
        QCOMPARE(r->fullCount, 20000);
        QVERIFY(r->twelveBit()); // mode byte 0x84
        QCOMPARE(int(r->modeCode()), 0x04);
        QCOMPARE(int(r->settingsByte), 0x95);
        QCOMPARE(int(r->filtration()), 5);
        QCOMPARE(int(r->kv260Output), 0x10);
        QCOMPARE(int(r->lampThreshold), 35);
        // In a 24-byte reply offset 23 is the CRC, never an output byte.
        const auto short24 = FlsReplies::decodeSettings(settingsReply(24, 3));
        QCOMPARE(int(short24->kv260Output), 0);
    }

    void table()
    {
        QByteArray payload;
        for (int i = 0; i < 40; ++i)
            payload += Frame::bigEndian16(quint16(i * 1000 + 7));
        const auto values = FlsReplies::decodeTable(Frame::reply(1, 0xEF, payload));
        QVERIFY(values);
        QCOMPARE(values->size(), 40);
        QCOMPARE(int(values->at(0)), 7);
        QCOMPARE(int(values->at(20)), 20007);
        QCOMPARE(int(values->at(39)), 39007);
    }

    void calibrationBounds()
    {
        QVERIFY(FlsReplies::isCalibrated(1000, 1300)); // exactly 1.3 x
        QVERIFY(FlsReplies::isCalibrated(1000, 2200)); // exactly 2.2 x
        QVERIFY(!FlsReplies::isCalibrated(1000, 1299));
        QVERIFY(!FlsReplies::isCalibrated(1000, 2201));
        QVERIFY(!FlsReplies::isCalibrated(0, 5));
    }

    void stabilityVerdicts()
    {
        StabilityWindow w[6];
        for (int i = 0; i < 7; ++i)
            QCOMPARE(w[0].add(1000), StabilityWindow::None); // seven are not enough
        QCOMPARE(w[0].add(1000), StabilityWindow::Stable);   // the eighth decides
        const auto after = [](StabilityWindow &window, int seven, int eighth) {
            for (int i = 0; i < 7; ++i)
                window.add(seven);
            return window.add(eighth);
        };
        // Mean 99.125 -> 99: exactly 1 % keeps the verdict it had (none yet).
        QCOMPARE(after(w[1], 99, 100), StabilityWindow::None);
        QCOMPARE(after(w[2], 95, 100), StabilityWindow::None); // mean 95, 5 % exactly
        QCOMPARE(after(w[3], 97, 100), StabilityWindow::SlightlyUnstable); // 3 %
        QCOMPARE(after(w[4], 80, 100), StabilityWindow::Unstable);
        // Renewed with every reply after the eighth.
        for (int i = 0; i < 8; ++i)
            w[4].add(100);
        QCOMPARE(w[4].verdict(), StabilityWindow::Stable);
        QCOMPARE(after(w[5], 0, 0), StabilityWindow::Stable); // no division by zero
    }

    // The lists and the codes written: e2e (tst_fls_e2e writingParameters).
    void filtration()
    {
        // Every KV entry reads back as itself, including the heavy-duty one.
        for (int index = 0; index < 5; ++index) {
            const quint8 code = FlsParameters::filtrationCode(FlsModel::KV510, index);
            QCOMPARE(FlsParameters::filtrationIndex(FlsModel::KV510, code), index);
        }
        QCOMPARE(int(FlsParameters::filtrationCode(FlsModel::KV210, 3)), 12);
        QCOMPARE(FlsParameters::filtrationIndex(FlsModel::KV210, 11), 3);
        QCOMPARE(FlsParameters::filtrationIndex(FlsModel::KV210, 13), 4);
        QCOMPARE(int(FlsParameters::filtrationCode(FlsModel::Generic, 7)), 7);
        QCOMPARE(FlsParameters::filtrationIndex(FlsModel::Generic, 0x9B), 11); // low bits only
    }
};

QTEST_GUILESS_MAIN(TestFlsReplies)
#include "tst_flsreplies.moc"
