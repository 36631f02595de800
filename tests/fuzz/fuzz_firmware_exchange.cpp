// The firmware update exchange fed whatever a line may carry back:
// acknowledgements, refusals, KV260 answers and garbage, in pieces of any
// size. Input: model byte, image length (2 bytes), the file, then the line
// as (piece length, piece bytes) pairs. Whatever the line says, every frame
// sent is well formed, the progress stays within its maximum, and an update
// that reports success has written exactly the file's image where it
// belongs, and its configuration bytes.
#include "fuzzinput.h"

#include "link/firmwareexchange.h"

#include <QCoreApplication>

#include <map>

namespace {
const char *const kPaths[] = {"KV210.cri", "KV260.bin", "KV510.cri", "KV610.cri", "KVL300.bin"};
constexpr int kMaxImage = 1500;

quint8 xorOf(const QByteArray &bytes, int count)
{
    quint8 x = 0;
    for (int i = 0; i < count; ++i)
        x ^= quint8(bytes.at(i));
    return x;
}

// What a bootloader would have stored, rebuilt from the frames sent.
struct Flash
{
    std::map<quint32, quint8> bytes;
    QByteArray kv260Image;
    QByteArray previous;
    std::optional<quint32> pendingAddress;
    bool closed = false;

    void take(const QByteArray &frame, bool kv260, bool resent)
    {
        if (resent) {
            FUZZ_CHECK(frame == previous);
            return;
        }
        FUZZ_CHECK(!frame.isEmpty());
        if (frame.size() == 1) {
            FUZZ_CHECK(quint8(frame.at(0)) == Bootloader::kSync);
        } else if (frame.size() == 2) {
            FUZZ_CHECK(!kv260);
            FUZZ_CHECK(quint8(frame.at(0)) == quint8(~quint8(frame.at(1))));
        } else if (frame.size() == 5) {
            FUZZ_CHECK(!kv260 && xorOf(frame, 4) == quint8(frame.at(4)));
            FUZZ_CHECK(previous == QByteArray("\x31\xCE", 2)); // an address follows the write command
            pendingAddress = quint32(quint8(frame.at(0))) << 24 | quint32(quint8(frame.at(1))) << 16
                             | quint32(quint8(frame.at(2))) << 8 | quint8(frame.at(3));
        } else if (kv260) {
            FUZZ_CHECK(frame.size() == 3 + Bootloader::kKv260BlockSize);
            FUZZ_CHECK(xorOf(frame, int(frame.size()) - 1) == quint8(frame.back()));
            FUZZ_CHECK(quint8(frame.at(1)) == Bootloader::kKv260Tag);
            FUZZ_CHECK(!closed);
            if (quint8(frame.at(0)) == Bootloader::kKv260Completion)
                closed = true;
            else
                kv260Image += frame.mid(2, Bootloader::kKv260BlockSize);
        } else {
            const int count = quint8(frame.at(0)) + 1;
            FUZZ_CHECK(frame.size() == count + 2);
            FUZZ_CHECK(xorOf(frame, int(frame.size()) - 1) == quint8(frame.back()));
            FUZZ_CHECK(pendingAddress.has_value());
            for (int i = 0; i < count; ++i)
                bytes[*pendingAddress + quint32(i)] = quint8(frame.at(1 + i));
        }
        previous = frame;
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_firmware_exchange";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv); // the exchange's timers need an event dispatcher

    if (size < 3)
        return 0;
    const QString path = QString::fromLatin1(kPaths[data[0] % 5]);
    const auto model = FirmwareModel::forPath(path, std::nullopt);
    FUZZ_CHECK(model.has_value());
    const int imageLength = (data[1] << 8 | data[2]) % (kMaxImage + 1);
    const int fileSize = model->kv260 ? imageLength : model->imageStart + imageLength;
    QByteArray file(fileSize, '\0');
    size_t at = 3;
    // The file's tail comes from the input, the rest is a fixed pattern.
    for (int i = 0; i < fileSize; ++i)
        file[i] = char(at < size && i >= fileSize - imageLength ? data[at++] : quint8(i * 7));

    FirmwareExchange exchange;
    Flash flash;
    int lastProgress = 0;
    int finishedCount = 0;
    int resends = 0;
    bool succeeded = false;
    QObject::connect(&exchange, &FirmwareExchange::writeRequested, [&](const QByteArray &frame) {
        FUZZ_CHECK(finishedCount == 0);
        const bool resent = exchange.resends() != resends;
        resends = exchange.resends();
        flash.take(frame, model->kv260, resent);
    });
    QObject::connect(&exchange, &FirmwareExchange::progressChanged, [&](int value, int maximum) {
        FUZZ_CHECK(value >= lastProgress && value <= maximum);
        FUZZ_CHECK(maximum == FirmwareExchange::progressMaximum(fileSize, *model));
        lastProgress = value;
    });
    QObject::connect(&exchange, &FirmwareExchange::finished, [&](bool ok, const QString &) {
        ++finishedCount;
        succeeded = ok;
    });
    const bool started = exchange.start(file, *model);
    FUZZ_CHECK(started == FirmwareExchange::holdsImage(file, *model));
    if (!started)
        return 0;

    while (at < size && exchange.isRunning()) {
        const size_t wanted = 1 + data[at] % 8;
        ++at;
        const size_t piece = std::min(wanted, size - at);
        exchange.receive(QByteArray(reinterpret_cast<const char *>(data + at), int(piece)));
        at += piece;
    }
    FUZZ_CHECK(finishedCount <= 1);
    if (!succeeded)
        return 0;

    if (model->kv260) {
        FUZZ_CHECK(flash.closed);
        const int padded = (fileSize / Bootloader::kKv260BlockSize + 1) * Bootloader::kKv260BlockSize;
        FUZZ_CHECK(flash.kv260Image.size() == padded);
        FUZZ_CHECK(flash.kv260Image.left(fileSize) == file);
        FUZZ_CHECK(flash.kv260Image.mid(fileSize) == QByteArray(padded - fileSize, '\0'));
        return 0;
    }
    for (int i = 0; i < 4; ++i) {
        const auto it = flash.bytes.find(Bootloader::kConfigurationAddresses[i]);
        FUZZ_CHECK(it != flash.bytes.end()
                   && it->second == quint8(file.at(Bootloader::kConfigurationBytes[i])));
        flash.bytes.erase(it);
    }
    // An image ending on a block boundary gets a whole block of zeros.
    const int blocks = imageLength / Bootloader::kWriteBlockSize + 1;
    FUZZ_CHECK(flash.bytes.size() == size_t(blocks) * Bootloader::kWriteBlockSize);
    for (const auto &[address, value] : flash.bytes) {
        FUZZ_CHECK(address >= model->startAddress);
        const int offset = int(address - model->startAddress);
        FUZZ_CHECK(offset < blocks * Bootloader::kWriteBlockSize);
        const quint8 expected = offset < imageLength ? quint8(file.at(model->imageStart + offset)) : 0;
        FUZZ_CHECK(value == expected);
    }
    return 0;
}
