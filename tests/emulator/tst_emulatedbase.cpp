// The emulated BLE base station, checked byte by byte against the tool's own
// decoders of the wireless page: what the base sends must read back as what
// it was told to hold.

#include "devices/wireless/blereplies.h"
#include "emulator/baseconfig.h"
#include "emulator/emulatedbase.h"
#include "emulator/lineconsole.h"
#include "emulator/memorytransport.h"
#include "emulator/virtualline.h"
#include "link/frame.h"
#include "link/protocol.h"
#include "link/replyassembler.h"
#include "memoryline.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

#include <algorithm>

using namespace std::chrono_literals;
namespace Cmd = Protocol::Command;

namespace {

constexpr int kWait = 5000; // generous limit for conditions, ms

EmulatedBase baseFrom(const QString &text, quint32 seed = 1)
{
    QString error;
    const auto config = BaseConfig::parse(text, &error);
    if (!config)
        qFatal("bad test base %s: %s", qPrintable(text), qPrintable(error));
    return EmulatedBase(*config, seed);
}

QByteArray send(EmulatedBase &base, quint8 command, const QByteArray &data = {})
{
    return base.handle(Frame::writeRequest(base.address(), command, data)).reply;
}

QByteArray read(EmulatedBase &base, quint8 command)
{
    return base.handle(Frame::request(base.address(), command)).reply;
}

QByteArray password(quint32 value)
{
    return BleReplies::passwordPayload(value);
}

// The result code the next data reply carries, as the tool reads it; -1
// when the reply does not decode.
int nextResult(EmulatedBase &base)
{
    const QByteArray reply = read(base, Cmd::ReadSettings);
    if (!Frame::hasValidCrc(reply))
        return -1;
    const auto data = BleReplies::decodeData(reply);
    return data ? int(data->resultCode) : -1;
}

quint8 answerCode(const QByteArray &reply)
{
    return reply.size() > Protocol::kCommandOffset ? quint8(reply.at(Protocol::kCommandOffset)) : 0;
}

using Bench = MemoryLine;

} // namespace

class TestEmulatedBase : public QObject
{
    Q_OBJECT

private slots:
    // Descriptions.
    void descriptionKeysNoReplyShows();
    void badDescriptionsAreRefusedWithAReason_data();
    void badDescriptionsAreRefusedWithAReason();
    void theEmulatorExitsWithTwoOnBadArguments_data();
    void theEmulatorExitsWithTwoOnBadArguments();

    // Replies, as the tool decodes them.
    void dataReplyReadsBack_data();
    void dataReplyReadsBack();
    void levelFollowsTheSensorsCalibrationAndScale();
    void everyReplyHasALengthTheToolCutsAt();
    void tableWriteIsEchoedAndReadBack();
    void requestsTheToolNeverSendsAreIgnored();
    void anAdvertisingBaseStillAnswers();

    // A sensor not linked.
    void anUnlinkedSensorIsReportedAndHearsNothing_data();
    void anUnlinkedSensorIsReportedAndHearsNothing();

    // Passwords.
    void aLockedBaseRefusesEveryChange();
    void aProtectedSensorAnswersTen();

    // Reboots.
    void aRebootForgetsThePasswordsAndAMacUpdatesTheBase();
    void aRebootingBaseIsSilentOnTheLine();

    // The line.
    void theLineCutsEveryBaseRequest();
    void consoleDrivesTheBase();
    void consoleRefusesBaseCommandsElsewhere_data();
    void consoleRefusesBaseCommandsElsewhere();
    void stateShowsTheBase();
};

// ---------------------------------------------------------------- descriptions

// Most keys are read back through the data reply below; these are the forms
// and values no reply shows.
void TestEmulatedBase::descriptionKeysNoReplyShows()
{
    QString error;
    const auto config = BaseConfig::parse(
        QStringLiteral("BLE@0x11:mac=C4:7F:51:0A:12:3B,basepass=4294967295,seed=9"), &error);
    QVERIFY2(config, qPrintable(error));
    QCOMPARE(int(config->address), 0x11);
    // Written as the tool shows it, kept in the order the data reply sends it.
    const std::array<quint8, 6> mac = {0x3B, 0x12, 0x0A, 0x51, 0x7F, 0xC4};
    QVERIFY(config->mac == mac);
    QCOMPARE(config->basePassword, 4294967295u);
    QCOMPARE(config->seed.value_or(0), 9u);
}

void TestEmulatedBase::badDescriptionsAreRefusedWithAReason_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mention");
    QTest::newRow("no address") << "ble" << "has no address";
    QTest::newRow("broadcast address") << "ble@255" << "bad address '255'";
    QTest::newRow("unknown key") << "ble@1:lamp=10" << "unknown key 'lamp'";
    QTest::newRow("key without value") << "ble@1:battery" << "needs a value";
    QTest::newRow("reply length") << "ble@1:len=25" << "38, 42, 45 or 84";
    QTest::newRow("battery too big") << "ble@1:battery=256" << "bad value '256' for battery";
    QTest::newRow("rssi too low") << "ble@1:rssi=-129" << "bad value '-129' for rssi";
    QTest::newRow("short mac") << "ble@1:mac=C47F510A12" << "six hex bytes";
    QTest::newRow("mac not hex") << "ble@1:mac=C47F510A12ZZ" << "six hex bytes";
    QTest::newRow("reboot too long") << "ble@1:reboot=60001" << "bad value '60001' for reboot";
    QTest::newRow("level and cnt") << "ble@1:level=10,cnt=7000" << "both level= and cnt=";
    QTest::newRow("level above 10 bits") << "ble@1:level=2000" << "above 1023";
}

void TestEmulatedBase::badDescriptionsAreRefusedWithAReason()
{
    QFETCH(QString, text);
    QFETCH(QString, mention);
    QString error;
    QVERIFY(!BaseConfig::parse(text, &error));
    QVERIFY2(error.contains(mention), qPrintable(error));
}

// Through the line's own parsing, as the command line reaches it.
void TestEmulatedBase::theEmulatorExitsWithTwoOnBadArguments_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("mention");
    QTest::newRow("unknown kind") << "--device kv999@1" << "unknown device kind 'kv999'";
    QTest::newRow("bad battery") << "--device ble@1:battery=300" << "bad value '300' for battery";
    QTest::newRow("a wired key") << "--device ble@1:password=5" << "unknown key 'password'";
    QTest::newRow("a base key on a wired sensor") << "--device kv510@1:battery=36" << "unknown key 'battery'";
    QTest::newRow("two at one address") << "--device ble@3 --device fls@3" << "two devices at address 3";
    QTest::newRow("a heard sensor on a wired one") << "--device ble@1:fw=230,adv=KV_100001/4 --device kv510@4"
                                                   << "two devices at address 4";
    QTest::newRow("heard sensors without advertising") << "--device ble@1:adv=KV_100001/4" << "not fw=215";
    QTest::newRow("negative converter period") << "--chunk -3" << "--chunk";
    QTest::newRow("converter period not a number") << "--chunk soon" << "--chunk";
    QTest::newRow("converter period beyond a second") << "--chunk 1001" << "--chunk";
}

void TestEmulatedBase::theEmulatorExitsWithTwoOnBadArguments()
{
    QFETCH(QString, arguments);
    QFETCH(QString, mention);
    QProcess emulator;
    emulator.start(QStringLiteral(VOLMAR_EMULATOR_BINARY), arguments.split(QLatin1Char(' ')));
    QVERIFY(emulator.waitForFinished(kWait));
    QCOMPARE(emulator.exitStatus(), QProcess::NormalExit);
    QCOMPARE(emulator.exitCode(), 2);
    const QString error = QString::fromLocal8Bit(emulator.readAllStandardError()).trimmed();
    QVERIFY2(error.startsWith(QLatin1String("volmar-emulator: ")), qPrintable(error));
    QVERIFY2(error.contains(mention), qPrintable(error));
    QCOMPARE(int(error.count(QLatin1Char('\n'))), 0); // one line
    QVERIFY(emulator.readAllStandardOutput().isEmpty()); // no port was opened
}

// ---------------------------------------------------------------- replies

void TestEmulatedBase::dataReplyReadsBack_data()
{
    QTest::addColumn<int>("length");
    // The 38-byte reply, the default, is read by the wireless page in tst_ble_e2e.
    QTest::newRow("42 bytes") << 42;
    QTest::newRow("45 bytes") << 45;
    QTest::newRow("84 bytes") << 84;
}
void TestEmulatedBase::dataReplyReadsBack()
{
    QFETCH(int, length);
    EmulatedBase base = baseFrom(QStringLiteral("ble@9:len=%1,temp=-12,empty=1000,full=2000,cnt=1500,"
                                                "noise=0,drift=0,mode=0x84,filter=0x85,sensorfw=215,"
                                                "link=0x21,rssi=-60,battery=36,mac=C47F510A123B")
                                     .arg(length));
    const QByteArray reply = read(base, Cmd::ReadSettings);
    QCOMPARE(int(reply.size()), length);
    QCOMPARE(Frame::check(reply, 9), Frame::Verdict::Accepted);
    const auto data = BleReplies::decodeData(reply);
    QVERIFY(data);
    QCOMPARE(int(data->temperature), -12);
    QCOMPARE(data->raw, 1500);
    QCOMPARE(data->empty, 1000);
    QCOMPARE(data->full, 2000);
    QCOMPARE(int(data->level), 2048); // half way on the 0..4095 scale
    QCOMPARE(int(data->modeByte), 0x84);
    QCOMPARE(int(data->filterByte), 0x85);
    QVERIFY(data->linkState);
    QCOMPARE(int(*data->linkState), 0x21);
    QCOMPARE(int(data->rssi), -60);
    QCOMPARE(int(data->sensorFirmware), 215);
    QCOMPARE(int(data->battery), 36);
    QCOMPARE(BleReplies::macText(data->mac), QStringLiteral("C4:7F:51:0A:12:3B"));
    QCOMPARE(int(data->resultCode), 0);
    // Everything the tool reads no field from stays zero.
    for (const int unused : {18, 19, 21, 24, 25, 26})
        QCOMPARE(int(reply.at(unused)), 0);
    for (int i = BleReplies::kDataMinLength - 1; i < length - 1; ++i)
        QCOMPARE(int(reply.at(i)), 0);
}

void TestEmulatedBase::levelFollowsTheSensorsCalibrationAndScale()
{
    EmulatedBase base = baseFrom(QStringLiteral("ble@1:empty=1000,full=2000,noise=0,drift=0"));
    const auto levelNow = [&base] {
        const auto data = BleReplies::decodeData(read(base, Cmd::ReadSettings));
        return data ? int(data->level) : -1;
    };
    base.tank().setLevel(1023);
    QCOMPARE(levelNow(), 1023);
    base.tank().setCnt(1250);
    QCOMPARE(levelNow(), 256); // a quarter of 0..1023, rounded
    // The switch to the 4095 scale is the sensor's mode byte, written through the base.
    QVERIFY(!send(base, Cmd::WriteSettings, QByteArray("\x80\x00", 2)).isEmpty());
    QCOMPARE(levelNow(), 1024);
    base.tank().setCnt(900); // below empty: clamped
    QCOMPARE(levelNow(), 0);
}

void TestEmulatedBase::everyReplyHasALengthTheToolCutsAt()
{
    EmulatedBase base = baseFrom(QStringLiteral("ble@2:len=45"));
    QList<QByteArray> replies{
        read(base, Cmd::ReadIdentification),
        read(base, Cmd::ReadSettings),
        read(base, Cmd::ReadTable),
        send(base, Cmd::WriteSettings, QByteArray("\x00\x03", 2)),
        send(base, Cmd::CalibrateHorizon),
        send(base, Cmd::WriteTable, QByteArray(80, '\x01')),
        send(base, Cmd::SetPassword, password(0)),
        send(base, Cmd::EnterPassword, password(0)),
        send(base, Cmd::SetAddress, QByteArray(1, '\x02')),
    };
    // The answer of a locked base.
    EmulatedBase locked = baseFrom(QStringLiteral("ble@2:basepass=5"));
    replies << send(locked, Cmd::SetFull);
    QByteArray stream;
    for (const QByteArray &reply : qAsConst(replies)) {
        QVERIFY(!reply.isEmpty());
        const std::vector<int> &lengths = BleReplies::replyLengths().of(answerCode(reply));
        QVERIFY2(std::find(lengths.begin(), lengths.end(), int(reply.size())) != lengths.end(),
                 qPrintable(reply.toHex(' ')));
        stream += reply;
    }
    // All of them back to back, as one burst of a converter, cut into the same replies.
    QCOMPARE(ReplyAssembler::cut(stream, BleReplies::replyLengths()), replies);
}

void TestEmulatedBase::tableWriteIsEchoedAndReadBack()
{
    EmulatedBase base = baseFrom(QStringLiteral("ble@1"));
    QByteArray table;
    QVector<quint16> written;
    for (int i = 0; i < 2 * BleReplies::kTableRows; ++i) {
        const quint16 value = quint16(i < BleReplies::kTableRows ? 300 + 37 * i : 1000 + 4 * i);
        written << value;
        table += Frame::bigEndian16(value);
    }
    QCOMPARE(send(base, Cmd::WriteTable, table), Frame::reply(1, Cmd::WriteTable));
    const QByteArray reply = read(base, Cmd::ReadTable);
    QCOMPARE(int(reply.size()), BleReplies::kTableLength);
    QVERIFY(Frame::hasValidCrc(reply));
    const auto values = BleReplies::decodeTable(reply);
    QVERIFY(values);
    QCOMPARE(*values, written);
}

void TestEmulatedBase::requestsTheToolNeverSendsAreIgnored()
{
    EmulatedBase base = baseFrom(QStringLiteral("ble@1:mode=0,filter=0"));
    // No write key in front of the settings.
    QVERIFY(base.handle(Frame::request(1, Cmd::WriteSettings, QByteArray("\x80\x01\x02\x03\x04", 5))).reply.isEmpty());
    // One settings byte short; an identifier one byte long.
    QVERIFY(send(base, Cmd::WriteSettings, QByteArray(1, '\x80')).isEmpty());
    QVERIFY(send(base, Cmd::SetBaseIdentifier, QByteArray("\x02\x01\x00\xDD\xEE", 5)).isEmpty());
    // A read with a payload, and a command the base has no use for.
    QVERIFY(base.handle(Frame::request(1, Cmd::ReadSettings, QByteArray(1, '\x00'))).reply.isEmpty());
    QVERIFY(send(base, Cmd::Reset).isEmpty());
    // The broadcast address would make it unreachable.
    QVERIFY(send(base, Cmd::SetAddress, QByteArray(1, '\xFF')).isEmpty());
    QCOMPARE(int(base.address()), 1);
    QCOMPARE(int(base.tank().mode()), 0);
    QCOMPARE(int(base.filter()), 0);
    QCOMPARE(nextResult(base), 0);
    QCOMPARE(base.identifier(), 0u);

    // Identifiers without the tail, or the number 0: refused with code 11, kept.
    for (const QByteArray &bad : {QByteArray("\x03\x01\x00\xDD\xEE\x00", 6), QByteArray("\x00\x00\x00\xDD\xEE\xFF", 6)}) {
        QVERIFY(send(base, Cmd::SetBaseIdentifier, bad).isEmpty());
        QCOMPARE(nextResult(base), 11);
        QCOMPARE(QString::fromLatin1(BleReplies::commandResult(11).log), QStringLiteral("Error set UUID BLE"));
        QCOMPARE(base.identifier(), 0u);
        QCOMPARE(base.reboots(), 0);
    }
}

void TestEmulatedBase::anAdvertisingBaseStillAnswers()
{
    for (const int firmware : {222, 223, 998, 999}) {
        EmulatedBase base = baseFrom(QStringLiteral("ble@1:fw=%1").arg(firmware));
        const auto id = BleReplies::decodeIdentification(read(base, Cmd::ReadIdentification));
        QVERIFY(id);
        QCOMPARE(base.isAdvertising(), BleReplies::isAdvertisingVersion(id->baseFirmware));
        QCOMPARE(base.state().value(QStringLiteral("advertising")).toBool(), base.isAdvertising());
        const QByteArray data = read(base, Cmd::ReadSettings);
        QVERIFY(Frame::hasValidCrc(data));
        QCOMPARE(answerCode(data), Cmd::ReadSettings);
    }
}

// ---------------------------------------------------------------- a sensor not linked

void TestEmulatedBase::anUnlinkedSensorIsReportedAndHearsNothing_data()
{
    QTest::addColumn<QString>("description");
    QTest::newRow("battery 0") << "ble@1:battery=0,link=0x21";
    QTest::newRow("link state of a base that does not work") << "ble@1:battery=36,link=0x10";
}

void TestEmulatedBase::anUnlinkedSensorIsReportedAndHearsNothing()
{
    QFETCH(QString, description);
    EmulatedBase base = baseFrom(description + QStringLiteral(",sensorpass=0,empty=5000,full=10000"));
    QVERIFY(!base.isSensorLinked());
    const auto data = BleReplies::decodeData(read(base, Cmd::ReadSettings));
    QVERIFY(data);
    // How the tool tells that no sensor is linked: battery 0 with result code 0.
    QCOMPARE(int(data->battery), 0);
    QCOMPARE(int(data->resultCode), 0);
    QCOMPARE(int(*data->linkState), int(base.linkState()));

    // Relayed commands reach nobody: no change, no echo, no result code.
    QVERIFY(send(base, Cmd::SetFull).isEmpty());
    QVERIFY(send(base, Cmd::SetPasswordBle, password(0)).isEmpty());
    QVERIFY(send(base, Cmd::WriteSettings, QByteArray("\x80\x01", 2)).isEmpty());
    QVERIFY(read(base, Cmd::ReadTable).isEmpty());
    QCOMPARE(nextResult(base), 0);
    QCOMPARE(base.tank().full(), 10000);
    QCOMPARE(int(base.tank().mode()), 0);

    // The base's own requests still work; linking the sensor brings it back.
    QVERIFY(BleReplies::decodeIdentification(read(base, Cmd::ReadIdentification)));
    base.setBattery(36);
    base.setLinkState(BaseConfig::kLinkSensorLinked);
    QVERIFY(send(base, Cmd::SetFull).isEmpty());
    QCOMPARE(nextResult(base), 6);
}

// ---------------------------------------------------------------- passwords

void TestEmulatedBase::aLockedBaseRefusesEveryChange()
{
    EmulatedBase base = baseFrom(QStringLiteral("ble@1:mode=0,filter=0,cnt=7000,noise=0,drift=0"));
    const QByteArray refused = Frame::reply(1, Cmd::WrongPassword);
    // A new password protects at once; the probe with zeros is refused.
    QCOMPARE(send(base, Cmd::SetPassword, password(42)), Frame::reply(1, Cmd::SetPassword));
    QCOMPARE(send(base, Cmd::SetPassword, password(0)), refused);
    QCOMPARE(send(base, Cmd::WriteSettings, QByteArray("\x80\x01", 2)), refused);
    QCOMPARE(send(base, Cmd::SetAddress, QByteArray(1, '\x07')), refused);
    QCOMPARE(send(base, Cmd::SetFull), refused);
    QCOMPARE(send(base, Cmd::ManualEmpty, Frame::bigEndian32(1)), refused);
    QCOMPARE(send(base, Cmd::WriteTable, QByteArray(80, '\x00')), refused);
    QCOMPARE(send(base, Cmd::CalibrateHorizon), refused);
    QCOMPARE(send(base, Cmd::SetBaseIdentifier, *BleReplies::identifierPayload(QStringLiteral("258"))), refused);
    QCOMPARE(send(base, Cmd::RestartBleForUpdate), refused);
    QCOMPARE(send(base, Cmd::SetPasswordBle, password(9)), refused);
    QCOMPARE(int(base.address()), 1);
    QCOMPARE(int(base.tank().mode()), 0);
    QCOMPARE(base.tank().full(), 10000);
    QCOMPARE(base.identifier(), 0u);
    QCOMPARE(base.reboots(), 0);
    QCOMPARE(base.sensorPassword().password(), 0u);
    QCOMPARE(nextResult(base), 0);
    // Reads need no password, nor does entering the sensor's.
    QVERIFY(BleReplies::decodeTable(read(base, Cmd::ReadTable)));
    QVERIFY(send(base, Cmd::EnterPasswordBle, password(0)).isEmpty());
    QCOMPARE(nextResult(base), 3);
    // The probe with the right password says so, and unlocks.
    QCOMPARE(send(base, Cmd::SetPassword, password(42)), Frame::reply(1, Cmd::EnterPassword));
    QVERIFY(!base.basePassword().isLocked());
}

void TestEmulatedBase::aProtectedSensorAnswersTen()
{
    EmulatedBase base = baseFrom(QStringLiteral("ble@1:sensorpass=5,mode=0,filter=0,cnt=7000,noise=0,drift=0"));
    // The probe (E9 with zeros) learns that the sensor is protected.
    QVERIFY(send(base, Cmd::SetPasswordBle, password(0)).isEmpty());
    QCOMPARE(nextResult(base), 10);
    QCOMPARE(base.sensorPassword().password(), 5u);
    QVERIFY(send(base, Cmd::SetFull).isEmpty());
    QCOMPARE(nextResult(base), 10);
    QVERIFY(send(base, Cmd::WriteSettings, QByteArray("\x80\x01", 2)).isEmpty()); // no echo
    QCOMPARE(nextResult(base), 10);
    QVERIFY(send(base, Cmd::RestartBleForUpdate).isEmpty());
    QCOMPARE(nextResult(base), 10);
    QCOMPARE(base.tank().full(), 10000);
    QCOMPARE(int(base.tank().mode()), 0);
    QCOMPARE(base.reboots(), 0);
    // The base's own settings need no sensor password.
    QVERIFY(send(base, Cmd::SetBaseIdentifier, *BleReplies::identifierPayload(QStringLiteral("9"))).isEmpty());
    QCOMPARE(nextResult(base), 1);
    QVERIFY(send(base, Cmd::EnterPasswordBle, password(5)).isEmpty());
    QCOMPARE(nextResult(base), 3);
    QVERIFY(send(base, Cmd::SetFull).isEmpty());
    QCOMPARE(nextResult(base), 6);
    QCOMPARE(base.tank().full(), 7000);
}

// ---------------------------------------------------------------- reboots

void TestEmulatedBase::aRebootForgetsThePasswordsAndAMacUpdatesTheBase()
{
    EmulatedBase base = baseFrom(QStringLiteral("ble@1:reboot=1500,basepass=8,sensorpass=9,mac=C47F510A123B"));
    QCOMPARE(send(base, Cmd::EnterPassword, password(8)), Frame::reply(1, Cmd::EnterPassword));
    QVERIFY(send(base, Cmd::EnterPasswordBle, password(9)).isEmpty());
    QCOMPARE(nextResult(base), 3);
    const EmulatedDevice::Response restart = base.handle(Frame::writeRequest(1, Cmd::RestartBleForUpdate));
    QVERIFY(restart.restarting);
    QVERIFY(restart.reply.isEmpty());
    QCOMPARE(restart.restartTime, 1500ms);
    QCOMPARE(nextResult(base), 5);
    QVERIFY(base.basePassword().isLocked());
    QVERIFY(base.sensorPassword().isLocked());

    // The base's own update: the MAC of the data reply, in its order.
    QCOMPARE(send(base, Cmd::EnterPassword, password(8)), Frame::reply(1, Cmd::EnterPassword));
    const EmulatedDevice::Response update =
        base.handle(Frame::writeRequest(1, Cmd::SetBaseIdentifier, QByteArray("\x3B\x12\x0A\x51\x7F\xC4", 6)));
    QVERIFY(update.restarting);
    QCOMPARE(update.restartTime, 1500ms);
    QCOMPARE(base.reboots(), 2);
    QCOMPARE(nextResult(base), 5);
    QCOMPARE(base.identifier(), 0u); // a MAC is no identifier
}

void TestEmulatedBase::aRebootingBaseIsSilentOnTheLine()
{
    Bench bench({QStringLiteral("ble@1:reboot=400"), QStringLiteral("fls@2")});
    QElapsedTimer clock;
    clock.start();
    bench.wire->deliver(Frame::writeRequest(1, Cmd::RestartBleForUpdate));
    // While it reboots it hears nothing, searches included; the wired sensor still answers.
    QCOMPARE(bench.ask(Frame::searchBroadcast()), QByteArray(1, '\x02'));
    QVERIFY(bench.ask(Frame::request(1, Cmd::ReadSettings), 150).isEmpty());
    QVERIFY(clock.elapsed() < 400);
    QTest::qWait(int(std::max<qint64>(0, 450 - clock.elapsed())));
    const auto data = BleReplies::decodeData(bench.ask(Frame::request(1, Cmd::ReadSettings)));
    QVERIFY(data);
    QCOMPARE(int(data->resultCode), 5);
    // The poll that was not heard did not use the result up: it is told once, now.
    const auto after = BleReplies::decodeData(bench.ask(Frame::request(1, Cmd::ReadSettings)));
    QVERIFY(after);
    QCOMPARE(int(after->resultCode), 0);
    QCOMPARE(bench.ask(Frame::searchBroadcast()), QByteArray("\x01\x02", 2));
}

// ---------------------------------------------------------------- the line

void TestEmulatedBase::theLineCutsEveryBaseRequest()
{
    Bench bench({QStringLiteral("ble@1:cnt=7000,noise=0,drift=0")});
    // Every request the wireless page sends, in one write, each followed by a
    // readings request whose reply tells what the base made of it.
    const QList<QByteArray> requests{
        Frame::writeRequest(1, Cmd::SetPasswordBle, password(0)),
        Frame::writeRequest(1, Cmd::EnterPasswordBle, password(0)),
        Frame::writeRequest(1, Cmd::SetBaseIdentifier, *BleReplies::identifierPayload(QStringLiteral("258"))),
        Frame::writeRequest(1, Cmd::ManualEmpty, Frame::bigEndian32(6000)),
        Frame::writeRequest(1, Cmd::ManualFull, Frame::bigEndian32(9000)),
        Frame::writeRequest(1, Cmd::SetEmpty),
        Frame::writeRequest(1, Cmd::SetFull),
    };
    // A result is told once: the poll after the last one finds none.
    const QList<int> results{3, 3, 1, 4, 4, 7, 6, 0};
    QByteArray stream;
    for (const QByteArray &request : requests)
        stream += request + Frame::request(1, Cmd::ReadSettings);
    stream += Frame::request(1, Cmd::ReadSettings);
    stream += Frame::writeRequest(1, Cmd::WriteSettings, QByteArray("\x80\x03", 2));
    stream += Frame::writeRequest(1, Cmd::RestartBleForUpdate);
    bench.wire->deliver(stream);
    QTRY_COMPARE_WITH_TIMEOUT(int(bench.wire->writes().size()), int(results.size()) + 1, kWait);
    for (int i = 0; i < results.size(); ++i) {
        const auto data = BleReplies::decodeData(bench.wire->writes().at(i));
        QVERIFY(data);
        QCOMPARE(int(data->resultCode), results.at(i));
    }
    QVERIFY(BleReplies::decodeSettingsEcho(bench.wire->writes().last()));
    QCOMPARE(bench.line.base(1)->reboots(), 1);
    QCOMPARE(bench.line.base(1)->identifier(), 258u);
}

void TestEmulatedBase::consoleDrivesTheBase()
{
    Bench bench({QStringLiteral("ble@3:empty=1000,full=2000,noise=0,drift=0"), QStringLiteral("fls@4")});
    LineConsole console(&bench.line);
    for (const QString &command : {QStringLiteral("battery 3 41"), QStringLiteral("rssi 3 -85"),
                                   QStringLiteral("level 512 3"), QStringLiteral("temp -4 3"),
                                   QStringLiteral("link 3 0x1E")})
        QVERIFY2(console.execute(command).ok, qPrintable(command));
    auto data = BleReplies::decodeData(bench.ask(Frame::request(3, Cmd::ReadSettings)));
    QVERIFY(data);
    QCOMPARE(int(data->battery), 41);
    QCOMPARE(int(data->rssi), -85);
    QCOMPARE(int(data->temperature), -4);
    QCOMPARE(int(*data->linkState), 0x1E);
    QCOMPARE(bench.line.base(3)->tank().level(), 512);
    // Levels for all reach the base's sensor and the wired sensor alike.
    QVERIFY(console.execute(QStringLiteral("level 100")).ok);
    QCOMPARE(bench.line.base(3)->tank().level(), 100);
    QCOMPARE(bench.line.sensor(4)->level(), 100);
}

void TestEmulatedBase::consoleRefusesBaseCommandsElsewhere_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("mention");
    QTest::newRow("wired sensor") << "battery 4 36" << "no base station at address 4";
    QTest::newRow("nobody") << "rssi 9 -60" << "no base station at address 9";
    QTest::newRow("value first") << "link 0x21" << "needs a base station address";
    QTest::newRow("battery too big") << "battery 3 256" << "needs a base station address";
    QTest::newRow("rssi too low") << "rssi 3 -200" << "needs a base station address";
}
void TestEmulatedBase::consoleRefusesBaseCommandsElsewhere()
{
    QFETCH(QString, command);
    QFETCH(QString, mention);
    Bench bench({QStringLiteral("ble@3"), QStringLiteral("fls@4")});
    LineConsole console(&bench.line);
    const QJsonObject before = bench.line.state();
    const LineConsole::Result result = console.execute(command);
    QVERIFY(!result.ok);
    QVERIFY2(result.message.contains(mention), qPrintable(result.message));
    QCOMPARE(bench.line.state(), before);
}

void TestEmulatedBase::stateShowsTheBase()
{
    Bench bench({QStringLiteral("fls@1"), QStringLiteral("ble@2:basepass=7,sensorpass=8,mac=C47F510A123B")});
    EmulatedBase *base = bench.line.base(2);
    QVERIFY(base);
    QVERIFY(!bench.line.sensor(2));
    base->handle(Frame::writeRequest(2, Cmd::EnterPassword, password(7)));
    base->handle(Frame::writeRequest(2, Cmd::RestartBleForUpdate)); // refused: the sensor is protected

    LineConsole console(&bench.line);
    const QJsonObject state = QJsonDocument::fromJson(console.execute(QStringLiteral("state")).output.toUtf8()).object();
    const QJsonArray devices = state.value(QStringLiteral("devices")).toArray();
    QCOMPARE(int(devices.size()), 2);
    const QJsonObject ble = devices.at(1).toObject();
    QCOMPARE(ble.value(QStringLiteral("mac")).toString(), QStringLiteral("C4:7F:51:0A:12:3B"));
    QCOMPARE(ble.value(QStringLiteral("baseLocked")).toBool(), false);
    QCOMPARE(ble.value(QStringLiteral("sensorLocked")).toBool(), true);
    QCOMPARE(ble.value(QStringLiteral("resultPending")).toInt(), 10);
    // State dumps never measure, nor use the pending result up.
    QCOMPARE(nextResult(*base), 10);
}

QTEST_GUILESS_MAIN(TestEmulatedBase)
#include "tst_emulatedbase.moc"
