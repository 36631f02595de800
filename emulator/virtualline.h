#pragma once

#include "aq420config.h"
#include "baseconfig.h"
#include "deviceconfig.h"
#include "emulatedaq420.h"
#include "emulatedbase.h"
#include "emulateddevice.h"
#include "emulatedsensor.h"
#include "emulatedtag.h"
#include "linefaults.h"
#include "linetransport.h"
#include "requestframer.h"
#include "usbconverter.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRandomGenerator>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// An RS-485 line with emulated devices on it: wired sensors, BLE base
// stations and tag readers. It cuts what the tool sends into request frames, lets the
// addressed devices answer, and puts their replies on
// the line after the sensor's reply delay plus the time the bytes take at
// 19200 baud, one reply after the other, with whatever faults it was told to
// make. With a converter period set (LineFaults::chunkPeriod) the replies
// reach the tool the way a real USB converter passes them on: in bursts, every
// period, of whatever bytes have come off the wire by then. Everything runs on
// the thread's event loop; nothing blocks.
//
// A wired sensor that has been power-cycled listens with its ROM bootloader:
// while its boot window is open or the bootloader runs, what the tool writes
// goes to it and to no other device, byte by byte as it comes off the wire
// (byte i of a write at t is in at max(t, end of the write before) + (i + 1)
// byte times); its answers leave after the work they need and take their
// byte time back. A sensor left without an application hears the knock
// without keeping the line from the others.
//
// In-process use (the tool's demo mode):
//     VirtualLine line;
//     line.addDevices({"kv510@1", "fls@2:noise=3", "ble@3:battery=36"}, &error);
//     line.openPseudoTerminal(&error);
//     ... open line.portName() as the serial port ...
class VirtualLine : public QObject
{
    Q_OBJECT

public:
    explicit VirtualLine(QObject *parent = nullptr);
    ~VirtualLine() override;

    // Seeds the fault dice and the noise of devices added afterwards that
    // carry no seed= of their own. Without it the line seeds itself at random.
    void setSeed(quint32 seed);

    // A description of any kind: "kv510@1:noise=3", "ble@2:battery=0", "tag@3:mode=0".
    bool addDevice(const QString &description, QString *error = nullptr);
    bool addDevice(const DeviceConfig &config, QString *error = nullptr);
    bool addDevice(const BaseConfig &config, QString *error = nullptr);
    bool addDevice(const Aq420Config &config, QString *error = nullptr);
    bool addDevice(const TagConfig &config, QString *error = nullptr);
    bool addDevices(const QStringList &descriptions, QString *error = nullptr);
    QList<EmulatedDevice *> devices() const; // in address order
    // The device that answers at the address (an advertising base at its heard sensors').
    EmulatedDevice *device(quint8 address) const;
    QList<EmulatedSensor *> sensors() const; // the wired sensors, in address order
    EmulatedSensor *sensor(quint8 address) const;
    QList<EmulatedBase *> bases() const;     // the base stations, in address order
    EmulatedBase *base(quint8 address) const;
    QList<EmulatedAq420 *> angleSensors() const; // in address order
    EmulatedAq420 *angleSensor(quint8 address) const;
    QList<EmulatedTag *> tags() const;       // the tag readers, in address order
    EmulatedTag *tag(quint8 address) const;

    // Takes ownership; replaces any transport attached before.
    void attach(LineTransport *transport);
    LineTransport *transport() const { return m_transport; }
    static bool hasPseudoTerminals();
    bool openPseudoTerminal(QString *error = nullptr);
    bool openSerialPort(const QString &name, QString *error = nullptr);
    // What the tool opens: "/dev/pts/7", "COM5"; empty before a transport.
    QString portName() const;

    void setReplyDelay(std::chrono::milliseconds delay) { m_replyDelay = delay; }
    std::chrono::milliseconds replyDelay() const { return m_replyDelay; }

    const LineFaults &faults() const { return m_faults; }
    // A new converter period hands over at once whatever the converter held.
    void setFaults(const LineFaults &faults);
    // Stops answering; 0 means until resume().
    void goSilent(std::chrono::milliseconds duration = std::chrono::milliseconds(0));
    void resume();
    bool isSilent() const;
    // Puts count random bytes on the line now.
    void sendGarbage(int count);
    // Takes the line away; hungUp() follows.
    void hangUp();
    // Switches the sensor off and on: its boot window opens (see EmulatedSensor).
    void powerCycle(EmulatedSensor *sensor);

    // Readings (0xF0) and table (0xEF) replies all devices put on the line
    // (dropped ones are not counted; corrupted ones are).
    int readingsRepliesSent() const;
    int tableRepliesSent() const;

    QJsonObject state() const;
    // state() as one line of compact JSON.
    QByteArray stateJson() const;

signals:
    // One line per frame and event, timestamped, for --trace.
    void traced(const QString &line);
    void hungUp();

private:
    using Time = std::chrono::nanoseconds;
    // A byte the tool wrote, on its way to the bootloaders.
    struct InputByte {
        Time at; // off the wire
        quint8 byte;
        bool endsWrite;
    };

    void receive(const QByteArray &bytes);
    void feedFramer(const QByteArray &bytes);
    bool bootloaderListens(Time at) const;
    void scheduleInput();
    void processInput();
    void sendBootAnswer(const EmulatedSensor *sensor, const EmulatedBootloader::Answer &answer, Time heardAt);
    bool isDeaf(const EmulatedDevice *device, Time at) const;
    static QString nameOf(const EmulatedDevice *device);
    void handleFrames(const QList<QByteArray> &frames);
    void handleFrame(const QByteArray &frame);
    void answerSearch();
    // False when the reply was dropped.
    bool sendReply(QByteArray reply, bool framed);
    void putOnWire(std::chrono::nanoseconds start, const QByteArray &bytes);
    void scheduleDelivery();
    void deliverDue();
    void handOverAll();
    void writeAt(std::chrono::nanoseconds when, const QByteArray &bytes, const QString &label,
                 const std::function<void()> &then = {});
    bool chance(double rate);
    QByteArray randomBytes(int count);
    bool isRestarting(const EmulatedDevice *device) const;
    bool addressTaken(const QList<quint8> &addresses, QString *error) const;
    quint32 seedFor(quint8 address) const;
    void trace(const QString &text);
    void traceDiscarded();
    std::chrono::nanoseconds now() const;

    std::vector<std::unique_ptr<EmulatedDevice>> m_devices;
    QHash<const EmulatedDevice *, QDeadlineTimer> m_restarting;
    QPointer<LineTransport> m_transport;
    RequestFramer m_framer;
    QTimer m_partialTimer;
    LineFaults m_faults;
    std::chrono::milliseconds m_replyDelay;
    QDeadlineTimer m_silence; // expired: answering
    QRandomGenerator m_random;
    quint32 m_seed;
    QElapsedTimer m_clock;
    std::chrono::nanoseconds m_lineBusyUntil{0};
    std::optional<UsbConverter> m_converter; // set while chunkPeriod > 0
    QTimer m_deliveryTimer;
    std::deque<InputByte> m_input; // written by the tool, not yet off the wire
    Time m_inputBusyUntil{0};
    QTimer m_inputTimer;
    QByteArray m_bootHeard; // of the write being taken in, for the trace
};
