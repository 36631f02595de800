// Renders the main pages of the tool offscreen into PNG files for the
// README: the wired, wireless, tag reader and angle sensor pages run against
// the built-in emulated sensor line.
#include "app/configurator.h"
#include "app/startupoptions.h"
#include "app/filedialogs.h"
#include "devices/fls/flsdevice.h"
#include "devices/wireless/securityble.h"
#include "emulator/emulatedsensor.h"
#include "emulator/virtualline.h"
#include "ui_configurator.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>

namespace {
void waitFor(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void save(QWidget &window, const QString &dir, const QString &name)
{
    const QString path = QDir(dir).filePath(name);
    if (!window.grab().save(path))
        qWarning("could not write %s", qPrintable(path));
    else
        qInfo("wrote %s", qPrintable(path));
}
} // namespace

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(resources);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("VOLMAR_SCREEN_HEIGHT", "1080");
    QApplication app(argc, argv);
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    QDir().mkpath(outDir);

    StartupOptions options;
    options.demo = true;
    Configurator window(options);
    window.show();
    save(window, outDir, QStringLiteral("start.png"));

    window.connectDevice(QStringLiteral("fls"));
    waitFor(6000); // search, settings and identification replies
    save(window, outDir, QStringLiteral("wired-sensor.png"));

    window.slotShortcutF1();
    QEvent enter(QEvent::Enter); // the engineer points at the filtration list
    QCoreApplication::sendEvent(window.form()->comboBox_FiltrDUT, &enter);
    waitFor(200);
    save(window, outDir, QStringLiteral("help-mode.png"));
    window.closeHelp();

    window.flsDevice()->updateEngineeringAvailability();
    window.setParentForGroupBoxSerPort(window.form()->EngineerMenuDUT);
    waitFor(200);
    save(window, outDir, QStringLiteral("engineering-menu.png"));
    window.on_pushBtnEngineerBack_clicked();

    // A calibration run of a few portions, kept in a throw-away file.
    QTemporaryDir runDir;
    FileDialogs::setProvider([&runDir](FileDialogs::Kind, const QString &) {
        return runDir.filePath(QStringLiteral("tank.csv"));
    });
    window.on_ButtonTarirovka_clicked();
    window.on_comboBoxZalivSliv_textActivated(QStringLiteral("Заливом"));
    window.on_pushButtonAdSensorTar_clicked();
    for (int i = 0; i < 4; ++i) {
        window.demoLine()->sensors().first()->setLevel(120 + 60 * (i + 1));
        waitFor(1200);
        window.on_pushButtonAdPortionTar_clicked();
    }
    save(window, outDir, QStringLiteral("calibration.png"));
    window.on_pushButtonGraphShow_clicked();
    waitFor(300);
    save(window, outDir, QStringLiteral("calibration-graph.png"));

    // The wireless page with a base station relaying its linked sensor.
    SecurityBLE::setResponder([](SecurityBLE &dialog) { dialog.skipButton()->click(); });
    StartupOptions wireless;
    wireless.demo = true;
    wireless.demoDevices = QStringList{QStringLiteral(
        "ble@1:fw=215,battery=36,rssi=-60,mac=C47F510A123B,sensorfw=105,level=650,filter=0x03")};
    Configurator base(wireless);
    base.show();
    base.connectDevice(QStringLiteral("ble"));
    waitFor(6000); // search, identification, data and the password probe
    save(base, outDir, QStringLiteral("wireless-page.png"));
    base.close();

    // A base in advertising mode hearing four sensors, one of them not
    // connected yet, and a run begun on the second tab.
    StartupOptions heard;
    heard.demo = true;
    heard.demoDevices = QStringList{QStringLiteral(
        "ble@1:fw=230,advflags=0x17,adv=KV_100001/5/640/36/-48*;KV_100002/7/410/34/-61*;"
        "KV_100003/9/220/31/-75*;KV_100004/11/0/36/-52")};
    Configurator advertising(heard);
    advertising.show();
    advertising.connectDevice(QStringLiteral("ble"));
    waitFor(7000); // search, identification and every sensor's records
    advertising.form()->tabWidgetAdw->setCurrentIndex(1);
    const QString runFile = QDir(QDir::tempPath()).filePath(QStringLiteral("volmar-shot-adw.csv"));
    QFile::remove(runFile);
    FileDialogs::setProvider([&runFile](FileDialogs::Kind, const QString &) { return runFile; });
    advertising.form()->pushButtonStartTarAdw->click();
    advertising.form()->pushButtonAdPortionAdw->click();
    advertising.form()->pushButtonAdPortionAdw->click();
    waitFor(300);
    FileDialogs::setProvider({});
    QFile::remove(runFile);
    save(advertising, outDir, QStringLiteral("advertising-sensors.png"));
    advertising.close();

    // Two tag readers on one line, the identifier of the tag before the
    // first one read.
    StartupOptions readers;
    readers.demo = true;
    readers.demoDevices = QStringList{QStringLiteral("tag@7:mode=1,serial=4242,fw=123,id=0xC0FFEE"),
                                      QStringLiteral("tag@8:mode=0,serial=4243,fw=123")};
    Configurator tag(readers);
    tag.show();
    tag.connectDevice(QStringLiteral("tag"));
    waitFor(4000); // search, settings and identification of both readers
    tag.form()->pushButtonReadIDWT->click();
    waitFor(200);
    save(tag, outDir, QStringLiteral("tag-reader.png"));
    tag.close();

    // The angle sensor on a tipper in mode 2 with the master bit set.
    StartupOptions angle;
    angle.demo = true;
    angle.demoDevices =
        QStringList{QStringLiteral("aq420@4:angle=35,up=70,down=20,mode=0x03,serial=420017,fw=123")};
    Configurator aq420(angle);
    aq420.show();
    aq420.connectDevice(QStringLiteral("aq420"));
    waitFor(5000); // search, readings and identification at the angle sensor's pace
    save(aq420, outDir, QStringLiteral("angle-sensor.png"));
    aq420.close();

    // A KV510 being flashed with a 32 KiB image, some way into the image;
    // the demo sensor switches its power off and on by itself.
    QTemporaryDir firmwareDir;
    const QString firmware = firmwareDir.filePath(QStringLiteral("KV510/firmware.cri"));
    QDir().mkpath(QFileInfo(firmware).path());
    QFile file(firmware);
    if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(0x5040 + 32 * 1024, '\x5A')) < 0)
        qWarning("could not write %s", qPrintable(firmware));
    file.close();
    StartupOptions flashing;
    flashing.demo = true;
    flashing.demoDevices = QStringList{QStringLiteral("kv510@1:autocycle=500")};
    Configurator update(flashing);
    update.show();
    update.connectDevice(QStringLiteral("fls"));
    waitFor(5000);
    FileDialogs::setProvider([&firmware](FileDialogs::Kind, const QString &) { return firmware; });
    update.flsDevice()->setFirmWareToDevice();
    waitFor(9000); // reset, power cycle, erase, configuration and part of the image
    FileDialogs::setProvider({});
    save(update, outDir, QStringLiteral("firmware-update.png"));
    return 0;
}
