// The wired page's update around the bootloader exchange: what it refuses
// before anything reaches the sensor, the reset and the settling of the
// line before the first knock, the model kept between updates, and the
// texts, log lines, label and progress bar of a finished and a failed update.

#include "app/filedialogs.h"
#include "devices/fls/firmwareupdate.h"
#include "link/frame.h"
#include "link/protocol.h"

#include <QLabel>
#include <QProgressBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr quint8 kAddress = 7;

QByteArray resetFrameTo(quint8 address)
{
    return Frame::writeRequest(address, Protocol::Command::Reset);
}

// A KV610 file: image from file offset 64 to address 0x4000.
QByteArray kv610File(int imageBytes)
{
    QByteArray file(Bootloader::kHeaderSize, '\x11');
    for (int i = 0; i < imageBytes; ++i)
        file.append(char(i));
    return file;
}

class Fixture
{
public:
    Fixture() : update(&page, &bar)
    {
        QObject::connect(&update, &FirmwareUpdate::writeRequested,
                         [this](const QByteArray &frame) { written << frame; });
        QObject::connect(&update, &FirmwareUpdate::logLine,
                         [this](const QString &line) { log << line; });
        QObject::connect(&update, &FirmwareUpdate::showMessage,
                         [this](const QString &text) { messages << text; });
        QObject::connect(&update, &FirmwareUpdate::pageStatus,
                         [this](const QString &text) { statuses << text; });
        QObject::connect(&update, &FirmwareUpdate::pageResumed, [this] { ++resumed; });
    }
    ~Fixture() { FileDialogs::setProvider({}); }

    void choose(const QString &path)
    {
        FileDialogs::setProvider([path](FileDialogs::Kind, const QString &) { return path; });
    }
    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    // Starts and waits until the first knock went out.
    void startAndKnock(const QString &path)
    {
        choose(path);
        update.start(kAddress);
        QTRY_VERIFY(written.size() >= 2);
    }
    // Acknowledges every frame until the exchange asks for nothing more.
    void acknowledgeAll()
    {
        for (int i = 0; i < 10000 && update.isRunning(); ++i) {
            const int before = int(written.size());
            update.bytesReceived(QByteArray(1, char(Bootloader::kAck)));
            if (written.size() == before)
                break; // this frame wants another answer
        }
    }

    QTemporaryDir dir;
    QWidget page;
    QProgressBar bar{&page};
    FirmwareUpdate update;
    QList<QByteArray> written;
    QStringList log;
    QStringList messages;
    QStringList statuses;
    int resumed = 0;
};

} // namespace

class TestFirmwareUpdate : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_settingsDir;

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsDir.path());
    }

    // A path that names no model tells nothing of where the image goes:
    // refused before anything reaches the sensor, which keeps running.
    void noModelRefusedBeforeTheReset()
    {
        Fixture f;
        f.choose(f.writeFile(QStringLiteral("update.bin"), kv610File(10)));
        f.update.start(kAddress);
        QTest::qWait(int(FirmwareUpdate::kLineSettle.count()) + 100);
        QVERIFY(f.written.isEmpty());
        QVERIFY(!f.update.isRunning());
        QVERIFY(!f.update.lastUpdateFailed());
        QCOMPARE(f.messages,
                 QStringList{"Модель датчика не найдена в имени файла прошивки.\n"
                             "Имя файла или папки должно содержать KV210, KV260, KV510, KV610 "
                             "или KVL300"});
        QVERIFY(f.log.isEmpty());
        QCOMPARE(f.resumed, 0);
    }

    // A cancelled dialog, or a file that cannot be read or holds no image
    // for its model: the sensor has been reset and the page searches again,
    // without a knock; what was wrong with the file is said.
    void resetThenBackToTheSearch_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("message");
        QTest::newRow("dialog cancelled") << "KV510.cri" << kv610File(10) << true << QString();
        QTest::newRow("unreadable") << "KV510/missing.cri" << QByteArray() << false
                                    << "Не удалось открыть файл прошивки";
        QTest::newRow("header only") << "KV610.cri" << kv610File(0) << false
                                     << "В файле нет прошивки для этой модели датчика";
        QTest::newRow("ends before the KV510 image")
            << "KV510_v2.cri" << QByteArray(0x5040, '\0') << false
            << "В файле нет прошивки для этой модели датчика";
        QTest::newRow("empty KV260 file") << "KV260.bin" << QByteArray() << false
                                          << "В файле нет прошивки для этой модели датчика";
    }
    void resetThenBackToTheSearch()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, cancel);
        QFETCH(QString, message);
        Fixture f;
        const QString path = name.contains(QLatin1Char('/')) ? f.dir.filePath(name)
                                                             : f.writeFile(name, bytes);
        f.choose(cancel ? QString() : path);
        f.update.start(kAddress);
        QTest::qWait(int(FirmwareUpdate::kLineSettle.count()) + 100);
        QCOMPARE(f.written, QList<QByteArray>{resetFrameTo(kAddress)});
        QVERIFY(!f.update.isRunning());
        QVERIFY(!f.update.lastUpdateFailed());
        QCOMPARE(f.resumed, 1);
        QVERIFY(!f.bar.isVisibleTo(&f.page));
        QCOMPARE(f.messages, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(f.log, QStringList{"Starting update firmware"});
        // A file that could not be used leaves no model for the next one.
        f.choose(f.writeFile(QStringLiteral("next.bin"), kv610File(10)));
        f.written.clear();
        f.update.start(kAddress);
        QVERIFY(f.written.isEmpty());
    }

    // The reset goes out at once; a reply still on its way must not be
    // taken for the bootloader's answer, so the knocking starts only once
    // the line has settled.
    void resetThenKnockAfterTheLineSettled()
    {
        Fixture f;
        f.choose(f.writeFile(QStringLiteral("KV610.cri"), kv610File(300)));
        QSignalSpy released(&f.update, &FirmwareUpdate::pageReleased);
        f.update.start(kAddress);
        QCOMPARE(released.count(), 1);
        QCOMPARE(f.written, QList<QByteArray>{resetFrameTo(kAddress)});
        QCOMPARE(f.log, QStringList{"Starting update firmware"});
        QCOMPARE(f.statuses.last(), QStringLiteral("Переподключите питание датчика"));
        QVERIFY(f.bar.isVisibleTo(&f.page));
        QCOMPARE(f.bar.value(), 0);
        QCOMPARE(f.bar.maximum(), 300 / 128 + 0 + 20);
        // A stray acknowledgement byte of a poll reply during the settling.
        f.update.bytesReceived(QByteArray("\x3E\x07\x79", 3));
        QTest::qWait(int(FirmwareUpdate::kLineSettle.count()) / 2);
        QCOMPARE(f.written.size(), 1);
        QTRY_COMPARE(f.written.size(), 2);
        QCOMPARE(f.written.at(1), QByteArray(1, char(Bootloader::kSync)));
        // Still knocking: the stray byte was not taken as an answer.
        QTRY_VERIFY(f.written.size() >= 3);
        QCOMPARE(f.written.at(2), QByteArray(1, char(Bootloader::kSync)));
        // A second start while it runs does nothing.
        const int sent = int(f.written.size());
        f.update.start(kAddress);
        QCOMPARE(released.count(), 1);
        QVERIFY(f.written.size() <= sent + 1);
    }

    void finishedUpdate()
    {
        Fixture f;
        QSignalSpy header(&f.update, &FirmwareUpdate::headerStatus);
        f.startAndKnock(f.writeFile(QStringLiteral("KV610.cri"), kv610File(200)));
        f.acknowledgeAll();
        QVERIFY(!f.update.isRunning());
        QVERIFY(!f.update.lastUpdateFailed());
        QCOMPARE(f.messages, QStringList{"Прошивка успешно обновлена"});
        QCOMPARE(f.log.size(), 2);
        QVERIFY2(QRegularExpression(QStringLiteral("^End update firmware \\d+ sec$"))
                     .match(f.log.at(1))
                     .hasMatch(),
                 qPrintable(f.log.at(1)));
        QCOMPARE(f.resumed, 1);
        QVERIFY(!f.bar.isVisibleTo(&f.page));
        QVERIFY(f.statuses.contains(QStringLiteral("Идёт обновление прошивки датчика")));
        QCOMPARE(header.count(), 1);
        QCOMPARE(header.at(0).at(0).toString(), QString());
        // The last frame is go.
        QCOMPARE(f.written.last(), QByteArray("\x21\xDE", 2));
    }

    // No acknowledgement for 3000 ms: the bar goes, the label shows for
    // 2000 ms, then the page says the update failed; the update stays
    // offered for a sensor that may have no firmware left.
    void failedUpdate()
    {
        Fixture f;
        f.startAndKnock(f.writeFile(QStringLiteral("KV610.cri"), kv610File(200)));
        f.update.bytesReceived(QByteArray(1, char(Bootloader::kAck))); // the knock answered
        QVERIFY(f.update.isRunning());
        QVERIFY(!f.update.errorLabel()->isVisibleTo(&f.page));
        QTRY_VERIFY_WITH_TIMEOUT(f.update.errorLabel()->isVisibleTo(&f.page), 4000);
        QVERIFY(!f.update.isRunning());
        QVERIFY(f.update.lastUpdateFailed());
        QVERIFY(!f.bar.isVisibleTo(&f.page));
        QCOMPARE(f.resumed, 1);
        QVERIFY(f.log.last().startsWith(QLatin1String("Error update firmware ")));
        QVERIFY(!f.statuses.contains(QStringLiteral("Прошивка не обновлена")));
        QTRY_VERIFY_WITH_TIMEOUT(!f.update.errorLabel()->isVisibleTo(&f.page), 3000);
        QCOMPARE(f.statuses.last(), QStringLiteral("Прошивка не обновлена"));
        QVERIFY(f.messages.isEmpty());

        // The next update starts from 0 again and clears the failure.
        f.written.clear();
        f.startAndKnock(f.writeFile(QStringLiteral("KV610.cri"), kv610File(200)));
        QCOMPARE(f.bar.value(), 0);
        QVERIFY(!f.update.lastUpdateFailed());
    }

    void abortWhileKnocking()
    {
        Fixture f;
        f.startAndKnock(f.writeFile(QStringLiteral("KV610.cri"), kv610File(200)));
        f.update.abort();
        QVERIFY(!f.update.isRunning());
        QVERIFY(f.update.lastUpdateFailed());
        QVERIFY(f.log.last().startsWith(QLatin1String("Error update firmware ")));
        QCOMPARE(f.statuses.last(), QStringLiteral("Прошивка не обновлена"));
        const int sent = int(f.written.size());
        QTest::qWait(300);
        QCOMPARE(f.written.size(), sent); // no more knocking
        f.update.abort();                 // a second abort says nothing more
        QCOMPARE(f.log.count(QStringLiteral("Starting update firmware")), 1);
    }

    // A file that names no model takes the addresses of the run's last
    // update that named one; a KV260 update tells nothing about them.
    void modelKeptForTheNextUpdate()
    {
        Fixture f;
        f.startAndKnock(f.writeFile(QStringLiteral("KV610.cri"), kv610File(10)));
        f.acknowledgeAll();
        f.written.clear();
        f.startAndKnock(f.writeFile(QStringLiteral("plain.cri"), kv610File(10)));
        f.update.bytesReceived(QByteArray(1, char(Bootloader::kAck)));
        QCOMPARE(f.written.last(), QByteArray("\x43\xBC", 2)); // erase: the bootloader protocol
        f.update.abort();

        Fixture g;
        g.startAndKnock(g.writeFile(QStringLiteral("KV260.bin"), QByteArray(64, '\x01')));
        g.acknowledgeAll(); // the blocks; the completion wants its own answer
        g.update.bytesReceived(QByteArray("\xD2\x70", 2));
        QVERIFY(!g.update.isRunning());
        g.written.clear();
        g.messages.clear();
        g.choose(g.writeFile(QStringLiteral("plain.cri"), kv610File(10)));
        g.update.start(kAddress);
        QVERIFY(g.written.isEmpty());
        QCOMPARE(g.messages.size(), 1);
    }

    // The folder of the chosen file is kept for the next dialog; a
    // cancelled dialog keeps the one before.
    void folderKept()
    {
        Fixture f;
        const QString path = f.writeFile(QStringLiteral("KV610.cri"), kv610File(10));
        f.choose(path);
        f.update.start(kAddress);
        f.update.abort();
        const QString key = QString::fromLatin1(FirmwareUpdate::kFolderKey);
        QCOMPARE(QSettings(QStringLiteral("Volmar"), QStringLiteral("Volmar Configurator"))
                     .value(key)
                     .toString(),
                 QFileInfo(path).absoluteFilePath());
        f.choose(QString());
        f.update.start(kAddress);
        QCOMPARE(QSettings(QStringLiteral("Volmar"), QStringLiteral("Volmar Configurator"))
                     .value(key)
                     .toString(),
                 QFileInfo(path).absoluteFilePath());
    }

    // After a failed update no sensor answers and the page knows no
    // address: no reset is sent, the knocking starts straight away.
    void noResetWithoutAnAddress()
    {
        Fixture f;
        f.choose(f.writeFile(QStringLiteral("KV610.cri"), kv610File(10)));
        f.update.start(0);
        QVERIFY(f.written.isEmpty());
        QTRY_COMPARE(f.written.value(0), QByteArray(1, char(Bootloader::kSync)));
    }
};

QTEST_MAIN(TestFirmwareUpdate)
#include "tst_firmwareupdate.moc"
