// One firmware update by the tool, offscreen, the way the engineer starts
// it: connect the wired sensor, choose the file in the service menu, wait
// for the power cycle (the emulated sensor is told to do it by itself), and
// time the exchange from the bootloader's first answer to its answer to go.
// bench/flash.sh sets up the sensor and the image and reads the flash back.
//   bench_flash PORT FILE
// Prints "exchange SECONDS", "total SECONDS" and "result ok|failed".
#include "app/configurator.h"
#include "app/dynamicqdialog.h"
#include "app/filedialogs.h"
#include "devices/fls/firmwareupdate.h"
#include "devices/fls/flsdevice.h"
#include "link/portlist.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

namespace {
constexpr int kConnectTimeoutMs = 10000;
constexpr int kUpdateTimeoutMs = 300000;

void fail(const char *what)
{
    std::printf("result failed (%s)\n", what);
    std::fflush(stdout);
    QCoreApplication::exit(1);
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_flash PORT FILE\n");
        return 2;
    }
    const QString port = QString::fromLocal8Bit(argv[1]);
    const QString file = QString::fromLocal8Bit(argv[2]);
    PortList::setSystemPortsProvider([] { return QVector<PortList::Port>{}; });
    FileDialogs::setProvider([file](FileDialogs::Kind, const QString &) { return file; });
    // The result dialog would wait for a click.
    DynamicQDialog::setResponder([](DynamicQDialog &) { return 1; });

    StartupOptions options;
    options.extraPorts << port;
    Configurator window(options);
    FLSDevice *page = window.flsDevice();
    FirmwareUpdate *update = page->firmwareUpdate();
    QElapsedTimer total;
    QElapsedTimer exchange;
    QObject::connect(update, &FirmwareUpdate::bootloaderAnswered, &app, [&] { exchange.start(); });
    QObject::connect(update->exchange(), &FirmwareExchange::finished, &app,
                     [&](bool ok, const QString &) {
                         const double seconds = double(exchange.nsecsElapsed()) / 1e9;
                         std::printf("exchange %.3f\ntotal %.3f\nresult %s\n", seconds,
                                     double(total.elapsed()) / 1000.0, ok ? "ok" : "failed");
                         std::fflush(stdout);
                         QTimer::singleShot(100, &app, [ok] { QCoreApplication::exit(ok ? 0 : 1); });
                     });

    window.connectDevice(QStringLiteral("fls"));
    QElapsedTimer waiting;
    waiting.start();
    auto *poll = new QTimer(&app);
    QObject::connect(poll, &QTimer::timeout, &app, [&] {
        if (!page->isDeviceConnected()) {
            if (waiting.elapsed() > kConnectTimeoutMs) {
                poll->stop();
                fail("no sensor");
            }
            return;
        }
        poll->stop();
        total.start();
        page->setFirmWareToDevice();
        if (!update->isRunning())
            fail("update refused");
    });
    poll->start(50);
    QTimer::singleShot(kUpdateTimeoutMs, &app, [] { fail("timeout"); });
    return QApplication::exec();
}
