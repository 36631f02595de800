#include "lineconsole.h"

#include "bootloader.h"
#include "emulatedbase.h"
#include "emulatedsensor.h"
#include "tank.h"
#include "virtualline.h"

#include <QFile>
#include <QStringList>

#include <functional>
#include <optional>

namespace {

using Result = LineConsole::Result;

constexpr int kMaxGarbageBurst = 4096;         // bytes one garbage command may put on the line
constexpr qint64 kMaxMilliseconds = 3600 * 1000; // one hour
constexpr qint64 kMaxChunkPeriod = 1000;         // ms; an FTDI latency timer goes up to 255

Result failed(const QString &message)
{
    Result result;
    result.ok = false;
    result.message = message;
    return result;
}

Result done(const QString &message)
{
    Result result;
    result.message = message;
    return result;
}

std::optional<qint64> integer(const QString &text, qint64 low, qint64 high)
{
    bool ok = false;
    const qint64 value = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                             ? text.mid(2).toLongLong(&ok, 16)
                             : text.toLongLong(&ok, 10);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<double> fraction(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || value < 0.0 || value > 1.0)
        return std::nullopt;
    return value;
}

} // namespace

LineConsole::LineConsole(VirtualLine *line) : m_line(line) {}

QString LineConsole::help()
{
    return QStringLiteral(
        "commands:\n"
        "  drop F              drop a fraction F (0..1) of replies\n"
        "  corrupt F           send a fraction F of replies with a wrong CRC\n"
        "  garbage N           put N random bytes on the line now\n"
        "  garbage-rate F      put 1..4 random bytes before a fraction F of replies\n"
        "  split MS            send each reply in two writes MS ms apart (0: whole)\n"
        "  chunk MS            a USB converter passes on what it heard every MS ms (0: off)\n"
        "  wrong-address A     answer with address A (off: own address)\n"
        "  silent [MS]         stop answering, for MS ms or until resume\n"
        "  resume              answer again\n"
        "  level N [ADDR]      fill the tank to level N (all sensors or the one at ADDR;\n"
        "                      at a base station: its wireless sensor, at an advertising\n"
        "                      base: the sensor it hears at ADDR)\n"
        "  cnt N [ADDR]        set the raw count CNT\n"
        "  noise P [ADDR]      reading-to-reading noise, percent of CNT\n"
        "  temp T [ADDR]       temperature, degrees Celsius\n"
        "  angle ADDR DEG      angle sensor at ADDR: tilt it to DEG degrees (0..359) from\n"
        "                      its own origin; it reports them less its zero point\n"
        "  battery ADDR V      base station: sensor battery, tenths of a volt (0: no sensor;\n"
        "                      at a heard sensor's address: that sensor's)\n"
        "  rssi ADDR DB        base station: signal strength of its sensor, dB\n"
        "  signal ADDR DB      advertising base: signal of the sensor it hears at ADDR, dB\n"
        "                      (0: out of range)\n"
        "  link ADDR STATE     base station: link state code (0x1E, 0x21: working)\n"
        "  tagid ADDR ID       tag reader: the identifier of the tag in front of it\n"
        "                      (in tag mode: its own), decimal or 0x hex\n"
        "  power-cycle [ADDR]  switch the wired sensor at ADDR (default: the first) off and on:\n"
        "                      for 1000 ms its ROM bootloader answers the knock 0x7F\n"
        "  dump ADDR START LENGTH FILE\n"
        "                      write LENGTH bytes of the memory of the wired sensor at ADDR,\n"
        "                      from START (0x4000..0x27FFF, decimal or 0x hex), to FILE\n"
        "  state               print every device's state as one JSON line\n"
        "  hangup              close the line as if the converter was pulled out, then exit\n"
        "  quit                exit\n");
}

LineConsole::Result LineConsole::execute(const QString &commandLine)
{
    const QStringList words = commandLine.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    const QString command = words.first().toLower();
    const QStringList args = words.mid(1);
    LineFaults faults = m_line->faults();

    const auto argumentCount = [&](int low, int high) { return args.size() >= low && args.size() <= high; };

    // Commands that act on the tank measured at one address or on all of
    // them; a base station's tank is its wireless sensor's, at a heard
    // sensor's address that sensor's.
    const auto forTanks = [&](const std::function<void(Tank &)> &apply) -> Result {
        QList<Tank *> targets;
        if (args.size() == 2) {
            const auto address = integer(args.at(1), 0, 255);
            EmulatedDevice *device = address ? m_line->device(quint8(*address)) : nullptr;
            Tank *tank = device ? device->tankAt(quint8(*address)) : nullptr;
            if (!tank)
                return failed(QStringLiteral("%1: no sensor at address %2").arg(command, args.at(1)));
            targets = {tank};
        } else {
            for (EmulatedDevice *device : m_line->devices())
                targets += device->tanks();
        }
        for (Tank *tank : targets)
            apply(*tank);
        return done(QStringLiteral("%1 %2").arg(command, args.join(QLatin1Char(' '))));
    };

    // Commands for one base station: ADDR, then the value. At a heard
    // sensor's address they act on that sensor (heard is set).
    using BaseCommand = std::function<void(EmulatedBase *, HeardSensors::Sensor *heard, qint64)>;
    const auto forBase = [&](qint64 low, qint64 high, const QString &what, const BaseCommand &apply) -> Result {
        const auto address = argumentCount(2, 2) ? integer(args.at(0), 0, 255) : std::nullopt;
        const auto value = argumentCount(2, 2) ? integer(args.at(1), low, high) : std::nullopt;
        if (!address || !value)
            return failed(QStringLiteral("%1 needs a base station address and %2").arg(command, what));
        EmulatedBase *base = m_line->base(quint8(*address));
        if (!base)
            return failed(QStringLiteral("%1: no base station at address %2").arg(command, args.at(0)));
        apply(base, base->heard().at(quint8(*address)), *value);
        return done(QStringLiteral("%1 %2").arg(command, args.join(QLatin1Char(' '))));
    };

    if (command == QLatin1String("drop") || command == QLatin1String("corrupt")
        || command == QLatin1String("garbage-rate")) {
        const auto rate = argumentCount(1, 1) ? fraction(args.at(0)) : std::nullopt;
        if (!rate)
            return failed(QStringLiteral("%1 needs a fraction 0..1, e.g. %1 0.3").arg(command));
        if (command == QLatin1String("drop"))
            faults.dropRate = *rate;
        else if (command == QLatin1String("corrupt"))
            faults.corruptRate = *rate;
        else
            faults.garbageRate = *rate;
        m_line->setFaults(faults);
        return done(QStringLiteral("%1 %2").arg(command).arg(*rate));
    }
    if (command == QLatin1String("garbage")) {
        const auto count = argumentCount(1, 1) ? integer(args.at(0), 1, kMaxGarbageBurst) : std::nullopt;
        if (!count)
            return failed(QStringLiteral("garbage needs a byte count 1..%1").arg(kMaxGarbageBurst));
        m_line->sendGarbage(int(*count));
        return done(QStringLiteral("garbage %1").arg(*count));
    }
    if (command == QLatin1String("split")) {
        const auto gap = argumentCount(1, 1) ? integer(args.at(0), 0, kMaxMilliseconds) : std::nullopt;
        if (!gap)
            return failed(QStringLiteral("split needs a gap in ms (0 turns splitting off)"));
        faults.splitGap = std::chrono::milliseconds(*gap);
        m_line->setFaults(faults);
        return done(QStringLiteral("split %1").arg(*gap));
    }
    if (command == QLatin1String("chunk")) {
        const auto period = argumentCount(1, 1) ? integer(args.at(0), 0, kMaxChunkPeriod) : std::nullopt;
        if (!period)
            return failed(QStringLiteral("chunk needs a period 0..%1 ms (0: no converter)").arg(kMaxChunkPeriod));
        faults.chunkPeriod = std::chrono::milliseconds(*period);
        m_line->setFaults(faults);
        return done(QStringLiteral("chunk %1").arg(*period));
    }
    if (command == QLatin1String("wrong-address")) {
        if (argumentCount(1, 1) && args.at(0).toLower() == QLatin1String("off")) {
            faults.wrongAddress.reset();
            m_line->setFaults(faults);
            return done(QStringLiteral("wrong-address off"));
        }
        const auto address = argumentCount(1, 1) ? integer(args.at(0), 0, 255) : std::nullopt;
        if (!address)
            return failed(QStringLiteral("wrong-address needs an address 0..255, or off"));
        faults.wrongAddress = quint8(*address);
        m_line->setFaults(faults);
        return done(QStringLiteral("wrong-address %1").arg(*address));
    }
    if (command == QLatin1String("silent")) {
        if (!argumentCount(0, 1))
            return failed(QStringLiteral("silent takes at most a duration in ms"));
        std::optional<qint64> duration = qint64(0);
        if (args.size() == 1)
            duration = integer(args.at(0), 1, kMaxMilliseconds);
        if (!duration)
            return failed(QStringLiteral("silent needs a duration 1..%1 ms, or none").arg(kMaxMilliseconds));
        m_line->goSilent(std::chrono::milliseconds(*duration));
        return done(args.isEmpty() ? QStringLiteral("silent") : QStringLiteral("silent %1").arg(*duration));
    }
    if (command == QLatin1String("resume")) {
        m_line->resume();
        return done(QStringLiteral("resume"));
    }
    if (command == QLatin1String("level")) {
        const auto level = argumentCount(1, 2) ? integer(args.at(0), 0, 4095) : std::nullopt;
        if (!level)
            return failed(QStringLiteral("level needs a level 0..4095 and optionally an address"));
        return forTanks([&](Tank &tank) { tank.setLevel(int(*level)); });
    }
    if (command == QLatin1String("cnt")) {
        const auto cnt = argumentCount(1, 2) ? integer(args.at(0), -2147483647LL - 1, 2147483647LL)
                                              : std::nullopt;
        if (!cnt)
            return failed(QStringLiteral("cnt needs a 32-bit count and optionally an address"));
        return forTanks([&](Tank &tank) { tank.setCnt(qint32(*cnt)); });
    }
    if (command == QLatin1String("noise")) {
        bool ok = false;
        const double percent = argumentCount(1, 2) ? args.at(0).toDouble(&ok) : 0.0;
        if (!ok || percent < 0.0 || percent > 100.0)
            return failed(QStringLiteral("noise needs a percentage 0..100 and optionally an address"));
        return forTanks([&](Tank &tank) { tank.setNoise(percent); });
    }
    if (command == QLatin1String("temp")) {
        const auto celsius = argumentCount(1, 2) ? integer(args.at(0), -128, 127) : std::nullopt;
        if (!celsius)
            return failed(QStringLiteral("temp needs degrees -128..127 and optionally an address"));
        return forTanks([&](Tank &tank) { tank.setTemperature(qint8(*celsius)); });
    }
    if (command == QLatin1String("angle")) {
        const auto address = argumentCount(2, 2) ? integer(args.at(0), 0, 255) : std::nullopt;
        const auto degrees = argumentCount(2, 2) ? integer(args.at(1), 0, Aq420Config::kMaxAngle)
                                                 : std::nullopt;
        if (!address || !degrees)
            return failed(QStringLiteral("angle needs an angle sensor's address and 0..%1 degrees")
                              .arg(Aq420Config::kMaxAngle));
        EmulatedAq420 *sensor = m_line->angleSensor(quint8(*address));
        if (!sensor)
            return failed(QStringLiteral("angle: no angle sensor at address %1").arg(args.at(0)));
        sensor->setPosition(int(*degrees));
        return done(QStringLiteral("angle %1").arg(args.join(QLatin1Char(' '))));
    }
    if (command == QLatin1String("battery")) {
        return forBase(0, 255, QStringLiteral("tenths of a volt 0..255 (0: no sensor linked)"),
                       [](EmulatedBase *base, HeardSensors::Sensor *heard, qint64 tenths) {
                           if (heard)
                               heard->battery = quint8(tenths);
                           else
                               base->setBattery(quint8(tenths));
                       });
    }
    if (command == QLatin1String("rssi")) {
        return forBase(-128, 127, QStringLiteral("a signal strength -128..127 dB"),
                       [](EmulatedBase *base, HeardSensors::Sensor *heard, qint64 db) {
                           if (heard)
                               heard->rssi = qint8(db);
                           else
                               base->setRssi(qint8(db));
                       });
    }
    if (command == QLatin1String("signal")) {
        const auto address = argumentCount(2, 2) ? integer(args.at(0), 0, 255) : std::nullopt;
        const auto db = argumentCount(2, 2) ? integer(args.at(1), -128, 127) : std::nullopt;
        if (!address || !db)
            return failed(QStringLiteral("signal needs a heard sensor's address and -128..127 dB (0: out of range)"));
        const quint8 at = quint8(address.value_or(0));
        EmulatedBase *base = m_line->base(at);
        HeardSensors::Sensor *heard = base ? base->heard().at(at) : nullptr;
        if (!heard)
            return failed(QStringLiteral("signal: no sensor a base hears at address %1").arg(args.at(0)));
        heard->rssi = qint8(db.value_or(0));
        return done(QStringLiteral("signal %1").arg(args.join(QLatin1Char(' '))));
    }
    if (command == QLatin1String("link")) {
        if (argumentCount(2, 2)) {
            const auto address = integer(args.at(0), 0, 255);
            EmulatedBase *base = address ? m_line->base(quint8(*address)) : nullptr;
            if (base && base->heard().at(quint8(*address)))
                return failed(QStringLiteral("link: the record of a heard sensor takes its link state from its slot"));
        }
        return forBase(0, 255, QStringLiteral("a link state code 0..255"),
                       [](EmulatedBase *base, HeardSensors::Sensor *, qint64 code) { base->setLinkState(quint8(code)); });
    }
    if (command == QLatin1String("tagid")) {
        const auto address = argumentCount(2, 2) ? integer(args.at(0), 0, 255) : std::nullopt;
        const auto identifier = argumentCount(2, 2) ? integer(args.at(1), 0, 0xFFFFFFFFLL) : std::nullopt;
        if (!address || !identifier)
            return failed(QStringLiteral("tagid needs a tag reader's address and an identifier 0..0xFFFFFFFF"));
        EmulatedTag *tag = m_line->tag(quint8(*address));
        if (!tag)
            return failed(QStringLiteral("tagid: no tag reader at address %1").arg(args.at(0)));
        tag->setIdentifier(quint32(*identifier));
        return done(QStringLiteral("tagid %1").arg(args.join(QLatin1Char(' '))));
    }
    if (command == QLatin1String("power-cycle")) {
        if (!argumentCount(0, 1))
            return failed(QStringLiteral("power-cycle takes at most a wired sensor's address"));
        EmulatedSensor *sensor = nullptr;
        if (args.isEmpty()) {
            sensor = m_line->sensors().value(0);
            if (!sensor)
                return failed(QStringLiteral("power-cycle: no wired sensor on the line"));
        } else {
            const auto address = integer(args.at(0), 0, 255);
            sensor = address ? m_line->sensor(quint8(*address)) : nullptr;
            if (!sensor)
                return failed(QStringLiteral("power-cycle: no wired sensor at address %1").arg(args.at(0)));
        }
        m_line->powerCycle(sensor);
        return done(QStringLiteral("power-cycle %1").arg(sensor->address()));
    }
    if (command == QLatin1String("dump")) {
        using Memory = EmulatedBootloader;
        const QString usage = QStringLiteral("dump needs a wired sensor's address, a start 0x%1..0x%2, a length "
                                             "that ends at 0x%3 at most, and a file")
                                  .arg(Memory::kMemoryStart, 0, 16)
                                  .arg(Memory::kMemoryEnd - 1, 0, 16)
                                  .arg(Memory::kMemoryEnd, 0, 16);
        if (args.size() < 4)
            return failed(usage);
        const qint64 address = integer(args.at(0), 0, 255).value_or(-1);
        const qint64 start = integer(args.at(1), Memory::kMemoryStart, Memory::kMemoryEnd - 1).value_or(-1);
        const qint64 length = integer(args.at(2), 1, Memory::kMemoryEnd - Memory::kMemoryStart).value_or(-1);
        if (address < 0 || start < 0 || length < 0 || !Memory::inMemory(quint32(start), length))
            return failed(usage);
        const EmulatedSensor *sensor = m_line->sensor(quint8(address));
        if (!sensor)
            return failed(QStringLiteral("dump: no wired sensor at address %1").arg(args.at(0)));
        // The file name is the rest of the line.
        const QString path = args.mid(3).join(QLatin1Char(' '));
        const QByteArray bytes = sensor->memory(quint32(start), int(length));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            return failed(QStringLiteral("dump: cannot write %1: %2").arg(path, file.errorString()));
        return done(QStringLiteral("dump %1 bytes from 0x%2 to %3").arg(length).arg(start, 0, 16).arg(path));
    }
    if (command == QLatin1String("state")) {
        Result result;
        result.output = QString::fromUtf8(m_line->stateJson());
        return result;
    }
    if (command == QLatin1String("hangup")) {
        m_line->hangUp();
        Result result = done(QStringLiteral("hung up"));
        result.quit = true;
        return result;
    }
    if (command == QLatin1String("quit") || command == QLatin1String("exit")) {
        Result result;
        result.quit = true;
        return result;
    }
    if (command == QLatin1String("help") || command == QLatin1String("?"))
        return done(help());
    return failed(QStringLiteral("unknown command '%1' (help lists them)").arg(command));
}
