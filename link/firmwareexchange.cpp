#include "link/firmwareexchange.h"

#include <algorithm>

using namespace std::chrono_literals;

namespace {

struct NamedModel
{
    const char *name;
    FirmwareModel model;
};

// Searched in this order; the first name found in the path wins.
const NamedModel kModels[] = {
    {"KV210", {false, 0x8A00, 0x4A40, 1, 50ms, 10ms}},
    {"KV260", {true, 0, 0, 0, 120ms, 40ms}},
    {"KV510", {false, 0x9000, 0x5040, 8, 120ms, 40ms}},
    {"KV610", {false, 0x4000, 64, 0, 120ms, 40ms}},
    {"KVL300", {false, 0x4000, 64, 0, 120ms, 40ms}},
};

QByteArray withXor(QByteArray bytes)
{
    quint8 x = 0;
    for (const char b : qAsConst(bytes))
        x ^= quint8(b);
    bytes.append(char(x));
    return bytes;
}

QByteArray command(quint8 code)
{
    return QByteArray(1, char(code)).append(char(quint8(~code)));
}

QByteArray address(quint32 value)
{
    QByteArray bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(char(quint8(value >> shift)));
    return withXor(bytes);
}

} // namespace

std::optional<FirmwareModel> FirmwareModel::forPath(const QString &path,
                                                    const std::optional<FirmwareModel> &previous)
{
    for (const NamedModel &named : kModels) {
        if (path.contains(QLatin1String(named.name), Qt::CaseSensitive))
            return named.model;
    }
    if (!previous || previous->kv260)
        return std::nullopt;
    FirmwareModel kept = *previous;
    kept.pollInterval = 120ms;
    kept.parseInterval = 40ms;
    return kept;
}

FirmwareExchange::FirmwareExchange(QObject *parent) : QObject(parent)
{
    m_knockTimer.setSingleShot(false);
    connect(&m_knockTimer, &QTimer::timeout, this, [this] { emit writeRequested(m_lastFrame); });
    m_ackTimer.setSingleShot(true);
    m_ackTimer.setTimerType(Qt::PreciseTimer);
    m_ackTimer.setInterval(kAckTimeout);
    connect(&m_ackTimer, &QTimer::timeout, this, [this] { finish(false); });
}

int FirmwareExchange::progressMaximum(int fileSize, const FirmwareModel &model)
{
    // Every block counts, the padded or all-zero last one too: a maximum of
    // the whole blocks only would stop the bar short of its end (and at 0,
    // a busy bar, for a file under one block).
    if (model.kv260)
        return fileSize / Bootloader::kKv260BlockSize + 1;
    return (fileSize - model.imageStart) / Bootloader::kWriteBlockSize + model.headerBlocks + 20;
}

bool FirmwareExchange::holdsImage(const QByteArray &file, const FirmwareModel &model)
{
    if (model.kv260)
        return !file.isEmpty();
    return model.imageStart >= Bootloader::kHeaderSize && model.startAddress >= Bootloader::kImageBase
           && file.size() > model.imageStart;
}

bool FirmwareExchange::start(const QByteArray &file, const FirmwareModel &model)
{
    abort();
    const bool usable = holdsImage(file, model);
    if (!usable) {
        emit finished(false, tr("Прошивка не обновлена"));
        return false;
    }
    m_file = file;
    m_model = model;
    m_remainingFrom = model.kv260 ? 0 : model.imageStart;
    m_address = model.startAddress;
    m_config = 0;
    m_lastBlock = false;
    m_markerSeen = false;
    m_progress = 0;
    m_resends = 0;
    m_maximum = progressMaximum(file.size(), model);
    emit progressChanged(0, m_maximum);
    // Until the user power-cycles the sensor nothing answers; knock at the
    // poll pace of the model, without a deadline.
    send(Step::Knock, false);
    m_knockTimer.start(model.pollInterval);
    return true;
}

void FirmwareExchange::abort()
{
    m_knockTimer.stop();
    m_ackTimer.stop();
    m_step = Step::Idle;
}

void FirmwareExchange::receive(const QByteArray &bytes)
{
    for (const char c : bytes) {
        if (m_step == Step::Idle)
            return;
        const quint8 b = quint8(c);
        bool answered = false;
        if (m_step == Step::Kv260Block || m_step == Step::Kv260Completion) {
            const quint8 marker = m_step == Step::Kv260Block ? Bootloader::kKv260BlockMarker
                                                              : Bootloader::kKv260Completion;
            answered = (b == Bootloader::kKv260Tag && m_markerSeen)
                       || (b == Bootloader::kAck && m_step == Step::Kv260Block);
            m_markerSeen = b == marker;
        } else {
            answered = b == Bootloader::kAck;
        }
        if (answered) {
            m_markerSeen = false;
            onAcknowledged();
            // Bytes after the answer arrived before the next frame went out,
            // so none of them can answer it.
            return;
        }
        if (b == Bootloader::kRefusal && m_step != Step::Knock) {
            m_markerSeen = false;
            ++m_resends;
            emit writeRequested(m_lastFrame);
            return;
        }
    }
}

void FirmwareExchange::onAcknowledged()
{
    m_ackTimer.start();
    switch (m_step) {
    case Step::Knock:
        m_knockTimer.stop();
        emit sensorAnswered();
        send(m_model.kv260 ? Step::Kv260Block : Step::Erase, true);
        break;
    case Step::Erase:
        send(Step::EraseAll, true);
        break;
    case Step::EraseAll:
        send(Step::ConfigWrite, true);
        break;
    case Step::ConfigWrite:
        send(Step::ConfigAddress, true);
        break;
    case Step::ConfigAddress:
        // The last configuration byte does not count towards the progress.
        send(Step::ConfigData, m_config < 3);
        break;
    case Step::ConfigData:
        ++m_config;
        send(m_config < 4 ? Step::ConfigWrite : Step::Write, m_config < 4);
        break;
    case Step::Write:
        send(Step::Address, false);
        break;
    case Step::Address:
        send(Step::Data, true);
        break;
    case Step::Data:
        send(m_lastBlock ? Step::Go : Step::Write, false);
        break;
    case Step::Kv260Block:
        send(m_lastBlock ? Step::Kv260Completion : Step::Kv260Block, !m_lastBlock);
        break;
    case Step::Go:
    case Step::Kv260Completion:
        finish(true);
        break;
    case Step::Idle:
        break;
    }
}

void FirmwareExchange::send(Step step, bool counted)
{
    m_step = step;
    m_lastFrame = frameFor(step);
    if (counted) {
        m_progress = std::min(m_progress + 1, m_maximum);
        emit progressChanged(m_progress, m_maximum);
    }
    emit writeRequested(m_lastFrame);
}

QByteArray FirmwareExchange::frameFor(Step step)
{
    using namespace Bootloader;
    switch (step) {
    case Step::Knock:
        return QByteArray(1, char(kSync));
    case Step::Erase:
        return command(kErase);
    case Step::EraseAll:
        return command(kEraseAll);
    case Step::ConfigWrite:
    case Step::Write:
        return command(kWriteMemory);
    case Step::ConfigAddress:
        return address(kConfigurationAddresses[m_config]);
    case Step::ConfigData:
        return withXor(QByteArray(1, '\0').append(m_file.at(kConfigurationBytes[m_config])));
    case Step::Address:
        return address(m_address);
    case Step::Data: {
        QByteArray frame(1, char(kWriteBlockSize - 1)); // byte count minus one
        frame += nextBlock(kWriteBlockSize);
        m_address += kWriteBlockSize;
        return withXor(frame);
    }
    case Step::Go:
        return command(kGo);
    case Step::Kv260Block: {
        QByteArray frame;
        frame.append(char(kKv260BlockMarker)).append(char(kKv260Tag));
        return withXor(frame + nextBlock(kKv260BlockSize));
    }
    case Step::Kv260Completion: {
        QByteArray frame;
        frame.append(char(kKv260Completion)).append(char(kKv260Tag));
        return withXor(frame + QByteArray(kKv260BlockSize, '\0'));
    }
    case Step::Idle:
        break;
    }
    return {};
}

// The image goes out in whole blocks: the rest is padded with zeros, and an
// image ending on a block boundary gets one block of zeros to mark its end.
QByteArray FirmwareExchange::nextBlock(int size)
{
    const int remaining = m_file.size() - m_remainingFrom;
    QByteArray block = m_file.mid(m_remainingFrom, size);
    m_remainingFrom += block.size();
    if (remaining < size) {
        block.append(QByteArray(size - block.size(), '\0'));
        m_lastBlock = true;
    }
    return block;
}

void FirmwareExchange::finish(bool ok)
{
    abort();
    emit finished(ok, ok ? tr("Прошивка успешно обновлена") : tr("Прошивка не обновлена"));
}
