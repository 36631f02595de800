// Firmware updates by the wired page against emulated sensors whose
// bootloader answers at real byte timing over a pseudo-terminal.
#include "app/configurator.h"
#include "app/filedialogs.h"
#include "devices/fls/firmwareupdate.h"
#include "devices/fls/flsdevice.h"
#include "dialogrecorder.h"
#include "linebench.h"
#include "emulator/virtualline.h"
#include "link/portlist.h"
#include "ui_configurator.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace std::chrono_literals;

namespace {
constexpr int kConnectTimeout = 8000;  // ms; a connection takes about 1.6 s
constexpr int kUpdateTimeout = 30000;  // ms; the images here take a few seconds
constexpr int kFailureTimeout = 8000;  // ms; 3000 without an answer, then the label's 2000
constexpr quint32 kKv510Start = 0x9000;
constexpr int kKv510ImageStart = 0x5040;
constexpr quint32 kConfigurationAddress = 0x4803; // every other byte up to 0x4809
const QString kUpdateEntry = QStringLiteral("Обновить прошивку");
const QString kSucceeded = QStringLiteral("Прошивка успешно обновлена");
const QString kNotUpdated = QStringLiteral("Прошивка не обновлена");
const QString kPowerCycle = QStringLiteral("Переподключите питание датчика");

// Bytes that are no pattern of the code: a slipped block or address shows.
QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char(random.bounded(256));
    return bytes;
}

class Bench : public LineBench
{
public:
    explicit Bench(const QStringList &devices) : LineBench(devices, 3)
    {
        QObject::connect(update(), &FirmwareUpdate::bootloaderAnswered, update(),
                         [this] { ++m_bootloaderAnswers; });
        QObject::connect(ui()->progressBarFirmwareDUT, &QProgressBar::valueChanged,
                         ui()->progressBarFirmwareDUT, [this](int value) { m_progress << value; });
    }
    ~Bench() override { FileDialogs::setProvider({}); }

    FLSDevice *fls() const { return window().flsDevice(); }
    FirmwareUpdate *update() const { return fls()->firmwareUpdate(); }
    QList<int> &progress() { return m_progress; }
    int bootloaderAnswers() const { return m_bootloaderAnswers; }

    bool connectSensor()
    {
        return pressDeviceButton(QStringLiteral("fls")) && sensorConnectedAgain();
    }
    bool sensorConnectedAgain()
    {
        return QTest::qWaitFor([&] { return fls()->isDeviceConnected() && !fls()->formRefresh(); },
                               kConnectTimeout);
    }

    void chooseFile(const QString &path)
    {
        FileDialogs::setProvider([path](FileDialogs::Kind, const QString &) { return path; });
    }
    bool updateDone() { return QTest::qWaitFor([&] { return !update()->isRunning(); }, kUpdateTimeout); }

    int resetsSince(int mark, quint8 address) const { return int(sentSince(mark, 0x88, address).size()); }

private:
    QList<int> m_progress;
    int m_bootloaderAnswers = 0;
};

} // namespace

class TestFirmwareE2E : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_workDir;

    // A KV510 file: 64 header bytes, the bytes below the start address, the image.
    QString kv510File(const QString &name, const QByteArray &image)
    {
        QByteArray file = randomBytes(kKv510ImageStart, 510);
        file += image;
        return writeFile(name, file);
    }
    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = QDir(m_workDir.path()).filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_workDir.isValid());
        QDir::setCurrent(m_workDir.path()); // log.txt lands here
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_workDir.path());
        PortList::setSystemPortsProvider([] { return QVector<PortList::Port>{}; });
    }

    // The whole update with a second sensor on the line, then another update
    // in the same run: only the chosen sensor is reset and flashed, its flash
    // holds the image and the configuration bytes, both are found again, and
    // the second update's progress starts from 0.
    void kv510UpdateReadBackFromTheFlash()
    {
        DialogRecorder dialogs;
        Bench bench({QStringLiteral("kv510@1:autocycle=400"), QStringLiteral("kv210@2")});
        QVERIFY(bench.connectSensor());
        const QByteArray image = randomBytes(4 * 1024 + 100, 1);
        const QString path = kv510File(QStringLiteral("KV510/firmware_v2.cri"), image);
        bench.chooseFile(path);
        const LogMark log;
        const int mark = bench.requestCount();
        QVERIFY(bench.pickServiceEntry(kUpdateEntry));
        QVERIFY(bench.update()->isRunning());
        QCOMPARE(bench.fls()->statusLabel()->text(), kPowerCycle);
        QVERIFY(bench.ui()->progressBarFirmwareDUT->isVisibleTo(bench.ui()->DUT));
        QCOMPARE(bench.ui()->progressBarFirmwareDUT->maximum(), (4 * 1024 + 100) / 128 + 8 + 20);
        QVERIFY(bench.updateDone());
        QTRY_COMPARE(dialogs.messages(), QStringList{kSucceeded});
        QCOMPARE(bench.resetsSince(mark, 1), 1);
        QCOMPARE(bench.resetsSince(mark, 2), 0);
        QCOMPARE(bench.line().sensor(2)->resets(), 0);
        QVERIFY(log.hasLineStarting(QStringLiteral("Starting update firmware")));
        QVERIFY(log.hasLineStarting(QStringLiteral("End update firmware ")));
        QVERIFY(!bench.ui()->progressBarFirmwareDUT->isVisibleTo(bench.ui()->DUT));

        const EmulatedSensor *sensor = bench.line().sensor(1);
        // Whole blocks: the image, then zeros to the end of its last block.
        const int padded = (image.size() / 128 + 1) * 128;
        QCOMPARE(sensor->memory(kKv510Start, padded).left(image.size()).toHex(), image.toHex());
        QCOMPARE(sensor->memory(kKv510Start + quint32(image.size()), padded - int(image.size())),
                 QByteArray(padded - int(image.size()), '\0'));
        const QByteArray header = randomBytes(kKv510ImageStart, 510);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(sensor->memory(kConfigurationAddress + 2 * quint32(i), 1), header.mid(19 + i, 1));
        QVERIFY(bench.sensorConnectedAgain());
        QCOMPARE(bench.fls()->statusLabel()->text(), QStringLiteral("Подключен KV510"));
        QTRY_COMPARE_WITH_TIMEOUT(bench.ui()->comboBox_NetNumDUT->count(), 2, kConnectTimeout);

        // Again, from a folder that names no model: the KV510 layout is kept.
        const QByteArray second = randomBytes(2 * 1024, 2);
        bench.chooseFile(kv510File(QStringLiteral("next/firmware.cri"), second));
        bench.progress().clear();
        dialogs.clear();
        QVERIFY(bench.pickServiceEntry(kUpdateEntry));
        QCOMPARE(bench.ui()->progressBarFirmwareDUT->value(), 0);
        QVERIFY(bench.updateDone());
        QTRY_COMPARE(dialogs.messages(), QStringList{kSucceeded});
        QVERIFY(!bench.progress().isEmpty());
        QCOMPARE(bench.progress().first(), 0);
        QVERIFY(std::is_sorted(bench.progress().begin(), bench.progress().end()));
        QCOMPARE(sensor->memory(kKv510Start, int(second.size())).toHex(), second.toHex());
        QVERIFY(bench.sensorConnectedAgain());
    }

    // KV260 mode behind a converter that hands bytes over every 16 ms: the
    // two-byte answers arrive in any split.
    void kv260UpdateBehindAConverter()
    {
        DialogRecorder dialogs;
        Bench bench({QStringLiteral("kv260@2:autocycle=400")});
        LineFaults faults;
        faults.chunkPeriod = 16ms;
        bench.line().setFaults(faults);
        QVERIFY(bench.connectSensor());
        const QByteArray file = randomBytes(1000, 260);
        bench.chooseFile(writeFile(QStringLiteral("KV260_fw.bin"), file));
        QVERIFY(bench.pickServiceEntry(kUpdateEntry));
        QVERIFY(bench.updateDone());
        QTRY_COMPARE(dialogs.messages(), QStringList{kSucceeded});
        const int padded = (file.size() / 64 + 1) * 64;
        const QByteArray flash =
            bench.line().sensor(2)->memory(EmulatedBootloader::kKv260ImageBase, padded);
        QCOMPARE(flash.left(file.size()).toHex(), file.toHex());
        QCOMPARE(flash.mid(file.size()), QByteArray(padded - int(file.size()), '\0'));
        QVERIFY(bench.sensorConnectedAgain());
    }

    // The bootloader falls silent in the middle: 3000 ms later the label
    // shows, 2000 ms after that the page says the update failed. The sensor
    // has no application left and answers no search; the update stays
    // offered, and after the next power cycle it succeeds.
    void sensorStopsAnsweringThenUpdatedAgain()
    {
        DialogRecorder dialogs;
        Bench bench({QStringLiteral("kv510@1:autocycle=400")});
        QVERIFY(bench.connectSensor());
        const QByteArray image = randomBytes(6 * 1024, 3);
        bench.chooseFile(kv510File(QStringLiteral("KV510/big.cri"), image));
        const LogMark log;
        QVERIFY(bench.pickServiceEntry(kUpdateEntry));
        QVERIFY(QTest::qWaitFor([&] { return bench.ui()->progressBarFirmwareDUT->value() > 25; },
                                kUpdateTimeout));
        bench.line().goSilent();
        QLabel *label = bench.update()->errorLabel();
        QTRY_VERIFY_WITH_TIMEOUT(label->isVisibleTo(bench.ui()->DUT), kFailureTimeout);
        QCOMPARE(label->text(), QStringLiteral("Ошибка в обновлении"));
        QVERIFY(log.hasLineStarting(QStringLiteral("Error update firmware ")));
        QVERIFY(!bench.ui()->progressBarFirmwareDUT->isVisibleTo(bench.ui()->DUT));
        QTRY_VERIFY_WITH_TIMEOUT(!label->isVisibleTo(bench.ui()->DUT), kFailureTimeout);
        QCOMPARE(bench.fls()->statusLabel()->text(), kNotUpdated);
        QVERIFY(dialogs.messages().isEmpty());

        bench.line().resume();
        QTest::qWait(1500); // the page searches; the half-flashed sensor cannot answer
        QVERIFY(!bench.fls()->isDeviceConnected());
        QVERIFY(bench.fls()->firmwareUpdateOffered());
        const int mark = bench.requestCount();
        QVERIFY(bench.pickServiceEntry(kUpdateEntry));
        QVERIFY(bench.update()->isRunning());
        QTest::qWait(300);
        bench.line().powerCycle(bench.line().sensor(1)); // the engineer does it
        QVERIFY(bench.updateDone());
        QTRY_COMPARE(dialogs.messages(), QStringList{kSucceeded});
        QCOMPARE(bench.resetsSince(mark, 1), 1); // the page still knew the address
        QCOMPARE(bench.line().sensor(1)->memory(kKv510Start, int(image.size())).toHex(),
                 image.toHex());
        QVERIFY(bench.sensorConnectedAgain());
    }

    // A cancelled dialog resets the sensor, which the page finds again; a
    // file whose path names no model reaches nothing: the readings go on.
    void cancelledAndRefusedFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("resets");
        QTest::newRow("cancelled") << QString() << QString() << 1;
        QTest::newRow("no model named")
            << QStringLiteral("firmware/update.cri")
            << QStringLiteral("Модель датчика не найдена в имени файла прошивки.\n"
                              "Имя файла или папки должно содержать KV210, KV260, KV510, KV610 "
                              "или KVL300")
            << 0;
    }
    void cancelledAndRefusedFiles()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        QFETCH(int, resets);
        DialogRecorder dialogs;
        Bench bench({QStringLiteral("kv510@1")});
        QVERIFY(bench.connectSensor());
        bench.chooseFile(name.isEmpty() ? QString()
                                        : kv510File(name, randomBytes(1024, 4)));
        const int mark = bench.requestCount();
        QVERIFY(bench.pickServiceEntry(kUpdateEntry));
        QVERIFY(!bench.update()->isRunning());
        QTRY_COMPARE(dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QTest::qWait(1200);
        QCOMPARE(bench.resetsSince(mark, 1), resets);
        QCOMPARE(bench.line().sensor(1)->resets(), resets);
        QVERIFY(bench.sensorConnectedAgain());
        QVERIFY(!bench.ui()->progressBarFirmwareDUT->isVisibleTo(bench.ui()->DUT));
    }

    // The converter goes in the middle: the update ends with the loss
    // message, nothing hangs, nothing is sent any more.
    void converterLostDuringTheUpdate()
    {
        DialogRecorder dialogs;
        Bench bench({QStringLiteral("kv510@1:autocycle=400")});
        QVERIFY(bench.connectSensor());
        bench.chooseFile(kv510File(QStringLiteral("KV510/lost.cri"), randomBytes(8 * 1024, 5)));
        const LogMark log;
        QVERIFY(bench.pickServiceEntry(kUpdateEntry));
        QVERIFY(QTest::qWaitFor([&] { return bench.bootloaderAnswers() > 0; }, kUpdateTimeout));
        bench.line().hangUp();
        QTRY_VERIFY_WITH_TIMEOUT(!bench.update()->isRunning(), 3000);
        QTRY_VERIFY(dialogs.messages().contains(QStringLiteral("Проверьте подключение преобразователя!")));
        QVERIFY(!dialogs.messages().contains(kSucceeded));
        QVERIFY(log.hasLineStarting(QStringLiteral("Error update firmware ")));
        QVERIFY(!bench.ui()->pushButtonDeviceFLS->isChecked());
    }
};

QTEST_MAIN(TestFirmwareE2E)
#include "tst_firmware_e2e.moc"
