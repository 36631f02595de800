// The tool's poll cycle on a line for a given time, offscreen: how many
// readings replies its wired-sensor page decoded (one level handed on to the
// calibration per reply). bench/converter.sh sets the line up behind an
// emulated USB converter and compares with what the sensors sent.
//   bench_converter PORT SECONDS
#include "app/configurator.h"
#include "devices/fls/flsdevice.h"
#include "link/portlist.h"
#include "link/sharedtimers.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_converter PORT SECONDS\n");
        return 2;
    }
    const QString port = QString::fromLocal8Bit(argv[1]);
    const int seconds = QString::fromLocal8Bit(argv[2]).toInt();
    PortList::setSystemPortsProvider([] { return QVector<PortList::Port>{}; });

    StartupOptions options;
    options.extraPorts << port;
    Configurator window(options);
    long decoded = 0;
    QObject::connect(window.flsDevice(), &FLSDevice::copyLevelValueToMain, &window,
                     [&decoded](int, int) { ++decoded; });
    window.connectDevice(QStringLiteral("fls"));

    // After the run no more requests go out; two parse ticks later every
    // reply still on its way has been taken or lost.
    QTimer::singleShot(seconds * 1000, &window, [] { SharedTimers::pollTimer()->stop(); });
    QTimer::singleShot(seconds * 1000 + 1500, &app, [&] {
        std::printf("decoded %ld\n", decoded);
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    return QApplication::exec();
}
