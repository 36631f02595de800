#include "virtualline.h"

#include "linetransport.h"
#include "serialtransport.h"
#ifdef Q_OS_UNIX
#include "ptytransport.h"
#endif

#include "link/crc8.h"
#include "link/protocol.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

using namespace std::chrono_literals;

namespace {

constexpr auto kDefaultReplyDelay = 10ms;      // a sensor's turnaround before it talks
constexpr auto kByteTime = UsbConverter::kByteTime; // 10 bits (start, 8 data, stop) at 19200 baud
constexpr auto kPartialFrameTimeout = 100ms;   // an unfinished request is given up after this quiet
constexpr int kMaxGarbagePrefix = 4;           // random bytes put before a reply by garbage-rate
constexpr quint32 kSeedSpread = 0x9E3779B9u;   // spreads the line seed over device addresses

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

} // namespace

VirtualLine::VirtualLine(QObject *parent)
    : QObject(parent),
      m_replyDelay(kDefaultReplyDelay),
      m_seed(QRandomGenerator::global()->generate())
{
    m_random.seed(m_seed);
    m_clock.start();
    m_partialTimer.setSingleShot(true);
    m_partialTimer.setTimerType(Qt::PreciseTimer);
    m_partialTimer.setInterval(kPartialFrameTimeout);
    connect(&m_partialTimer, &QTimer::timeout, this, [this] {
        const QList<QByteArray> frames = m_framer.flush();
        traceDiscarded();
        handleFrames(frames);
    });
    m_deliveryTimer.setSingleShot(true);
    m_deliveryTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_deliveryTimer, &QTimer::timeout, this, &VirtualLine::deliverDue);
    m_inputTimer.setSingleShot(true);
    m_inputTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_inputTimer, &QTimer::timeout, this, &VirtualLine::processInput);
}

VirtualLine::~VirtualLine() = default;

void VirtualLine::setSeed(quint32 seed)
{
    m_seed = seed;
    m_random.seed(seed);
}

bool VirtualLine::addDevice(const QString &description, QString *error)
{
    if (Aq420Config::describes(description)) {
        const auto config = Aq420Config::parse(description, error);
        return config && addDevice(*config, error);
    }
    if (BaseConfig::describesBase(description)) {
        const auto config = BaseConfig::parse(description, error);
        return config && addDevice(*config, error);
    }
    if (TagConfig::describesTag(description)) {
        const auto config = TagConfig::parse(description, error);
        return config && addDevice(*config, error);
    }
    const auto config = DeviceConfig::parse(description, error);
    return config && addDevice(*config, error);
}

bool VirtualLine::addressTaken(const QList<quint8> &addresses, QString *error) const
{
    for (const quint8 address : addresses) {
        if (device(address)) {
            if (error)
                *error = QStringLiteral("two devices at address %1").arg(address);
            return true;
        }
    }
    return false;
}

quint32 VirtualLine::seedFor(quint8 address) const
{
    return m_seed ^ (kSeedSpread * address);
}

bool VirtualLine::addDevice(const DeviceConfig &config, QString *error)
{
    if (addressTaken({config.address}, error))
        return false;
    m_devices.push_back(std::make_unique<EmulatedSensor>(config, seedFor(config.address)));
    return true;
}

bool VirtualLine::addDevice(const BaseConfig &config, QString *error)
{
    if (addressTaken(config.lineAddresses(), error))
        return false;
    auto base = std::make_unique<EmulatedBase>(config, seedFor(config.address));
    base->setAddressCheck([this](quint8 address) { return device(address) != nullptr; });
    m_devices.push_back(std::move(base));
    return true;
}

bool VirtualLine::addDevice(const TagConfig &config, QString *error)
{
    if (addressTaken({config.address}, error))
        return false;
    m_devices.push_back(std::make_unique<EmulatedTag>(config));
    return true;
}

bool VirtualLine::addDevice(const Aq420Config &config, QString *error)
{
    if (addressTaken({config.address}, error))
        return false;
    m_devices.push_back(std::make_unique<EmulatedAq420>(config));
    return true;
}

bool VirtualLine::addDevices(const QStringList &descriptions, QString *error)
{
    for (const QString &description : descriptions) {
        if (!addDevice(description, error))
            return false;
    }
    return true;
}

QList<EmulatedDevice *> VirtualLine::devices() const
{
    QList<EmulatedDevice *> list;
    for (const auto &device : m_devices)
        list.append(device.get());
    std::stable_sort(list.begin(), list.end(), [](const EmulatedDevice *a, const EmulatedDevice *b) {
        return a->address() < b->address();
    });
    return list;
}

EmulatedDevice *VirtualLine::device(quint8 address) const
{
    for (const auto &device : m_devices) {
        if (device->answers(address))
            return device.get();
    }
    return nullptr;
}

QList<EmulatedSensor *> VirtualLine::sensors() const
{
    QList<EmulatedSensor *> list;
    for (EmulatedDevice *device : devices()) {
        if (auto *sensor = dynamic_cast<EmulatedSensor *>(device))
            list.append(sensor);
    }
    return list;
}

EmulatedSensor *VirtualLine::sensor(quint8 address) const
{
    for (EmulatedSensor *sensor : sensors()) {
        if (sensor->address() == address)
            return sensor;
    }
    return nullptr;
}

QList<EmulatedBase *> VirtualLine::bases() const
{
    QList<EmulatedBase *> list;
    for (EmulatedDevice *device : devices()) {
        if (auto *base = dynamic_cast<EmulatedBase *>(device))
            list.append(base);
    }
    return list;
}

EmulatedBase *VirtualLine::base(quint8 address) const
{
    for (EmulatedBase *base : bases()) {
        if (base->answers(address))
            return base;
    }
    return nullptr;
}

QList<EmulatedTag *> VirtualLine::tags() const
{
    QList<EmulatedTag *> list;
    for (EmulatedDevice *device : devices()) {
        if (auto *tag = dynamic_cast<EmulatedTag *>(device))
            list.append(tag);
    }
    return list;
}

EmulatedTag *VirtualLine::tag(quint8 address) const
{
    for (EmulatedTag *tag : tags()) {
        if (tag->address() == address)
            return tag;
    }
    return nullptr;
}

QList<EmulatedAq420 *> VirtualLine::angleSensors() const
{
    QList<EmulatedAq420 *> list;
    for (EmulatedDevice *device : devices()) {
        if (auto *sensor = dynamic_cast<EmulatedAq420 *>(device))
            list.append(sensor);
    }
    return list;
}

EmulatedAq420 *VirtualLine::angleSensor(quint8 address) const
{
    for (EmulatedAq420 *sensor : angleSensors()) {
        if (sensor->address() == address)
            return sensor;
    }
    return nullptr;
}

void VirtualLine::attach(LineTransport *transport)
{
    if (m_transport) {
        m_transport->disconnect(this);
        m_transport->deleteLater();
    }
    m_transport = transport;
    transport->setParent(this);
    connect(transport, &LineTransport::received, this, &VirtualLine::receive);
    connect(transport, &LineTransport::hungUp, this, [this] {
        trace(QStringLiteral("== line hung up"));
        emit hungUp();
    });
}

bool VirtualLine::hasPseudoTerminals()
{
#ifdef Q_OS_UNIX
    return true;
#else
    return false;
#endif
}

bool VirtualLine::openPseudoTerminal(QString *error)
{
#ifdef Q_OS_UNIX
    auto *pty = new PtyTransport(this);
    if (!pty->open(error)) {
        delete pty;
        return false;
    }
    attach(pty);
    return true;
#else
    if (error)
        *error = QStringLiteral("pseudo-terminals do not exist on this system: install a virtual COM "
                                "port pair and put the line on one end with --serial");
    return false;
#endif
}

bool VirtualLine::openSerialPort(const QString &name, QString *error)
{
    auto *port = new SerialTransport(this);
    if (!port->open(name, error)) {
        delete port;
        return false;
    }
    attach(port);
    return true;
}

QString VirtualLine::portName() const
{
    return m_transport ? m_transport->portName() : QString();
}

void VirtualLine::setFaults(const LineFaults &faults)
{
    const bool newPeriod = faults.chunkPeriod != m_faults.chunkPeriod;
    m_faults = faults;
    if (!newPeriod)
        return;
    handOverAll();
    if (faults.chunkPeriod > 0ms) {
        m_converter.emplace(faults.chunkPeriod, now());
        trace(QStringLiteral("== converter hands over every %1 ms").arg(faults.chunkPeriod.count()));
    } else {
        m_converter.reset();
        trace(QStringLiteral("== no converter: replies whole"));
    }
}

void VirtualLine::goSilent(std::chrono::milliseconds duration)
{
    m_silence = duration > 0ms ? QDeadlineTimer(duration, Qt::PreciseTimer)
                               : QDeadlineTimer(QDeadlineTimer::Forever);
    trace(duration > 0ms ? QStringLiteral("== silent for %1 ms").arg(duration.count())
                         : QStringLiteral("== silent"));
}

void VirtualLine::resume()
{
    m_silence = QDeadlineTimer();
    trace(QStringLiteral("== answering again"));
}

bool VirtualLine::isSilent() const
{
    return !m_silence.hasExpired();
}

void VirtualLine::sendGarbage(int count)
{
    if (count <= 0 || !m_transport)
        return;
    const QByteArray bytes = randomBytes(count);
    if (m_converter) {
        trace(QStringLiteral("   on the wire %1 (garbage)").arg(hex(bytes)));
        putOnWire(std::max(now(), m_lineBusyUntil), bytes);
        return;
    }
    trace(QStringLiteral("-> %1 (garbage)").arg(hex(bytes)));
    m_transport->write(bytes);
}

void VirtualLine::hangUp()
{
    if (m_transport)
        m_transport->hangUp();
}

void VirtualLine::powerCycle(EmulatedSensor *sensor)
{
    // Bytes already off the wire met the sensor as it was.
    processInput();
    sensor->powerCycle(now());
    trace(QStringLiteral("== %1 power-cycled: boot window %2 ms")
              .arg(nameOf(sensor))
              .arg(EmulatedSensor::kBootWindow.count()));
}

void VirtualLine::receive(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    const Time start = std::max(now(), m_inputBusyUntil);
    m_inputBusyUntil = start + kByteTime * bytes.size();
    // With no bootloader listening the framer takes the bytes as they come
    // in; its frames are answered with the sensors' turnaround.
    if (m_input.empty() && !bootloaderListens(now())) {
        feedFramer(bytes);
        return;
    }
    for (int i = 0; i < bytes.size(); ++i)
        m_input.push_back({start + kByteTime * (i + 1), quint8(bytes.at(i)), i == bytes.size() - 1});
    scheduleInput();
}

bool VirtualLine::bootloaderListens(Time at) const
{
    for (const EmulatedSensor *sensor : sensors()) {
        const EmulatedSensor::BootMode mode = sensor->bootMode(at);
        if (mode != EmulatedSensor::BootMode::Running && mode != EmulatedSensor::BootMode::Restarting)
            return true;
    }
    return false;
}

void VirtualLine::scheduleInput()
{
    // Taken in write by write, once a write's last byte is off the wire: the
    // tool writes one bootloader frame at a time and waits for its answer.
    const auto end = std::find_if(m_input.cbegin(), m_input.cend(), [](const InputByte &b) { return b.endsWrite; });
    if (end == m_input.cend()) {
        m_inputTimer.stop();
        return;
    }
    const auto delay = std::max(std::chrono::ceil<std::chrono::milliseconds>(end->at - now()), 0ms);
    m_inputTimer.start(int(delay.count()));
}

void VirtualLine::processInput()
{
    using Mode = EmulatedSensor::BootMode;
    const Time due = now();
    QByteArray toFramer;
    while (!m_input.empty() && m_input.front().at <= due) {
        const InputByte input = m_input.front();
        m_input.pop_front();
        QList<EmulatedSensor *> listening;
        bool taken = false; // a window or bootloader keeps the byte from the other devices
        for (EmulatedSensor *sensor : sensors()) {
            const Mode mode = sensor->bootMode(input.at);
            if (mode == Mode::Running || mode == Mode::Restarting)
                continue;
            taken = taken || mode != Mode::Waiting;
            // On a silent line nothing reaches the sensor.
            if (!isSilent())
                listening.append(sensor);
        }
        if (!taken)
            toFramer.append(char(input.byte));
        if (listening.isEmpty())
            continue;
        // The write is traced whole before what it is answered.
        m_bootHeard.append(char(input.byte));
        if (input.endsWrite) {
            trace(QStringLiteral("<- %1 (bootloader)").arg(hex(m_bootHeard)));
            m_bootHeard.clear();
        }
        for (EmulatedSensor *sensor : listening) {
            const Mode before = sensor->bootMode(input.at);
            const EmulatedBootloader::Answer answer = sensor->bootByte(input.byte, input.at);
            const Mode after = sensor->bootMode(input.at);
            if (after != before)
                trace(QStringLiteral("   %1: %2").arg(nameOf(sensor), EmulatedSensor::bootModeName(after)));
            if (!answer.bytes.isEmpty())
                sendBootAnswer(sensor, answer, input.at);
        }
    }
    if (!toFramer.isEmpty())
        feedFramer(toFramer);
    scheduleInput();
}

void VirtualLine::sendBootAnswer(const EmulatedSensor *sensor, const EmulatedBootloader::Answer &answer,
                                 Time heardAt)
{
    if (chance(m_faults.dropRate)) {
        trace(QStringLiteral("   dropped %1").arg(hex(answer.bytes)));
        return;
    }
    const Time start = std::max(heardAt + answer.work, m_lineBusyUntil);
    const QString label = QStringLiteral("(bootloader of %1)").arg(nameOf(sensor));
    if (m_converter) {
        trace(QStringLiteral("   on the wire %1 %2").arg(hex(answer.bytes), label));
        putOnWire(start, answer.bytes);
        return;
    }
    m_lineBusyUntil = start + kByteTime * answer.bytes.size();
    writeAt(m_lineBusyUntil, answer.bytes, label);
}

QString VirtualLine::nameOf(const EmulatedDevice *device)
{
    return QStringLiteral("%1@%2").arg(device->kindName()).arg(device->address());
}

void VirtualLine::feedFramer(const QByteArray &bytes)
{
    const QList<QByteArray> frames = m_framer.feed(bytes);
    traceDiscarded();
    handleFrames(frames);
    if (m_framer.pendingSize() > 0)
        m_partialTimer.start();
    else
        m_partialTimer.stop();
}

void VirtualLine::handleFrames(const QList<QByteArray> &frames)
{
    for (const QByteArray &frame : frames)
        handleFrame(frame);
}

void VirtualLine::handleFrame(const QByteArray &frame)
{
    trace(QStringLiteral("<- %1").arg(hex(frame)));
    if (isSilent()) {
        trace(QStringLiteral("   silent, no answer"));
        return;
    }
    const quint8 address = quint8(frame.at(Protocol::kAddressOffset));
    if (frame.size() == 3 && address == Protocol::kBroadcastAddress) {
        answerSearch();
        return;
    }
    // Two devices may share an address after a careless 0xFB: both answer.
    for (EmulatedDevice *device : devices()) {
        if (!device->answers(address) || isDeaf(device, now()))
            continue;
        const EmulatedDevice::Response response = device->handle(frame);
        if (response.restarting) {
            QString cycle;
            if (auto *sensor = dynamic_cast<EmulatedSensor *>(device)) {
                sensor->restarted(now());
                if (sensor->autoCycle().count() > 0)
                    cycle = QStringLiteral(", power-cycles itself in %1 ms").arg(sensor->autoCycle().count());
            } else {
                m_restarting.insert(device, QDeadlineTimer(response.restartTime, Qt::PreciseTimer));
            }
            trace(QStringLiteral("   %1@%2 restarts, deaf for %3 ms%4")
                      .arg(device->kindName())
                      .arg(address)
                      .arg(response.restartTime.count())
                      .arg(cycle));
        }
        if (!response.reply.isEmpty() && sendReply(response.reply, true))
            device->countSentReply(response.reply);
    }
}

void VirtualLine::answerSearch()
{
    // Every device answers the search with its address bytes; the line
    // delivers them as one block, devices lowest address first (an
    // advertising base's sensors stay in slot order).
    QList<EmulatedDevice *> answering = devices();
    std::stable_sort(answering.begin(), answering.end(), [](const EmulatedDevice *a, const EmulatedDevice *b) {
        return a->searchAddresses().value(0) < b->searchAddresses().value(0);
    });
    QByteArray answer;
    for (EmulatedDevice *device : answering) {
        if (isDeaf(device, now()))
            continue;
        for (const quint8 address : device->searchAddresses())
            answer.append(char(m_faults.wrongAddress.value_or(address)));
    }
    if (!answer.isEmpty())
        sendReply(answer, false);
}

bool VirtualLine::sendReply(QByteArray reply, bool framed)
{
    if (chance(m_faults.dropRate)) {
        trace(QStringLiteral("   dropped %1").arg(hex(reply)));
        return false;
    }
    const int last = int(reply.size()) - 1;
    if (framed && m_faults.wrongAddress) {
        reply[Protocol::kAddressOffset] = char(*m_faults.wrongAddress);
        reply[last] = char(crc8(reinterpret_cast<const quint8 *>(reply.constData()), last));
    }
    if (framed && chance(m_faults.corruptRate)) {
        reply[last] = char(quint8(reply.at(last)) ^ quint8(1 + m_random.bounded(255)));
    }
    if (chance(m_faults.garbageRate))
        reply.prepend(randomBytes(1 + int(m_random.bounded(kMaxGarbagePrefix))));

    const auto start = std::max(now() + m_replyDelay, m_lineBusyUntil);
    const bool split = m_faults.splitGap > 0ms && reply.size() >= 2;
    if (m_converter) {
        // The converter takes the bytes as they come off the wire and passes
        // them on at its own pace; a split is a pause on the wire.
        trace(QStringLiteral("   on the wire %1").arg(hex(reply)));
        if (split) {
            const auto firstDone = m_converter->hear(reply.left(reply.size() / 2), start);
            putOnWire(firstDone + m_faults.splitGap, reply.mid(reply.size() / 2));
        } else {
            putOnWire(start, reply);
        }
    } else if (split) {
        const QByteArray first = reply.left(reply.size() / 2);
        const QByteArray second = reply.mid(reply.size() / 2);
        const auto firstDone = start + kByteTime * first.size();
        const auto pause = m_faults.splitGap + kByteTime * second.size();
        m_lineBusyUntil = firstDone + pause;
        // The second part is timed from the first one's actual write, so the
        // gap the tool sees is never shorter than asked, even on a busy machine.
        writeAt(firstDone, first, QStringLiteral("(first part)"), [this, second, pause] {
            writeAt(now() + pause, second, QStringLiteral("(second part)"));
        });
    } else {
        m_lineBusyUntil = start + kByteTime * reply.size();
        writeAt(m_lineBusyUntil, reply, QString());
    }
    return true;
}

void VirtualLine::putOnWire(std::chrono::nanoseconds start, const QByteArray &bytes)
{
    m_lineBusyUntil = m_converter->hear(bytes, start);
    scheduleDelivery();
}

void VirtualLine::scheduleDelivery()
{
    const auto tick = m_converter ? m_converter->nextDelivery() : std::nullopt;
    if (!tick) {
        m_deliveryTimer.stop();
        return;
    }
    const auto delay = std::max(std::chrono::ceil<std::chrono::milliseconds>(*tick - now()), 0ms);
    m_deliveryTimer.start(int(delay.count()));
}

void VirtualLine::deliverDue()
{
    if (!m_converter)
        return;
    // Ticks the event loop was too busy to keep still go out one by one.
    while (const auto delivery = m_converter->takeDue(now())) {
        if (!m_transport)
            continue;
        trace(QStringLiteral("-> %1 (converter tick %2)")
                  .arg(hex(delivery->bytes))
                  .arg(double(delivery->at.count()) / 1e9, 0, 'f', 4));
        if (!m_transport->write(delivery->bytes))
            trace(QStringLiteral("   write failed: nobody reads the line"));
    }
    scheduleDelivery();
}

void VirtualLine::handOverAll()
{
    m_deliveryTimer.stop();
    if (!m_converter || m_converter->isEmpty())
        return;
    const QByteArray bytes = m_converter->takeAll();
    if (!m_transport)
        return;
    trace(QStringLiteral("-> %1 (converter emptied)").arg(hex(bytes)));
    m_transport->write(bytes);
}

void VirtualLine::writeAt(std::chrono::nanoseconds when, const QByteArray &bytes, const QString &label,
                          const std::function<void()> &then)
{
    const auto delay = std::max(std::chrono::ceil<std::chrono::milliseconds>(when - now()), 0ms);
    QTimer::singleShot(int(delay.count()), Qt::PreciseTimer, this, [this, bytes, label, then] {
        if (!m_transport)
            return;
        trace(QStringLiteral("-> %1 %2").arg(hex(bytes), label).trimmed());
        if (!m_transport->write(bytes))
            trace(QStringLiteral("   write failed: nobody reads the line"));
        if (then)
            then();
    });
}

bool VirtualLine::chance(double rate)
{
    if (rate <= 0.0)
        return false;
    if (rate >= 1.0)
        return true;
    return m_random.generateDouble() < rate;
}

QByteArray VirtualLine::randomBytes(int count)
{
    QByteArray bytes(count, '\0');
    for (int i = 0; i < count; ++i)
        bytes[i] = char(m_random.bounded(256));
    return bytes;
}

bool VirtualLine::isDeaf(const EmulatedDevice *device, Time at) const
{
    if (const auto *sensor = dynamic_cast<const EmulatedSensor *>(device))
        return !sensor->hearsFrames(at);
    return isRestarting(device);
}

bool VirtualLine::isRestarting(const EmulatedDevice *device) const
{
    const auto it = m_restarting.constFind(device);
    return it != m_restarting.constEnd() && !it->hasExpired();
}

std::chrono::nanoseconds VirtualLine::now() const
{
    return std::chrono::nanoseconds(m_clock.nsecsElapsed());
}

void VirtualLine::trace(const QString &text)
{
    const double seconds = double(m_clock.elapsed()) / 1000.0;
    emit traced(QStringLiteral("%1 %2").arg(seconds, 9, 'f', 3).arg(text));
}

void VirtualLine::traceDiscarded()
{
    const QByteArray discarded = m_framer.takeDiscarded();
    if (!discarded.isEmpty())
        trace(QStringLiteral("?? %1 (not a request, discarded)").arg(hex(discarded)));
}

int VirtualLine::readingsRepliesSent() const
{
    int sent = 0;
    for (const auto &device : m_devices)
        sent += device->readingsRepliesSent();
    return sent;
}

int VirtualLine::tableRepliesSent() const
{
    int sent = 0;
    for (const auto &device : m_devices)
        sent += device->tableRepliesSent();
    return sent;
}

QJsonObject VirtualLine::state() const
{
    QJsonArray devices;
    for (const EmulatedDevice *device : this->devices()) {
        QJsonObject state = device->state();
        if (const auto *sensor = dynamic_cast<const EmulatedSensor *>(device))
            state.insert(QStringLiteral("boot"), sensor->bootState(now()));
        devices.append(state);
    }
    QJsonObject faults{
        {QStringLiteral("drop"), m_faults.dropRate},
        {QStringLiteral("corrupt"), m_faults.corruptRate},
        {QStringLiteral("garbageRate"), m_faults.garbageRate},
        {QStringLiteral("splitMs"), qint64(m_faults.splitGap.count())},
        {QStringLiteral("chunkMs"), qint64(m_faults.chunkPeriod.count())},
        {QStringLiteral("wrongAddress"),
         m_faults.wrongAddress ? QJsonValue(int(*m_faults.wrongAddress)) : QJsonValue()},
    };
    return QJsonObject{
        {QStringLiteral("port"), portName()},
        {QStringLiteral("replyDelayMs"), qint64(m_replyDelay.count())},
        {QStringLiteral("silent"), isSilent()},
        {QStringLiteral("faults"), faults},
        {QStringLiteral("devices"), devices},
        {QStringLiteral("readingsRepliesSent"), readingsRepliesSent()},
        {QStringLiteral("tableRepliesSent"), tableRepliesSent()},
    };
}

QByteArray VirtualLine::stateJson() const
{
    return QJsonDocument(state()).toJson(QJsonDocument::Compact);
}
