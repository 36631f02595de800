#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <optional>

// Bytes of the sensors' serial bootloader (the ST system-memory protocol) and
// of the block-oriented boot protocol of model KV260. Neither is framed like
// the sensor line: commands go out as a byte and its complement, addresses and
// data close with the XOR of the bytes before them.
namespace Bootloader {
constexpr quint8 kSync = 0x7F;        // knock: the bootloader answers once it runs
constexpr quint8 kAck = 0x79;         // 'y', command or data accepted
constexpr quint8 kRefusal = 0x1F;     // command or data refused
constexpr quint8 kErase = 0x43;       // erase memory, complement 0xBC
constexpr quint8 kEraseAll = 0xFF;    // erase argument: every page, complement 0x00
constexpr quint8 kWriteMemory = 0x31; // write memory, complement 0xCE
constexpr quint8 kGo = 0x21;          // start the application, complement 0xDE

constexpr int kHeaderSize = 64;          // file bytes in front of the image
constexpr quint32 kImageBase = 0x4000;   // sensor address of image offset 0
constexpr int kWriteBlockSize = 128;     // data bytes of one write memory command
constexpr int kConfigurationBytes[] = {19, 20, 21, 22}; // header offsets written...
constexpr quint32 kConfigurationAddresses[] = {0x4803, 0x4805, 0x4807, 0x4809}; // ...here

constexpr quint8 kKv260BlockMarker = 0xA5; // first byte of a KV260 data block and its answer
constexpr quint8 kKv260Tag = 0x70;         // 'p', second byte of KV260 blocks and answers
constexpr quint8 kKv260Completion = 0xD2;  // last KV260 frame and its answer
constexpr int kKv260BlockSize = 64;        // data bytes of one KV260 block
} // namespace Bootloader

// How a model's firmware file is laid out and sent.
struct FirmwareModel
{
    bool kv260 = false;            // block protocol of KV260, file sent whole from byte 0
    quint32 startAddress = 0;      // first sensor address the image is written to
    int imageStart = 0;            // file offset of the byte for startAddress
    int headerBlocks = 0;          // added to the progress maximum
    std::chrono::milliseconds pollInterval{120};
    std::chrono::milliseconds parseInterval{40};

    // The model named in the file path (case-sensitive, first match of
    // KV210, KV260, KV510, KV610, KVL300). A path naming none keeps the
    // addresses of the last bootloader-mode update of this run (`previous`);
    // without one, or when only a KV260 update came before, nothing is known
    // about where the image goes and the file is refused (nullopt).
    static std::optional<FirmwareModel> forPath(const QString &path,
                                                const std::optional<FirmwareModel> &previous);
};

// Runs one firmware update over the bootloader: knocks with 0x7F at the
// model's poll interval until the power-cycled sensor answers, then sends each
// frame as soon as the previous one is acknowledged. The caller sends the
// wired reset (0x88) before start(), writes every requested frame to the port
// and feeds every received byte to receive().
class FirmwareExchange : public QObject
{
    Q_OBJECT
public:
    static constexpr auto kAckTimeout = std::chrono::milliseconds(3000);

    explicit FirmwareExchange(QObject *parent = nullptr);

    // Starts knocking; false (and finished(false, ...)) when the file holds
    // no image for the model.
    bool start(const QByteArray &file, const FirmwareModel &model);
    bool isRunning() const { return m_step != Step::Idle; }
    // Frames sent again because the bootloader refused them, this update.
    int resends() const { return m_resends; }
    static int progressMaximum(int fileSize, const FirmwareModel &model);
    // Whether the file holds an image for the model: the configuration bytes
    // come from the header and the image follows it, so a file without both
    // would write garbage where the firmware goes.
    static bool holdsImage(const QByteArray &file, const FirmwareModel &model);

public slots:
    void receive(const QByteArray &bytes);
    void abort();

signals:
    void writeRequested(const QByteArray &frame);
    void progressChanged(int value, int maximum);
    void sensorAnswered(); // the bootloader took the first knock
    void finished(bool ok, const QString &message);

private:
    enum class Step {
        Idle, Knock, Erase, EraseAll, ConfigWrite, ConfigAddress, ConfigData,
        Write, Address, Data, Go, Kv260Block, Kv260Completion,
    };

    void onAcknowledged();
    void send(Step step, bool counted);
    QByteArray frameFor(Step step);
    QByteArray nextBlock(int size);
    void finish(bool ok);

    QTimer m_knockTimer;
    QTimer m_ackTimer;
    Step m_step = Step::Idle;
    FirmwareModel m_model;
    QByteArray m_file;
    QByteArray m_lastFrame;
    int m_remainingFrom = 0; // offset in m_file of the next image byte to send
    quint32 m_address = 0;
    int m_config = 0;        // index of the configuration byte being written
    bool m_lastBlock = false;
    bool m_markerSeen = false; // first byte of a two-byte KV260 answer arrived
    int m_progress = 0;
    int m_resends = 0;
    int m_maximum = 0;
};
