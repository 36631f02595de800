// volmar-emulator: Volmar wired fuel level sensors, BLE base stations, AQ420
// angle sensors and tag readers on a virtual RS-485 line.
// The first line on standard output is the port the tool should open; commands
// typed on standard input inject faults, move levels and dump the state.

#include "lineconsole.h"
#include "stdinreader.h"
#include "terminationwatcher.h"
#include "virtualline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <optional>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

namespace {

constexpr int kUsageError = 2; // bad option or device description
constexpr int kLineError = 1;  // the line could not be opened
constexpr auto kDefaultDevice = "fls@1";

void printOut(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void printErr(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

int usageError(const QString &message)
{
    printErr(QStringLiteral("volmar-emulator: %1").arg(message));
    return kUsageError;
}

std::optional<double> fractionOption(const QCommandLineParser &parser, const QString &name, QString *error)
{
    if (!parser.isSet(name))
        return 0.0;
    bool ok = false;
    const double value = parser.value(name).toDouble(&ok);
    if (!ok || value < 0.0 || value > 1.0) {
        *error = QStringLiteral("--%1 needs a fraction 0..1, not '%2'").arg(name, parser.value(name));
        return std::nullopt;
    }
    return value;
}

std::optional<qint64> integerOption(const QCommandLineParser &parser, const QString &name, qint64 low,
                                    qint64 high, QString *error)
{
    bool ok = false;
    const qint64 value = parser.value(name).toLongLong(&ok);
    if (!ok || value < low || value > high) {
        *error = QStringLiteral("--%1 needs a number %2..%3, not '%4'")
                     .arg(name)
                     .arg(low)
                     .arg(high)
                     .arg(parser.value(name));
        return std::nullopt;
    }
    return value;
}

QString deviceHelp()
{
    return QStringLiteral(
        "Emulated Volmar wired fuel level sensors, BLE base stations, AQ420 angle sensors\n"
        "and tag readers on a virtual RS-485 line.\n"
        "\n"
        "Without --serial the line is a pseudo-terminal (POSIX systems only; on Windows\n"
        "install a virtual COM port pair and start with --serial on one end of it).\n"
        "The first line printed is the port for the tool to open.\n"
        "\n"
        "Devices: --device KIND@ADDRESS[:key=value,...], repeatable; default %1.\n"
        "  wired sensors: %2\n"
        "    keys: %3\n"
        "  base station: %4\n"
        "    keys: %5\n"
        "  e.g. --device kv510@1:lamp=15,noise=3 --device kv260@2:out=0x10\n"
        "       --device ble@3:fw=215,link=0x21,battery=36,rssi=-60,mac=C47F510A123B\n"
        "  advertising base (fw 223..998) with the sensors it hears, in slot order\n"
        "  (quote it: ';' ends a shell command):\n"
        "       --device 'ble@4:fw=230,advflags=0x01,adv=KV_100001/5;KV_100002/6/600/36/-48*'\n"
        "    adv=NAME/ADDRESS[/LEVEL[/BATTERY[/RSSI]]][*];...  up to four; * = connected\n"
        "  tag reader: %7\n"
        "    keys: %8  (mode bit 0: reader; 0: the device is a tag)\n"
        "  e.g. --device tag@7:mode=1,serial=4242,id=0xFF\n"
        "  angle sensor: %9\n"
        "    keys: %10\n"
        "    (mode 0x00, 0x02, 0x04: modes 1-3, 0x08 blade, 0x10 bucket, bit 0 master;\n"
        "    frozen=1 echoes changes and keeps its settings)\n"
        "  e.g. --device aq420@4:angle=35,up=80,down=10,mode=0x10\n"
        "\n"
        "Firmware update: a wired sensor has its ROM bootloader. After a power cycle\n"
        "(power-cycle [ADDR] on standard input, or autocycle=MS: by itself MS ms after\n"
        "each reset 0x88) it answers the knock 0x7F with 0x79 for 1000 ms and then\n"
        "takes the tool's bootloader frames (KV260: its 67-byte blocks); meanwhile the\n"
        "line's bytes are its alone. Erased and not finished, it waits for a knock.\n"
        "  e.g. --device kv510@1:autocycle=200, then update in the tool and check with\n"
        "       dump 1 0x9000 4096 /tmp/image.bin and state (its \"boot\" object)\n"
        "\n%6")
        .arg(QLatin1String(kDefaultDevice), SensorKinds::names().join(QLatin1String(", ")),
             DeviceConfig::keys().join(QLatin1String(", ")), QLatin1String(BaseConfig::kKindName),
             BaseConfig::keys().join(QLatin1String(", ")), LineConsole::help())
        .arg(QLatin1String(TagConfig::kKindName), TagConfig::keys().join(QLatin1String(", ")))
        .arg(QLatin1String(Aq420Config::kKindName), Aq420Config::keys().join(QLatin1String(", ")));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("volmar-emulator"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VOLMAR_EMULATOR_VERSION));

#ifdef Q_OS_UNIX
    std::signal(SIGPIPE, SIG_IGN); // a closed stdout must not kill the line
#endif

    QCommandLineParser parser;
    parser.setApplicationDescription(deviceHelp());
    parser.addHelpOption();
    parser.addVersionOption();
    const QString deviceOpt = QStringLiteral("device");
    const QString linkOpt = QStringLiteral("link");
    const QString serialOpt = QStringLiteral("serial");
    const QString delayOpt = QStringLiteral("reply-delay");
    const QString seedOpt = QStringLiteral("seed");
    const QString traceOpt = QStringLiteral("trace");
    const QString dropOpt = QStringLiteral("drop");
    const QString corruptOpt = QStringLiteral("corrupt");
    const QString garbageOpt = QStringLiteral("garbage-rate");
    const QString splitOpt = QStringLiteral("split");
    const QString wrongOpt = QStringLiteral("wrong-address");
    const QString chunkOpt = QStringLiteral("chunk");
    parser.addOptions({
        {{QStringLiteral("d"), deviceOpt}, QStringLiteral("A sensor, base station or tag reader on the line (repeatable)."),
         QStringLiteral("KIND@ADDRESS[:key=value,...]")},
        {linkOpt, QStringLiteral("Also make a symlink PATH to the pseudo-terminal (removed at exit)."),
         QStringLiteral("PATH")},
        {serialOpt,
         QStringLiteral("Sit on this real serial port (19200 8N1) instead of a pseudo-terminal; on Windows, "
                        "one end of a virtual COM port pair."),
         QStringLiteral("NAME")},
        {delayOpt, QStringLiteral("Sensor turnaround before each reply, ms (default 10)."), QStringLiteral("MS"),
         QStringLiteral("10")},
        {seedOpt, QStringLiteral("Seed of the noise and fault dice, for repeatable runs."), QStringLiteral("N")},
        {traceOpt, QStringLiteral("Print every frame both ways, in hex with a timestamp, on stderr.")},
        {dropOpt, QStringLiteral("Drop this fraction of replies."), QStringLiteral("F")},
        {corruptOpt, QStringLiteral("Send this fraction of replies with a wrong CRC."), QStringLiteral("F")},
        {garbageOpt, QStringLiteral("Put 1..4 random bytes before this fraction of replies."), QStringLiteral("F")},
        {splitOpt, QStringLiteral("Send each reply in two writes MS ms apart."), QStringLiteral("MS")},
        {wrongOpt, QStringLiteral("Answer with this address instead of the sensor's own."),
         QStringLiteral("ADDR")},
        {chunkOpt,
         QStringLiteral("Behave like a USB converter: replies leave at byte timing and reach the tool every "
                        "MS ms, in bursts of whatever has arrived (FTDI: 16)."),
         QStringLiteral("MS")},
    });
    parser.process(app);
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("unexpected argument '%1' (devices go after --device)")
                              .arg(parser.positionalArguments().first()));

    VirtualLine line;
    QString error;
    if (parser.isSet(seedOpt)) {
        const auto seed = integerOption(parser, seedOpt, 0, 0xFFFFFFFFLL, &error);
        if (!seed)
            return usageError(error);
        line.setSeed(quint32(*seed));
    }
    const auto delay = integerOption(parser, delayOpt, 0, 10000, &error);
    if (!delay)
        return usageError(error);
    line.setReplyDelay(std::chrono::milliseconds(*delay));

    LineFaults faults;
    const auto drop = fractionOption(parser, dropOpt, &error);
    const auto corrupt = drop ? fractionOption(parser, corruptOpt, &error) : std::nullopt;
    const auto garbage = corrupt ? fractionOption(parser, garbageOpt, &error) : std::nullopt;
    if (!garbage)
        return usageError(error);
    faults.dropRate = *drop;
    faults.corruptRate = *corrupt;
    faults.garbageRate = *garbage;
    if (parser.isSet(splitOpt)) {
        const auto gap = integerOption(parser, splitOpt, 0, 10000, &error);
        if (!gap)
            return usageError(error);
        faults.splitGap = std::chrono::milliseconds(*gap);
    }
    if (parser.isSet(chunkOpt)) {
        const auto period = integerOption(parser, chunkOpt, 0, 1000, &error);
        if (!period)
            return usageError(error);
        faults.chunkPeriod = std::chrono::milliseconds(*period);
    }
    if (parser.isSet(wrongOpt)) {
        const auto address = integerOption(parser, wrongOpt, 0, 255, &error);
        if (!address)
            return usageError(error);
        faults.wrongAddress = quint8(*address);
    }
    line.setFaults(faults);

    QStringList devices = parser.values(deviceOpt);
    if (devices.isEmpty())
        devices << QLatin1String(kDefaultDevice);
    if (!line.addDevices(devices, &error))
        return usageError(error);

    if (parser.isSet(traceOpt))
        QObject::connect(&line, &VirtualLine::traced, &line, [](const QString &text) { printErr(text); });

    if (parser.isSet(serialOpt)) {
        if (parser.isSet(linkOpt))
            return usageError(QStringLiteral("--link names a pseudo-terminal; it does not go with --serial"));
        if (!line.openSerialPort(parser.value(serialOpt), &error))
            return usageError(error);
    } else if (!line.openPseudoTerminal(&error)) {
        printErr(QStringLiteral("volmar-emulator: %1").arg(error));
        return kLineError;
    }

    QString linkPath;
    if (parser.isSet(linkOpt)) {
        linkPath = parser.value(linkOpt);
        const QFileInfo existing(linkPath);
        if (existing.isSymLink())
            QFile::remove(linkPath);
        else if (existing.exists())
            return usageError(QStringLiteral("--link %1: a file of that name exists and is not a symlink")
                                  .arg(linkPath));
        if (!QFile::link(line.portName(), linkPath))
            return usageError(QStringLiteral("--link: cannot create the symlink %1").arg(linkPath));
    }

    printOut(line.portName());

    LineConsole console(&line);
    StdinReader input;
    QObject::connect(&input, &StdinReader::lineRead, &line, [&console](const QString &text) {
        const LineConsole::Result result = console.execute(text);
        if (!result.output.isEmpty())
            printOut(result.output);
        if (!result.message.isEmpty())
            printErr(result.ok ? result.message : QStringLiteral("error: %1").arg(result.message));
        if (result.quit)
            QCoreApplication::quit();
    });
    if (!input.start())
        printErr(QStringLiteral("volmar-emulator: commands on standard input need a POSIX system; "
                                "faults can still be set with options"));

    TerminationWatcher termination;
    QObject::connect(&termination, &TerminationWatcher::terminationRequested, &app, &QCoreApplication::quit);
    termination.start();
    // The line is gone (hangup, or the serial port failed): nothing left to emulate.
    QObject::connect(&line, &VirtualLine::hungUp, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    const int status = app.exec();
    if (!linkPath.isEmpty())
        QFile::remove(linkPath);
    return status;
}
